#pragma once
// The subtitle blocks of the cut-scenes: a few centred rows that wait for their start time,
// fade in over a second while growing from 85 % to full size, stay, fade out over their last
// second and then leave the list that holds them. Every story screen keeps its own list,
// filled from its data file ("story::i", "story::textN::txt/dim/startTime/lifeTime/font") and
// its language text file.
//
//   loading:   setupStoryResources();   // the mask colour and the two story fonts, once
//   screens:   loadStoryTexts("data/story-maps.dat", "story-maps.txt", list);
//              startStoryTexts(list);   // the file's times count from now
//              updateStoryTexts(list); drawStoryTexts(list, alpha);   // every frame
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "effects/list.h"
#include "platform/graphics.h"

class TStoryText;
using TStoryTextList = fx::List<TStoryText>;

class TStoryText {
public:
    bool _dead = false;
    TStoryTextList* myList = nullptr;  // the owner's list, left when the life is over
    int fontN = 0;
    float x = 0;  // horizontal centre of every row
    float y = 0;  // vertical centre of the block
    std::vector<std::string> txt;
    int32_t startTime = 0;
    int32_t lifeTime = 0;
    int32_t endTime = 0;  // 0 until the first update after the start
    int32_t pauseTime = 0;
    float a = 0;
    float s = 0;

    // The 48 and 60 pixel story fonts (slots 0 and 1).
    static std::array<TImageFont, 2> font;

    int pause();
    int resume();
    // Rows times the height of "A" in the block's font, unscaled; makes that font current.
    float height();
    int draw(float alpha);
    int update();
    int destroy();
    // Appends the rows of `text`, split at "#ENTER#" (an empty piece after the last marker
    // is dropped).
    int createTextData(const std::string& text);

    static void pauseAll(TStoryTextList* list);
    static void resumeAll(TStoryTextList* list);

private:
    // A life below 1 ms would divide by zero; a font number outside the table reads slot 0.
    int32_t life() const { return lifeTime < 1 ? 1 : lifeTime; }
    int slot() const { return fontN == 1 ? 1 : 0; }
};

// Sets the image mask colour to (255, 0, 255) for the rest of the process and loads the two
// story fonts. The intro's set-up and the story screens share it; running it again reloads.
void setupStoryResources();
// True once setupStoryResources has run (since the last reset).
bool storyResourcesReady();

// Replaces `list` with the blocks of the data file `dataFile` (a path under bDir) and the
// language text `textFile` (a name in "txt/<lang>/"). Start times stay relative.
void loadStoryTexts(const std::string& dataFile, const std::string& textFile, TStoryTextList& list);
// Adds the clock to every block's start time.
void startStoryTexts(TStoryTextList& list);
void updateStoryTexts(TStoryTextList& list);
void drawStoryTexts(TStoryTextList& list, float alpha);

// Empty fonts, the mask colour black again: for tests.
void resetStoryResources();
