#include "app/app_globals.h"

#include <cstdlib>

#include "app/folders.h"
#include "app/options.h"
#include "platform/input.h"

std::string myDocsFolder;
std::string myFolderName;
int32_t cheats = 0;
int32_t noTutorial = 0;
int32_t _START_DESKTOP_WIDTH = 0;
int32_t _START_DESKTOP_HEIGHT = 0;
TImage mousePoint;

namespace {
std::function<void(int)> gEndHandler;
}  // namespace

void endProcessWithCode(int code) {
    if (gEndHandler) gEndHandler(code);
    ShutdownPlatform();
    std::exit(code);
}

void SetEndHandler(std::function<void(int)> handler) { gEndHandler = std::move(handler); }

GameDataSavers& gameDataSavers() {
    static GameDataSavers s;
    return s;
}

void ende(int32_t flag) {
    FlushMouse();
    FlushKeys();
    if (flag == 0) saveGameDatas();
    endProcessWithCode(0);
}

void End1() { endProcessWithCode(0); }

int saveGameDatas() {
    ShowMouse();
    GameDataSavers& s = gameDataSavers();
    if (s.log) s.log();
    if (s.profiles && (!s.hasCurrentProfile || s.hasCurrentProfile())) s.profiles();
    options.saveOptions();
    if (s.highScores) s.highScores();
    return 0;
}

void resetAppGlobals() {
    myDocsFolder.clear();
    myFolderName.clear();
    cheats = 0;
    noTutorial = 0;
    _START_DESKTOP_WIDTH = 0;
    _START_DESKTOP_HEIGHT = 0;
    mousePoint = nullptr;
    gEndHandler = nullptr;
    gameDataSavers() = GameDataSavers{};
    resetSaveNotice();
}
