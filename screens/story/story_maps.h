#pragma once
// The story-map interlude over the win screen of stage 1, level 4: a sea chart fades in over
// the frozen win screen, wooden bars slide in from the top and the bottom, and the story texts
// of "data/story-maps.dat" come and go. A click, or the last text gone, fades to black.
//
//   start-up:  installStoryScreens();            // the win and play screens' hooks
//   play:      storyMaps.setup();                // when stage 1, level 3 is set
//   win:       storyMaps.mainloop(&winScreen);   // "" always
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"
#include "screens/story/story_text.h"

class TStoryMaps : public TEkran {
public:
    TStoryTextList storyTexts;
    TImage back;
    TImage bars;  // the wood bands the bars are cut from
    TEkran* ekran = nullptr;  // the win screen drawn behind (hides the base's)

    int setup() override;
    int update() override;
    int draw() override;
    virtual int _setupTexts();
    virtual int prepare();
    virtual int _updateTexts();
    virtual int _drawBack();
    virtual int _drawTlo();
    virtual int _drawPaski();
    virtual int _drawTexts();
    // Runs the interlude over `behind` (none: a black screen) and returns "".
    virtual std::string mainloop(TEkran* behind);
    bool frame();
};

extern TStoryMaps storyMaps;

void resetStoryMaps();
