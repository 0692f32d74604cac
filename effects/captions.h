#pragma once
// Floating captions over the board: the "+points" number that rises from a scored cell,
// the praise word that pops in when a line is finished, and the level-completed banner.
// Every caption ends by itself (its alpha reaches its target): the play screen opens the
// win screen only once captionsList is empty, so nothing here may live for ever.
//
//   loading:        setupCaptions();
//   play screen:    _updateCaptions(); _drawCaptions();   // the global list
//   makers:         createTextCaption(...), createGreatCaption(x), createLevelCompletedCaption()
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "effects/list.h"
#include "gui/core/dim.h"
#include "platform/graphics.h"

struct TCaption;
using TCaptionList = fx::List<TCaption>;

// A picture that grows or shrinks, fades and drifts, and removes itself when its alpha
// reaches its target.
struct TCaption {
    int n = 0;                      // index into img
    TCaptionList* list = nullptr;   // the list holding it
    float x = 0, y = 0;             // centre of the picture
    float a = 1, da = 0, aSpeed = 0.05f;
    float sx = 1, dsx = 0, sxSpeed = 0.05f;
    float sy = 1, dsy = 0, sySpeed = 0.05f;
    float s = 1;                    // overall scale; only the pop-in caption moves it
    std::string txt;                // kept, never drawn
    float r = 0, rSpeed = 0.05f;    // advanced, but drawing always uses rotation 0
    float p = 0, dp = 0, pSpeed = 0.01f;
    float ax = 0, ay = 0;           // drift per 1/60 s
    TRGB rgb;                       // colour of a number caption
    int blend = 3;                  // drawing always blends by alpha
    int32_t startTime = 0;          // the base update waits until this clock time
    bool _dead = false;

    // 0 magnificent, 1 great, 2 fantastic, 3 superb, 5 level completed; the rest stay empty.
    static std::array<TImage, 10> img;

    virtual ~TCaption() = default;
    virtual void draw();
    // Each moves its value toward the target; true when the value arrived in this call.
    virtual bool _updateAlpha();
    virtual void _updateScale();
    virtual bool _updatePercent();
    virtual void _updateRotation();
    virtual void _updatePosition();
    virtual void update();
    virtual void destroy();
    virtual void checkPosition() {}
};

// A number drawn from digit pictures: a plus sign, then the digits of v.
struct TTextCaption : TCaption {
    int32_t time = 0;       // clock + the factory's delay; nothing waits for it
    int w = 0, h = 0;
    int v = 0;
    int imageNumber = 0;    // word picture in texty (none in this game)
    int start = 0;          // 1 after the first update
    std::vector<TImage> valueList;
    float ss = 1;           // drawing scale of the whole number

    static std::array<TImage, 10> cyfry;
    static TImage plus;
    static std::array<TImage, 10> texty;

    void draw() override;
    void update() override;
    static void setup();
    // Digit pictures of v, and the caption pulled inside x 50..950.
    void countValue();
    // Width of the whole number as drawn now (plus sign, digits, the gap, a word).
    float width() const;
};

// Pops in with a damped wobble ("START"), then fades out ("NEXT").
struct TSpecCaption : TCaption {
    float per = 0;
    std::string state;
    int li = 0;
    float sSpeed = 0.05f;
    // These hide the base fields of the same names: the pop-in moves by its own.
    float rSpeed = 0;
    float aSpeed = 0.02f;
    float ax = 0, ay = 0;
    float perSpeed = 0.012f;
    float ds = 1;           // target of s
    float sc = 1;           // wobble factor
    float sts = 1;          // resting scale

    void update() override;
    virtual void _updateStandardData();
    virtual void _updateStart();
    virtual void _updateNext();
};

extern TCaptionList captionsList;

// A plain picture caption (list null: captionsList).
std::shared_ptr<TCaption> createCaption(int n, float x, float y, TCaptionList* list = nullptr);
// "+v" rising from (x, y), scaled for the tile size class; delay is stored only.
std::shared_ptr<TTextCaption> createTextCaption(int imageNumber, int v, float x, float y, int delay,
                                                int size, TCaptionList* list = nullptr);
// A pop-in of picture n.
std::shared_ptr<TSpecCaption> createSpecCaption(int n, float x, float y, TCaptionList* list = nullptr);
// A random praise word at (x, 120), unless the board is complete or praise is showing.
void createGreatCaption(int x);
// The level-completed banner at (400, 350), whatever else is showing.
void createLevelCompletedCaption();

// Update / draw every caption of the list (null: captionsList), first to last.
void _updateCaptions(TCaptionList* list = nullptr);
void _drawCaptions(TCaptionList* list = nullptr);

// The caption pictures of the language, the digits and the plus sign. A missing file leaves
// its entry empty, and an empty entry draws nothing.
void setupCaptions();
// Empty list and image tables (for tests).
void resetCaptions();
