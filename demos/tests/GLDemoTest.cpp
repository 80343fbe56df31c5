// The GL demonstration end to end, headless: its built-in script walks the phases, and the
// captures and the log show what each drew and which error codes it met.
#include <gtest/gtest.h>

#include <cstdlib>

#include "demos/GLDemoLayout.h"
#include "host/tests/ProgramRun.h"

namespace {

using demo::GLDemoLayout;
using L = GLDemoLayout;
using programtest::loadPicture;
using programtest::Picture;

// Layout units are doubled on the default retina device; the place is the middle of a unit.
int32_t px(int32_t layout) { return layout * 2 + 1; }

int32_t channelDistance(int32_t a, int32_t b) {
    int32_t largest = 0;
    for (int shift = 0; shift < 24; shift += 8) largest = std::max(largest, std::abs((a >> shift & 0xFF) - (b >> shift & 0xFF)));
    return largest;
}

}  // namespace

TEST(GLDemo, ScriptShowsTriangleTexturesCanvasAndGLAgain) {
    programtest::TemporaryDirectory directory("gl-demo-test");
    const std::vector<std::string> arguments = {LEXIVO_QUIZ_PATH, "--midlet", "gl", "--headless", "--capture",
                                                directory.path().string(), "--documents",
                                                (directory.path() / "documents").string()};
    programtest::RunningProgram program(LEXIVO_QUIZ_PATH, arguments, directory.path() / "stderr.txt");
    ASSERT_EQ(program.wait(), 0) << program.output();
    for (const char* line : {"gl: EGL error 0x3008 for a replaced display", "gl: EGL error 0x3006 for a context",
                             "gl: EGL error 0x3000 once read", "gl: EGL error 0x300C for a short version array",
                             "gl: GL error 0x500 for an unknown capability", "gl: textures loaded, GL error 0x0"})
        EXPECT_NE(program.output().find(line), std::string::npos) << line;

    for (const char* name : {"gl-triangle.png", "gl-again.png"}) {
        const Picture triangle = loadPicture(directory.path() / name);
        ASSERT_EQ(triangle.width, 640) << name;
        EXPECT_LE(channelDistance(triangle.rgbAt(px(L::TRIANGLE_PROBE[0]), px(L::TRIANGLE_PROBE[1])), L::TRIANGLE), 1)
            << name;
        EXPECT_LE(channelDistance(triangle.rgbAt(2, 2), L::CLEAR), 1) << name;
    }

    const Picture textures = loadPicture(directory.path() / "gl-textures.png");
    ASSERT_EQ(textures.width, 640);
    for (int i = 0; i < 5; ++i) {
        const int32_t x = px(L::TEXTURE_AT[i][0] + L::TEXTURE_SIDE / 2), y = px(L::TEXTURE_AT[i][1] + L::TEXTURE_SIDE / 2);
        EXPECT_LE(channelDistance(textures.rgbAt(x, y), L::TEXTURE_COLOUR[i]), 1) << "texture " << i;
    }

    const Picture canvas = loadPicture(directory.path() / "gl-canvas.png");
    ASSERT_EQ(canvas.width, 640);
    EXPECT_EQ(canvas.rgbAt(2, 2), L::CANVAS_BACKGROUND);
    EXPECT_EQ(canvas.rgbAt(px(L::CANVAS_BOX[0] + 10), px(L::CANVAS_BOX[1] + 10)), L::CANVAS_BOX_COLOUR);
}
