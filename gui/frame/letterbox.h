#pragma once
// Fits the fixed virtual picture (1024 x 768 in this game) onto the real display:
// keeps the aspect ratio, centres the picture, clips drawing to it and paints the
// margins (letterbox bars) in a border colour. Also maps the mouse between display
// and picture coordinates.

// Module state. Written only by SetAspectResolution / SetAspectColor.
extern float aspectOffsetX;  // picture's top-left in the virtual drawing space (whole numbers)
extern float aspectOffsetY;
extern float aspectWidth;    // requested picture size
extern float aspectHeight;
extern int aspectMode;       // 0 stretch; non-zero fit; bit 1 letterbox; bit 4 whole-number scale
extern int aspectBorderRed, aspectBorderGreen, aspectBorderBlue;

enum AspectModeBits { ASPECT_STRETCH = 0, ASPECT_LETTERBOX = 1, ASPECT_FIT = 2, ASPECT_INTEGER = 4 };

// Recomputes scale and offsets for the open display. Call again after every (re)opening.
// A zero-size display (minimised window) or picture is ignored: the previous fit stays.
void SetAspectResolution(float width, float height, int mode);
void SetAspectColor(int red, int green, int blue);
// Paints the bars (letterbox mode) and clears the picture with the current clear colour.
void AspectCls();
void SwitchAspectMode(int mode);
// Origin given in picture coordinates.
void SetAspectOrigin(float x, float y);
void GetAspectOrigin(float& x, float& y);
// Clip rectangle in the whole virtual space, clamped to the picture.
void SetAspectViewport(int x, int y, int w, int h);
// The current clip rectangle, with its corner relative to the picture.
void GetAspectViewport(int& x, int& y, int& w, int& h);
// Mouse in picture coordinates: negative over the left/top bar.
float AspectMouseX();
float AspectMouseY();
void MoveAspectMouse(float x, float y);
float AspectResolutionWidth();
float AspectResolutionHeight();

// Back to the start values: for tests between cases.
void ResetAspectState();
