#include "gui/widgets/slider.h"

#include "gui/frame/mouse.h"
#include "gui/widgets/theme.h"
#include "platform/graphics.h"

namespace {

float imgW(const TImage& img) { return img ? float(ImageWidth(img)) : 0.0f; }
float imgH(const TImage& img) { return img ? float(ImageHeight(img)) : 0.0f; }

void put(const TImage& img, float x, float y, int frame = 0) {
    if (img) DrawImage(img, x, y, frame);
}

}  // namespace

std::shared_ptr<TSuwak> createSuwak(const std::string& name, int x, int y, int h, int ilosc,
                                    std::shared_ptr<TTheme> theme) {
    auto s = std::make_shared<TSuwak>();
    const int capW = theme ? int(imgW(theme->suwak[0])) : 0;
    s->dim = createSimpleDim(x, y);
    s->dim->w = float(capW);
    s->dim->h = float(h);
    s->dim->x1 = float(x - capW / 2);
    s->dim->x2 = float(x + capW / 2);
    s->dim->y1 = float(y);
    s->dim->y2 = float(y + h);
    s->_id = name;
    s->theme = std::move(theme);
    // A track of no positions would make the thumb infinitely long.
    s->ilosc = ilosc < 1 ? 1 : ilosc;
    s->obliczSkale();
    s->_class = QGM_suwak;
    return s;
}

int TSuwak::obliczSkale() {
    dlugosc = dim->h / float(ilosc < 1 ? 1 : ilosc);
    const float mid = theme ? imgH(theme->suwak[4]) : 0.0f;
    const float bottom = theme ? imgH(theme->suwak[5]) : 0.0f;
    skala = mid > 0 ? (dlugosc - bottom) / mid : 0.0f;
    return 0;
}

int TSuwak::bottomStop() const { return int((dlugosc - 1) * float(ilosc - 1)); }

int TSuwak::position() const {
    // The thumb stops one pixel per position short of a whole track length, so its run is
    // shared out among the positions: the bottom stop reads the last one on any track.
    const int run = bottomStop();
    if (ilosc <= 1 || run <= 0) return 0;
    const int p = int(float(ySuwaka) * float(ilosc - 1) / float(run) + 0.5f);
    return p < 0 ? 0 : (p > ilosc - 1 ? ilosc - 1 : p);
}

int TSuwak::updateMe(float x, float y) {
    const TMouse& m = _mysz();
    const int bw = theme ? int(imgW(theme->_suwakImg[0])) : 0;
    const float bh = theme ? imgH(theme->_suwakImg[0]) : 0.0f;
    const int half = bw / 2;
    const float cx = dim->x + x, ty = dim->y + y, by = dim->y + dim->h + y;
    auto button = [&](int top, int bottom, int& over, int& clicked, int& held) {
        const int left = int(cx - float(half)), right = int(cx + float(half));
        if (m.x > left && m.x < right && m.y > top && m.y < bottom) {
            over = 1;
            clicked = m.leftPressed;
            held = m.leftHolded;
        } else {
            over = 0;
        }
    };
    button(int(ty - bh), int(ty), _over1, _clicked1, _holded1);
    button(int(by), int(by + 1.5f * bh), _over2, _clicked2, _holded2);
    return updateSuwak(int(x), int(y));
}

int TSuwak::updateSuwak(int x, int y) {
    const TMouse& m = _mysz();
    int top = 0, bottom = 0, left = 0, right = 0;
    if (_dir == 0) {
        if (_suwakHolded) wyznaczPozycjeY(y);
        const int bw = theme ? int(imgW(theme->_suwakImg[0])) : 0;
        const float capH = theme ? imgH(theme->suwak[5]) : 0.0f;
        const float t = dim->y + float(y) + float(ySuwaka) + 1;
        top = int(t);
        bottom = int(t + dlugosc + capH);
        left = int(dim->x + float(x) - float(bw / 2));
        right = int(dim->x + float(x) + float(bw / 2));
    }
    if (m.x > left && m.x < right && m.y > top && m.y < bottom) {
        _suwakOver = 1;
        _suwakHolded = m.leftHolded;
    } else {
        _suwakOver = 0;
        _suwakHolded = 0;
    }
    return 0;
}

int TSuwak::wyznaczPozycjeY(int) {
    ySuwaka -= _mysz().vy;
    if (ySuwaka < 0) ySuwaka = 0;
    if (ySuwaka > bottomStop()) ySuwaka = bottomStop();
    return 0;
}

int TSuwak::draw(float x, float y) {
    if (_dir != 0 || !theme) return 0;
    const auto& t = *theme;
    SetAlpha(_alpha);
    SetScale(_scale, _scale);
    if (rgb) SetColor(rgb->r, rgb->g, rgb->b);
    put(t.suwak[0], dim->x + x, dim->y + y);
    put(t.suwak[2], dim->x + x, dim->y + dim->h + y + imgH(t.suwak[2]));
    if (imgH(t.suwak[1]) > 0) {
        SetScale(_scale, _scale * (dim->h - imgH(t.suwak[2])) / imgH(t.suwak[1]));
        put(t.suwak[1], dim->x + x, dim->y + y + imgH(t.suwak[0]));
    }
    SetScale(_scale, _scale);
    int up = _over1 ? ((_clicked1 || _holded1) ? 2 : 1) : 0;
    int down = _over2 ? ((_clicked2 || _holded2) ? 2 : 1) : 0;
    if (!_a) up = down = 3;
    const int halfBh = int(imgH(t._suwakImg[0])) / 2;
    put(t._suwakImg[0], dim->x + x, dim->y + y - float(halfBh), up);
    put(t._suwakImg[1], dim->x + x, dim->y + y + dim->h + imgH(t.suwak[2]) + float(halfBh), down);
    return drawSuwak(int(x), int(y));
}

int TSuwak::drawSuwak(int x, int y) {
    if (!theme) return 0;
    const auto& t = *theme;
    const float top = dim->y + float(y) + float(ySuwaka) + 1;
    if (_suwakHolded)
        SetColor(150, 150, 150);
    else if (_suwakOver)
        SetColor(200, 200, 200);
    else
        SetColor(255, 255, 255);
    SetScale(1, 1);
    put(t.suwak[3], dim->x + float(x), top);
    put(t.suwak[5], dim->x + float(x), top + dlugosc + imgH(t.suwak[5]));
    SetScale(1, skala * _scale);
    put(t.suwak[4], dim->x + float(x), top + imgH(t.suwak[3]));
    SetScale(1, 1);
    return 0;
}
