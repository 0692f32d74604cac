#include "screens/awards/award_screen.h"

#include <algorithm>

#include "app/frame.h"
#include "app/profile/profile.h"
#include "app/profile/profile_manager.h"
#include "game/awards/award_file.h"
#include "gui/data/txtfile.h"
#include "gui/frame/fontcache.h"
#include "gui/frame/mouse.h"
#include "gui/globals.h"
#include "gui/text/type_style.h"
#include "screens/awards/show_award.h"
#include "screens/menu/main_menu.h"
#include "screens/win/win_screen.h"

TAwardScreen awardScreen;

namespace {

bool contains(const TAwardRecordList& list, int32_t id) {
    return std::any_of(list.begin(), list.end(), [id](const auto& a) { return a->id == id; });
}

// The picture's box, edges inside. An award without a picture has none.
bool under(const TAwardRecord& a, int mx, int my) {
    if (!a.img) return false;
    const int w = ImageWidth(a.img), h = ImageHeight(a.img);
    const int left = int(a.x - float(w / 2)), top = int(a.y - float(h / 2));
    return mx >= left && mx <= left + w && my >= top && my <= top + h;
}

void openGallery(TEkran& caller) {
    awardScreen.ekran = &caller;
    awardScreen.mainLoop();
}

}  // namespace

TAwardScreen::TAwardScreen() { id = "AWARD-SCREEN"; }

void resetAwardScreen() {
    awardScreen.~TAwardScreen();
    new (&awardScreen) TAwardScreen();
    resetShowAward();
}

int TAwardScreen::_setupSelf() {
    auto txt = loadTxtFile(bDir + "txt/#LANG#/awardScreen.txt");
    txtClick = readTxtData(txt, 1);
    txtThropies = readTxtData(txt, 2);
    back = LoadImage(bDir + "gfx/gui/awardScreen/back.jpg");
    font = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 16);
    font2 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 28);
    font3 = myLoadImageFont(bDir + "gfx/fonts/berry.ttf", 36);
    awardLabelFont = font;
    return 0;
}

int TAwardScreen::_setupAwards() {
    loadAwardDefinitions();
    return 0;
}

int TAwardScreen::setup() {
    _setupSelf();
    _setupAwards();
    loaded = true;
    return 0;
}

int TAwardScreen::_prepareSelf() {
    alpha = 0;
    dAlpha = 1;
    overAward = nullptr;
    return 0;
}

int TAwardScreen::_prepareAwards() {
    listaDoWyswietlenia.clear();
    listaDoZbadania.clear();
    const TProfile* p = profileManager.profile.get();
    for (const auto& a : awardsList) {
        if (!a) continue;
        auto best = p ? std::dynamic_pointer_cast<TAwardRecord>(p->getHighestAwardByTyp(a->typ)) : nullptr;
        if (best) {
            if (!contains(listaDoWyswietlenia, best->id)) {
                listaDoWyswietlenia.push_back(best);
                listaDoZbadania.push_back(best);
            }
        } else if (a->level == 1) {
            listaDoZbadania.push_back(a);
        }
    }
    for (auto& a : listaDoWyswietlenia) a->licznik = p ? p->countAward(a->id) : 0;
    return 0;
}

int TAwardScreen::prepare() {
    _prepareSelf();
    _prepareAwards();
    return 0;
}

int TAwardScreen::_updateAwards() {
    overAward = nullptr;
    for (auto& a : listaDoZbadania) {
        if (under(*a, mouse.x, mouse.y)) {
            a->dOverA = a->dToolA = 1;
            overAward = a;
        } else {
            a->dOverA = a->dToolA = 0;
        }
        a->update();
    }
    if (overAward && mouse.leftPressed && alpha == 1) showAward.mainLoop(overAward, this);
    return 0;
}

int TAwardScreen::update() {
    _updateSystem(0);
    _updateAlpha();
    _updateAwards();
    return 0;
}

int TAwardScreen::_drawBack() {
    if (!ekran) ekran = &mainMenu;
    ekran->draw();
    return 0;
}

int TAwardScreen::_drawFront() {
    SetAlpha(alpha);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetScale(1, 1);
    SetRotation(0);
    if (back) DrawImage(back, 0, 0);
    return 0;
}

int TAwardScreen::_drawAwards() {
    // Every kind's silhouette, under its medal when one is held.
    SetScale(1, 1);
    SetColor(0, 0, 0);
    SetAlpha(0.3f * alpha);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    for (const auto& a : awardsList)
        if (a && a->level == 1 && a->img) DrawImage(a->img, a->x, a->y);
    SetColor(255, 255, 255);
    SetAlpha(alpha);
    for (const auto& a : listaDoZbadania) {
        if (contains(listaDoWyswietlenia, a->id)) a->draw(alpha);
        else a->draw2(alpha);
    }
    return 0;
}

int TAwardScreen::_drawInfo() {
    SetImageFont(font3);
    const float hx = float(512 - TextWidth(txtThropies) / 2), hy = 20;
    SetImageFont(font2);
    const float cx = float(512 - TextWidth(txtClick) / 2), cy = 725;
    const float around[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetColor(typestyle::kInk.r, typestyle::kInk.g, typestyle::kInk.b);
    // A shadow, then an outline, of the heading and then of the hint.
    SetAlpha(0.4f * alpha);
    SetImageFont(font3);
    DrawText(txtThropies, hx + 2, hy + 2);
    SetImageFont(font2);
    DrawText(txtClick, cx + 2, cy + 2);
    SetAlpha(alpha);
    SetImageFont(font3);
    for (const auto& o : around) DrawText(txtThropies, hx + o[0], hy + o[1]);
    SetImageFont(font2);
    for (const auto& o : around) DrawText(txtClick, cx + o[0], cy + o[1]);
    SetColor(typestyle::kGold.r, typestyle::kGold.g, typestyle::kGold.b);
    DrawText(txtClick, cx, cy);
    SetImageFont(font3);
    DrawText(txtThropies, hx, hy);
    return 0;
}

int TAwardScreen::draw() {
    _drawBack();
    _drawFront();
    _drawAwards();
    _drawInfo();
    _drawMouse();
    return 0;
}

int TAwardScreen::mainLoop() {
    prepare();
    while (true) {
        Cls();
        update();
        draw();
        myFlip(1, this);
        if (mouse.leftPressed && !overAward) dAlpha = 0;
        if (alpha == 0 && dAlpha == 0) break;
    }
    return 0;
}

void installAwardScreens() {
    if (!showAward.loaded) showAward.setup();
    if (!awardScreen.loaded) awardScreen._setupSelf();
    menuHooks().awards = openGallery;
    winHooks().awardGallery = openGallery;
}
