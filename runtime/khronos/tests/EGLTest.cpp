#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/khronos/egl/EGLImp.h"
#include "runtime/khronos/egl/jEGLConfig.h"
#include "runtime/khronos/egl/jEGLContext.h"
#include "runtime/khronos/egl/jEGLDisplay.h"
#include "runtime/khronos/egl/jEGLSurface.h"
#include "runtime/khronos/tests/RecordingGL.h"

using namespace javax::microedition::khronos::egl;
using java::lang::jnew;

namespace {

JavaPtr<JArray<int>> ints(std::initializer_list<int> values) {
    auto array = jnew<JArray<int>>(static_cast<int32_t>(values.size()));
    int i = 0;
    for (int value : values) array->data[i++] = value;
    return array;
}

class EGL : public ::testing::Test {
protected:
    void SetUp() override {
        jEGL10::jEGL10_staticInit();
        egl = recastObj<jEGL10>(jEGLContext::getEGL());
        egl->jeglGetError();
        display = egl->jeglGetDisplay(jEGL10::jEGL_DEFAULT_DISPLAY);
    }
    void TearDown() override { jEGL10::jEGL10_staticDestroy(); }

    khronostest::RecordingGL recording;
    JavaPtr<jEGL10> egl;
    JavaPtr<jEGLDisplay> display;
};

}  // namespace

TEST_F(EGL, GetErrorReadsTheLastFailureAndResetsIt) {
    EXPECT_FALSE(egl->jeglMakeCurrent(display, nullptr, nullptr, jEGL10::jEGL_NO_CONTEXT));
    EXPECT_TRUE(egl->jeglTerminate(display));  // a later success keeps the failure
    EXPECT_EQ(egl->jeglGetError(), jEGL10::jEGL_BAD_CONTEXT);
    EXPECT_EQ(egl->jeglGetError(), jEGL10::jEGL_SUCCESS);
}

TEST_F(EGL, ChooseConfigMatchesOnlySurfaceTypeAndDepth) {
    struct Case {
        std::vector<int> attributes;
        bool matches;
        int depth;
    };
    const Case cases[] = {
        {{jEGL10::jEGL_DEPTH_SIZE, 24, jEGL10::jEGL_NONE}, true, 24},
        {{jEGL10::jEGL_DEPTH_SIZE, 16}, true, 16},
        {{jEGL10::jEGL_DEPTH_SIZE, 32, jEGL10::jEGL_NONE}, false, 0},
        {{jEGL10::jEGL_SURFACE_TYPE, jEGL10::jEGL_WINDOW_BIT | jEGL10::jEGL_PBUFFER_BIT, jEGL10::jEGL_NONE}, false, 0},
        {{jEGL10::jEGL_RED_SIZE, 5, jEGL10::jEGL_NONE}, true, 0},
        {{jEGL10::jEGL_NONE}, true, 0},
        {{}, true, 0},
    };
    for (const Case& c : cases) {
        auto attributes = jnew<JArray<int>>(static_cast<int32_t>(c.attributes.size()));
        for (size_t i = 0; i < c.attributes.size(); ++i) attributes->data[i] = c.attributes[i];
        auto configs = jnew<JArray<jEGLConfig>>(1);
        auto count = ints({-1});
        EXPECT_TRUE(egl->jeglChooseConfig(display, attributes, configs, 1, count));
        EXPECT_EQ(count->data[0], c.matches ? 1 : 0);
        ASSERT_EQ(configs->data[0] != nullptr, c.matches);
        if (!c.matches) continue;
        auto depth = ints({-1});
        EXPECT_TRUE(egl->jeglGetConfigAttrib(display, configs->data[0], jEGL10::jEGL_DEPTH_SIZE, depth));
        EXPECT_EQ(depth->data[0], c.depth);
    }
    EXPECT_EQ(egl->jeglGetError(), jEGL10::jEGL_SUCCESS);
}

TEST_F(EGL, HandlesFromBeforeAReplacementAreForeign) {
    auto second = egl->jeglGetDisplay(jEGL10::jEGL_DEFAULT_DISPLAY);
    EXPECT_NE(second.get(), display.get());
    EXPECT_FALSE(egl->jeglInitialize(display, nullptr));
    EXPECT_EQ(egl->jeglGetError(), jEGL10::jEGL_BAD_DISPLAY);
    EXPECT_TRUE(egl->jeglInitialize(second, nullptr));
    EXPECT_EQ(egl->jeglGetDisplay(jnew<jEGLDisplay>()), nullptr);

    auto first = egl->jeglCreateContext(second, nullptr, jEGL10::jEGL_NO_CONTEXT, nullptr);
    auto current = egl->jeglCreateContext(second, nullptr, jEGL10::jEGL_NO_CONTEXT, nullptr);
    EXPECT_FALSE(egl->jeglMakeCurrent(second, nullptr, nullptr, first));
    EXPECT_TRUE(egl->jeglMakeCurrent(second, nullptr, nullptr, current));
    EXPECT_TRUE(egl->jeglDestroyContext(second, current));
    EXPECT_EQ(egl->jeglGetCurrentContext(), nullptr);
    EXPECT_FALSE(egl->jeglDestroyContext(second, current));
    EXPECT_EQ(egl->jeglGetError(), jEGL10::jEGL_BAD_CONTEXT);
}

TEST_F(EGL, ArgumentShapesThatCannotBeReadAreBadParameters) {
    auto context = egl->jeglCreateContext(display, nullptr, jEGL10::jEGL_NO_CONTEXT, nullptr);
    struct Case {
        const char* what;
        std::function<bool()> call;
    };
    const Case cases[] = {
        {"null attribute list", [&] { return egl->jeglChooseConfig(display, nullptr, nullptr, 0, nullptr); }},
        {"key without its value",
         [&] { return egl->jeglChooseConfig(display, ints({jEGL10::jEGL_DEPTH_SIZE}), nullptr, 0, ints({0})); }},
        {"depth of a null config",
         [&] { return egl->jeglGetConfigAttrib(display, nullptr, jEGL10::jEGL_DEPTH_SIZE, ints({0})); }},
        {"null value", [&] { return egl->jeglGetConfigAttrib(display, nullptr, jEGL10::jEGL_RED_SIZE, nullptr); }},
        {"configs missing", [&] { return egl->jeglGetConfigs(display, nullptr, 1, ints({0})); }},
        {"count missing", [&] { return egl->jeglGetConfigs(display, nullptr, 0, nullptr); }},
        {"short version array", [&] { return egl->jeglInitialize(display, ints({0})); }},
        {"null share context",
         [&] { return egl->jeglCreateContext(display, nullptr, nullptr, ints({jEGL10::jEGL_NONE})) != nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(c.call());
        EXPECT_EQ(egl->jeglGetError(), jEGL10::jEGL_BAD_PARAMETER);
    }
    // The context made before is still the current one.
    EXPECT_TRUE(egl->jeglMakeCurrent(display, nullptr, nullptr, context));
}

TEST_F(EGL, WindowSurfaceStartsTheViewBeforeSettingItsDepth) {
    auto configs = jnew<JArray<jEGLConfig>>(1);
    auto count = ints({0});
    ASSERT_TRUE(egl->jeglChooseConfig(display, ints({jEGL10::jEGL_NONE}), configs, 1, count));
    EXPECT_EQ(egl->jeglCreateWindowSurface(display, configs->data[0], nullptr, nullptr), nullptr);
    EXPECT_FALSE(egl->jeglWaitGL());
    EXPECT_FALSE(egl->jeglWaitNative(jEGL10::jEGL_CORE_NATIVE_ENGINE, nullptr));
    EXPECT_FALSE(egl->jeglDestroySurface(display, nullptr));
    // Depth 0 asks for the platform's default (24 bits): only exactly 16 gives 16.
    EXPECT_EQ(khronostest::viewRequests(),
              (std::vector<std::string>{"start", "setDepth 0", "waitGL", "waitNative", "stop"}));
    auto version = ints({0, 0});
    EXPECT_TRUE(egl->jeglInitialize(display, version));
    EXPECT_EQ(version->data[0] * 10 + version->data[1], 10);
}
