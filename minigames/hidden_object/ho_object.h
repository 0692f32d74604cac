#pragma once
// One findable object of a hidden-object scene. It has three places on screen: its picture
// hidden in the scene (ukrytyDim), its slot on the bottom panel (doZebraniaDim, a coloured
// icon under a sepia copy) and, while it is being found, a copy of the scene picture that
// pulses and flies into the slot (zebranyDim). States: "" hidden, "PICK" pulsing,
// "PICK-2" flying, "PICK-3" fading (only ever read from a file), "DONE".
//
// Every position is the centre of the picture drawn there (the reader centres the handles).
// A picture that did not load has size 0: its box is a single point and it is never drawn.
#include <memory>
#include <string>

#include "gui/core/dim.h"
#include "platform/graphics.h"

class THOGroup;

class THObject {
public:
    virtual ~THObject() = default;

    int id = 0;
    TImage imgUkryty;      // in the scene; also the copy that pulses and flies
    TImage imgDoZebrania;  // coloured icon in the panel slot
    TImage imgZebrany;     // collected picture (only its size: the editor's hover box)
    TImage imgSepia;       // sepia cover of the icon
    std::string imgUkrytyUrl, imgDoZebraniaUrl, imgZebranyUrl, imgSepiaUrl;
    std::shared_ptr<TDim> ukrytyDim = createSimpleDim(0, 0);
    std::shared_ptr<TDim> doZebraniaDim = createSimpleDim(0, 0);
    float punktX = 0, punktY = 0;  // tick mark offset from the slot
    std::shared_ptr<TDim> zebranyDim = createSimpleDim(0, 0);
    std::shared_ptr<TDim> ZebranykopiaDim = createSimpleDim(0, 0);  // where the flight starts
    float startRot = 0;
    float startScale = 1;
    int partTime = 0;
    int partColor = 0;
    std::string state;
    int rodzaj = 0;  // editor layer last hovered: 0 scene, 1 slot, 2 collected
    float per = 0;
    float ua = 0, us = 0;  // hidden picture alpha and scale
    float zA = 0, zS = 0;  // flying copy alpha and scale
    float ds = 1;
    float da = 1;          // sepia cover alpha; the tick shows at 1 - da
    float zRot = 0;
    float dRot = 0;
    float myX = 0, myY = 0;  // sparkles come from around here

    // The tick mark shared by every object (centred handle), loaded by the screen.
    static TImage pickImg;

    virtual int interpretujState();
    virtual int drawUkryty();
    virtual int drawZebrany();
    virtual int drawDoZebrania();
    virtual int drawPick();
    virtual int draw() { return 0; }
    virtual int move(float dx, float dy);
    virtual int toMouse();
    virtual int _updatePick();
    virtual int _updatePick2();
    virtual int _updatepick3();
    // One frame of the animation; 1 when the mouse is over the hidden picture.
    virtual int update();
    virtual int pick();
    virtual int over();
    virtual int edOver();
    virtual int generateParticles();
};

// What the objects read of the screen that shows them: its three layer switches, the
// group of the level being played and the record of the order of finds. The screen owns
// the real values and keeps them here; tests set them directly.
struct THOSceneView {
    int drawUkryte = 1;
    int drawZebrany = 1;
    int drawDoZebrania = 1;
    std::shared_ptr<THOGroup> group;
    std::string kolejnosc;
};
THOSceneView& hoView();
void resetHOView();

// The hit box of a picture centred at (cx, cy): one pixel wider and taller than the
// picture, edges included.
bool hoPictureHit(const TImage& img, const TDim& at, int mx, int my);
