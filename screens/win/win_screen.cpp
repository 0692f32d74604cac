#include "screens/win/win_screen.h"

#include <algorithm>
#include <cmath>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/sound.h"
#include "effects/flying_tresure.h"
#include "effects/kamien.h"
#include "effects/list.h"
#include "effects/particles.h"
#include "game/awards/awards.h"
#include "game/board/level.h"
#include "game/flow/level_manager.h"
#include "gui/core/gui.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/split.h"
#include "gui/text/type_style.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "screens/play/main_game.h"

TWinScreen winScreen;

namespace {

constexpr float kDeg = 180.0f / 3.14159265358979f;

TWinHooks gHooks;

float sinDeg(float d) { return std::sin(d / kDeg); }

bool tipActive() { return gHooks.tutorialTipActive && gHooks.tutorialTipActive(); }

void resetDrawState() {
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetScale(1, 1);
    SetRotation(0);
}

}  // namespace

TWinHooks& winHooks() { return gHooks; }

TWinScreen::TWinScreen() { id = "WIN-SCREEN"; }

void resetWinScreen() {
    winScreen.~TWinScreen();
    new (&winScreen) TWinScreen();
    gHooks = TWinHooks();
}

void installWinScreen() {
    playHooks().winScreen = [](TMainGame&) { return winScreen.mainLoop(); };
}

TLevel* TWinScreen::level() const { return mainGame.level(); }

TProfile& TWinScreen::prof() const { return mainGame.prof(); }

float TWinScreen::centredX(const std::string& text) { return float(400 - TextWidth(text) / 2); }

// ---- set-up --------------------------------------------------------------------------------

int TWinScreen::setup() {
    auto txt = loadTxtFile(bDir + "txt/#LANG#/winScreen.txt");
    std::string* lines[10] = {&txtTotalScore, &txtShowStats, &txtHideStats, &txtLevel,   &txtStage,
                              &txtLevelScore, &txtMaxCombo,  &txtMistakes,  &txtLevelTime, &txtBonusy};
    for (int i = 0; i < 10; ++i) *lines[i] = readTxtData(txt, i + 1);
    txtGoOn = readTxtData(txt, 11);
    goOnFont = myLoadImageFont(bDir + typestyle::kFace, 20);
    // The card's words in the game's face: body 30, the name plaque's title 26, headings 36.
    font = myLoadImageFont(bDir + typestyle::kFace, 30);
    nameFont = myLoadImageFont(bDir + typestyle::kFace, 26);
    font2 = myLoadImageFont(bDir + typestyle::kFace, 36);
    img = LoadImage(bDir + "gfx/gui/winScreen/panel.png");
    if (img) MidHandleImage(img);
    Gui = loadGui(bDir + "gfx/gui/winScreen/winScreen.gui");
    // The screen works without its gallery button; a layout without one is worth a word.
    if (!Gui->getItem("awards")) errorMsg("winScreen.gui: the button \"awards\" is missing");
    id = "WIN-SCREEN";
    return 0;
}

// ---- a run ---------------------------------------------------------------------------------

int TWinScreen::_prepareScores() {
    TLevel* l = level();
    TProfile& p = prof();
    levelScore = l ? l->score : 0;
    maxCombo = int(mainGame.mnoznik);
    mistakes = p.mistakes + p.kamienieWWorku;
    p.allLivings += l ? l->livingsCount : 0;
    levelTime = l ? l->czas : 0;
    bonusy = mainGame.useLivingsN;
    // The player's own total before this level (not whatever the previous run showed,
    // which may have belonged to another profile).
    p.lastScore = p.score;
    // The score line is centred as it reads once every treasure has landed.
    SetImageFont(font);
    totalX = centredX(txtLevelScore + std::to_string(levelScore));
    if (p.mistakes == 0) p.noMistakesOnLevel += 1;
    p.score += levelScore;
    totalScore = float(p.score);
    return 0;
}

int TWinScreen::_prepareSelf() {
    if (gHooks.tutorialDropTip) gHooks.tutorialDropTip();
    alpha = dAlpha = 0;
    awardsChecked = 0;
    aSpeed = 0.01f;
    endAlpha = dEndAlpha = 1;
    setState("BEGIN");
    fade = dFade = 0;
    fade2 = 0;
    dFade2 = 0.5f;
    scoreA = dScoreA = 0;
    showA = dShowA = 1;
    dGSpecAlpha = 1;
    TLevel* l = level();
    const size_t n = l ? fx::live(l->flyingTresures) : 0;
    maxTresures = n == 0 ? 1.0f : float(n);
    TProfile& p = prof();
    p.useOfSkull += p.tempUseOfSkull;
    p.useOfSword += p.tempUseOfSword;
    p.useOfMedalion += p.tempUseOfMedalion;
    p.useOfEye += p.tempUseOfEye;
    p.useOfMap += p.tempUseOfMap;
    return 0;
}

int TWinScreen::_prepareLevel() {
    if (TLevel* l = level()) l->hideNumbers();
    txtName.clear();
    if (auto entry = levelManager.getActualLevelData())
        txtName = levelManager.getNameByLevelData(entry->actualLevelNumber);
    // The title plaque is never left empty: a level without a name shows its place.
    if (txtName.empty()) {
        const TProfile& p = prof();
        txtName = txtStage + std::to_string(p.numerStageu) + " - " + txtLevel +
                  std::to_string(p.numerLevelu);
    }
    return 0;
}

int TWinScreen::prepare() {
    _prepareScores();
    _prepareSelf();
    _prepareTilesCopy();
    _prepareLevel();
    globalSnd.playMySound("win");
    return 0;
}

std::string TWinScreen::mainLoop() {
    prepare();
    while (frame()) {
    }
    return wynik;
}

bool TWinScreen::frame() {
    Cls();
    update();
    draw();
    myFlip(1, this);
    if (Gui && Gui->clickedItem("awards")) goAwards();
    TProfile& p = prof();
    if (mouse.leftPressed && showOver == 0 && p.numerStageu == 1 && p.numerLevelu == 4) {
        // The interlude ends the screen at once: the level's awards are granted first, or
        // they would be lost for good.
        if (!awardsChecked) {
            awardsChecked = 1;
            checkAwards();
        }
        if (gHooks.storyMaps) gHooks.storyMaps(*this);
        dFade = fade = 1;
        endAlpha = dEndAlpha = 0;
        wynik = "EXIT_FULL";
    }
    if (alpha * scoreA == 1 && mouse.leftPressed && !tipActive() && showOver == 0) dGSpecAlpha = 0;
    if (gSpecAlpha == 0 && dGSpecAlpha == 0) goExit();
    if (endAlpha == 0 && dEndAlpha == 0) dFade = 1;
    return !(fade == 1 && dFade == 1);
}

int TWinScreen::setState(const std::string& name) {
    state = str::upper(name);
    return 0;
}

int TWinScreen::show_hide_stats() {
    dShowA = dShowA == 0 ? 1.0f : 0.0f;
    return 0;
}

int TWinScreen::goAwards() {
    mouse.clear();
    if (!gHooks.awardGallery) return 0;
    gHooks.awardGallery(*this);
    return 1;
}

int TWinScreen::goExit() {
    dEndAlpha = dFade2 = dAlpha = dScoreA = dShowA = dOverA = 0;
    aSpeed = 0.05f;
    fx::clear(listaKamieni);
    return 0;
}

int TWinScreen::checkAwards() {
    TLevel* l = level();
    if (l && l->tutorialLevel != 0) return 0;
    TProfile& p = prof();
    const size_t before = p.awardy.size();
    if (gHooks.giveAward)
        runAwardRules([this](const std::shared_ptr<TAwardRecord>& a) { gHooks.giveAward(a, *this); });
    else
        runAwardRules();
    if (p.bylAwardsScreen == 0 && p.awardy.size() != before) {
        // Seen only once it was shown: without a gallery the next award opens it again.
        if (goAwards()) p.bylAwardsScreen = 1;
        mouse.clear();
        if (gHooks.tutorialUpdate) gHooks.tutorialUpdate(*this);
    }
    return 0;
}

// ---- per frame -----------------------------------------------------------------------------

int TWinScreen::update() {
    _updateSystem(0);
    _updateState();
    _updateLevelCopy();
    _updateFlyingTresures();
    _updateAlpha();
    _updateParticles();
    _updateEndAlpha();
    _updateFade();
    _updateGui();
    _updateScoreAlpha();
    _updateFade2();
    _updateLevel();
    _updateShowStats();
    const bool before = tipActive();
    if (gHooks.tutorialUpdate2) gHooks.tutorialUpdate2(*this);
    if (before && !tipActive()) {
        // The click that closed the tip does nothing else.
        mouse.clear();
        FlushMouse();
    }
    return 0;
}

int TWinScreen::_updateState() {
    if (state == "BEGIN") return _update_State_BEGIN();
    if (state == "FLY") return _update_State_FLY();
    if (state == "NEXT") return _update_state_NEXT();
    return 0;
}

int TWinScreen::_update_State_BEGIN() {
    setState("FLY");
    x1 = tab ? tab->xo : 0;
    y1 = tab ? tab->yo : 0;
    x2 = 403;
    y2 = 311;
    mx = x2;
    my = y1;
    per = 0;
    if (tab) tab->dgs = setProperScaleForTab();
    return 0;
}

int TWinScreen::_update_State_FLY() {
    dAlpha = 1;
    per = std::min(1.0f, per + 0.05f * delta);
    const float q = 1 - per;
    if (tab) {
        tab->xo = q * q * x1 + 2 * per * q * mx + per * per * x2;
        tab->yo = q * q * y1 + 2 * per * q * my + per * per * y2;
    }
    if (per == 1) {
        setState("NEXT");
        sendAllTresuresToSummary();
    }
    return 0;
}

int TWinScreen::_update_state_NEXT() {
    if (alpha == 1) dScoreA = 1;
    return 0;
}

int TWinScreen::_updateLevelCopy() {
    if (tab) tab->update();
    return 0;
}

int TWinScreen::_updateEndAlpha() {
    easeToward(endAlpha, dEndAlpha, 0.05f, delta);
    return 0;
}

int TWinScreen::_updateGui() {
    if (showA * alpha * scoreA == 1 && awardsChecked == 0) {
        // Marked first: an award panel draws this screen, and nothing in it may start a
        // second check.
        awardsChecked = 1;
        checkAwards();
    }
    easeToward(gSpecAlpha, dGSpecAlpha, 0.05f, delta);
    if (!Gui) return 0;
    const float a = alpha * scoreA * gSpecAlpha;
    for (auto& w : Gui->_listaObiektow)
        if (w) w->_alpha = w->_dAlpha = a;
    Gui->update();
    return 0;
}

int TWinScreen::_updateScoreAlpha() {
    easeToward(scoreA, dScoreA, 0.05f, delta);
    printScore = (1 - float(TFlyingTresure::flyingToSummaryCount) / maxTresures) * float(levelScore);
    return 0;
}

int TWinScreen::_updateFade2() {
    easeToward(fade2, dFade2, 0.05f, delta);
    return 0;
}

int TWinScreen::_updateLevel() {
    if (TLevel* l = level()) l->updateNumbers();
    return 0;
}

int TWinScreen::_updateShowStats() {
    easeToward(overA, dOverA, 0.05f, delta);
    easeToward(showA, dShowA, 0.05f, delta);
    showOver = (alpha == 1 && mouse.inRect(330, 560, 170, 40)) ? 1 : 0;
    dOverA = float(showOver);
    if (showOver && mouse.leftPressed) show_hide_stats();
    return 0;
}

// ---- drawing -------------------------------------------------------------------------------

int TWinScreen::draw() {
    _drawBack();
    _drawFade2();
    _drawPanel();
    resetDrawState();
    _drawGui();
    resetDrawState();
    _drawLevelCopy();
    _drawStats();
    _drawInfo();
    _drawLevelName();
    resetDrawState();
    _drawParticles();
    resetDrawState();
    _drawFlyingTresures();
    resetDrawState();
    if (gHooks.tutorialDraw) gHooks.tutorialDraw(*this);
    _drawFade();
    resetDrawState();
    _drawMouse();
    return 0;
}

int TWinScreen::_drawBack() {
    mainGame.draw();
    resetDrawState();
    return 0;
}

int TWinScreen::_drawFade2() {
    resetDrawState();
    SetColor(0, 0, 0);
    SetAlpha(fade2);
    DrawRect(0, 0, 1024, 768);
    return 0;
}

int TWinScreen::_drawPanel() {
    if (!img) return 0;
    resetDrawState();
    const float s = sinDeg(90 * alpha);
    SetScale(s, s);
    SetAlpha(alpha * endAlpha);
    DrawImage(img, 400, 400);
    return 0;
}

int TWinScreen::_drawLevelCopy() {
    resetDrawState();
    if (tab) tab->draw();
    resetDrawState();
    return 0;
}

int TWinScreen::_drawMyText(const std::string& text, float x, float y, const TRGB& colour, float a) {
    drawShadowedText(text, x, y, colour, a * alpha);
    return 0;
}

int TWinScreen::_drawStats() {
    const float a = scoreA * (1 - showA) * alpha * endAlpha;
    const TRGB& yellow = typestyle::kGold;
    const TRGB& white = typestyle::kBody;
    TProfile& p = prof();
    SetImageFont(font2);
    const std::string title =
        txtStage + std::to_string(p.numerStageu) + " - " + txtLevel + std::to_string(p.numerLevelu);
    _drawMyText(title, centredX(title), 160, yellow, a);
    SetImageFont(font);
    const struct {
        float y;
        const std::string& label;
        std::string value;
    } rows[] = {
        {220, txtLevelScore, std::to_string(levelScore)},
        {260, txtMaxCombo, std::to_string(maxCombo)},
        {300, txtMistakes, std::to_string(mistakes)},
        {340, txtLevelTime, getTimeString(levelTime)},
        {380, txtBonusy, std::to_string(bonusy)},
        {420, txtTotalScore, std::to_string(int(totalScore))},
    };
    for (const auto& r : rows) {
        _drawMyText(r.label, float(440 - TextWidth(r.label)), r.y, white, a);
        _drawMyText(r.value, 450, r.y, yellow, a);
    }
    resetDrawState();
    return 0;
}

int TWinScreen::_drawInfo() {
    SetImageFont(font);
    _drawMyText(txtLevelScore + std::to_string(int(printScore)), totalX, 530, typestyle::kGold,
                scoreA * alpha);
    _drawGoOn();
    return _drawShowStatsButtons();
}

int TWinScreen::_drawGoOn() {
    // Only while a click goes on: the score has counted up and the card stands.
    if (txtGoOn.empty() || alpha * scoreA != 1) return 0;
    SetImageFont(goOnFont);
    _drawMyText(txtGoOn, 150, 662, typestyle::kBody, endAlpha * gSpecAlpha);
    return 0;
}

int TWinScreen::_drawShowStatsButtons() {
    SetImageFont(font);
    const float g = endAlpha * alpha * gSpecAlpha;
    // The one line here that answers the pointer: the highlight role, lit under the mouse.
    const TRGB& yellow = typestyle::kHighlight;
    const struct {
        const std::string& text;
        float share;
    } layers[] = {{txtShowStats, showA}, {txtHideStats, 1 - showA}};
    for (const auto& l : layers) {
        const float x = centredX(l.text);
        _drawMyText(l.text, x, 560, yellow, scoreA * l.share * g);
        SetColor(typestyle::kHighlight.r, typestyle::kHighlight.g, typestyle::kHighlight.b);
        SetBlend(ALPHABLEND);
        SetAlpha(overA * 0.4f * l.share * g);
        DrawText(l.text, x, 560);
        SetBlend(LIGHTBLEND);
        SetAlpha(overA * l.share * g);
        DrawText(l.text, x, 560);
    }
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetColor(255, 255, 255);
    return 0;
}

int TWinScreen::_drawLevelName() {
    if (txtName.empty()) return 0;
    SetImageFont(nameFont);
    resetDrawState();
    const int w = TextWidth(txtName);
    SetScale(alpha, alpha);
    const float x = float(400 - w / 2) + (1 - alpha) * float(w) / 2;
    const float y = 105 + (1 - alpha) * 100;
    // Title role: gold over an ink shadow. The name keeps its plaque in the statistics view
    // too: only the picture gives way to the table, or the plaque would stand empty.
    const float a = alpha * scoreA;
    const TRGB& ink = typestyle::kInk;
    SetColor(ink.r, ink.g, ink.b);
    SetAlpha(0.6f * a);
    DrawText(txtName, x + 2, y + 2);
    SetColor(typestyle::kGold.r, typestyle::kGold.g, typestyle::kGold.b);
    SetAlpha(a);
    DrawText(txtName, x, y);
    resetDrawState();
    return 0;
}

int TWinScreen::_drawFlyingTresures() {
    TLevel* l = level();
    if (!l) return 0;
    SetBlend(ALPHABLEND);
    fx::each(l->flyingTresures, [](TFlyingTresure& t) {
        if (t.per > 0.1f && t.summary) {
            SetScale(1, 1);
            SetAlpha(1);
            SetRotation(0);
            t.draw();
        }
    });
    resetDrawState();
    return 0;
}
