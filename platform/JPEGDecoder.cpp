// decodeJPEGtoRGB on libjpeg-turbo. Errors and corrupt-data warnings come back by long jump, so
// nothing ever exits the process and a damaged or truncated file decodes to nothing.
#include <bit>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

// jpeglib.h expects size_t and FILE to be declared already.
#include <jpeglib.h>

#include "runtime/lcdui/PlatformBridge.h"

namespace {

// Larger pictures are refused before the pixel block is allocated; the runtime's decoded-pixel cap.
constexpr uint64_t MAX_SIDE = 16384;
constexpr uint64_t MAX_PIXELS = uint64_t{1} << 24;
// Bounds libjpeg's own working memory (progressive coefficient buffers) to the size of the largest
// output; beyond it libjpeg asks for a backing store, which is an error here.
constexpr long MAX_DECODER_MEMORY = 64L << 20;
// Each scan is a pass over the whole picture; encoders write about ten.
constexpr int MAX_SCANS = 64;

struct ErrorManager {
    jpeg_error_mgr standard;
    jmp_buf jump;
};

void failDecode(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

// Level -1 is a warning about damaged data; a picture patched over with grey is no picture.
void onMessage(j_common_ptr info, int level) {
    if (level < 0) failDecode(info);
}

void printNothing(j_common_ptr) {}

// Called as libjpeg reads; refuses a picture once it has more scans than any encoder writes.
void limitScans(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MAX_SCANS)
        failDecode(info);
}

struct DecodeState {
    jpeg_decompress_struct info;
    ErrorManager errors;
    jpeg_progress_mgr progress{};
    uint32_t* pixels = nullptr;
};

}  // namespace

uint32_t* decodeJPEGtoRGB(const uint8_t* bytes, int32_t length, int32_t* width, int32_t* height) {
    *width = -1;
    *height = -1;
    if (!bytes || length <= 0) {
        *width = 0;
        *height = 0;
        return nullptr;
    }
    auto* state = new DecodeState();
    // Reached through a volatile pointer so that what is written after setjmp survives the jump.
    DecodeState* volatile live = state;
    live->info.err = jpeg_std_error(&live->errors.standard);
    live->errors.standard.error_exit = failDecode;
    live->errors.standard.emit_message = onMessage;
    live->errors.standard.output_message = printNothing;
    if (setjmp(live->errors.jump)) {
        jpeg_destroy_decompress(&live->info);
        std::free(live->pixels);
        delete live;
        *width = 0;
        *height = 0;
        return nullptr;
    }
    jpeg_decompress_struct& info = live->info;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = MAX_DECODER_MEMORY;
    live->progress.progress_monitor = limitScans;
    info.progress = &live->progress;
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(length));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) failDecode(reinterpret_cast<j_common_ptr>(&info));
    const uint64_t pictureWidth = info.image_width, pictureHeight = info.image_height;
    if (pictureWidth == 0 || pictureHeight == 0 || pictureWidth > MAX_SIDE || pictureHeight > MAX_SIDE ||
        pictureWidth * pictureHeight > MAX_PIXELS)
        failDecode(reinterpret_cast<j_common_ptr>(&info));
    // Bytes B, G, R, A in memory are the word 0xAARRGGBB on a little-endian machine.
    info.out_color_space = std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(&info);
    if (info.output_width != pictureWidth || info.output_height != pictureHeight || info.output_components != 4)
        failDecode(reinterpret_cast<j_common_ptr>(&info));
    live->pixels = static_cast<uint32_t*>(std::malloc(pictureWidth * pictureHeight * 4));
    if (!live->pixels) failDecode(reinterpret_cast<j_common_ptr>(&info));
    uint32_t* pixels = live->pixels;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(pixels + static_cast<size_t>(info.output_scanline) * pictureWidth);
        if (jpeg_read_scanlines(&info, &row, 1) != 1) failDecode(reinterpret_cast<j_common_ptr>(&info));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    delete state;
    *width = static_cast<int32_t>(pictureWidth);
    *height = static_cast<int32_t>(pictureHeight);
    return pixels;
}
