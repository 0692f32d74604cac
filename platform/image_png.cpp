// PNG decoding and encoding through libpng, from and to memory.
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/detail/gfx_internal.h"

namespace {

struct ReadCursor {
    const std::string* bytes;
    size_t pos;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* cur = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (cur->pos + count > cur->bytes->size()) png_error(png, "truncated file");
    std::memcpy(out, cur->bytes->data() + cur->pos, count);
    cur->pos += count;
}

void writeToMemory(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), count);
}

void flushMemory(png_structp) {}

// libpng reports through longjmp; keep the message for the caller.
void onError(png_structp png, png_const_charp msg) {
    auto* err = static_cast<std::string*>(png_get_error_ptr(png));
    if (err) *err = msg ? msg : "libpng error";
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

}  // namespace

namespace gfx {

namespace {

// The header, and with `out` the pixels too (or the pixels handed to `sink` a
// band at a time: none of an interlaced file, which only comes whole); false with the reason when
// libpng refuses.
bool readPNG(const std::string& bytes, Pixmap* out, int& width, int& height, bool& hadAlpha, std::string& error,
             const RowSink* sink = nullptr, int band = 0) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, onError, onWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    ReadCursor cursor{&bytes, 0};
    // Everything written after setjmp lives on the heap, so a longjmp leaves it intact.
    struct Work {
        Pixmap result;
        std::vector<png_bytep> rows;
        bool alpha = false;
    };
    auto work = std::make_unique<Work>();
    Pixmap& result = work->result;
    std::vector<png_bytep>& rows = work->rows;
    bool& alpha = work->alpha;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &cursor, readFromMemory);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info);
    png_uint_32 h = png_get_image_height(png, info);
    int colorType = png_get_color_type(png, info);
    int depth = png_get_bit_depth(png, info);
    alpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS);
    // Guard against absurd sizes from a damaged header (16k x 16k is plenty).
    if (w == 0 || h == 0 || w > 16384 || h > 16384) png_error(png, "unsupported image size");
    width = int(w);
    height = int(h);
    if (!out && !sink) {
        png_destroy_read_struct(&png, &info, nullptr);
        hadAlpha = alpha;
        return true;
    }
    if (depth == 16) png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);  // BGRA bytes = 0xAARRGGBB on little-endian
    if (png_set_interlace_handling(png) > 1 && sink) png_error(png, "interlaced");
    png_read_update_info(png, info);
    if (sink) {
        // One band's pixels at a time: the rows go to the sink as they come.
        result.width = int(w);
        result.height = std::min(int(h), band);
        result.pixels.assign(size_t(w) * size_t(result.height), 0);
        work->rows.resize(size_t(result.height));
        for (int y = 0; y < result.height; ++y)
            work->rows[size_t(y)] = reinterpret_cast<png_bytep>(result.pixels.data() + size_t(y) * w);
        for (int y = 0; y < int(h); y += result.height) {
            const int n = std::min(result.height, int(h) - y);
            png_read_rows(png, work->rows.data(), nullptr, png_uint_32(n));
            (*sink)(result.pixels.data(), y, n, int(w));
        }
        png_read_end(png, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        hadAlpha = alpha;
        return true;
    }
    result.width = int(w);
    result.height = int(h);
    result.pixels.assign(size_t(w) * h, 0);
    rows.resize(h);
    for (png_uint_32 y = 0; y < h; ++y)
        rows[y] = reinterpret_cast<png_bytep>(result.pixels.data() + size_t(y) * w);
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    *out = std::move(result);
    hadAlpha = alpha;
    return true;
}

}  // namespace

bool decodePNG(const std::string& bytes, Pixmap& out, bool& hadAlpha, std::string& error) {
    int w = 0, h = 0;
    return readPNG(bytes, &out, w, h, hadAlpha, error);
}

bool decodePNGRows(const std::string& bytes, int band, const RowSink& rows, std::string& error) {
    int w = 0, h = 0;
    bool alpha = false;
    return readPNG(bytes, nullptr, w, h, alpha, error, &rows, std::max(1, band));
}

bool probePNG(const std::string& bytes, int& width, int& height, bool& hadAlpha, std::string& error) {
    // The header as libpng reads it, then every chunk to the end: whole, and the critical
    // ones with their checksums, as decoding checks them.
    if (!readPNG(bytes, nullptr, width, height, hadAlpha, error)) return false;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    auto be32 = [&](size_t at) {
        return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) | uint32_t(b[at + 3]);
    };
    bool sawData = false;
    for (size_t at = 8;;) {
        if (bytes.size() - at < 12 || be32(at) > bytes.size() - at - 12) {
            error = "truncated file";
            return false;
        }
        const uint32_t length = be32(at);
        const bool critical = (b[at + 4] & 0x20) == 0;
        if (critical && uint32_t(crc32(0, b + at + 4, length + 4)) != be32(at + 8 + length)) {
            error = "CRC error";
            return false;
        }
        if (std::memcmp(b + at + 4, "IDAT", 4) == 0) sawData = true;
        if (std::memcmp(b + at + 4, "IEND", 4) == 0) break;
        at += 12 + size_t(length);
    }
    if (!sawData) {
        error = "no image data";
        return false;
    }
    return true;
}

bool encodePNG(const Pixmap& pm, std::string& bytes) {
    if (pm.width <= 0 || pm.height <= 0 || pm.pixels.size() < size_t(pm.width) * pm.height)
        return false;
    std::string error;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, onError, onWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_bytep> rows(size_t(pm.height));
    bytes.clear();
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &bytes, writeToMemory, flushMemory);
    png_set_IHDR(png, info, png_uint_32(pm.width), png_uint_32(pm.height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < pm.height; ++y)
        rows[size_t(y)] = reinterpret_cast<png_bytep>(
            const_cast<uint32_t*>(pm.pixels.data() + size_t(y) * pm.width));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace gfx
