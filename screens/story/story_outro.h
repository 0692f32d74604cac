#pragma once
// The closing story of a voyage, the router's "STORY-OUTRO": four painted scenes that pan,
// zoom and cross-fade one into the next for about a minute under the music "end", with the
// timed texts of "data/storyOutro.dat" and the frame bars on top. A click closes it early.
// It hands over to the credits, which then return to the main menu.
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"
#include "screens/story/story_text.h"

class TStoryOutro : public TEkran {
public:
    TStoryTextList storyTexts;
    TImage bars;
    TImage back1, view1;
    int32_t scene1time = 0;
    float a = 0;
    int32_t scene2time = 0;
    TImage back2, plane;
    float a2 = 0;
    int32_t scene3time = 0;
    TImage back3, plane2;
    int32_t scene4Time = 0;
    float a3 = 0;
    TImage back4;
    int scene = 0;

    int setup() override;
    int update() override;
    int draw() override;
    int prepare();
    std::string mainLoop();
    bool frame();

private:
    void setupTexts();
    void setupScenes();
    void drawScene1();
    void drawScene2();
    void drawScene3();
    void drawScene4();
    void updateScenes();
};

extern TStoryOutro storyOutro;

void resetStoryOutro();
