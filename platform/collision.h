#pragma once
// Pixel-precise collision in software: images written with the current transform
// (origin, handle, scale, rotation) into numbered layers under an id; a later image is
// tested against chosen layers. A pixel is solid when its alpha is at least 128.
#include <cstdint>
#include <vector>

#include "platform/graphics.h"

void ResetCollisions(uint32_t layerMask = 0xffffffffu);
// Tests the image against the layers in collideMask and returns the ids it touches; then,
// when writeMask is non-zero, writes it into those layers under id.
std::vector<intptr_t> CollideImage(const TImage& img, float x, float y, int frame,
                                   uint32_t collideMask, uint32_t writeMask, intptr_t id);
