#pragma once
// What the toolkit asks of the application frame: the click and hover sounds and the
// developer switch. The frame sets these at start-up; until then the sounds are silent
// and the switch reads 0, so layouts work (quietly) in tools and tests.
#include <functional>

// Called when a layout answers yes to clickedItem (the "click" sound effect).
void SetGuiClickSound(std::function<void()> hook);
// Called when the hovered widget of a layout changes to another one.
void SetGuiHoverSound(std::function<void()> hook);
// Where the developer switch lives; null reads as 0.
void SetGuiCheatsSource(const int* cheats);

void guiPlayClick();
void guiPlayOver();
int guiCheats();

// Silent hooks and no switch: for tests between cases.
void ResetGuiServices();
