#include "app/router.h"

#include <cstdlib>
#include <map>

#include "app/frame.h"
#include "gui/data/txtfile.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/harness.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "gui/text/type_style.h"

std::string control::where = "MAIN-MENU";
TImageFont control::font;

namespace {

enum class Kind { Run, SaveThenRun, StorySpec, Interlude };

struct Place {
    const char* name;
    Kind kind;
    int interlude;  // number of the story-flow text for Kind::Interlude
};

// In the order the router tests them.
const Place kPlaces[] = {
    {"MAIN-MENU", Kind::Run, 0},         {"START-NEW-GAME", Kind::Run, 0},
    {"PICK-FLOW", Kind::Run, 0},         {"GET-NEXT-LEVEL", Kind::Run, 0},
    {"RESTART-LEVEL", Kind::Run, 0},     {"STORY-START", Kind::Run, 0},
    {"STORY-PLAZA", Kind::Run, 0},       {"STORY-OUTRO", Kind::Run, 0},
    {"STORY-SPEC", Kind::StorySpec, 0},       {"STORY-FLOW-2", Kind::Interlude, 2},
    {"STORY-FLOW-4", Kind::Interlude, 4}, {"STORY-FLOW-5", Kind::Interlude, 5},
    {"STORY-FLOW-6", Kind::Interlude, 6}, {"MAPA", Kind::SaveThenRun, 0},
    {"MAIN-GAME", Kind::SaveThenRun, 0}, {"PUZZLE-EXPRESS", Kind::SaveThenRun, 0},
    {"HIDDEN-OBJECT", Kind::SaveThenRun, 0}, {"LAY-PUZZLE", Kind::SaveThenRun, 0},
    {"CREDITS", Kind::Run, 0},           {"END-OF-LEVELS", Kind::Run, 0},
};

std::map<std::string, std::function<std::string()>>& actions() {
    static std::map<std::string, std::function<std::string()>> a;
    return a;
}
std::function<void()>& profileSaver() {
    static std::function<void()> s;
    return s;
}

// Scripted runs can follow the road on standard output.
void logPlace(const std::string& place) {
    static const bool on = [] {
        const char* v = std::getenv("ZERKON_ROUTER_LOG");
        return v && std::string(v) == "1";
    }();
    if (on) Print("place: " + place);
}

std::string runBound(const std::string& name) {
    auto it = actions().find(name);
    if (it != actions().end() && it->second) return it->second();
    // Nothing plugged in for this place: say so and leave for the menu (or end, when it
    // is the menu that is missing) instead of spinning.
    Notify("No screen is available for \"" + name + "\".");
    return name == "MAIN-MENU" ? "END" : "MAIN-MENU";
}

}  // namespace

const std::vector<std::string>& control::placeNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const Place& p : kPlaces) n.push_back(p.name);
        return n;
    }();
    return names;
}

bool control::bind(const std::string& place, std::function<std::string()> action) {
    for (const Place& p : kPlaces)
        if (place == p.name) {
            if (p.kind == Kind::StorySpec || p.kind == Kind::Interlude) return false;
            actions()[place] = std::move(action);
            return true;
        }
    return false;
}

bool control::isBound(const std::string& place) {
    auto it = actions().find(place);
    return it != actions().end() && it->second;
}

void control::setProfileSaver(std::function<void()> saver) { profileSaver() = std::move(saver); }

int control::setWhere(const std::string& name) {
    FlushMouse();
    FlushKeys();
    where = str::upper(name);
    return 0;
}

int control::runPass() {
    FlushKeys();
    // The place before has ended and let its screen's resources go, its textures too; music
    // not playing is read again from its file when wanted.
    ScreenEnded();
    ReleaseIdleSoundData();
    ReleaseFreeMemory();
    logPlace(where);
    HarnessMark("place " + where);
    const Place* hit = nullptr;
    for (const Place& p : kPlaces)
        if (where == p.name) {
            hit = &p;
            break;
        }
    if (!hit) {
        // A name that is no place (a typo in a progression file) would repeat this pass
        // forever without a frame: report it and go back to the menu.
        Notify("Unknown place \"" + where + "\": back to the main menu.");
        setWhere("MAIN-MENU");
    } else {
        switch (hit->kind) {
            case Kind::Run:
                setWhere(runBound(hit->name));
                break;
            case Kind::SaveThenRun:
                if (profileSaver()) profileSaver()();
                setWhere(runBound(hit->name));
                break;
            case Kind::StorySpec:
                setWhere("GET-NEXT-LEVEL");
                break;
            case Kind::Interlude:
                notify2(bDir + "txt/" + lang + "/story-flow-" + std::to_string(hit->interlude) + ".txt");
                setWhere("GET-NEXT-LEVEL");
                break;
        }
    }
    HideMouse();
    return 0;
}

int control::mainloop() {
    where = "MAIN-MENU";
    do {
        runPass();
    } while (where != "END" && !where.empty());
    logPlace(where);
    if (where.empty()) Notify(" Wyjscie z glownej petli z powodu pustego ciagu kierunkowego! ");
    return 0;
}

int control::notify2(const std::string& path) {
    auto txt = loadTxtFile(path);
    FlushMouse();
    FlushKeys();
    mouse.clear();
    while (true) {
        Cls();
        _updateSystem(0);
        SetColor(typestyle::kBody.r, typestyle::kBody.g, typestyle::kBody.b);
        SetScale(1, 1);
        SetAlpha(1);
        SetBlend(ALPHABLEND);
        SetRotation(0);
        SetImageFont(font);
        for (int32_t i = 1; i <= txt->lines(); ++i)
            DrawText(readTxtData(txt, i), 10, float(20 * i + 10));
        myFlip(1, nullptr);
        // Read in this order; a later one only when the earlier gave nothing.
        if (KeyHit(KEY_SPACE) || KeyHit(KEY_ENTER) || mouse.leftPressed) break;
    }
    return 0;
}

void control::reset() {
    actions().clear();
    profileSaver() = nullptr;
    where = "MAIN-MENU";
    font = nullptr;
}
