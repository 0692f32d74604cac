#include "app/standins.h"

#include <map>

#include "app/frame.h"
#include "app/router.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/input.h"

TStandInScreen::TStandInScreen(std::string place, std::string helpLine, std::vector<Way> w)
    : help(std::move(helpLine)), ways(std::move(w)) {
    id = std::move(place);
}

int TStandInScreen::prepare() {
    alpha = 0;
    dAlpha = 1;
    fade = 0;
    dFade = 0;
    wynik.clear();
    return 0;
}

int TStandInScreen::update() {
    _updateSystem(0);
    _updateAlpha();
    _updateFade();
    return 0;
}

int TStandInScreen::draw() {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(1);
    // Sea: bands from deep blue at the top to a lighter blue at the horizon.
    for (int i = 0; i < 16; ++i) {
        SetColor(20 + i * 3, 52 + i * 5, 92 + i * 6);
        DrawRect(0, float(i * 48), 1024, 48);
    }
    // Parchment panel in a wooden frame.
    SetAlpha(alpha);
    SetColor(96, 62, 34);
    DrawRect(172, 172, 680, 424);
    SetColor(238, 224, 186);
    DrawRect(184, 184, 656, 400);
    SetColor(212, 172, 88);
    DrawRect(224, 292, 576, 3);

    TImageFont title = myLoadImageFont(bDir + "gfx/fonts/storyFont.ttf", 48);
    TImageFont text = myLoadImageFont(bDir + "gfx/fonts/font.ttf", 20);
    SetImageFont(title);
    SetColor(92, 52, 24);
    DrawText(id, float(512 - TextWidth(id) / 2), float(236 - TextHeight(id) / 2));
    SetImageFont(text);
    SetColor(70, 50, 34);
    DrawText(help, float(512 - TextWidth(help) / 2), 318);
    float y = 372;
    for (const Way& w : ways) {
        std::string line = w.label + "  ->  " + w.next;
        DrawText(line, float(512 - TextWidth(line) / 2), y);
        y += float(TextHeight(line) + 12);
    }
    TImageFont small = myLoadImageFont(bDir + "gfx/fonts/font.ttf", 14);
    SetImageFont(small);
    SetColor(140, 110, 70);
    const std::string keys = "Ctrl+F full screen    Ctrl+Q quit";
    DrawText(keys, float(512 - TextWidth(keys) / 2), 552);
    _drawFade();
    _drawMouse();
    return 0;
}

std::string TStandInScreen::mainLoop() {
    prepare();
    FlushKeys();
    mouse.clear();
    while (!(fade == 1 && dFade == 1)) {
        Cls();
        update();
        draw();
        myFlip(1, this);
        if (dFade == 1) continue;  // already leaving
        for (const Way& w : ways) {
            bool chosen = w.key == 0 ? mouse.leftPressed != 0 : KeyHit(w.key) != 0;
            if (chosen) {
                wynik = w.next;
                dFade = 1;
                break;
            }
        }
    }
    return wynik;
}

StandInProgress& standInProgress() {
    static StandInProgress p{0,
                             {"STORY-START", "MAPA", "MAIN-GAME", "STORY-FLOW-2", "PUZZLE-EXPRESS",
                              "STORY-PLAZA", "HIDDEN-OBJECT", "STORY-SPEC", "LAY-PUZZLE",
                              "STORY-FLOW-4", "STORY-OUTRO"}};
    return p;
}

// Stand-ins of the profile's progression steps: a fixed road in place of the flow files.
std::string StandInProgress::startNewGame() {
    flowSequence = 0;
    return "GET-NEXT-LEVEL";
}

std::string StandInProgress::getNextLevel() {
    ++flowSequence;
    if (flowSequence >= 1 && size_t(flowSequence) <= road.size()) return road[size_t(flowSequence - 1)];
    return "END-OF-LEVELS";
}

std::string StandInProgress::restartLevel() {
    --flowSequence;
    return getNextLevel();
}

namespace {

using Way = TStandInScreen::Way;

std::shared_ptr<TStandInScreen> makeScreen(const std::string& place, const std::string& help,
                                           std::vector<Way> ways) {
    return std::make_shared<TStandInScreen>(place, help, std::move(ways));
}

void bindFree(const std::string& place, std::function<std::string()> action) {
    if (!control::isBound(place)) control::bind(place, std::move(action));
}

void bindScreen(const std::string& place, const std::string& help, std::vector<Way> ways) {
    if (control::isBound(place)) return;
    auto screen = makeScreen(place, help, std::move(ways));
    control::bind(place, [screen] { return screen->mainLoop(); });
}

}  // namespace

void installStandIns() {
    const Way clickOn{0, "Click", "GET-NEXT-LEVEL"};
    const Way toMenu{KEY_ESCAPE, "Esc", "MAIN-MENU"};
    bindScreen("MAIN-MENU", "The main menu will be here.",
               {{0, "Click", "PICK-FLOW"}, {'C', "C", "CREDITS"}, {KEY_ESCAPE, "Esc", "END"}});
    bindScreen("PICK-FLOW", "Choose casual or hard here.", {{0, "Click", "START-NEW-GAME"}, toMenu});
    bindScreen("MAPA", "The sea map will be here.", {clickOn, toMenu});
    for (const char* game : {"MAIN-GAME", "PUZZLE-EXPRESS", "HIDDEN-OBJECT", "LAY-PUZZLE"})
        bindScreen(game, "A level will be played here.",
                   {{0, "Click (won)", "GET-NEXT-LEVEL"}, {'R', "R", "RESTART-LEVEL"}, toMenu});
    bindFree("START-NEW-GAME", [] { return standInProgress().startNewGame(); });
    bindFree("GET-NEXT-LEVEL", [] { return standInProgress().getNextLevel(); });
    bindFree("RESTART-LEVEL", [] { return standInProgress().restartLevel(); });
}
