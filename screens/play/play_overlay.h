#pragma once
// The plain choice box the play screen's stand-in overlays show over the board: a title
// and a column of labelled buttons in the middle of the picture.
#include <string>
#include <vector>

struct TPlayChoice {
    std::string label;
    std::string result;
};

// Box of choice i (x, y, w, h) for a box of n choices.
void playChoiceBox(int i, int n, float& x, float& y, float& w, float& h);
// Draws the box and returns the result of the choice clicked this frame ("" for none).
std::string playChoiceStep(const std::string& title, const std::vector<TPlayChoice>& choices);
