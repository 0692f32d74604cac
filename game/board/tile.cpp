#include "game/board/tile.h"

#include <algorithm>
#include <initializer_list>

#include "game/board/ease.h"
#include "game/board/level.h"
#include "game/board/links.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "platform/strings.h"
#include "platform/system.h"

using namespace tilestate;

std::array<TImage, kTileSizeClasses> TTile::overImg;
float TTile::testSpeed = 1.0f;

void resetTileStatics() {
    TTile::overImg = {};
    TTile::testSpeed = 1.0f;
}

namespace {

// Points a right move pays, before the play screen's multiplier.
constexpr int kMoveScore = 25;
// Time between the accepted cells of one released line.
constexpr int kLineStep = 50;
// Pacing of splinters and eye sparkles.
constexpr int kParticlePause = 50;

bool isOneOf(const std::string& s, std::initializer_list<const std::string*> names) {
    for (const std::string* n : names)
        if (s == *n) return true;
    return false;
}

TImage imageOf(const std::array<TImage, kTileSizeClasses>& set, int size) {
    return set[size_t(clampSizeClass(size))];
}

}  // namespace

int TTile::sizeClass() const { return _level ? clampSizeClass(_level->size) : 0; }

int TTile::isPicture() const { return td && td->id != 0 ? 1 : 0; }

// ---- moves ----------------------------------------------------------------------------

int TTile::odkryj(int delay) {
    if (isCleared() || odkryty || _rightBreakPending()) return 0;
    if (zadanie == "BROKE") {
        playLink().showTipToBroke(*this);
        return 0;
    }
    if (turnoff) return 0;

    revTime = scoreTime = Millisecs() + delay;
    if (isPicture()) {
        setState(ODKRYJ_1);
        punktuj = 1;
        useLiving();
        playLink().setLastMove(0);
    } else {
        setState(ROZBIJ_3);
        usunLiving();
        playLink().setLastMove(1);
    }
    return kLineStep;
}

int TTile::rozbij(int delay) {
    if (isCleared() || odkryty || _rightBreakPending()) return 0;
    if (zadanie == "UNCOVER") {
        playLink().showTipToUncover(*this);
        return 0;
    }
    if (turnoff) return 0;

    revTime = scoreTime = Millisecs() + delay;
    if (!isPicture()) {
        setState(ODKRYJ_3);
        punktuj = 1;
        useLiving();
        playLink().setLastMove(0);
    } else {
        setState(ROZBIJ_1);
        usunLiving();
        playLink().setLastMove(1);
    }
    return kLineStep;
}

int TTile::uncoverSafe() {
    if (isPicture())
        odkryj(0);
    else
        rozbij(0);
    return 0;
}

int TTile::reveal() {
    // A picture cell broken by mistake stays broken: opening it again would pay it twice.
    if (odkryty || broken) return 0;
    setState(ODKRYJ_1);
    punktuj = 1;
    useLiving();
    return 0;
}

// ---- per frame --------------------------------------------------------------------------

int TTile::setState(const std::string& name) {
    state = str::upper(name);
    if (state == ODKRYJ_1 || state == ROZBIJ_1) {
        animTime = 0;
    } else if (state == ODKRYJ_2) {
        animTime = 0;
        odkryty = 1;
    } else if (state == ROZBIJ_2 || state == ROZBIJ_3) {
        animTime = 0;
        broken = 1;
        odkryty = 1;
    }
    return 0;
}

int TTile::update() {
    if (punktuj == 1 && punktowane == 0 && Millisecs() > scoreTime) {
        playLink().addScore(kMoveScore, x(), y());
        punktowane = 1;
    }
    if (state == ODKRYJ_1) return update_state_ODKRYJ_1();
    if (state == ODKRYJ_2) return update_state_ODKRYJ_2();
    if (state == ODKRYJ_3) return update_state_ODKRYJ_3();
    if (state == ROZBIJ_1) return update_state_ROZBIJ_1();
    if (state == ROZBIJ_2) return update_state_ROZBIJ_2();
    if (state == ROZBIJ_3) return update_state_ROZBIJ_3();
    if (state == ODKRYTY) return update_state_ODKRYTY();
    if (state == ODKRYJ_TILES) return update_state_ODKRYJ_TILES();
    return 0;
}

bool TTile::_waiting() const { return Millisecs() < revTime; }

// A right break waiting to play out sets no flag yet, so the cleared test alone would let
// the same cell take a second, contrary move (paid and punished at once).
bool TTile::_rightBreakPending() const { return state == ODKRYJ_3; }

bool TTile::_stepFrames(float last) {
    if (animTime >= last) return true;
    animTime += 0.5f * testSpeed * delta;
    if (animTime > last) animTime = last;
    return false;
}

int TTile::_uncoverPlayOut(const char* sound) {
    if (_waiting()) return 0;
    if (timeElapsed == 0) {
        timeElapsed = 1;
        servicesLink().playMySound(sound);
    }
    if (!isPicture()) {
        odkryty = 1;
        setState(ODKRYJ_2);
        rozbijNaKwadraty();
        return 0;
    }
    const float last = tdHide ? tdHide->hideFrames - 1 : 0.0f;
    if (_stepFrames(last)) {
        animTime = 0;
        odkryty = 1;
        setState(ODKRYJ_2);
    }
    return 0;
}

int TTile::update_state_ODKRYJ_1() { return _uncoverPlayOut("tile_right"); }

int TTile::update_state_ODKRYJ_3() { return _uncoverPlayOut("break_right"); }

int TTile::update_state_ODKRYJ_2() {
    if (_waiting()) return 0;
    if (!isPicture()) {
        update_state_ROZBIJAJ_DESKE();
        setState(ODKRYTY);
        return 0;
    }
    setState(ODKRYJ_TILES);
    if (tresure) {
        // Null for a cell not owned by a shared_ptr; the treasure then flies unlinked.
        auto self = weak_from_this().lock();
        // The last frame of its strip; a strip without frames from bad data shows frame 0.
        const int lastFrame = std::max(0, tresure->frames - 1);
        _myTresure =
            effectsLink().createFlyingTresure(tresure, sizeClass(), lastFrame, x(), y(), self);
        tresure.reset();
    }
    return 0;
}

int TTile::update_state_ROZBIJAJ_DESKE() {
    const int now = Millisecs();
    if (now > partTime) {
        partTime = now + kParticlePause;
        for (int i = 0; i < 4; ++i) effectsLink().createDrzazga(x(), y());
    }
    return 0;
}

int TTile::update_state_ODKRYJ_TILES() {
    if (_waiting()) return 0;
    easeToward(odkrA, 1.0f, 0.025f * testSpeed * delta);
    if (odkrA >= 1.0f) setState(ODKRYTY);
    return 0;
}

int TTile::update_state_ROZBIJ_1() {
    if (_waiting()) return 0;
    rozbijNaKwadraty();
    broken = 1;
    setState(ROZBITY);
    playLink().wyslijKamien(*this);
    servicesLink().playMySound("break_wrong");
    return 0;
}

int TTile::update_state_ROZBIJ_2() {
    if (_waiting()) return 0;
    const float last = td ? float(td->brokeFrames - 1) : 0.0f;
    if (_stepFrames(last)) {
        setState(ROZBITY);
        servicesLink().playMySound("break_wrong");
        playLink().wyslijKamien(*this);
    }
    return 0;
}

int TTile::update_state_ROZBIJ_3() {
    if (_waiting()) return 0;
    if (timeElapsed == 0) {
        timeElapsed = 1;
        servicesLink().playMySound("tile_wrong");
    }
    const float last = tdHide ? tdHide->hideFrames - 1 : 0.0f;
    if (_stepFrames(last)) {
        setState(ROZBITY);
        rozbijNaKwadraty();
        playLink().wyslijKamien(*this);
    }
    return 0;
}

int TTile::updateOver() {
    if (!td) return 0;
    const TImage img = imageOf(td->gfx, sizeClass());
    const float w = float(ImageWidth(img));
    const float h = float(ImageHeight(img));
    return mouse.inRect(int(x() - w / 2), int(y() - h / 2), int(w), int(h));
}

int TTile::updateOverEditor() { return updateOver(); }

int TTile::generateOko() {
    const int now = Millisecs();
    if (now > genTime) {
        genTime = now + kParticlePause;
        const TImage img = imageOf(overImg, sizeClass());
        const float w = float(ImageWidth(img));
        const float h = float(ImageHeight(img));
        for (int i = 0; i < 3; ++i) effectsLink().createOkoParticle(x(), y(), w, h);
    }
    return 0;
}

// ---- questions --------------------------------------------------------------------------

int TTile::isUncovered() const {
    return (isOneOf(state, {&ODKRYJ_1, &ODKRYJ_2, &ROZBIJ_1, &ROZBIJ_2, &ODKRYTY}) || odkryty == 1)
               ? 1
               : 0;
}

int TTile::isCleared() const { return (isUncovered() || broken == 1) ? 1 : 0; }

int TTile::isClearedForCaptions() const { return (isCleared() || !isPicture()) ? 1 : 0; }

namespace {
bool inDoneState(const std::string& s) {
    return isOneOf(s, {&ODKRYTY, &ODKRYJ_1, &ODKRYJ_2, &ROZBITY, &ROZBIJ_1, &ROZBIJ_2});
}
}  // namespace

int TTile::isDone() const {
    if (_myTresure) return 0;
    return (inDoneState(state) || !isPicture()) ? 1 : 0;
}

int TTile::isDone2() const { return (!_myTresure && inDoneState(state)) ? 1 : 0; }

int TTile::isRevealed() const {
    return (!_myTresure && (state == ODKRYTY || state == ROZBITY)) ? 1 : 0;
}

int TTile::IAmOver() {
    TTile* over = playLink().overTile();
    return (over && (over->r == r || over->c == c)) ? 1 : 0;
}

int TTile::checkCwiartka() const {
    const bool right = x() >= 512;
    const bool bottom = y() >= 384;
    return (bottom ? 2 : 0) + (right ? 1 : 0);
}

TImage TTile::getImg() const {
    if (isPicture()) return imageOf(td->gfx, sizeClass());
    if (odkryty == 1 || !tdHide) return nullptr;
    return imageOf(tdHide->hideImg, sizeClass());
}

int TTile::getFrame() const {
    // The last frame of each strip, never below frame 0 whatever the data says.
    if (isPicture()) return std::max(0, td->frames - 1);
    return tdHide ? std::max(0, int(tdHide->hideFrames - 1)) : 0;
}

// ---- save code --------------------------------------------------------------------------

std::string TTile::getSaveStateData() const {
    return str::formatInt(odkryty) + " " + str::formatInt(broken);
}

int TTile::setOdkrytyData(int odkrytyFlag, int brokenFlag) {
    // Any non-zero flag from a file counts as set: the rest of the cell compares with 1.
    odkryty = odkrytyFlag != 0 ? 1 : 0;
    broken = brokenFlag != 0 ? 1 : 0;
    if (odkryty) state = ODKRYTY;
    if (broken) state = ROZBITY;
    if (odkryty || broken) punktowane = 1;
    odkrA = 1;
    return 0;
}

// ---- records ----------------------------------------------------------------------------

int TTile::setTileData(std::shared_ptr<TTileData> data) {
    td = std::move(data);
    return 0;
}

int TTile::setTileHideData(std::shared_ptr<TTileHideGFX> data) {
    tdHide = std::move(data);
    return 0;
}

int TTile::setTresure(std::shared_ptr<TTresureData> data) {
    tresure = std::move(data);
    return 0;
}

// ---- creatures and debris ---------------------------------------------------------------

int TTile::useLiving() {
    if (!_living) return 0;
    playLink().addLivingUsed();
    auto living = std::move(_living);
    _living.reset();
    effectsLink().useLiving(*living);
    return 0;
}

int TTile::usunLiving() {
    if (!_living) return 0;
    auto living = std::move(_living);
    _living.reset();
    const float x2 = x() + float(Rand(-100, 100));
    const float y2 = 800.0f + float(Rand(10, 100));
    effectsLink().dropLiving(*living, sizeClass(), x(), y(), x2, y2, x(), y2);
    if (_level) {
        _level->livings.remove(living);
        _level->rozbitoZwierzatko = 1;
    }
    return 0;
}

int TTile::rozbijNaKwadraty() {
    TImage img = td ? imageOf(td->gfx, sizeClass()) : nullptr;
    const int halfW = ImageWidth(img) / 2;
    const int halfH = ImageHeight(img) / 2;
    effectsLink().createPlatesQ(sizeClass(), x() - float(halfW), y() - float(halfH));
    return 0;
}

// ---- tutorial marks ---------------------------------------------------------------------

int TTile::setZadanie(const std::string& task, const std::string& after) {
    zadanie = str::upper(task);
    poZadaniu = str::upper(after);
    return 0;
}

int TTile::lightMeUp() {
    dLightUpA = 1;
    return 0;
}

int TTile::lightMeDown() {
    dLightUpA = 0;
    return 0;
}

int TTile::updateTutorial() {
    _updateTutorial_light();
    _updateTutorial_zadanie();
    return 0;
}

int TTile::_updateTutorial_light() {
    easeToward(lightUPa, dLightUpA, 0.05f * delta);
    return 0;
}

int TTile::_updateTutorial_zadanie() {
    if ((zadanie == "UNCOVER" && odkryty == 1) ||
        (zadanie == "BROKE" && (odkryty == 1 || broken == 1)))
        tutorialEndZadanie();
    return 0;
}

int TTile::tutorialEndZadanie() {
    if (poZadaniu == "LIGHT-DOWN") dLightUpA = 0;
    zadanie.clear();
    return 0;
}
