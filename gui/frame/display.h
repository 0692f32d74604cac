#pragma once
// Small display helpers of the toolkit.
#include <memory>
#include <string>

#include "gui/core/dim.h"
#include "platform/graphics.h"

// Screen size recorded by initGraph (read by the window factory to centre windows).
extern int QMScreenWidth;
extern int QMScreenHeight;

// Loads an image; when it is missing, tells the player (the caller goes on with null).
TImage loadImage2(const std::string& path, int flags = DEFAULT_IMAGE_FLAGS);
// Records the size and opens a window of it at 60 Hz.
int initGraph(int width, int height);
int initInterpreter();

// Outline of a rectangle with the current colour, alpha and transform, last pixels drawn.
int drawRectOutline(float x, float y, float w, float h);

int SetColorRGB(const TRGB& c);
int drawDims(const TDim& d);
// Shared records as widgets hold them; a missing record changes and draws nothing.
int SetColorRGB(const std::shared_ptr<TRGB>& c);
int drawDims(const std::shared_ptr<TDim>& d);

// Back to the start values: for tests between cases.
void ResetDisplayState();
