// Build-time converter: flattens a PNG onto black and writes it as a baseline JPEG.
// Usage: png2jpg <in.png> <out.jpg> [quality]
#include <png.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct JpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onJpegError(j_common_ptr info) {
    char msg[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, msg);
    std::fprintf(stderr, "png2jpg: %s\n", msg);
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

bool readPng(const char* path, std::vector<unsigned char>& rgb, unsigned& w, unsigned& h) {
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, path)) {
        std::fprintf(stderr, "png2jpg: cannot read %s: %s\n", path, img.message);
        return false;
    }
    img.format = PNG_FORMAT_RGB;  // alpha is composited onto the background below
    w = img.width;
    h = img.height;
    rgb.assign(PNG_IMAGE_SIZE(img), 0);
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&img, &black, rgb.data(), 0, nullptr)) {
        std::fprintf(stderr, "png2jpg: cannot decode %s: %s\n", path, img.message);
        return false;
    }
    return true;
}

bool writeJpeg(const char* path, const std::vector<unsigned char>& rgb, unsigned w, unsigned h, int quality) {
    FILE* out = std::fopen(path, "wb");
    if (!out) {
        std::fprintf(stderr, "png2jpg: cannot write %s\n", path);
        return false;
    }
    jpeg_compress_struct cinfo{};
    JpegError err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = onJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::fclose(out);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<size_t>(cinfo.next_scanline) * w * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    bool ok = std::fflush(out) == 0;
    ok = std::fclose(out) == 0 && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: png2jpg <in.png> <out.jpg> [quality]\n");
        return 2;
    }
    int quality = argc > 3 ? std::atoi(argv[3]) : 88;
    if (quality < 10 || quality > 100) quality = 88;
    std::vector<unsigned char> rgb;
    unsigned w = 0, h = 0;
    if (!readPng(argv[1], rgb, w, h)) return 1;
    return writeJpeg(argv[2], rgb, w, h, quality) ? 0 : 1;
}
