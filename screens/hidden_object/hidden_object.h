#pragma once
// The hidden-object screen: a painted scene in which the player clicks, one by one, the
// objects shown on the bottom panel. A found object pulses, flies to its slot and takes its
// colour; the hint button in the top panel recharges in 20 s and sends a circling marker
// to an object still hidden. There is no way to lose: finding everything fades out to
// "GET-NEXT-LEVEL" (while the last find flies to its slot, a plaque says all were found);
// the in-game menu leaves for the main menu, the map or a restart.
//
// With the developer switch, E turns the scene editor on and off (drag and nudge the
// three pictures of an object, 1/2/3/M layer switches, C/V/A/Q start turn and scale, S
// saves "level-8.hol" in the working folder), W wins at once and R flips the lights.
//
//   start-up:  installHiddenObject();   // router place, loading step, profile, menu
//   loading:   hiddenObject.setup();    // third part
//   profile:   hiddenObject.setLevel(level);  router: hiddenObject.mainLoop()
#include <functional>
#include <memory>
#include <string>

#include "app/ekran.h"
#include "minigames/hidden_object/ho_level.h"
#include "platform/graphics.h"

struct TPlayLog;

// The hint marker: no picture, only a trail of sparkles circling the hinted object.
class THOHint {
public:
    virtual ~THOHint() = default;
    float p = 0;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;  // the object
    float x = 0, y = 0;    // the marker
    float mx1 = 0, my1 = 0, mx2 = 0, my2 = 0;
    int timeRot = 0;  // the circling ends after this (ms clock); 0 until it starts
    int stan = 0;     // 0 arriving, 1 circling
    float obx = 0, oby = 0;
    float r = 0;   // angle on the circle, degrees
    float od = 0;  // radius
    int time = 0;  // next sparkle

    virtual int updateFly();
    virtual int updateRotate();
    virtual int update();
    virtual int generate();
    virtual int generate2();
    virtual int createM();
};
std::shared_ptr<THOHint> createHOHint(int obx, int oby, int x2, int y2);

class THiddenObject : public TEkran {
public:
    THiddenObject() { id = "HIDDEN-OBJECT"; }

    std::shared_ptr<THOLevel> level;
    TImage panel;       // the level's bottom panel, handle at the middle of its top
    TImage panelGorny;  // an extra top layer; nothing loads it
    TImage panelGui;    // the top panel
    TImage nakrycie;    // the hint bar's cover
    TImage pasek;       // the hint bar
    int maxHintTime = 20000;
    int hintTime = 0;  // the hint is ready after this (ms clock)
    float ha = 0, dha = 0;  // glow of the hint cover and its target
    std::shared_ptr<THOHint> hoHint;
    std::string state;
    int time = 0;  // next tick of the level time
    std::shared_ptr<THObject> over;
    TImageFont font;   // title
    TImageFont font2;  // hint label and counter
    int hintsUsed = 0;
    int badClicks = 0;
    int skipedPuzzle = 0;
    std::string title;
    std::string txtHint;

    // The all-found moment: from the click that leaves nothing hidden until the scene has
    // faded out (the last thing's flight to its slot, then the fade), a plaque over the scene
    // says so, a warm light swells behind it and the slots sparkle one after another.
    bool allFound = false;
    int allFoundAt = 0;    // ms clock of that click
    size_t slotsLit = 0;   // slots the sparkle wave has reached
    TImage allFoundPlaque;
    TImage allFoundGlow;
    TImageFont fontAllFound;
    std::string txtAllFound;
    // How far the plaque is in, 0 to 1 (0 while something is still hidden).
    float allFoundShown() const;

    // The editor.
    int editorOn = 0;
    std::shared_ptr<THObject> edOver;
    std::shared_ptr<THObject> edClick;
    int drawMaska = 0;
    std::string maskaUrl = "_MATERIALY/ho-scene-8/maska.jpg";
    TImage maska;
    // Where S writes the scene (the working folder).
    std::string editorSavePath = "level-8.hol";

    // The order of finds and the layer switches live where the objects read them.
    std::string& kolejnosc() { return hoView().kolejnosc; }
    int& drawUkryte() { return hoView().drawUkryte; }
    int& drawZebrany() { return hoView().drawZebrany; }
    int& drawDoZebrania() { return hoView().drawDoZebrania; }

    bool loaded = false;

    int setup() override;
    int _drawGui() override;
    int draw() override;
    int update() override;
    virtual int _drawMaska();
    virtual int _drawBack();
    virtual int _drawLights();
    virtual int _drawGame();
    virtual int _drawHint();
    virtual int _drawGroup();
    virtual int _drawInfo();
    virtual int _drawEffects() { return 0; }
    virtual int _drawDrugiPlan();
    virtual int _updateEditor();
    virtual int _update_STATE_Game();
    virtual int _update_STATE_Begin();
    virtual int _update_STATE_WIN();
    virtual int _updateState();
    virtual int _updateHint();
    virtual int _updateTime();
    virtual int _updateBack();
    virtual int useHint();
    virtual int click(const std::shared_ptr<THObject>& o);
    virtual int setLevel(const std::shared_ptr<THOLevel>& l);
    virtual int setState(const std::string& s);
    virtual int prepare();
    virtual std::string mainLoop();
    // One frame of the loop after prepare; false once the fade to black has ended.
    bool frame();
    virtual int goMenu();
    virtual int _controlEditor();
    virtual int WIN();

private:
    void _startAllFound();
    void _updateAllFound();
    void _drawAllFound();
};

extern THiddenObject hiddenObject;

// The fields of this game's play-log record.
void giveHiddenObjectsLog(TPlayLog& record);

// The seams of the screen: the in-game menu (the options screen once installed) and the
// play log. Tests install scripted ones.
struct THOHooks {
    std::function<std::string(TEkran&)> menu;
    std::function<void(int result)> log;
    // The tutorial over this screen: its step right after the system step, and its drawing.
    std::function<void(TEkran&)> tutorialUpdate;
    std::function<void(TEkran&)> tutorialDraw;
};
THOHooks& hoHooks();

// Binds "HIDDEN-OBJECT", the loading step, the profile's reader and the in-game menu.
void installHiddenObject();
// A fresh screen, view and hooks (for tests).
void resetHiddenObject();
