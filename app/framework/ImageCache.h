// The 256-slot cache of decoded encoded images: loading by image and palette ids, sizes of images
// and their cells under the eight draw transforms, and drawing an image or one cell with an anchor.
// A slot loaded from a resource keeps its encoded bytes; once the decoded slots hold more than
// its bound, those least recently drawn before the last two frames drop their pixels and decode
// again (to the same pixels) when next drawn.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <tuple>

#include "app/framework/AppParameters.h"
#include "runtime/lang/JArray.h"

namespace javax::microedition::lcdui { class Graphics; class Image; }
class ResourceHandler;

// The cache size and the IMAGEDIMENSION_ selectors come from the application's constant table.
class ImageCache : public AppParameters, public CanvasConstants {
public:
    using Graphics = javax::microedition::lcdui::Graphics;
    using Image = javax::microedition::lcdui::Image;

    // Above what the quiz's busiest screen draws (about 3.5 MiB): a screen change decodes what the new
    // screen lacks, a few milliseconds.
    static constexpr int64_t DECODED_BYTES = int64_t{4} << 20;

    explicit ImageCache(ResourceHandler& resources, int64_t decodedBound = DECODED_BYTES);

    // A frame begins: slots drawn in neither it nor the one before may drop their pixels.
    void nextFrame();
    // Bytes of pixels held by slots that can decode again.
    int64_t decodedBytes();

    // The slot holding the image, decoding it on the first load. -1 when every slot is in use or the
    // resource (or its palette) is not available; IOException for data that does not decode. A slot
    // is shared only by loads with the same ids and the same one-image-per-cell choice.
    int32_t loadImageID(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId, int32_t transformMask,
                        bool imagePerCell);
    int32_t loadImageID(int32_t imageId, int32_t paletteId, int32_t transformMask, bool imagePerCell) {
        return loadImageID(imageId, paletteId, paletteId, transformMask, imagePerCell);
    }
    void unloadImageID(int32_t slot);
    // 255 for a slot in use, else 0.
    int32_t currentImageTransforms(int32_t slot);

    // The image itself, leaving the cache as it was: a slot already in use stays in use, one taken for
    // this call is freed again. Null when the image is not available or t names no image.
    JavaPtr<Image> getImage(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId, int32_t t);
    JavaPtr<Image> getImage(int32_t imageId, int32_t paletteId, int32_t t) {
        return getImage(imageId, paletteId, paletteId, t);
    }
    JavaPtr<Image> getImage(int32_t imageId) { return getImage(imageId, -1, -1, 0); }

    // Builds the slot's images from decoded pixels where they are still missing.
    void loadImage(int32_t slot, const JavaPtr<JArray<signed char>>& indices, const JavaPtr<JArray<signed char>>& palette,
                   int32_t width, int32_t height, int32_t transformMask, bool imagePerCell);
    void loadImage(int32_t slot, const JavaPtr<JArray<signed char>>& colours, int32_t width, int32_t height,
                   int32_t transformMask, bool imagePerCell);

    // -1 for an unknown selector, a slot outside the cache or a cell outside its table.
    int32_t getImageDimension(int32_t slot, int32_t cell, int32_t t, int32_t selector);
    // A free slot, or a cell without an image, draws nothing.
    void drawImageID(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t t, int32_t x, int32_t y,
                     int32_t anchor);
    void drawImageIDNoTransform(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t x, int32_t y,
                                int32_t anchor) {
        drawImageID(g, slot, cell, 0, x, y, anchor);
    }
    void drawImageCell(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t t, int32_t x, int32_t y);

    // What one slot knows, copied out once so that a caller drawing many cells (text) takes the lock
    // once, and decoding and drawing run without it. Its images are decoded again where dropped.
    struct SlotView {
        int32_t width = 0, height = 0;
        JavaPtr<JArray<signed char>> cells;
        JavaPtr<JArray<Image>> images;
        bool imagePerCell = false;
    };
    SlotView view(int32_t slot);
    static int32_t dimension(const SlotView& slot, int32_t cell, int32_t t, int32_t selector);
    static void drawImageID(const JavaPtr<Graphics>& g, const SlotView& slot, int32_t cell, int32_t t, int32_t x,
                            int32_t y, int32_t anchor);

    static JavaPtr<Image> createRGBImage(const JavaPtr<JArray<int>>& pixels, int32_t width, int32_t height,
                                         bool processAlpha);
    static JavaPtr<Image> pngMakeMutable(const JavaPtr<Image>& image);

    // Per slot s: [2s] image id, [2s + 1] palette id << 16 | alternative palette id (-1 made id + 1).
    JavaPtr<JArray<int>> image_cache_keys;
    // Per slot s: [2s] width, [2s + 1] height.
    JavaPtr<JArray<int>> image_cache_sizes;
    JavaPtr<JArray<JArray<Image>>> image_cache_images;
    JavaPtr<JArray<JArray<signed char>>> image_cache_cells;
    JavaPtr<JArray<bool>> image_cache_flags;

private:
    // What a slot decodes from: the resource's bytes and the palette with its alternative applied.
    struct Source {
        JavaPtr<JArray<signed char>> bytes;
        JavaPtr<JArray<signed char>> palette;
    };
    // Null bytes when the resource (or its palette) is not available; IOException for a bad palette.
    Source fetch(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId);
    // The slot's sizes, cells and images; IOException for data that does not decode.
    static SlotView decode(const Source& source, bool imagePerCell);
    // The view as held. With dropped given, the slot counts as drawn now and, where its pixels were
    // dropped, dropped receives what they decode from.
    SlotView held(int32_t slot, Source* dropped = nullptr);
    bool inUse(int32_t slot) const;
    // Drops the pixels of the least recently drawn slots that may, until the bound holds; under m_lock.
    void evict();
    // Cell images cut from decoded pixels (bytesPerPixel 1: indices with a palette, 4: colours).
    static JavaPtr<JArray<Image>> buildImages(const SlotView& slot, const JavaPtr<JArray<signed char>>& pixels,
                                              const JavaPtr<JArray<signed char>>& palette, int32_t bytesPerPixel);
    // Fills a slot taken by loadImageID; false when the resource is not available.
    bool decodeInto(int32_t slot, int32_t imageId, int32_t paletteId, int32_t alternativePaletteId,
                    bool imagePerCell);
    int32_t findSlot(int32_t imageId, int32_t keyWord, bool imagePerCell);
    // Finds the slot or takes and fills a free one (fresh: this call took it).
    int32_t acquire(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId, bool imagePerCell, bool& fresh);
    static void drawCell(const JavaPtr<Graphics>& g, const SlotView& v, int32_t cell, int32_t x, int32_t y);
    void install(int32_t slot, const SlotView& filled, const Source& source = {});

    ResourceHandler& m_resources;
    const int64_t m_decodedBound;
    std::mutex m_lock;
    // Slots taken by a load that has not finished decoding; no other load may take them meanwhile.
    std::array<bool, 256> m_reserved{};
    // Slots in use by their key (image id, key word, one image per cell), so a lookup needs no scan.
    std::map<std::tuple<int32_t, int32_t, bool>, int32_t> m_index;
    std::array<Source, 256> m_sources;
    // Per slot: bytes of its decoded pixels, and the frame it was last drawn (or decoded) in.
    std::array<int64_t, 256> m_slotBytes{};
    std::array<uint64_t, 256> m_lastUse{};
    uint64_t m_frame = 0;
    int64_t m_decodedBytes = 0;
};
