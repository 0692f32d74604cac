#include "gui/widgets/window.h"

#include "gui/core/gui.h"
#include "gui/frame/display.h"
#include "gui/widgets/block_values.h"
#include "gui/widgets/theme.h"
#include "platform/graphics.h"

// ---- container ------------------------------------------------------------------------------

int TControl::draw(float x, float y) { return rysujObiekty(x, y); }

int TControl::updateMe(float x, float y) { return updateObiekty(x, y); }

int TControl::rysujObiekty(float x, float y) {
    for (const auto& child : listaObiektow)
        if (child) child->draw(dim->x + x, dim->y + y);
    return 0;
}

int TControl::updateObiekty(float x, float y) {
    for (const auto& child : listaObiektow)
        if (child) child->update(dim->x + x, dim->y + y);
    return 0;
}

int TControl::dodajObiekt(std::shared_ptr<TGuiObject> child) {
    if (child) listaObiektow.push_back(std::move(child));
    return 0;
}

// ---- window ---------------------------------------------------------------------------------

std::shared_ptr<TWindow> TWindow::CreateFromList(const std::string& name,
                                                 const TEntryList& entries, TGui* gui) {
    int x = 0, y = 0, w = 0, h = 0, visible = 1, active = 1;
    std::shared_ptr<TTheme> theme;
    blockval::eachEntry(entries, [&](const std::string& key, const std::string& v) {
        if (key == "POSITION") {
            const auto p = blockval::pieces(v);
            x = blockval::pieceInt(p, 0);
            y = blockval::pieceInt(p, 1);
            w = blockval::pieceInt(p, 2);
            h = blockval::pieceInt(p, 3);
        } else if (key == "THEME") {
            theme = getTheme(v, gui);
            if (!theme) theme = TTheme::_theme;
            if (!theme) errorMsg("No theme for window object!");
        } else if (key == "VISIBLE") {
            visible = blockval::flag(v);
        } else if (key == "ACTIVE") {
            active = blockval::flag(v);
        }
    });
    return createQGMWindow(name, x, y, w, h, theme, 0, 0, visible, active);
}

std::shared_ptr<TWindow> createQGMWindow(const std::string& name, int x, int y, int w, int h,
                                         std::shared_ptr<TTheme> theme, int centreX, int centreY,
                                         int visible, int active) {
    auto win = std::make_shared<TWindow>();
    if (centreX != 0) x = (QMScreenWidth - w) / 2;
    if (centreY != 0) y = (QMScreenHeight - h) / 2;
    win->dim = createSimpleDim(x, y);
    win->dim->h = float(h);
    win->dim->w = float(w);
    win->dim->update();
    win->theme = theme ? std::move(theme) : TTheme::_theme;
    win->_id = name;
    win->_v = visible;
    win->_a = active;
    win->obliczSkale();
    win->_class = QGM_window;
    return win;
}

int TWindow::obliczSkale() {
    // Without a theme the window draws nothing, so its factors do not matter.
    if (!theme) return 0;
    const auto& p = theme->oknoImg;
    auto width = [](const TImage& img) { return img ? float(ImageWidth(img)) : 0.0f; };
    auto height = [](const TImage& img) { return img ? float(ImageHeight(img)) : 0.0f; };
    const float wsum = width(p[0]) + width(p[2]);
    const float hsum = height(p[1]) + height(p[5]);
    if (p[1] && width(p[1]) > 0) skala[0] = (dim->w - wsum) / width(p[1]);
    if (p[3] && height(p[3]) > 0) skala[1] = (dim->h - hsum) / height(p[3]);
    if (p[8] && width(p[8]) > 0 && height(p[8]) > 0) {
        skala[2] = (dim->w - wsum) / width(p[8]);
        skala[3] = (dim->h - hsum) / height(p[8]);
    }
    incX = incY = decX = decY = 0;
    if (p[0]) {
        incX = width(p[0]);
        incY = height(p[0]);
    }
    if (p[2]) {
        decX = width(p[2]);
        decY = height(p[2]);
    }
    return 0;
}

int TWindow::draw(float x, float y) {
    if (!theme) return 0;
    const auto& p = theme->oknoImg;
    const float X = dim->x + x, Y = dim->y + y, W = dim->w, H = dim->h;
    if (rgb) SetColor(rgb->r, rgb->g, rgb->b);
    SetAlpha(_alpha);
    SetScale(1, 1);
    auto put = [](const TImage& img, float px, float py, float sx, float sy) {
        if (!img) return;
        SetScale(sx, sy);
        DrawImage(img, px, py);
    };
    put(p[0], X, Y, 1, 1);
    put(p[2], X + W, Y, 1, 1);
    put(p[4], X + W, Y + H, 1, 1);
    put(p[6], X, Y + H, 1, 1);
    put(p[1], X + incX, Y, skala[0], 1);
    put(p[3], X + W, Y + incY, 1, skala[1]);
    put(p[5], X + incX, Y + H, skala[0], 1);
    put(p[7], X, Y + incY, 1, skala[1]);
    put(p[8], X + incX, Y + incY, skala[2], skala[3]);
    SetScale(1, 1);
    return rysujObiekty(x, y);
}

int TWindow::updateMe(float x, float y) { return updateObiekty(x, y); }
