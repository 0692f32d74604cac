#pragma once
// Puts the platform layer and the toolkit back to a fresh start, for fixtures' SetUp.
#include "gui/core/services.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/harness.h"
#include "platform/input.h"

inline void resetPlatformAndToolkit() {
    InitPlatform(true);
    ResetGraphicsState();
    ResetInputState();
    ResetAspectState();
    ResetAudio();
    ResetHarness();
    resetDeltaTime();
    ResetMouseState();
    ResetFontCache();
    resetGuiGlobals();
    ResetGuiServices();
}
