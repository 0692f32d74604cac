// JPEG decoding through libjpeg. libjpeg's default error handler ends the process, so
// errors jump back here and the load simply fails.
#include <algorithm>
#include <cstdio>
#include <csetjmp>
#include <memory>

#include <jpeglib.h>

#include "platform/detail/gfx_internal.h"

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr, int) {}  // warnings of damaged but readable files stay quiet

}  // namespace

namespace gfx {

namespace {

// The header, and with `out` the pixels too (or the pixels handed to `sink` a
// band at a time); false with the reason when libjpeg refuses.
bool readJPEG(const std::string& bytes, Pixmap* out, int& width, int& height, std::string& error,
              const RowSink* sink = nullptr, int band = 0) {
    struct Work {
        jpeg_decompress_struct cinfo;
        ErrorManager err;
        Pixmap result;
    };
    auto work = std::make_unique<Work>();
    jpeg_decompress_struct& cinfo = work->cinfo;
    cinfo.err = jpeg_std_error(&work->err.base);
    work->err.base.error_exit = onError;
    work->err.base.emit_message = onMessage;
    work->err.message[0] = 0;
    if (setjmp(work->err.jump)) {
        error = work->err.message;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > 16384 ||
        cinfo.image_height > 16384) {
        error = "unsupported image size";
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    width = int(cinfo.image_width);
    height = int(cinfo.image_height);
    if (!out && !sink) {
        // Only these colour spaces turn into 0xAARRGGBB pixels.
        const J_COLOR_SPACE space = cinfo.jpeg_color_space;
        jpeg_destroy_decompress(&cinfo);
        if (space == JCS_GRAYSCALE || space == JCS_YCbCr || space == JCS_RGB) return true;
        error = "unsupported colour layout";
        return false;
    }
    // Straight into the pixels as 0xAARRGGBB; grey files come out so too.
    cinfo.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 4) {
        error = "unsupported colour layout";
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    Pixmap& result = work->result;
    result.width = int(cinfo.output_width);
    result.height = sink ? std::min(int(cinfo.output_height), band) : int(cinfo.output_height);
    result.pixels.resize(size_t(result.width) * size_t(result.height));
    int bandFrom = 0;  // the image row the buffer's first row is
    while (cinfo.output_scanline < cinfo.output_height) {
        const int at = int(cinfo.output_scanline) - bandFrom;
        auto* rowPtr = reinterpret_cast<JSAMPROW>(result.pixels.data() + size_t(at) * size_t(result.width));
        if (jpeg_read_scanlines(&cinfo, &rowPtr, 1) != 1) {
            if (!sink) break;
            error = "cut short";  // the rows handed over so far would not be the picture
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        if (sink && (at + 1 == result.height || cinfo.output_scanline == cinfo.output_height)) {
            (*sink)(result.pixels.data(), bandFrom, at + 1, result.width);
            bandFrom += at + 1;
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (out) *out = std::move(result);
    return true;
}

}  // namespace

bool decodeJPEG(const std::string& bytes, Pixmap& out, std::string& error) {
    int w = 0, h = 0;
    return readJPEG(bytes, &out, w, h, error);
}

bool decodeJPEGRows(const std::string& bytes, int band, const RowSink& rows, std::string& error) {
    int w = 0, h = 0;
    return readJPEG(bytes, nullptr, w, h, error, &rows, std::max(1, band));
}

bool probeJPEG(const std::string& bytes, int& width, int& height, std::string& error) {
    return readJPEG(bytes, nullptr, width, height, error);
}

}  // namespace gfx
