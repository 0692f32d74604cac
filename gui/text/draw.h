#pragma once
// Paragraph, cut and outlined text drawing with the current image font, colour, alpha
// and scale.
#include <memory>
#include <string>

#include "gui/core/dim.h"
#include "platform/graphics.h"

// Draws `text` wrapped at blanks into a box `width` wide, aligned "LEFT", "RIGHT",
// "CENTER" or "JUSTIFY" (any other word: left; the last line of justified text is left
// aligned), and returns the height used: lines x (TextHeight("A") + lineGap). A given
// font becomes (and stays) current; null keeps the current font. `unused` is not read.
// A word too wide for the box stands alone on its own line, overflowing it.
int drawSpecText(const std::string& text, int x, int y, float width, const std::string& align,
                 float unused, const TImageFont& font, int lineGap);

// Draws ".." followed by the longest end of `text` that fits in `width` (always ending with
// the text's last character) and returns what it drew; "" when nothing fits.
std::string drawCutText(const std::string& text, int x, int y, int width);

// `text` when it fits in `width`, else its longest start that fits followed by "..";
// "" when not even ".." fits. Measures only.
std::string cutText(const std::string& text, int width);

// One-line text with a one-unit outline. x is the left end, or with align "RIGHT" the
// right end, with "CENTER" the middle. No outline colour: black; no fill colour: white.
// Leaves the fill colour current.
int drawOutLinedText(const std::string& text, int x, int y, const std::shared_ptr<TRGB>& outline,
                     const std::shared_ptr<TRGB>& fill, const std::string& align);

// Title text of the end-of-level panels: a drop shadow three units down-right at
// `shadowShare` x `alpha`, then a one-unit outline in the ink colour and the text in
// `fill` at `alpha`. Sets normal blend, scale 1 and no rotation first; leaves the fill
// colour and `alpha` current.
void drawShadowedText(const std::string& text, float x, float y, const TRGB& fill, float alpha,
                      float shadowShare = 0.5f);

// Big title text (the pause caption, the closing line): gold on an ink outline `pen` units
// round and a soft ink shadow, both grown with the size (a one-unit line is lost on large
// letters over a busy picture), with the palette's dark gold a little under the gold so the
// letters stand like the game's carved titles. Sets normal blend, scale 1 and no rotation;
// leaves white and `alpha` current.
void drawCarvedText(const std::string& text, float x, float y, float pen, float alpha = 1.0f);
