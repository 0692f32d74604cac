#pragma once
// The base of every screen and overlay (and of the services that share its tweening): three
// eased values (opacity, black fade, a free progress), an optional layout, the cursor, and
// the pause and dialogue hooks. Each screen writes its own prepare() and mainLoop().
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/graphics.h"

class TGui;

class TEkran {
public:
    TEkran() = default;
    virtual ~TEkran() = default;
    TEkran(const TEkran&) = delete;
    TEkran& operator=(const TEkran&) = delete;

    std::string id = "Screen Object";
    std::string wynik;
    int32_t _exit = 0;
    float alpha = 1;
    float dAlpha = 1;
    float fade = 0;
    float dFade = 0;
    float p = 0;
    float dp = 0;
    float aSpeed = 0.05f;
    float fSpeed = 0.05f;
    float pSpeed = 0.005f;
    std::shared_ptr<TGui> Gui;
    TEkran* ekran = nullptr;  // for an overlay: the screen beneath it (not owned)

    virtual int setup() { return 0; }
    virtual int PauseMyGame() { return 0; }
    virtual int ResumeMyGame() { return 0; }
    virtual int _drawGui();
    virtual int _drawFade();
    virtual int _drawMouse();
    virtual int draw() { return 0; }
    virtual int _updatePer();
    virtual int _updateFade();
    virtual int _updateAlpha();
    virtual int _updateGui();
    virtual int update() { return 0; }
    // Clears, draws the screen and grabs 1023 x 767 of it (one short of the picture).
    virtual TImage _getMyScreen();
    virtual int STANDARD_DATA();
    // Runs the frame timer 25 times so time spent loading never reaches the first delta.
    virtual int _prepareDelta();
    // Shows the current profile's story dialogue for "BEGIN" or "END" over this screen.
    virtual int checkDialogs(const std::string& which);
};

// The picture's size in virtual units (1024 x 768 once the display is open).
float pictureWidth();
float pictureHeight();

// value moves toward target by speed x delta and stops on it (both directions in one call).
void easeToward(float& value, float target, float speed, float frameDelta);

// The dialogue seam: the profile picks a dialogue (0 for none), the dialogue box shows it.
void SetDialogService(std::function<int(const std::string&)> pick,
                      std::function<void(TEkran&, int)> show);
