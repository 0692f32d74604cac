#pragma once
// The player's settings (full screen, wide screen, own cursor, music and sound volume),
// their file in the user folder, and the choice of display mode. The same object is the
// modal options screen; its screen side is built with the options screen itself.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/ekran.h"
#include "platform/graphics.h"

class TOptions : public TEkran {
public:
    TOptions();

    // The options screen's own result and the screen it runs over; they hide the base
    // fields of the same names.
    TEkran* ekran = nullptr;
    TImage kosc;   // slider knob
    TImage pasek;  // slider fill strip
    int32_t fullScreen = 1;
    int32_t wideScreen = 1;
    int32_t customCursor = 1;
    float soundVol = 0.5f;
    float musicVol = 0.5f;
    int32_t cursor = 0;     // not used
    int32_t debugMode = 1;  // read only by the debug overlay hook
    std::string wynik;
    float zarAlpha = 0;
    float dZarAlpha = 0;
    TImage bar;
    int32_t holdedMusic = 0;
    int32_t holdedSound = 0;

    // Reads the settings file (writing it first when missing) and hands the volumes to
    // the sound service.
    int loadOptions();
    // Writes the five settings to a fresh file, replacing the old one.
    int saveOptions();
    int openScreen();
    // Full screen <-> window, reopened at once; not saved until the next saveOptions.
    int switchScreen();
    // Own cursor drawn and the system pointer hidden, or the other way round.
    int setupMouse();
    // Clamps both volumes into 0..1 and hands them on.
    int checkSoundStuff();

    // The screen side, a modal overlay over the screen that opens it (built in
    // app/options_screen/). mainLoop returns "", "RESTART", "MAIN-MENU" or "MAPA" and
    // saves the settings whenever it closes.
    int setup() override;
    int prepare(TEkran* caller);
    std::string mainLoop(TEkran* caller);
    int update() override;
    int draw() override;
    int goRESTART();
    int goMAINMENU();
    int goBackToMap();
    int goCREDITS();
    int goRULES();
    int mouseInMusicA();
    int mouseInMusicB();
    int mouseInSoundA();
    int mouseInSoundB();
    int _updateGUIOperations();
    int _updateZarowka();
    int _handleButtons();
    int _drawBack();
    int _drawHelp();
    int _drawBars();
    int _drawPasek(float x, float y, float fraction);
};

extern TOptions options;

// Where the settings live: myDocsFolder + "/Data/settings.dat".
std::string settingsPath();

// Opens the display by the decision table and sets the 1024 x 768 picture.
int openScreenASPECT(int32_t width, int32_t height, int32_t full, int32_t wide);
int32_t _desktopWidth();
int32_t _desktopHeight();

// How a display mode is opened (width, height, depth 32 full screen / 0 window, hz): true
// when it opened. Tests put a fake here; nullptr restores the platform's Graphics.
void SetDisplayOpener(std::function<bool(int, int, int, int)> opener);

// Fresh settings at their defaults, the real display opener: for tests.
void resetOptions();
