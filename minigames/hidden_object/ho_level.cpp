#include "minigames/hidden_object/ho_level.h"

#include "gui/frame/deltatime.h"
#include "gui/globals.h"
#include "minigames/hidden_object/ho_level_file.h"
#include "minigames/hidden_object/ho_playable.h"
#include "platform/system.h"

int THOGroup::isObject(int id) const {
    for (const auto& o : objects)
        if (o && o->id == id) return 1;
    return 0;
}

int THOGroup::getFound() const {
    int n = 0;
    for (const auto& o : objects)
        if (o && o->state == "DONE") ++n;
    return n;
}

std::shared_ptr<THObject> THOLevel::getObjectById(int id) const {
    for (const auto& o : objects)
        if (o && o->id == id) return o;
    return nullptr;
}

int THOLevel::completed() const {
    for (const auto& o : objects)
        if (o && o->state != "DONE") return 0;
    return 1;
}

bool THOLevel::playable() const { return hoUnplayable(*this).empty(); }

bool THOLevel::saveTo(const std::string& path) const { return saveHOLevel(*this, path) == 0; }

int TLevelLight::update() {
    const int now = Millisecs();
    if (now > time) {
        da = da == 0 ? 1.0f : 0.0f;
        time = now + Rand(2500, 5000);
    }
    if (a < da) {
        a += 0.005f * delta;
        if (a > da) a = da;
    } else if (a > da) {
        a -= 0.005f * delta;
        if (a < da) a = da;
    }
    return 0;
}

int TLevelLight::draw() {
    update();
    if (!img) return 0;
    SetAlpha(a);
    SetScale(1, 1);
    SetBlend(LIGHTBLEND);
    SetRotation(0);
    SetColor(255, 255, 255);
    DrawImage(img, float(x), float(y));
    return 0;
}

int TLevelLight::reset() {
    da = da == 0 ? 1.0f : 0.0f;
    return 0;
}

int TMaskImg::draw() {
    if (!img) return 0;
    SetColor(255, 255, 255);
    SetScale(1, 1);
    SetRotation(0);
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    DrawImage(img, x, y);
    return 0;
}

std::shared_ptr<TMaskImg> createMaskImg(const std::string& url, float x, float y) {
    auto m = std::make_shared<TMaskImg>();
    m->img = loadHOImage(url);
    m->x = x;
    m->y = y;
    m->url = url;
    return m;
}
