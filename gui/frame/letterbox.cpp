#include "gui/frame/letterbox.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics.h"
#include "platform/input.h"

float aspectOffsetX = 0;
float aspectOffsetY = 0;
float aspectWidth = 0;
float aspectHeight = 0;
int aspectMode = 0;
int aspectBorderRed = 0, aspectBorderGreen = 0, aspectBorderBlue = 0;

namespace {

// Clears the current viewport with the border colour, keeping the clear colour.
void clsInBorderColor() {
    int r, g, b;
    GetClsColor(r, g, b);
    SetClsColor(aspectBorderRed, aspectBorderGreen, aspectBorderBlue);
    Cls();
    SetClsColor(r, g, b);
}

}  // namespace

void SetAspectResolution(float width, float height, int mode) {
    // A minimised window reports a zero-size display, and a zero picture makes no sense:
    // either would divide by zero below, so the previous fit is kept.
    if (!(width > 0) || !(height > 0)) return;
    int modeInForce = mode != 1 ? mode : aspectMode;  // a lone 1 keeps the mode in force
    if (modeInForce != 0 && (GraphicsWidth() <= 0 || GraphicsHeight() <= 0)) return;

    aspectMode = modeInForce;
    if (aspectMode == 0) {
        aspectOffsetX = aspectOffsetY = 0;
        aspectWidth = width;
        aspectHeight = height;
        SetVirtualResolution(width, height);
        SetViewport(0, 0, int(std::ceil(width)), int(std::ceil(height)));
        SetOrigin(0, 0);
        return;
    }

    const float gw = float(GraphicsWidth());
    const float gh = float(GraphicsHeight());
    aspectWidth = width;
    aspectHeight = height;
    float s = std::min(gw / width, gh / height);
    if (aspectMode & ASPECT_INTEGER) s = std::max(std::floor(s), 1.0f);
    const float vw = gw / s;
    const float vh = gh / s;
    aspectOffsetX = std::floor((vw - width) * 0.5f);
    aspectOffsetY = std::floor((vh - height) * 0.5f);
    SetVirtualResolution(vw, vh);
    if (aspectMode & ASPECT_LETTERBOX) {
        clsInBorderColor();
        SetViewport(int(aspectOffsetX), int(aspectOffsetY), int(width), int(height));
    } else {
        SetViewport(0, 0, int(std::ceil(VirtualResolutionWidth())),
                    int(std::ceil(VirtualResolutionHeight())));
    }
    SetOrigin(aspectOffsetX, aspectOffsetY);
}

void SetAspectColor(int red, int green, int blue) {
    aspectBorderRed = red;
    aspectBorderGreen = green;
    aspectBorderBlue = blue;
}

void AspectCls() {
    if (aspectMode & ASPECT_LETTERBOX) {
        // The whole display in virtual units: on a display smaller than the picture they
        // outnumber its pixels, and bars left uncleared show stale frames.
        SetViewport(0, 0, int(std::ceil(VirtualResolutionWidth())), int(std::ceil(VirtualResolutionHeight())));
        clsInBorderColor();
        SetViewport(int(aspectOffsetX), int(aspectOffsetY), int(aspectWidth), int(aspectHeight));
    }
    Cls();
}

void SwitchAspectMode(int mode) { SetAspectResolution(aspectWidth, aspectHeight, mode); }

void SetAspectOrigin(float x, float y) { SetOrigin(x + aspectOffsetX, y + aspectOffsetY); }

void GetAspectOrigin(float& x, float& y) {
    GetOrigin(x, y);
    x -= aspectOffsetX;
    y -= aspectOffsetY;
}

void SetAspectViewport(int x, int y, int w, int h) {
    const float right = std::min(float(x) + float(w), aspectOffsetX + aspectWidth);
    const float bottom = std::min(float(y) + float(h), aspectOffsetY + aspectHeight);
    const int x0 = int(std::max(float(x), aspectOffsetX));
    const int y0 = int(std::max(float(y), aspectOffsetY));
    SetViewport(x0, y0, int(right - float(x0)), int(bottom - float(y0)));
}

void GetAspectViewport(int& x, int& y, int& w, int& h) {
    GetViewport(x, y, w, h);
    x = int(float(x) - aspectOffsetX);
    y = int(float(y) - aspectOffsetY);
}

float AspectMouseX() { return VirtualMouseX() - aspectOffsetX; }
float AspectMouseY() { return VirtualMouseY() - aspectOffsetY; }

void MoveAspectMouse(float x, float y) { MoveVirtualMouse(x + aspectOffsetX, y + aspectOffsetY); }

float AspectResolutionWidth() { return aspectWidth; }
float AspectResolutionHeight() { return aspectHeight; }

void ResetAspectState() {
    aspectOffsetX = aspectOffsetY = 0;
    aspectWidth = aspectHeight = 0;
    aspectMode = 0;
    aspectBorderRed = aspectBorderGreen = aspectBorderBlue = 0;
}
