#include "wiring/road_check.h"

#include "gui/core/gui.h"
#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "platform/files.h"
#include "platform/system.h"
#include "screens/menu/main_menu.h"
#include "screens/menu/menu_overlays.h"
#include "screens/stage/stage_screen.h"

namespace {

// A keyed data file that must hold its group with a count of at least one entry.
struct DataAsset {
    const char* path;
    const char* group;
};
const DataAsset kDataAssets[] = {
    {"data/flow_casual.dat", "flow"},
    {"data/flow_hard.dat", "flow"},
    {"data/mapStages.dat", "mapStages"},
    {"data/tilesHide.dat", "tilesHide"},
};

std::string dataProblem(const std::string& path, const std::string& group) {
    if (files::fileType(path) == files::FILETYPE_NONE) return "is missing";
    auto text = files::loadText(path);
    if (!text) return "cannot be read";
    TQCMFile f;
    if (!f.parse(std::move(*text)) || !f.groupAt(group)) return "is damaged (it is not a readable data file)";
    if (f.getFloat(group + "::i") < 1) return "is damaged (it lists nothing)";
    return "";
}

// A layout loaded by its screen, with the buttons the road clicks.
std::string layoutProblem(const std::shared_ptr<TGui>& gui, std::initializer_list<const char*> buttons) {
    if (!gui) return "is missing or damaged";
    for (const char* b : buttons)
        if (!gui->getItem(b)) return std::string("has no button \"") + b + "\"";
    return "";
}

}  // namespace

std::vector<std::string> roadAssetProblems() {
    std::vector<std::string> out;
    auto add = [&](const std::string& path, const std::string& problem) {
        if (!problem.empty()) out.push_back(path + " " + problem);
    };
    if (files::fileType(bDir + "txt/" + lang) != files::FILETYPE_DIR)
        add(bDir + "txt/lang.txt", "names the language \"" + lang + "\", which has no texts");
    for (const auto& a : kDataAssets) add(bDir + a.path, dataProblem(bDir + a.path, a.group));
    const std::string gui = bDir + "gfx/gui/";
    add(gui + "mainMenu/" + lang + "/mainMenu.gui", layoutProblem(mainMenu.Gui, {"play", "exit"}));
    add(gui + "pickFlow/" + lang + "/pickFlow.gui", layoutProblem(pickFlow.Gui, {"casual", "hard"}));
    add(gui + "stageScreen/" + lang + "/stageScreen.gui", layoutProblem(stageScreen.Gui, {"play", "back"}));
    return out;
}

void checkRoadAssets() {
    const auto problems = roadAssetProblems();
    if (problems.empty()) return;
    std::string text = "Some of the game's own files are missing or damaged, so the game cannot be played through:";
    for (const auto& p : problems) text += "\n- " + p;
    text += "\nReinstalling the game restores them.";
    Notify(text);
}
