#include "gui/frame/display.h"

#include "platform/system.h"

int QMScreenWidth = 0;
int QMScreenHeight = 0;

TImage loadImage2(const std::string& path, int flags) {
    TImage img = LoadImage(path, flags);
    if (!img) Notify("Couldn't load image file: " + path + " - program will probably crash!");
    return img;
}

int initGraph(int width, int height) {
    QMScreenWidth = width;
    QMScreenHeight = height;
    Graphics(width, height, 0, 60);
    return 0;
}

int initInterpreter() { return 0; }

int SetColorRGB(const TRGB& c) {
    SetColor(c.r, c.g, c.b);
    return 0;
}

int SetColorRGB(const std::shared_ptr<TRGB>& c) { return c ? SetColorRGB(*c) : 0; }

int drawDims(const TDim& d) { return drawRectOutline(d.x, d.y, d.w, d.h); }

int drawDims(const std::shared_ptr<TDim>& d) { return d ? drawDims(*d) : 0; }

int drawRectOutline(float x, float y, float w, float h) {
    DrawLine(x, y, x + w, y);
    DrawLine(x + w, y, x + w, y + h);
    DrawLine(x + w, y + h, x, y + h);
    DrawLine(x, y + h, x, y);
    return 0;
}

void ResetDisplayState() {
    QMScreenWidth = 0;
    QMScreenHeight = 0;
}
