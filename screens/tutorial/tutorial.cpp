#include "screens/tutorial/tutorial.h"

#include <algorithm>

#include "app/app_globals.h"
#include "app/loading/loading_screen.h"
#include "app/profile/profile_manager.h"
#include "app/profile/profile_world.h"
#include "game/board/level.h"
#include "gui/core/gui.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/split.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/hidden_object/hidden_object.h"
#include "screens/play/main_game.h"
#include "screens/puzzle_express/puzzle_express.h"
#include "screens/tutorial/arrow.h"
#include "screens/tutorial/tutorial_tip.h"
#include "screens/win/win_screen.h"

TTutorial tutorial;
TTipList TTutorial::tipsList;
TTipList TTutorial::specialTipsList;

namespace {

std::function<TLevel*()> gBoard;
std::weak_ptr<TLevel> gJudged;  // the last tutorial level looked at
bool gToldCannotRun = false;

int truncNumber(const TQCMFile& f, const std::string& path) { return f.getInt(path); }

std::string tipKey(int i, const std::string& suffix) { return "tutorial::tut" + std::to_string(i) + "::" + suffix; }

std::vector<std::string> numberedLines(const TQCMFile& f, int i, const std::string& count,
                                       const std::string& each) {
    std::vector<std::string> lines;
    const int n = f.getCount(tipKey(i, count), each);
    for (int k = 1; k <= n; ++k) lines.push_back(f.getString(tipKey(i, each + std::to_string(k))));
    return lines;
}

int sizeWord(const std::string& w) {
    const std::string u = str::upper(w);
    if (u == "SMALL") return 0;
    if (u == "MEDIUM") return 1;
    if (u == "BIG") return 2;
    return -1;
}

TProfile* currentProfile() { return profileManager.profile.get(); }

// Looked at once per level, on its first tutorial step, when the pending list is final.
void judgeTutorialLevel(TMainGame& game) {
    TProfile* prof = currentProfile();
    if (noTutorial || !prof || prof->tutorialOn == 0 || !game.levelPtr) return;
    if (gJudged.lock() == game.levelPtr) return;
    gJudged = game.levelPtr;
    const std::string why = tutorialCannotRun(*game.levelPtr, prof->numerLevelu, prof->flowType, prof->lekcjeTutoriala);
    if (why.empty()) return;
    game.goSkipTutorial();
    if (gToldCannotRun) return;
    gToldCannotRun = true;
    Notify("The tutorial cannot run on this level because the tips in \"" + bDir + "data/tutorial.dat\" " + why +
           ", so the level is played without it.");
}

// The tips' texts, from the file the tutorial names inside the asset tree.
std::shared_ptr<TTxtFile> tipTexts(const TQCMFile& f) {
    const std::string name = f.getString("tutorial::txtFile");
    if (files::insideTree(name)) return loadTxtFile(bDir + name);
    f.errorMsg(f._path + ": tutorial::txtFile names \"" + name +
               "\", which lies outside the game's folders; the tips show no texts.");
    return std::make_shared<TTxtFile>();
}

}  // namespace

TLevel* tutorialBoard() { return gBoard ? gBoard() : mainGame.level(); }
void setTutorialBoard(std::function<TLevel*()> board) { gBoard = std::move(board); }

// ---- loading ----------------------------------------------------------------------------------

int TTutorial::setup() {
    static const char* backs[4] = {"back.png", "back-medium.png", "back-large.png", "back-normal.png"};
    for (size_t k = 0; k < 4; ++k) {
        back[k] = LoadImage(bDir + "gfx/gui/tutorial/" + backs[k]);
        if (back[k]) MidHandleImage(back[k]);
    }
    TArrow::img[0] = LoadImage(bDir + "gfx/gui/tutorial/arrow.png");
    TArrow::img[1] = LoadImage(bDir + "gfx/gui/tutorial/arrow2.png");
    for (auto& i : TArrow::img)
        if (i) MidHandleImage(i);
    static const int sizes[3] = {16, 20, 24};
    for (size_t k = 0; k < 3; ++k) font[k] = LoadImageFont(bDir + "gfx/fonts/berry.ttf", sizes[k], SMOOTHFONT);
    TTutorialTip::gui = loadGui(bDir + "gfx/gui/tutorial/tutorial.gui");
    if (!TTutorialTip::gui->getItem("ok")) errorMsg("The tutorial layout has no button \"ok\".");

    auto file = loadQCMFile(bDir + "data/tutorial.dat");
    texts_ = nullptr;
    const int n = file->getCount("tutorial::i", "tut");
    if (n > 0) texts_ = tipTexts(*file);
    tipsList = TTipList{};
    specialTipsList = TTipList{};
    for (int i = 1; i <= n; ++i) {
        auto tip = _loadExactTip(i, *file);
        (tip->numerLevelu != 0 ? tipsList : specialTipsList).push_back(tip);
    }
    return 0;
}

std::shared_ptr<TTutorialTip> TTutorial::_loadExactTip(int i, const TQCMFile& file) {
    auto tip = std::make_shared<TTutorialTip>();
    _setupTipStandards(*tip, file, i);
    _setupTipImg(*tip, file, i);
    _setupTipBack(*tip, file, i);
    _setupTipFont(*tip, file, i);
    _setupTipPosition(*tip, file, i);
    _setupTipConditions(*tip, file, i);
    _setupTipActions(*tip, file, i);
    _setupTipEraseConditions(*tip, file, i);
    tip->countDims();
    return tip;
}

std::shared_ptr<TTutorialTip> TTutorial::_loadExactTip2(const std::string& tipId) {
    auto file = loadQCMFile(bDir + "data/tutorial.dat");
    const int n = file->getCount("tutorial::i", "tut");
    if (n > 0 && !texts_) texts_ = tipTexts(*file);
    const std::string want = str::upper(tipId);
    for (int i = 1; i <= n; ++i)
        if (str::upper(file->getString(tipKey(i, "id"))) == want) return _loadExactTip(i, *file);
    return nullptr;
}

int TTutorial::_setupTipStandards(TTutorialTip& tip, const TQCMFile& f, int i) {
    tip.id = str::upper(f.getString(tipKey(i, "id")));
    tip.title = readTxtData(texts_, truncNumber(f, tipKey(i, "title")));
    tip.txt = readTxtData(texts_, truncNumber(f, tipKey(i, "txt")));
    tip.screen = str::upper(f.getString(tipKey(i, "screen")));
    tip.numerLevelu = truncNumber(f, tipKey(i, "level"));
    tip.rememberMe = truncNumber(f, tipKey(i, "rememberMe"));
    return 0;
}

int TTutorial::_setupTipImg(TTutorialTip& tip, const TQCMFile& f, int i) {
    const std::string path = f.getString(tipKey(i, "img"));
    if (!path.empty()) {
        tip.img = LoadImage(bDir + path);
        if (tip.img) MidHandleImage(tip.img);
    }
    return 0;
}

int TTutorial::_setupTipFont(TTutorialTip& tip, const TQCMFile& f, int i) {
    const int k = sizeWord(f.getString(tipKey(i, "font")));
    tip.font = font[size_t(k < 0 ? 0 : k)];
    return 0;
}

int TTutorial::_setupTipBack(TTutorialTip& tip, const TQCMFile& f, int i) {
    static const int titleOffsets[4] = {115, 198, 232, 136};
    int k = sizeWord(f.getString(tipKey(i, "back")));
    if (k < 0) k = 3;
    tip.back = back[size_t(k)];
    tip.titleOffset = titleOffsets[k];
    return 0;
}

int TTutorial::_setupTipPosition(TTutorialTip& tip, const TQCMFile& f, int i) {
    const TWords w = tutorialWords(str::upper(f.getString(tipKey(i, "pos"))));
    const std::string kind = w.empty() ? "" : w[0];
    tip.dim = createSimpleDim(400, 300);
    const bool needsArg = kind == "AUTOBONUS" || kind == "AUTOCHAIN" || kind == "AUTOBONUS-TYPE";
    if (kind == "POSITION" && w.size() >= 3) {
        tip.dim = createSimpleDim(wordInt(w, 1), wordInt(w, 2));
    } else if ((needsArg && w.size() >= 2) || kind == "AUTOMATCH" || kind == "AUTOPUZZLE") {
        tip.dim = createSimpleDim(-2500, -2500);
        tip.autoID[0] = kind.substr(4);
        if (needsArg) tip.autoID[1] = w[1];
    } else if (!kind.empty()) {
        // A position the tutorial cannot read: the box keeps the middle of the board.
        Print("Tutorial tip " + tip.id + ": position \"" + f.getString(tipKey(i, "pos")) +
              "\" is not understood; placed at 400 300.");
    }
    return 0;
}

int TTutorial::_setupTipConditions(TTutorialTip& tip, const TQCMFile& f, int i) {
    return tip.compileConditions(numberedLines(f, i, "conds", "condition"));
}

int TTutorial::_setupTipActions(TTutorialTip& tip, const TQCMFile& f, int i) {
    return tip.compileActions(numberedLines(f, i, "actions", "action"));
}

int TTutorial::_setupTipEraseConditions(TTutorialTip& tip, const TQCMFile& f, int i) {
    return tip.compileEraseConditions(numberedLines(f, i, "eraseConds", "eraseCondition"));
}

// ---- per frame ----------------------------------------------------------------------------------

int TTutorial::run(bool levelTips) {
    if (!ekr) return 0;
    if (actTip) {
        actTip->update(*ekr);
        return 0;
    }
    TProfile* prof = currentProfile();
    if (!prof) return 0;
    // A copy: starting a tip never changes the list, but a tip's test may run game code.
    const TTipList pending = prof->lekcjeTutoriala;
    for (const auto& rec : pending) {
        auto tip = std::dynamic_pointer_cast<TTutorialTip>(rec);
        if (!tip || (!levelTips && tip->numerLevelu != 0)) continue;
        if (tip->screen == ekr->id && tip->check(*ekr)) {
            startTutorial(tip);
            break;
        }
    }
    return 0;
}

int TTutorial::update() { return run(true); }
int TTutorial::update2() { return run(false); }

int TTutorial::draw() {
    if (actTip && ekr) actTip->draw(*ekr);
    return 0;
}

int TTutorial::bylTutorial(const std::string& tipId) {
    TProfile* prof = currentProfile();
    if (!prof) return 1;
    return prof->IDontHaveTip(tipId);
}

int TTutorial::startTutorial(const std::shared_ptr<TTutorialTip>& tip) {
    if (!tip) return 0;
    FlushMouse();
    actTip = tip;
    tip->reset();
    if (auto ok = TTutorialTip::gui ? TTutorialTip::gui->getItem("ok") : nullptr) ok->setState(1, 1);
    return 0;
}

int TTutorial::startTutorial(const std::string& tipId) {
    if (tipId.empty()) return 0;
    return startTutorial(getTipById(tipId));
}

std::shared_ptr<TTutorialTip> TTutorial::getTipById(const std::string& tipId) {
    const std::string want = str::upper(tipId);
    for (const TTipList* list : {&tipsList, &specialTipsList})
        for (const auto& t : *list)
            if (t && t->id == want) return std::dynamic_pointer_cast<TTutorialTip>(t);
    return nullptr;
}

// ---- entry points -------------------------------------------------------------------------------

int _updateTutorial(TEkran& screen) {
    TProfile* prof = currentProfile();
    if (noTutorial || !prof || prof->tutorialOn == 0) return 0;
    tutorial.ekr = &screen;
    return tutorial.update();
}

int _updateTutorial2(TEkran& screen) {
    if (noTutorial || !currentProfile()) return 0;
    tutorial.ekr = &screen;
    return tutorial.update2();
}

int _drawTutorial(TEkran& screen) {
    if (!currentProfile()) return 0;
    tutorial.ekr = &screen;
    return tutorial.draw();
}

// ---- installation -------------------------------------------------------------------------------

void installTutorial() {
    setLoadingStep("tutorial.setup", [] { tutorial.setup(); });
    setTutorialSource({[]() -> TTipList& { return TTutorial::tipsList; },
                       []() -> TTipList& { return TTutorial::specialTipsList; },
                       [] { tutorial.setup(); },
                       [](const std::string& tipId) -> std::shared_ptr<TTipRecord> {
                           return tutorial._loadExactTip2(tipId);
                       }});
    auto& play = playHooks();
    play.tutorialUpdate = [](TMainGame& g, bool main) {
        if (main) judgeTutorialLevel(g);
        main ? _updateTutorial(g) : _updateTutorial2(g);
    };
    play.tutorialDraw = [](TMainGame& g) { _drawTutorial(g); };
    play.tutorialDropTip = [] { tutorial.actTip = nullptr; };
    auto& win = winHooks();
    win.tutorialUpdate = [](TEkran& s) { _updateTutorial(s); };
    win.tutorialUpdate2 = [](TEkran& s) { _updateTutorial2(s); };
    win.tutorialDraw = [](TEkran& s) { _drawTutorial(s); };
    win.tutorialTipActive = [] { return tutorial.actTip != nullptr; };
    win.tutorialDropTip = [] { tutorial.actTip = nullptr; };
    auto& ho = hoHooks();
    ho.tutorialUpdate = [](TEkran& s) { _updateTutorial(s); };
    ho.tutorialDraw = [](TEkran& s) { _drawTutorial(s); };
    // The block game runs both steps in its normal state.
    auto& pe = peHooks();
    pe.tutorialUpdate = [](TEkran& s) {
        _updateTutorial(s);
        _updateTutorial2(s);
    };
    pe.tutorialDraw = [](TEkran& s) { _drawTutorial(s); };
}

void resetTutorial() {
    tutorial.actTip = nullptr;
    tutorial.ekr = nullptr;
    tutorial.back = {};
    tutorial.font = {};
    TTutorial::tipsList = TTipList{};
    TTutorial::specialTipsList = TTipList{};
    TTutorialTip::gui = nullptr;
    TArrow::img = {};
    gBoard = nullptr;
    gJudged.reset();
    gToldCannotRun = false;
    setTutorialSource({});
}
