// The screen side of the OpenGL back end: frame set-up, the batch and its flushes, and the screen
// forms of every writer.
#include "runtime/lcdui/OpenGLBackEnd.h"

#include <GLES/gl.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/lcdui/Display.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"
#include "runtime/lcdui/PixelWord.h"
#include "runtime/lcdui/PlatformBridge.h"
#include "runtime/lcdui/Texture2DOver3D.h"

namespace javax::microedition::lcdui {

namespace {

constexpr int32_t LINES = 0;
constexpr int32_t COLOURED = 1;
constexpr int32_t TEXTURED = 2;
constexpr int32_t COLOURED_STRIDE = 7;
constexpr int32_t TEXTURED_STRIDE = 5;

// Texture coordinates of the corners upper left, lower left, upper right, lower right for each
// transform: 0 picks the minimum and 1 the maximum, u then v.
constexpr uint8_t CORNER_UV[8][4][2] = {
    {{0, 0}, {0, 1}, {1, 0}, {1, 1}}, {{0, 1}, {0, 0}, {1, 1}, {1, 0}}, {{1, 0}, {1, 1}, {0, 0}, {0, 1}},
    {{1, 1}, {1, 0}, {0, 1}, {0, 0}}, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}, {{0, 1}, {1, 1}, {0, 0}, {1, 0}},
    {{1, 0}, {0, 0}, {1, 1}, {0, 1}}, {{1, 1}, {0, 1}, {1, 0}, {0, 0}},
};
// The six vertices of a quad as corners: two triangles sharing the lower-left to upper-right edge.
constexpr int32_t QUAD_CORNERS[6] = {0, 1, 2, 1, 2, 3};

// The software path mixes d + (s - d) * (a + 1) / 256 (floored). Uploading the colour premultiplied
// by that same factor, rounded, with the factor as alpha, and blending with (ONE, ONE_MINUS_SRC_ALPHA)
// keeps GL's result within one level of it; straight alpha with GL_SRC_ALPHA can be two levels off.
uint32_t premultiplied(uint32_t pixel, uint32_t factor) {
    const uint32_t r = ((pixel & 0xFFu) * factor + 128) >> 8;
    const uint32_t g = (((pixel >> 8) & 0xFFu) * factor + 128) >> 8;
    const uint32_t b = (((pixel >> 16) & 0xFFu) * factor + 128) >> 8;
    return r | g << 8 | b << 16 | factor << 24;
}
uint32_t forBlending(uint32_t pixel) {
    const uint32_t alpha = pixel >> 24;
    if (alpha == 255) return pixel;
    if (alpha == 0) return 0;
    return premultiplied(pixel, alpha + 1);
}
// Glyph coverage mixes by c / 256, not (c + 1) / 256.
uint32_t glyphForBlending(uint32_t colour, uint32_t coverage) {
    if (coverage == 255) return colour | 0xFF000000u;
    if (coverage == 0) return 0;
    return premultiplied(colour, coverage);
}

__attribute__((format(printf, 1, 2))) void report(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::fputs("GL back end: ", stderr);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    va_end(arguments);
}

// The corners of target rectangle r in drawing-plane coordinates: x0, y0 upper left, x1, y1 lower right.
struct QuadCorners {
    float x0, y0, x1, y1;
};
QuadCorners mapRectangle(const Graphics& g, const WLRect& r, float inverseMinDimension) {
    const float x0 = static_cast<float>(2 * r.x - g.getTargetWidth()) * inverseMinDimension;
    const float y0 = -(static_cast<float>(2 * r.y - g.getTargetHeight()) * inverseMinDimension);
    return {x0, y0, x0 + static_cast<float>(2 * r.width) * inverseMinDimension,
            y0 - static_cast<float>(2 * r.height) * inverseMinDimension};
}

}  // namespace

OpenGLBackEnd& OpenGLBackEnd::instance() {
    // Never destroyed: images may die during static teardown and still call in.
    static OpenGLBackEnd* backEnd = new OpenGLBackEnd;
    return *backEnd;
}

void installOpenGLBackEnd(Graphics& screen) {
    OpenGLBackEnd& backEnd = OpenGLBackEnd::instance();
    GraphicsBackEnd::install(&backEnd);
    screen.backEnd = &backEnd;
}

OpenGLBackEnd::Statistics OpenGLBackEnd::statistics() const {
    return {m_drawCalls.load(std::memory_order_relaxed), m_textureUploads.load(std::memory_order_relaxed),
            m_rowsUploaded.load(std::memory_order_relaxed), m_framesPresented.load(std::memory_order_relaxed)};
}

bool OpenGLBackEnd::getReadyFor2DOver3D() {
    if (m_readyFor2DOver3D) return m_frameDrawable;
    m_readyFor2DOver3D = true;
    m_frameDrawable = m_initialised3D ? EGLWaitNative() : EGLstart();
    if (!m_frameDrawable) return false;
    // A context made anew holds none of the textures: they are sent again from their pixels.
    const uint64_t context = EGLcontextSerial();
    if (m_initialised3D && context != m_contextSerial) {
        forgetUploads();
        m_initialised3D = false;
    }
    m_contextSerial = context;
    const int32_t width = Display::screenWidth.load(std::memory_order_relaxed);
    const int32_t height = Display::screenHeight.load(std::memory_order_relaxed);
    // A MIDlet drawing with GL on its own thread shares the context and may have changed any state.
    if (!m_initialised3D || width != m_setUpWidth || height != m_setUpHeight || EGLviewTouchedByAnotherThread())
        stateSetUp(width, height);
    // Whoever held the context between frames may have changed the blending.
    m_blending = -1;
    // Deleting textures needs the context, so the sweep follows taking it.
    sweepTextures();
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0, 0, -1);
    m_shelfX = m_shelfY = m_shelfHeight = 0;
    return true;
}

void OpenGLBackEnd::stateSetUp(int32_t width, int32_t height) {
    m_setUpWidth = width;
    m_setUpHeight = height;
    const float w = static_cast<float>(std::max(width, 1)), h = static_cast<float>(std::max(height, 1));
    glViewport(0, 0, width, height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_FOG);
    glDisable(GL_COLOR_LOGIC_OP);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
    glDisableClientState(GL_NORMAL_ARRAY);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glEnable(GL_BLEND);
    m_blending = 1;
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);  // textures with alpha are uploaded premultiplied
    glClearColor(0, 0, 0, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (w > h)
        glFrustumf(-0.125f * w / h, 0.125f * w / h, -0.125f, 0.125f, 0.125f, 1000);
    else
        glFrustumf(-0.125f, 0.125f, -0.125f * h / w, 0.125f * h / w, 0.125f, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
    // Textured quads show the texture's own colours: the colour left behind by the coloured arrays
    // must not tint them.
    glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(1, 1, 1, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    m_lastBoundTexture = -1;
    m_pendingBuffer = -1;
    m_pendingBufferIndex = 0;
    m_minDimension = std::min(w, h);
    m_invMinDimension = 1.0f / m_minDimension;
    for (int32_t v = 0; v < BATCH_VERTICES; ++v) {
        m_fcXyzRgba[v * COLOURED_STRIDE + 2] = 0;
        m_fcXyzRgba[v * COLOURED_STRIDE + 6] = 1;
        m_tmXyzUv[v * TEXTURED_STRIDE + 2] = 0;
    }
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    m_maxTextureSize = maxSize;
    m_initialised3D = true;
}

void OpenGLBackEnd::setBlending(bool blended) {
    if (m_blending == static_cast<int32_t>(blended)) return;
    if (blended)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    m_blending = blended;
}

void OpenGLBackEnd::flushPendingBuffer(int32_t newMode, Texture2DOver3D* texture) {
    const int32_t n = m_pendingBufferIndex;
    if (m_pendingBuffer != -1 && n != 0) {
        // Opaque sources give the same pixels unblended, and the driver draws them at less cost.
        setBlending(m_pendingBuffer == TEXTURED && m_pendingBlended);
        if (m_pendingBuffer == TEXTURED) {
            glTexCoordPointer(2, GL_FLOAT, TEXTURED_STRIDE * sizeof(float), m_tmXyzUv + 3);
            glVertexPointer(3, GL_FLOAT, TEXTURED_STRIDE * sizeof(float), m_tmXyzUv);
            glDrawArrays(GL_TRIANGLES, 0, 6 * n);
        } else {
            glColorPointer(4, GL_FLOAT, COLOURED_STRIDE * sizeof(float), m_fcXyzRgba + 3);
            glVertexPointer(3, GL_FLOAT, COLOURED_STRIDE * sizeof(float), m_fcXyzRgba);
            const bool lines = m_pendingBuffer == LINES;
            glDrawArrays(lines ? GL_LINES : GL_TRIANGLES, 0, lines ? 2 * n : 6 * n);
        }
        m_drawCalls.fetch_add(1, std::memory_order_relaxed);
    }
    m_pendingBufferIndex = 0;
    if (newMode != -1) {
        m_pendingBuffer = newMode;
        m_pendingBlended = newMode == TEXTURED && texture && texture->hasAlpha;
    }
    if (!texture) {
        if (m_lastBoundTexture != -1) {
            glDisable(GL_TEXTURE_2D);
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
            glEnableClientState(GL_COLOR_ARRAY);
            m_lastBoundTexture = -1;
        }
        return;
    }
    if (m_lastBoundTexture == -1) {
        glEnable(GL_TEXTURE_2D);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
    }
    if (!texture->needsUpload) {
        if (m_lastBoundTexture != texture->name) {
            glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture->name));
            m_lastBoundTexture = texture->name;
        }
        return;
    }
    upload(*texture);
}

void OpenGLBackEnd::upload(Texture2DOver3D& texture) {
    if (texture.name == -1) {
        GLuint name = 0;
        glGenTextures(1, &name);
        if (name == 0) {
            report("glGenTextures gave no name: a texture stays unbound");
            return;
        }
        texture.name = static_cast<int32_t>(name);
        texture.hasStorage = false;
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture.name));
    m_lastBoundTexture = texture.name;
    if (!texture.pixels) return;
    const int32_t width = texture.imageWidth, height = texture.imageHeight;
    const int32_t top = std::clamp(texture.changedTop, 0, height);
    const int32_t bottom = std::clamp(texture.changedBottom, top, height);
    const bool rowsOnly = texture.hasStorage && m_changedRowsOnly;
    int32_t first = rowsOnly ? top : 0, last = rowsOnly ? bottom : height;
    if (rowsOnly) skipRepeatedRows(texture, first, last);
    // Rows are whole image rows, so the rows sent are one contiguous block.
    const uint32_t* rows = texture.pixels + static_cast<size_t>(first) * width;
    if (texture.hasAlpha) {
        m_uploadScratch.resize(static_cast<size_t>(last - first) * width);
        for (size_t i = 0; i < m_uploadScratch.size(); ++i) m_uploadScratch[i] = forBlending(rows[i]);
        rows = m_uploadScratch.data();
    }
    if (!texture.hasStorage) {
        // A pixel word's bytes in memory are red, green, blue, alpha. The image fills the top left
        // of the storage; what lies beyond it is never sampled.
        const bool fills = width == texture.width && height == texture.height;
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, texture.width, texture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     fills ? rows : nullptr);
        if (!fills) glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rows);
        glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        texture.hasStorage = true;
        texture.uploadedPixels.clear();
    } else if (last > first) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, first, width, last - first, GL_RGBA, GL_UNSIGNED_BYTE, rows);
    }
    m_rowsUploaded.fetch_add(static_cast<uint64_t>(last - first), std::memory_order_relaxed);
    texture.markUploaded();
    m_textureUploads.fetch_add(1, std::memory_order_relaxed);
}

void OpenGLBackEnd::skipRepeatedRows(Texture2DOver3D& texture, int32_t& first, int32_t& last) {
    const size_t width = static_cast<size_t>(texture.imageWidth);
    if (texture.uploadedPixels.empty()) {
        // The first change after the first upload: after it the texture holds the pixels as they are.
        const size_t count = width * static_cast<size_t>(texture.imageHeight);
        texture.uploadedPixels.assign(texture.pixels, texture.pixels + count);
        return;
    }
    const auto repeated = [&](int32_t row) {
        const size_t at = static_cast<size_t>(row) * width;
        return std::memcmp(texture.pixels + at, texture.uploadedPixels.data() + at, width * sizeof(uint32_t)) == 0;
    };
    while (first < last && repeated(first)) ++first;
    while (last > first && repeated(last - 1)) --last;
    const size_t at = static_cast<size_t>(first) * width;
    std::memcpy(texture.uploadedPixels.data() + at, texture.pixels + at,
                static_cast<size_t>(last - first) * width * sizeof(uint32_t));
}

int32_t OpenGLBackEnd::takeSlot(int32_t kind, Texture2DOver3D* texture) {
    // A texture changed since its upload flushes too, so that its quads show what was drawn into it.
    const bool fits = m_pendingBuffer == kind && m_pendingBufferIndex < BATCH_PRIMITIVES &&
                      (kind != TEXTURED || (texture->name != -1 && m_lastBoundTexture == texture->name &&
                                            !texture->needsUpload));
    if (!fits) flushPendingBuffer(kind, texture);
    return m_pendingBufferIndex++;
}

void OpenGLBackEnd::flushGraphics(Graphics& g, bool present) {
    if (!m_readyFor2DOver3D) return;
    m_readyFor2DOver3D = false;
    if (!m_frameDrawable) return;
    flushPendingBuffer(-1, nullptr);
    glFlush();
    if (!present) {
        EGLReleaseUnpresented();
        return;
    }
    if (EGLWaitGL()) m_framesPresented.fetch_add(1, std::memory_order_relaxed);
}

bool OpenGLBackEnd::fitsTextureLimit(Texture2DOver3D& texture) {
    const int32_t limit = std::min(m_maxTextureSize, m_textureSizeLimit.load(std::memory_order_relaxed));
    if (texture.width <= limit && texture.height <= limit) return true;
    if (!texture.oversizeReported) {
        report("an image needs a texture of %d x %d, beyond what OpenGL ES allows here: it is not drawn on the screen",
               texture.width, texture.height);
        texture.oversizeReported = true;
    }
    return false;
}

void OpenGLBackEnd::rectBlit(Graphics& g, const WLRect& r) {
    if (g.targetTexture) {
        g.targetTexture->markChanged(r.y + g.textureOriginY, r.height);
        g.myRectBlitSoftware(r);
        return;
    }
    if (!getReadyFor2DOver3D()) return;
    const int32_t n = takeSlot(COLOURED, nullptr);
    const QuadCorners q = mapRectangle(g, r, m_invMinDimension);
    const float xs[4] = {q.x0, q.x0, q.x1, q.x1}, ys[4] = {q.y0, q.y1, q.y0, q.y1};
    float* vertex = m_fcXyzRgba + static_cast<size_t>(6 * n) * COLOURED_STRIDE;
    for (int32_t corner : QUAD_CORNERS) {
        vertex[0] = xs[corner];
        vertex[1] = ys[corner];
        vertex[3] = g.red;
        vertex[4] = g.green;
        vertex[5] = g.blue;
        vertex += COLOURED_STRIDE;
    }
}

void OpenGLBackEnd::drawLine(Graphics& g, const LineEnds& whole) {
    if (g.targetTexture) {
        // The rows of the clip the line crosses.
        const WLRect rows = g.clipped(INT32_MIN, whole.ay, int64_t{1} << 33, whole.by - whole.ay + 1);
        if (rows.isEmpty()) return;
        g.targetTexture->markChanged(rows.y + g.textureOriginY, rows.height);
        g.drawLineSoftware(whole);
        return;
    }
    LineEnds cut;
    if (!g.cutLineToClip(whole, cut)) return;
    const auto ax = static_cast<int32_t>(cut.ax), ay = static_cast<int32_t>(cut.ay);
    const auto bx = static_cast<int32_t>(cut.bx), by = static_cast<int32_t>(cut.by);
    if (!getReadyFor2DOver3D()) return;
    const int32_t n = takeSlot(LINES, nullptr);
    // End points are the pixel corners, as for rectangles: no half-pixel offset.
    const QuadCorners ends = mapRectangle(g, {ax, ay, bx - ax, by - ay}, m_invMinDimension);
    const float xs[2] = {ends.x0, ends.x1}, ys[2] = {ends.y0, ends.y1};
    float* vertex = m_fcXyzRgba + static_cast<size_t>(2 * n) * COLOURED_STRIDE;
    for (int32_t end = 0; end < 2; ++end) {
        vertex[0] = xs[end];
        vertex[1] = ys[end];
        vertex[3] = g.red;
        vertex[4] = g.green;
        vertex[5] = g.blue;
        vertex += COLOURED_STRIDE;
    }
}

void OpenGLBackEnd::texturedQuad(const Graphics& g, const WLRect& dst, const WLRect& src, Texture2DOver3D& texture,
                                 int32_t transform) {
    const int32_t n = takeSlot(TEXTURED, &texture);
    const QuadCorners q = mapRectangle(g, dst, m_invMinDimension);
    const float xs[4] = {q.x0, q.x0, q.x1, q.x1}, ys[4] = {q.y0, q.y1, q.y0, q.y1};
    const float texW = static_cast<float>(texture.width), texH = static_cast<float>(texture.height);
    const float us[2] = {static_cast<float>(src.x) / texW, static_cast<float>(src.x + src.width) / texW};
    const float vs[2] = {static_cast<float>(src.y) / texH, static_cast<float>(src.y + src.height) / texH};
    const auto& uv = CORNER_UV[transform >= 0 && transform <= 7 ? transform : 0];
    float* vertex = m_tmXyzUv + static_cast<size_t>(6 * n) * TEXTURED_STRIDE;
    for (int32_t corner : QUAD_CORNERS) {
        vertex[0] = xs[corner];
        vertex[1] = ys[corner];
        vertex[3] = us[uv[corner][0]];
        vertex[4] = vs[uv[corner][1]];
        vertex += TEXTURED_STRIDE;
    }
}

void OpenGLBackEnd::blit(Graphics& g, const WLRect& dst, const WLRect& src, Image& img, int32_t transform) {
    if (g.targetTexture) {
        g.targetTexture->markChanged(dst.y + g.textureOriginY, dst.height);
        if (img.graphics && img.graphics->targetTexture) {
            const Graphics& source = *img.graphics;
            Texture2DOver3D& texture = *source.targetTexture;
            const WLRect from{src.x + source.textureOriginX, src.y + source.textureOriginY, src.width, src.height};
            g.blitPixelsSoftware(dst, from, texture.pixels, texture.imageWidth, source.textureOriginX + img.getWidth(),
                                 source.textureOriginY + img.getHeight(), img.hasTransparentPixels,
                                 img.hasTranslucentPixels, transform);
            return;
        }
        g.myBlitterSoftware(dst, src, img, transform);
        return;
    }
    if (!getReadyFor2DOver3D()) return;
    Texture2DOver3D* texture = screenTextureOf(img);
    if (!texture || !fitsTextureLimit(*texture)) return;
    const Graphics& source = *img.graphics;
    const WLRect from{src.x + source.textureOriginX, src.y + source.textureOriginY, src.width, src.height};
    texturedQuad(g, dst, from, *texture, transform);
}

void OpenGLBackEnd::drawRGB(Graphics& g, const int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w,
                            int32_t h, bool processAlpha) {
    if (g.targetTexture) {
        g.targetTexture->markChanged(y + g.textureOriginY, h);
        g.drawRGBSoftware(rgb, scanlength, x, y, w, h, processAlpha);
        return;
    }
    if (!getReadyFor2DOver3D()) return;
    // One texture for this call, dropped by the next frame's sweep.
    auto* pixels = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(w) * static_cast<size_t>(h) * 4));
    if (!pixels) {
        report("no memory for a texture of %d x %d: drawRGB draws nothing", w, h);
        return;
    }
    auto texture = java::lang::jnew<Texture2DOver3D>(w, h, pixels);
    for (int32_t j = 0; j < h; ++j) {
        const int32_t* from = rgb + static_cast<ptrdiff_t>(j) * scanlength;
        uint32_t* to = pixels + static_cast<size_t>(j) * w;
        if (processAlpha) {
            for (int32_t i = 0; i < w; ++i) to[i] = pixelFromARGB(from[i]);
        } else {
            for (int32_t i = 0; i < w; ++i) to[i] = pixelFromRGB(from[i]);
        }
    }
    texture->hasAlpha = processAlpha;
    texture->releasedByImage.store(true, std::memory_order_relaxed);
    registerTexture(texture);
    if (!fitsTextureLimit(*texture)) return;
    texturedQuad(g, {x, y, w, h}, {0, 0, w, h}, *texture, 0);
}

void OpenGLBackEnd::getRGB(Graphics& g, int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w,
                           int32_t h) {
    if (g.targetTexture) {
        g.getRGBSoftware(rgb, scanlength, x, y, w, h);
        return;
    }
    // The screen is read back as it stands, with everything batched so far drawn first.
    if (!getReadyFor2DOver3D()) return;
    flushPendingBuffer(-1, nullptr);
    m_readBack.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    glReadPixels(x, m_setUpHeight - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, m_readBack.data());
    for (int32_t j = 0; j < h; ++j) {
        // GL's rows run from the bottom; the screen is opaque whatever alpha the blending left.
        const uint32_t* from = m_readBack.data() + static_cast<size_t>(h - 1 - j) * w;
        int32_t* to = rgb + static_cast<ptrdiff_t>(j) * scanlength;
        for (int32_t i = 0; i < w; ++i) to[i] = argbFromPixel(from[i] | 0xFF000000u);
    }
}

void OpenGLBackEnd::blitChar(Graphics& g, const uint8_t* coverage, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (g.targetTexture) {
        g.targetTexture->markChanged(y + g.textureOriginY, h);
        g.myBlitCharSoftware(coverage, x, y, w, h);
        return;
    }
    if (!getReadyFor2DOver3D()) return;
    glyphOnScreen(g, coverage, x, y, w, h);
}

// A glyph becomes a textured quad from the frame's glyph atlas: its coverage becomes the alpha of the
// drawing colour, so blending gives the software path's coverage mix.
void OpenGLBackEnd::glyphOnScreen(Graphics& g, const uint8_t* coverage, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w > GLYPH_ATLAS_SIDE || h > GLYPH_ATLAS_SIDE) return;
    if (!m_glyphAtlas) {
        m_glyphAtlas = java::lang::jnew<Texture2DOver3D>(GLYPH_ATLAS_SIDE, GLYPH_ATLAS_SIDE, nullptr);
        m_glyphAtlas->hasAlpha = true;
        if (!fitsTextureLimit(*m_glyphAtlas)) {
            m_glyphAtlas = nullptr;
            return;
        }
        flushPendingBuffer(TEXTURED, m_glyphAtlas.get());
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GLYPH_ATLAS_SIDE, GLYPH_ATLAS_SIDE, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     nullptr);
        glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        m_glyphAtlas->hasStorage = true;
        m_glyphAtlas->markUploaded();
    }
    Texture2DOver3D& atlas = *m_glyphAtlas;
    if (atlas.name == -1) return;
    if (m_shelfX + w > GLYPH_ATLAS_SIDE) {
        m_shelfX = 0;
        m_shelfY += m_shelfHeight;
        m_shelfHeight = 0;
    }
    if (m_shelfY + h > GLYPH_ATLAS_SIDE) {
        // Full: the glyphs batched so far are drawn before their places are written again.
        flushPendingBuffer(TEXTURED, &atlas);
        m_shelfX = m_shelfY = m_shelfHeight = 0;
    }
    // Taking the slot binds the atlas, which the glyph's upload below needs.
    const int32_t shelfX = m_shelfX, shelfY = m_shelfY;
    texturedQuad(g, {x, y, w, h}, {shelfX, shelfY, w, h}, atlas, 0);
    const uint32_t colour = g.getPixelColour() & 0x00FFFFFFu;
    m_glyphPixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (size_t i = 0; i < m_glyphPixels.size(); ++i) m_glyphPixels[i] = glyphForBlending(colour, coverage[i]);
    glTexSubImage2D(GL_TEXTURE_2D, 0, shelfX, shelfY, w, h, GL_RGBA, GL_UNSIGNED_BYTE, m_glyphPixels.data());
    m_shelfX += w;
    m_shelfHeight = std::max(m_shelfHeight, h);
}

}  // namespace javax::microedition::lcdui
