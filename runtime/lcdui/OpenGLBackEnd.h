// The OpenGL ES 1.1 back end of the 2D-over-3D path: screen drawing becomes lines and coloured or
// textured quads, batched and drawn on the painting thread; every image's pixels move into its
// texture, which drawing into the image writes in software; textures are deleted at the frame after
// their image dies.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "runtime/lang/JavaPtr.h"
#include "runtime/lcdui/GraphicsBackEnd.h"

namespace java::util { class Vector; }

namespace javax::microedition::lcdui {

class Texture2DOver3D;

class OpenGLBackEnd final : public GraphicsBackEnd {
public:
    static constexpr int32_t BATCH_PRIMITIVES = 256;
    static constexpr int32_t BATCH_VERTICES = 6 * BATCH_PRIMITIVES;
    // Side of the texture that glyphs are copied into during a frame.
    static constexpr int32_t GLYPH_ATLAS_SIDE = 1024;

    // Counts since the process started; tests and measurements compare before and after.
    struct Statistics {
        uint64_t drawCalls = 0;
        uint64_t textureUploads = 0;
        uint64_t rowsUploaded = 0;
        uint64_t framesPresented = 0;
    };

    static OpenGLBackEnd& instance();

    void rectBlit(Graphics& g, const WLRect& r) override;
    void drawLine(Graphics& g, const LineEnds& whole) override;
    void getRGB(Graphics& g, int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w, int32_t h) override;
    void drawRGB(Graphics& g, const int32_t* rgb, int32_t scanlength, int32_t x, int32_t y, int32_t w, int32_t h,
                 bool processAlpha) override;
    void blit(Graphics& g, const WLRect& dst, const WLRect& src, Image& img, int32_t transform) override;
    void blitChar(Graphics& g, const uint8_t* coverage, int32_t x, int32_t y, int32_t w, int32_t h) override;
    void colorChanged(Graphics& g) override {}
    void flushGraphics(Graphics& g, bool present) override;
    void imageCreated(Image& img) override;
    void imageDestroyed(Image& img) override;

    Statistics statistics() const;
    // Textures still held for images (and one-frame RGB textures) that the next sweep has not removed.
    int32_t liveTextureCount();
    // For measurements: whether a changed texture sends only its changed rows (the default) or all.
    void setUploadChangedRowsOnly(bool changedRowsOnly) { m_changedRowsOnly = changedRowsOnly; }
    // Lowers the largest texture side the driver allows, so that tests can meet an oversized image.
    void limitTextureSize(int32_t side) { m_textureSizeLimit = side; }

private:
    OpenGLBackEnd() = default;

    // Frame set-up on the first screen operation of a frame; false when the frame cannot be drawn.
    bool getReadyFor2DOver3D();
    void stateSetUp(int32_t width, int32_t height);
    void sweepTextures();
    void flushPendingBuffer(int32_t newMode, Texture2DOver3D* texture);
    void setBlending(bool blended);
    void upload(Texture2DOver3D& texture);
    // Narrows the changed rows [first, last) to those that differ from what the texture holds.
    static void skipRepeatedRows(Texture2DOver3D& texture, int32_t& first, int32_t& last);
    // After a lost context: every texture is sent again when next bound, the glyph atlas made again.
    void forgetUploads();
    // Flushes when the batch cannot take one more primitive of this kind and texture; returns its slot.
    int32_t takeSlot(int32_t kind, Texture2DOver3D* texture);
    void texturedQuad(const Graphics& g, const WLRect& dst, const WLRect& src, Texture2DOver3D& texture,
                      int32_t transform);
    bool fitsTextureLimit(Texture2DOver3D& texture);
    void registerTexture(const JavaPtr<Texture2DOver3D>& texture);
    Texture2DOver3D* screenTextureOf(Image& img);
    void glyphOnScreen(Graphics& g, const uint8_t* coverage, int32_t x, int32_t y, int32_t w, int32_t h);

    // Frame and batch state; touched only by the painting thread.
    bool m_readyFor2DOver3D = false;
    bool m_frameDrawable = false;
    bool m_initialised3D = false;
    uint64_t m_contextSerial = 0;
    int32_t m_setUpWidth = 0;
    int32_t m_setUpHeight = 0;
    int32_t m_lastBoundTexture = -1;
    int32_t m_pendingBuffer = -1;
    int32_t m_pendingBufferIndex = 0;
    // Whether the pending batch's texture has alpha; whether GL blends (-1: not known this frame).
    bool m_pendingBlended = false;
    int32_t m_blending = -1;
    float m_minDimension = 1;
    float m_invMinDimension = 1;
    int32_t m_maxTextureSize = 0;
    std::atomic<int32_t> m_textureSizeLimit{1 << 30};
    bool m_changedRowsOnly = true;
    float m_fcXyzRgba[BATCH_VERTICES * 7] = {};
    float m_tmXyzUv[BATCH_VERTICES * 5] = {};

    JavaPtr<Texture2DOver3D> m_glyphAtlas;
    int32_t m_shelfX = 0;
    int32_t m_shelfY = 0;
    int32_t m_shelfHeight = 0;
    std::vector<uint32_t> m_glyphPixels;
    std::vector<uint32_t> m_readBack;
    std::vector<uint32_t> m_uploadScratch;

    // Images are made and dropped on any thread, while the painting thread sweeps.
    std::mutex m_texturesLock;
    JavaPtr<java::util::Vector> m_allTheTextures;

    std::atomic<uint64_t> m_drawCalls{0};
    std::atomic<uint64_t> m_textureUploads{0};
    std::atomic<uint64_t> m_rowsUploaded{0};
    std::atomic<uint64_t> m_framesPresented{0};
};

// Makes every image from now on live in a texture, and the screen context draw through OpenGL ES.
// The launcher calls it once with the master Graphics, before any image is made.
void installOpenGLBackEnd(Graphics& screen);

}  // namespace javax::microedition::lcdui
