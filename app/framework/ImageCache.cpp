#include "app/framework/ImageCache.h"

#include <algorithm>
#include <cstring>

#include "app/framework/BundleBytes.h"
#include "app/framework/EncodedImage.h"
#include "app/framework/PngBuilder.h"
#include "app/framework/ResourceHandler.h"
#include "runtime/io/IOException.h"
#include "runtime/lcdui/Graphics.h"
#include "runtime/lcdui/Image.h"

using java::io::IOException;
using java::lang::jnew;

namespace {

constexpr int32_t kSlots = ImageCache::PARAM_WL_IMAGEBASE_SIZE_OF_IMAGE_CACHE;

int32_t keyWordOf(int32_t paletteId, int32_t alternativePaletteId) {
    return static_cast<int32_t>(static_cast<uint32_t>(paletteId) << 16 | static_cast<uint32_t>(alternativePaletteId));
}

int64_t pixelBytesOf(const JavaPtr<JArray<javax::microedition::lcdui::Image>>& images) {
    int64_t bytes = 0;
    if (!images) return bytes;
    for (int32_t i = 0; i < images->length; ++i)
        if (const auto& image = images->data[i]) bytes += int64_t{image->getWidth()} * image->getHeight() * 4;
    return bytes;
}

}  // namespace

ImageCache::ImageCache(ResourceHandler& resources, int64_t decodedBound)
    : image_cache_keys(jnew<JArray<int>>(2 * kSlots)),
      image_cache_sizes(jnew<JArray<int>>(2 * kSlots)),
      image_cache_images(jnew<JArray<JArray<Image>>>(kSlots)),
      image_cache_cells(jnew<JArray<JArray<signed char>>>(kSlots)),
      image_cache_flags(jnew<JArray<bool>>(kSlots)),
      m_resources(resources),
      m_decodedBound(decodedBound) {}

int32_t ImageCache::findSlot(int32_t imageId, int32_t keyWord, bool imagePerCell) {
    const auto found = m_index.find({imageId, keyWord, imagePerCell});
    return found == m_index.end() ? -1 : found->second;
}

int32_t ImageCache::loadImageID(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId,
                                int32_t transformMask, bool imagePerCell) {
    bool fresh = false;
    return acquire(imageId, paletteId, alternativePaletteId, imagePerCell, fresh);
}

int32_t ImageCache::acquire(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId, bool imagePerCell,
                            bool& fresh) {
    if (paletteId == -1) paletteId = imageId + 1;
    if (alternativePaletteId == -1) alternativePaletteId = imageId + 1;
    const int32_t keyWord = keyWordOf(paletteId, alternativePaletteId);
    int32_t slot = -1;
    {
        std::lock_guard guard(m_lock);
        if (const int32_t found = findSlot(imageId, keyWord, imagePerCell); found >= 0) return found;
        for (int32_t s = 0; s < kSlots && slot < 0; ++s)
            if (!inUse(s) && !m_reserved[static_cast<size_t>(s)]) slot = s;
        if (slot < 0) return -1;
        m_reserved[static_cast<size_t>(slot)] = true;
        image_cache_keys->data[2 * slot] = imageId;
        image_cache_keys->data[2 * slot + 1] = keyWord;
    }
    bool loaded = false;
    try {
        loaded = decodeInto(slot, imageId, paletteId, alternativePaletteId, imagePerCell);
    } catch (...) {
        std::lock_guard guard(m_lock);
        m_reserved[static_cast<size_t>(slot)] = false;
        throw;
    }
    std::lock_guard guard(m_lock);
    m_reserved[static_cast<size_t>(slot)] = false;
    // A slot whose image never came is not handed out: a later load would reuse it under the caller.
    if (!loaded) return -1;
    fresh = true;
    return slot;
}

bool ImageCache::decodeInto(int32_t slot, int32_t imageId, int32_t paletteId, int32_t alternativePaletteId,
                            bool imagePerCell) {
    try {
        const Source source = fetch(imageId, paletteId, alternativePaletteId);
        if (!source.bytes) return false;
        install(slot, decode(source, imagePerCell), source);
        return true;
    } catch (IOException& damaged) {
        throw ResourceHandler::damagedFile(m_resources.fileOfResource(imageId), damaged);
    }
}

ImageCache::Source ImageCache::fetch(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId) {
    Source source{m_resources.getResourceByteArray(imageId), nullptr};
    if (!source.bytes) return source;
    const EncodedImage::Layout layout = EncodedImage::classify(BundleBytes::of(source.bytes));
    if (layout.format == EncodedImage::IMAGEFORMAT_RAWPNG || layout.fullColour) return source;
    JavaPtr<JArray<signed char>>& palette = source.palette;
    palette = m_resources.getResourceByteArray(paletteId);
    if (!palette) return {};
    if (palette->length / 4 < 1 || palette->length / 4 > 256) throw IOException("image palette must hold 1 to 256 colours");
    if (alternativePaletteId != paletteId) {
        if (const auto alternative = m_resources.getResourceByteArray(alternativePaletteId))
            std::memcpy(palette->data, alternative->data, static_cast<size_t>(std::min(palette->length, alternative->length)));
    }
    return source;
}

ImageCache::SlotView ImageCache::decode(const Source& source, bool imagePerCell) {
    const JavaPtr<JArray<signed char>>& bytes = source.bytes;
    const JavaPtr<JArray<signed char>>& palette = source.palette;
    const EncodedImage::Layout layout = EncodedImage::classify(BundleBytes::of(bytes));
    SlotView filled;
    filled.width = layout.width;
    filled.height = layout.height;
    if (layout.cellTableLength > 0)
        filled.cells = BundleBytes::copy(
            BundleBytes(BundleBytes::of(bytes)).slice(layout.cellTableOffset, layout.cellTableLength));

    if (layout.format == EncodedImage::IMAGEFORMAT_RAWPNG) {
        JavaPtr<Image> image = Image::createImage(bytes, layout.pixelOffset, bytes->length - layout.pixelOffset);
        if (!image) throw IOException("image resource holds a PNG that does not decode");
        if (filled.cells && (image->getWidth() != filled.width || image->getHeight() != filled.height))
            throw IOException("image resource cells were cut for another size than its PNG");
        filled.width = image->getWidth();
        filled.height = image->getHeight();
        filled.images = jnew<JArray<Image>>(1);
        filled.images->data[0] = image;
        return filled;
    }
    if (layout.format == EncodedImage::IMAGEFORMAT_RAWPNG_NOPALETTE) {
        if (layout.fullColour) throw IOException("a full-colour image has no palette for its PNG rows");
        const auto rows = BundleBytes::copy(
            BundleBytes(BundleBytes::of(bytes)).slice(layout.pixelOffset, bytes->length - layout.pixelOffset));
        JavaPtr<Image> image = PngBuilder::pngCreateImage(filled.width, filled.height, 8, palette, rows, true);
        if (!image) throw IOException("image resource rows do not decode");
        filled.images = jnew<JArray<Image>>(1);
        filled.images->data[0] = image;
        return filled;
    }
    filled.imagePerCell = imagePerCell;
    if (layout.fullColour) {
        filled.images = buildImages(filled, EncodedImage::decodeImage(bytes, layout.pixelOffset, filled.width, filled.height),
                                    nullptr, 4);
    } else {
        const auto indices =
            EncodedImage::decodeImage(bytes, layout.pixelOffset, filled.width, filled.height, palette->length / 4);
        filled.images = buildImages(filled, indices, palette, 1);
    }
    return filled;
}

void ImageCache::install(int32_t slot, const SlotView& filled, const Source& source) {
    std::lock_guard guard(m_lock);
    if (image_cache_images->data[slot]) m_decodedBytes -= m_slotBytes[static_cast<size_t>(slot)];
    m_sources[static_cast<size_t>(slot)] = source;
    m_slotBytes[static_cast<size_t>(slot)] = source.bytes ? pixelBytesOf(filled.images) : 0;
    m_decodedBytes += m_slotBytes[static_cast<size_t>(slot)];
    m_lastUse[static_cast<size_t>(slot)] = m_frame;
    image_cache_sizes->data[2 * slot] = filled.width;
    image_cache_sizes->data[2 * slot + 1] = filled.height;
    image_cache_cells->data[slot] = filled.cells;
    image_cache_flags->data[slot] = filled.imagePerCell;
    image_cache_images->data[slot] = filled.images;
    m_index.try_emplace({image_cache_keys->data[2 * slot], image_cache_keys->data[2 * slot + 1], filled.imagePerCell},
                        slot);
    evict();
}

bool ImageCache::inUse(int32_t slot) const {
    return image_cache_images->data[slot] || m_sources[static_cast<size_t>(slot)].bytes;
}

void ImageCache::evict() {
    while (m_decodedBytes > m_decodedBound) {
        int32_t oldest = -1;
        for (int32_t s = 0; s < kSlots; ++s) {
            const auto k = static_cast<size_t>(s);
            if (!image_cache_images->data[s] || !m_sources[k].bytes || m_lastUse[k] + 1 >= m_frame) continue;
            if (oldest < 0 || m_lastUse[k] < m_lastUse[static_cast<size_t>(oldest)]) oldest = s;
        }
        if (oldest < 0) return;
        image_cache_images->data[oldest] = nullptr;
        m_decodedBytes -= m_slotBytes[static_cast<size_t>(oldest)];
        m_slotBytes[static_cast<size_t>(oldest)] = 0;
    }
}

void ImageCache::nextFrame() {
    std::lock_guard guard(m_lock);
    ++m_frame;
    evict();
}

int64_t ImageCache::decodedBytes() {
    std::lock_guard guard(m_lock);
    return m_decodedBytes;
}

JavaPtr<JArray<ImageCache::Image>> ImageCache::buildImages(const SlotView& slot,
                                                           const JavaPtr<JArray<signed char>>& pixels,
                                                           const JavaPtr<JArray<signed char>>& palette,
                                                           int32_t bytesPerPixel) {
    auto make = [&](int32_t width, int32_t height, const JavaPtr<JArray<signed char>>& data) {
        JavaPtr<Image> image = bytesPerPixel == 1 ? PngBuilder::pngCreateImage(width, height, 8, palette, data, false)
                                                  : PngBuilder::pngCreateImage(width, height, data);
        if (!image) throw IOException("decoded image pixels do not make an image");
        return image;
    };
    if (!slot.imagePerCell) {
        auto images = jnew<JArray<Image>>(1);
        images->data[0] = make(slot.width, slot.height, pixels);
        return images;
    }
    const int32_t count = dimension(slot, 0, 0, IMAGEDIMENSION_NUM_CELLS_WIDE) *
                          dimension(slot, 0, 0, IMAGEDIMENSION_NUM_CELLS_HIGH);
    auto images = jnew<JArray<Image>>(count);
    for (int32_t c = 0; c < count; ++c) {
        const int32_t cw = dimension(slot, c, 0, IMAGEDIMENSION_CELL_CROPPED_WIDTH);
        const int32_t ch = dimension(slot, c, 0, IMAGEDIMENSION_CELL_CROPPED_HEIGHT);
        const int32_t x = dimension(slot, c, 0, IMAGEDIMENSION_CELL_CROPPED_TL_X);
        const int32_t y = dimension(slot, c, 0, IMAGEDIMENSION_CELL_CROPPED_TL_Y);
        // An empty cell has no image to make; drawing it draws nothing.
        if (cw <= 0 || ch <= 0) continue;
        auto cut = jnew<JArray<signed char>>(cw * ch * bytesPerPixel);
        for (int32_t r = 0; r < ch; ++r)
            std::memcpy(cut->data + static_cast<size_t>(r) * cw * bytesPerPixel,
                        pixels->data + (static_cast<size_t>(slot.width) * (y + r) + x) * bytesPerPixel,
                        static_cast<size_t>(cw) * bytesPerPixel);
        images->data[c] = make(cw, ch, cut);
    }
    return images;
}

void ImageCache::loadImage(int32_t slot, const JavaPtr<JArray<signed char>>& indices,
                           const JavaPtr<JArray<signed char>>& palette, int32_t width, int32_t height,
                           int32_t transformMask, bool imagePerCell) {
    if (slot < 0 || slot >= kSlots) return;
    SlotView filled = view(slot);
    if (filled.images || !indices || indices->length < static_cast<int64_t>(width) * height) return;
    filled.width = width, filled.height = height, filled.imagePerCell = imagePerCell;
    filled.images = buildImages(filled, indices, palette, 1);
    install(slot, filled);
}

void ImageCache::loadImage(int32_t slot, const JavaPtr<JArray<signed char>>& colours, int32_t width, int32_t height,
                           int32_t transformMask, bool imagePerCell) {
    if (slot < 0 || slot >= kSlots) return;
    SlotView filled = view(slot);
    if (filled.images || !colours || colours->length < static_cast<int64_t>(width) * height * 4) return;
    filled.width = width, filled.height = height, filled.imagePerCell = imagePerCell;
    filled.images = buildImages(filled, colours, nullptr, 4);
    install(slot, filled);
}

void ImageCache::unloadImageID(int32_t slot) {
    if (slot < 0 || slot >= kSlots) return;
    std::lock_guard guard(m_lock);
    if (!inUse(slot)) return;
    const auto indexed =
        m_index.find({image_cache_keys->data[2 * slot], image_cache_keys->data[2 * slot + 1], image_cache_flags->data[slot]});
    if (indexed != m_index.end() && indexed->second == slot) m_index.erase(indexed);
    if (image_cache_images->data[slot]) m_decodedBytes -= m_slotBytes[static_cast<size_t>(slot)];
    m_slotBytes[static_cast<size_t>(slot)] = 0;
    m_sources[static_cast<size_t>(slot)] = {};
    image_cache_images->data[slot] = nullptr;
    image_cache_cells->data[slot] = nullptr;
}

int32_t ImageCache::currentImageTransforms(int32_t slot) {
    if (slot < 0 || slot >= kSlots) return 0;
    std::lock_guard guard(m_lock);
    return inUse(slot) ? 255 : 0;
}

JavaPtr<ImageCache::Image> ImageCache::getImage(int32_t imageId, int32_t paletteId, int32_t alternativePaletteId,
                                                int32_t t) {
    int32_t cachedSlot = -1;
    {
        // An image already decoded is handed out under one lock, without copying the slot.
        std::lock_guard guard(m_lock);
        const int32_t palette = paletteId == -1 ? imageId + 1 : paletteId;
        const int32_t alternative = alternativePaletteId == -1 ? imageId + 1 : alternativePaletteId;
        cachedSlot = findSlot(imageId, keyWordOf(palette, alternative), false);
        if (cachedSlot >= 0 && image_cache_images->data[cachedSlot]) {
            m_lastUse[static_cast<size_t>(cachedSlot)] = m_frame;
            const JArray<Image>& images = *image_cache_images->data[cachedSlot];
            return t >= 0 && t < images.length ? images.data[t] : nullptr;
        }
    }
    // Dropped pixels decode again; a slot unloaded meanwhile is loaded again below.
    if (const SlotView cached = view(cachedSlot); cached.images)
        return t >= 0 && t < cached.images->length ? cached.images->data[t] : nullptr;
    bool fresh = false;
    const int32_t slot = acquire(imageId, paletteId, alternativePaletteId, false, fresh);
    if (slot < 0) return nullptr;
    const SlotView found = view(slot);
    // Only a slot this call took is freed; one already in use belongs to whoever loaded it.
    if (fresh) unloadImageID(slot);
    if (!found.images || t < 0 || t >= found.images->length) return nullptr;
    return found.images->data[t];
}

ImageCache::SlotView ImageCache::held(int32_t slot, Source* dropped) {
    SlotView v;
    if (slot < 0 || slot >= kSlots) return v;
    std::lock_guard guard(m_lock);
    v.width = image_cache_sizes->data[2 * slot];
    v.height = image_cache_sizes->data[2 * slot + 1];
    v.cells = image_cache_cells->data[slot];
    v.images = image_cache_images->data[slot];
    v.imagePerCell = image_cache_flags->data[slot];
    if (dropped) {
        m_lastUse[static_cast<size_t>(slot)] = m_frame;
        if (!v.images) *dropped = m_sources[static_cast<size_t>(slot)];
    }
    return v;
}

ImageCache::SlotView ImageCache::view(int32_t slot) {
    Source source;
    SlotView v = held(slot, &source);
    if (!source.bytes) return v;
    // Decoded outside the lock, as at the load; the same bytes give the same pixels.
    v.images = decode(source, v.imagePerCell).images;
    std::lock_guard guard(m_lock);
    // Kept only while the slot still holds the load it was decoded from.
    if (m_sources[static_cast<size_t>(slot)].bytes == source.bytes && !image_cache_images->data[slot]) {
        image_cache_images->data[slot] = v.images;
        m_slotBytes[static_cast<size_t>(slot)] = pixelBytesOf(v.images);
        m_decodedBytes += m_slotBytes[static_cast<size_t>(slot)];
        m_lastUse[static_cast<size_t>(slot)] = m_frame;
        evict();
    }
    return v;
}

int32_t ImageCache::getImageDimension(int32_t slot, int32_t cell, int32_t t, int32_t selector) {
    if (slot < 0 || slot >= kSlots) return -1;
    return dimension(held(slot), cell, t, selector);
}

int32_t ImageCache::dimension(const SlotView& slot, int32_t cell, int32_t t, int32_t selector) {
    // The table was checked when the slot was loaded: its grid and every record are there.
    const uint8_t* table = slot.cells ? reinterpret_cast<const uint8_t*>(slot.cells->data) : nullptr;
    auto at = [&](int64_t offset) { return static_cast<int16_t>(table[offset] << 8 | table[offset + 1]); };
    const bool cells = table != nullptr;
    const int32_t nx = cells ? at(0) : 1, ny = cells ? at(2) : 1;
    const bool even = ((selector + t) & 1) == 0;
    auto record = [&](int32_t field) { return at(4 + 8 * int64_t{cell} + 2 * field); };
    const bool cellKnown = cell >= 0 && cell < nx * ny;
    switch (selector) {
        case IMAGEDIMENSION_WIDTH:
        case IMAGEDIMENSION_HEIGHT:
            return even ? slot.width : slot.height;
        case IMAGEDIMENSION_NUM_CELLS_WIDE:
            return nx;
        case IMAGEDIMENSION_NUM_CELLS_HIGH:
            return ny;
        case IMAGEDIMENSION_CELL_WIDTH:
        case IMAGEDIMENSION_CELL_HEIGHT:
            return even ? slot.width / nx : slot.height / ny;
        case IMAGEDIMENSION_CELL_CROPPED_WIDTH:
        case IMAGEDIMENSION_CELL_CROPPED_HEIGHT:
            if (!cells) return even ? slot.width : slot.height;
            if (!cellKnown) return -1;
            return even ? record(2) : record(3);
        case IMAGEDIMENSION_CELL_CROPPED_TL_X:
        case IMAGEDIMENSION_CELL_CROPPED_TL_Y: {
            if (!cells) return 0;
            if (!cellKnown) return -1;
            int32_t k = (t + 1 - (selector - 8)) & 3;
            if (selector == IMAGEDIMENSION_CELL_CROPPED_TL_X && t > 3) k = (k + 2) & 3;
            const int32_t cx = record(0), cy = record(1), cw = record(2), ch = record(3);
            switch (k) {
                case 0: return cy;
                case 1: return cx;
                case 2: return slot.height - cy - ch;
                default: return slot.width - cx - cw;
            }
        }
        default:
            return -1;
    }
}

void ImageCache::drawImageID(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t t, int32_t x, int32_t y,
                             int32_t anchor) {
    drawImageID(g, view(slot), cell, t, x, y, anchor);
}

void ImageCache::drawImageID(const JavaPtr<Graphics>& g, const SlotView& v, int32_t cell, int32_t t, int32_t x,
                             int32_t y, int32_t anchor) {
    if (!v.images) return;
    const int32_t cw = dimension(v, cell, t, IMAGEDIMENSION_CELL_WIDTH);
    const int32_t ch = dimension(v, cell, t, IMAGEDIMENSION_CELL_HEIGHT);
    if (anchor & Graphics::HCENTER) {
        x -= cw >> 1;
    } else if (anchor & Graphics::RIGHT) {
        x -= cw;
    }
    if (anchor & Graphics::VCENTER) {
        y -= ch >> 1;
    } else if (anchor & Graphics::BOTTOM) {
        y -= ch;
    }
    if (v.cells) {
        const int32_t left = dimension(v, cell, t, IMAGEDIMENSION_CELL_CROPPED_TL_X);
        const int32_t top = dimension(v, cell, t, IMAGEDIMENSION_CELL_CROPPED_TL_Y);
        if (left < 0 || top < 0 || cw <= 0 || ch <= 0) return;
        x += left % cw;
        y += top % ch;
    }
    drawCell(g, v, cell, x, y);
}

void ImageCache::drawImageCell(const JavaPtr<Graphics>& g, int32_t slot, int32_t cell, int32_t t, int32_t x,
                               int32_t y) {
    drawCell(g, view(slot), cell, x, y);
}

void ImageCache::drawCell(const JavaPtr<Graphics>& g, const SlotView& v, int32_t cell, int32_t x, int32_t y) {
    if (!v.images || !g) return;
    if (v.imagePerCell) {
        if (cell < 0 || cell >= v.images->length || !v.images->data[cell]) return;
        g->drawImage(v.images->data[cell], x, y, Graphics::TOP | Graphics::LEFT);
        return;
    }
    const int32_t left = dimension(v, cell, 0, IMAGEDIMENSION_CELL_CROPPED_TL_X);
    const int32_t top = dimension(v, cell, 0, IMAGEDIMENSION_CELL_CROPPED_TL_Y);
    const int32_t width = dimension(v, cell, 0, IMAGEDIMENSION_CELL_CROPPED_WIDTH);
    const int32_t height = dimension(v, cell, 0, IMAGEDIMENSION_CELL_CROPPED_HEIGHT);
    if (left < 0 || top < 0 || width <= 0 || height <= 0) return;
    g->drawRegion(v.images->data[0], left, top, width, height, 0, x, y, Graphics::TOP | Graphics::LEFT);
}

JavaPtr<ImageCache::Image> ImageCache::createRGBImage(const JavaPtr<JArray<int>>& pixels, int32_t width,
                                                      int32_t height, bool processAlpha) {
    return Image::createRGBImage(pixels, width, height, processAlpha);
}

JavaPtr<ImageCache::Image> ImageCache::pngMakeMutable(const JavaPtr<Image>& image) {
    if (!image) throw java::lang::NullPointerException();
    JavaPtr<Image> copy = Image::createImage(image->getWidth(), image->getHeight());
    copy->getGraphics()->drawImage(image, 0, 0, Graphics::TOP | Graphics::LEFT);
    return copy;
}
