#include "app/ekran.h"

#include "gui/core/gui.h"
#include "gui/core/guiobject.h"
#include "gui/frame/letterbox.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"

namespace {
std::function<int(const std::string&)> gPickDialog;
std::function<void(TEkran&, int)> gShowDialog;
}  // namespace

float pictureWidth() {
    float w = AspectResolutionWidth();
    return w > 0 ? w : VirtualResolutionWidth();
}
float pictureHeight() {
    float h = AspectResolutionHeight();
    return h > 0 ? h : VirtualResolutionHeight();
}

void easeToward(float& value, float target, float speed, float frameDelta) {
    if (value < target) {
        value += speed * frameDelta;
        if (value > target) value = target;
    }
    if (value > target) {
        value -= speed * frameDelta;
        if (value < target) value = target;
    }
}

void SetDialogService(std::function<int(const std::string&)> pick,
                      std::function<void(TEkran&, int)> show) {
    gPickDialog = std::move(pick);
    gShowDialog = std::move(show);
}

int TEkran::_drawGui() {
    if (Gui) Gui->draw();
    return 0;
}

int TEkran::_drawFade() {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(fade);
    SetColor(0, 0, 0);
    DrawRect(0, 0, pictureWidth(), pictureHeight());
    return 0;
}

int TEkran::_drawMouse() {
    mouse.draw();
    return 0;
}

int TEkran::_updatePer() {
    easeToward(p, dp, pSpeed, delta);
    return 0;
}

int TEkran::_updateFade() {
    easeToward(fade, dFade, fSpeed, delta);
    return 0;
}

int TEkran::_updateAlpha() {
    easeToward(alpha, dAlpha, aSpeed, delta);
    return 0;
}

int TEkran::_updateGui() {
    if (!Gui) return 0;
    for (auto& obj : Gui->_listaObiektow) {
        if (!obj) continue;
        obj->_alpha = alpha;
        obj->_dAlpha = alpha;
    }
    Gui->update();
    return 0;
}

TImage TEkran::_getMyScreen() {
    Cls();
    draw();
    return GrabImage(0, 0, int(pictureWidth() - 1), int(pictureHeight() - 1));
}

int TEkran::STANDARD_DATA() {
    alpha = 1;
    dAlpha = 1;
    fade = 0;
    dFade = 0;
    return 0;
}

int TEkran::_prepareDelta() {
    for (int i = 0; i < 25; ++i) deltaUpdate();
    return 0;
}

int TEkran::checkDialogs(const std::string& which) {
    if (!gPickDialog) return 0;
    int n = gPickDialog(which);
    if (n != 0 && gShowDialog) gShowDialog(*this, n);
    return 0;
}
