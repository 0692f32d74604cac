#pragma once
// A picture of one colour written as a PNG, its folders made: fixtures' stand-in images.
#include <cstdint>
#include <filesystem>

#include "platform/graphics.h"

inline bool writeSolidPng(const std::filesystem::path& path, int w, int h, uint32_t argb) {
    std::filesystem::create_directories(path.parent_path());
    Pixmap pm;
    pm.width = w;
    pm.height = h;
    pm.pixels.assign(size_t(w) * size_t(h), argb);
    return SavePixmapPNG(pm, path.string());
}
