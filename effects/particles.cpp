#include "effects/particles.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "effects/curve.h"
#include "gui/data/qcmfile.h"
#include "gui/globals.h"
#include "platform/strings.h"
#include "platform/system.h"

std::vector<TImage> TParticle::img;
TParticleList particlesList;

namespace {

// Highest image index the table accepts from the data file; a wild number must not make
// the loader try millions of paths.
constexpr int kMaxParticleIndex = 255;

}  // namespace

void TParticle::_updateTime() {
    const int32_t now = Millisecs();
    if (now < startTime) {
        lifePer = 0;
        return;
    }
    if (!_born) {
        _born = true;
        bornTime = now;
    }
    const int32_t elapsed = now - bornTime;
    lifePer = float(double(elapsed) / double(lifeTime));
    if (lifePer > 1) lifePer = 1;
    if (elapsed > lifeTime) destroy();
}

void TParticle::_updateAlpha() { a = startA + (da - startA) * lifePer; }

void TParticle::_updateScale() { s = startS + (ds - startS) * lifePer; }

void TParticle::_updatePosition() { r = startR + (dr - startR) * lifePer; }

void TParticle::_updateMove() {
    per = lifePer;
    x = fx::bezier(x1, mx, x2, per);
    y = fx::bezier(y1, my, y2, per);
}

void TParticle::update() {
    _updateTime();
    _updateAlpha();
    _updateScale();
    _updatePosition();
    _updateMove();
}

void TParticle::draw() {
    if (_dead || Millisecs() < startTime) return;
    // An entry whose image failed to load (or an index the table lacks) shows nothing.
    if (n < 0 || size_t(n) >= img.size() || !img[size_t(n)]) return;
    SetBlend(blend == kParticleLightBlend ? LIGHTBLEND : ALPHABLEND);
    SetRotation(r);
    if (rgb)
        SetColor(rgb->r, rgb->g, rgb->b);
    else
        SetColor(255, 255, 255);
    SetAlpha(a);
    SetScale(s, s);
    DrawImage(img[size_t(n)], x, y, 0);
}

void TParticle::destroy() {
    // During a walk of its list the mark is all a removal does, and finding the entry first
    // would cost a pass over the list per spark: thousands of sparks die in a frame.
    if (list && !fx::walking(*list))
        fx::remove(*list, this);
    else
        _dead = true;
}

std::shared_ptr<TParticle> createParticle(int n, float x1, float y1, float x2, float y2, float mx,
                                          float my, std::shared_ptr<TRGB> rgb, float a, float da,
                                          float s, float ds, float r, float dr, int blend,
                                          int delay, int life, TParticleList* list) {
    if (!list) list = &particlesList;
    auto p = std::make_shared<TParticle>();
    p->n = n;
    p->x1 = x1, p->y1 = y1;
    p->x2 = x2, p->y2 = y2;
    p->mx = mx, p->my = my;
    p->rgb = std::move(rgb);
    p->a = p->startA = a;
    p->da = da;
    p->s = p->startS = s;
    p->ds = ds;
    p->r = p->startR = r;
    p->dr = dr;
    p->blend = blend;
    p->startTime = Millisecs() + delay;
    p->lifeTime = std::max(1, life);
    p->list = list;
    p->lifePer = 0;
    p->_updateMove();
    list->push_back(p);
    return p;
}

void _updateParticles(TParticleList* list) {
    fx::walk(list ? *list : particlesList, [](TParticle& p) { p.update(); });
}

void _drawParticles(TParticleList* list) {
    fx::each(list ? *list : particlesList, [](TParticle& p) { p.draw(); });
}

int TParticle::setup() {
    const std::string table = bDir + "data/particles.dat";
    auto f = loadQCMFile(table);
    const float top = f->getFloat("particles::i");
    // Clamped as a float first: a huge count would not fit an int.
    int last = std::isfinite(top) ? int(std::clamp(top, -1.0f, float(kMaxParticleIndex) + 1.0f)) : 0;
    if (last < 0 || last > kMaxParticleIndex) {
        Print("data/particles.dat: particles::i " + str::formatInt(last) + " outside 0.." +
              str::formatInt(kMaxParticleIndex) + ", read as " +
              str::formatInt(std::clamp(last, 0, kMaxParticleIndex)));
        last = std::clamp(last, 0, kMaxParticleIndex);
    }
    std::vector<TImage> images(size_t(last) + 1);
    std::vector<std::string> missing;
    for (int i = 0; i <= last; ++i) {
        const std::string key = "particles::p" + str::formatInt(i);
        const std::string path = f->getString(key);
        TImage image = path.empty() ? nullptr : LoadImage(bDir + path, FILTEREDIMAGE | MIPMAPPEDIMAGE);
        if (!image) {
            missing.push_back("NO PARTICLE IMG: " + path);
            continue;
        }
        const float hx = f->getFloat(key + "handle", 0);
        if (hx == 0)
            MidHandleImage(image);
        else
            SetImageHandle(image, hx, f->getFloat(key + "handle", 1));
        images[size_t(i)] = image;
    }
    // One message for the lot: a missing picture folder is one cause, not one per picture.
    if (!missing.empty())
        Notify(listedMessage("Pictures named in \"" + table + "\" are missing or damaged, so those sparkles are not drawn:",
                             missing));
    img = std::move(images);
    return 0;
}

int setupParticles() { return TParticle::setup(); }

void resetParticles() {
    particlesList.clear();
    TParticle::img.clear();
}
