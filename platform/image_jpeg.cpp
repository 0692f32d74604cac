// JPEG decoding through libjpeg. libjpeg's default error handler ends the process, so
// errors jump back here and the load simply fails.
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

bool decodeJPEG(const std::string& bytes, Pixmap& out, std::string& error) {
    struct Work {
        jpeg_decompress_struct cinfo;
        ErrorManager err;
        Pixmap result;
        std::vector<unsigned char> row;
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
    cinfo.out_color_space = JCS_RGB;  // grey and CMYK files come out as RGB too
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3) {
        error = "unsupported colour layout";
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    Pixmap& result = work->result;
    result.width = int(cinfo.output_width);
    result.height = int(cinfo.output_height);
    result.pixels.assign(size_t(result.width) * size_t(result.height), 0);
    work->row.resize(size_t(result.width) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        unsigned char* rowPtr = work->row.data();
        int y = int(cinfo.output_scanline);
        if (jpeg_read_scanlines(&cinfo, &rowPtr, 1) != 1) break;
        uint32_t* dst = result.pixels.data() + size_t(y) * size_t(result.width);
        for (int x = 0; x < result.width; ++x) {
            const unsigned char* p = rowPtr + x * 3;
            dst[x] = 0xFF000000u | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    out = std::move(result);
    return true;
}

}  // namespace gfx
