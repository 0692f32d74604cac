#pragma once
// The opening story of a new voyage, the router's "STORY-START": three painted scenes under
// the timed texts of "data/story-start.dat" and the music "intro-2". A sea chest slides into
// view, its lid swings off and grandfather's pistol rises and fades; the hero steps out
// before the harbour; a seaplane crosses the islands' panorama trailing smoke, and the
// closing picture zooms in while the palm fronds part. Then black, and "GET-NEXT-LEVEL".
// A click skips to the fade-out once 2 s have passed since the pictures were loaded.
//
// A new screen is made for every run (the router's binding does so).
#include <array>
#include <memory>
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"
#include "screens/story/story_text.h"

struct TLeaf;

class TStoryStart : public TEkran {
public:
    TImage scene1up, scene1down, chestCover, pistol, pistolShadow;
    float scene1y = 0;
    float chestX = 0, chestY = 0, chestRot = 0;
    float pistolR = 0, pistolS = 0, pistolA = 0;
    TImage scene2, hero;
    float scene2s = 0, scene2a = 0;
    float heroA = 0, heroX = 0;
    std::array<TImage, 3> scene3;
    TImage scene3end, plane;
    float scene3X = 0;
    float scene3a = 0;
    float scene3P = 0;
    float moveP = 0;
    float px = 0, py = 0;
    float s3S = 0;
    int32_t smokeTime = 0;
    float planeS = 1;
    std::array<std::shared_ptr<TLeaf>, 12> leafs;
    TStoryTextList storyTexts;
    TImage bars;
    int32_t waitTime = 0;
    std::string state;
    int32_t timex = 0;

    int setup() override;
    int update() override;
    int draw() override;
    std::string mainLoop();
    int prepare();
    // One frame after prepare: clear, update, draw, flip, the skip click. True while it runs.
    bool frame();
    // The panorama's width: its three strips side by side.
    float panoramaWidth() const;

    int _setupScene1();
    int _setupScene2();
    int _setupScene3();
    int _setupTexts();
    int _prepareSelf();

private:
    void setState(const char* name, bool keepP = false);
    // p steps by c x delta, stopping on 1; true on the frame it gets there.
    bool stepP(float c);
    void updateScene();
    void updateSlide1();
    void updatePlanePath();
    void updatePlaneSmoke();
    void updateLeafs();
    void updateLeafsIn();
    void drawScene();
    void drawScene1();
    void drawScene2();
    void drawScene3();
    void drawLeafs();
};

void resetStoryStart();
