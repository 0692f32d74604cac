#pragma once
// Picture files other writers make and our own writer never does: a PNG without an alpha
// channel (RGB) and a JPEG, both from a pixmap (its alpha ignored), and an interlaced PNG
// with alpha. False when the file cannot be written.
#include <png.h>
#include <jpeglib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace imagefiles {

// The pixmap's row as R, G, B bytes.
inline void rgbRow(const Pixmap& pm, int y, std::vector<unsigned char>& row) {
    row.resize(size_t(pm.width) * 3);
    for (int x = 0; x < pm.width; ++x) {
        const uint32_t p = pm.at(x, y);
        row[size_t(x) * 3] = (p >> 16) & 0xFF;
        row[size_t(x) * 3 + 1] = (p >> 8) & 0xFF;
        row[size_t(x) * 3 + 2] = p & 0xFF;
    }
}

// The pixmap as a PNG of 8-bit RGB or RGBA, interlaced or not.
inline bool writePng(const std::string& path, const Pixmap& pm, int colorType, int interlace) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(pm.width), png_uint_32(pm.height), 8, colorType, interlace,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // An interlaced image is written whole once a pass; libpng picks each pass's pixels.
    const int passes = png_set_interlace_handling(png);
    std::vector<unsigned char> row;
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < pm.height; ++y) {
            if (colorType == PNG_COLOR_TYPE_RGB) {
                rgbRow(pm, y, row);
            } else {
                row.resize(size_t(pm.width) * 4);
                for (int x = 0; x < pm.width; ++x) {
                    const uint32_t p = pm.at(x, y);
                    unsigned char* o = row.data() + size_t(x) * 4;
                    o[0] = (p >> 16) & 0xFF;
                    o[1] = (p >> 8) & 0xFF;
                    o[2] = p & 0xFF;
                    o[3] = p >> 24;
                }
            }
            png_write_row(png, row.data());
        }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return true;
}

inline bool writeRgbPng(const std::string& path, const Pixmap& pm) {
    return writePng(path, pm, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE);
}

inline bool writeInterlacedPng(const std::string& path, const Pixmap& pm) {
    return writePng(path, pm, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_ADAM7);
}

inline bool writeJpeg(const std::string& path, const Pixmap& pm, int quality = 98) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = JDIMENSION(pm.width);
    cinfo.image_height = JDIMENSION(pm.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row;
    while (cinfo.next_scanline < cinfo.image_height) {
        rgbRow(pm, int(cinfo.next_scanline), row);
        unsigned char* rp = row.data();
        jpeg_write_scanlines(&cinfo, &rp, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(f);
    return true;
}

}  // namespace imagefiles
