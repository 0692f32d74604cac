#include "gui/widgets/menubar.h"

#include <algorithm>
#include <typeinfo>

#include "gui/core/gui.h"
#include "gui/frame/deltatime.h"
#include "gui/frame/mouse.h"
#include "gui/widgets/block_values.h"
#include "gui/widgets/theme.h"

float barBlendDelta = 0.06f;

namespace {

void useColour(const std::shared_ptr<TRGB>& c, int r, int g, int b) {
    if (c)
        SetColor(c->r, c->g, c->b);
    else
        SetColor(r, g, b);
}

float barX(const TBelka* bar) { return bar ? bar->dim->x : 0.0f; }
float barY(const TBelka* bar) { return bar ? bar->dim->y : 0.0f; }
const TTheme* themeOf(const TBelka* bar) { return bar ? bar->theme.get() : nullptr; }

}  // namespace

// ---- entry ----------------------------------------------------------------------------------

int TBarTitle::_createRect() {
    SetImageFont(_font);
    rect = createDim(int(dim->x - 1), int(dim->y), TextWidth(title) + 2, TextHeight(title));
    return 0;
}

int TBarTitle::update() {
    _clicked = 0;
    SetImageFont(_font);
    if (!dim) dim = createSimpleDim(0, 0);
    if (dim->w == 0) dim->w = float(TextWidth(title));
    if (dim->h == 0) dim->h = float(TextHeight(title));
    rect->x = dim->x + barX(_belka) - 5;
    rect->y = dim->y + barY(_belka);
    rect->w = dim->w + 10;
    rect->h = dim->h;
    rect->update();
    TMenu* menu = asMenu();
    if (_alpha != 0) {
        TMouse& m = _mysz();
        if (m.inRect(int(rect->x), int(rect->y), int(rect->w), int(rect->h))) {
            _over = 1;
            if (m.leftPressed) {
                _clicked = 1;
                m.leftPressed = 0;  // nothing updated later in this frame sees the press
            } else {
                _clicked = 0;
            }
        } else {
            _over = 0;
        }
        if (menu) menu->updateMe();
    } else {
        _over = 0;
        _clicked = 0;
    }
    guiEase(_alpha, _dAlpha, barBlendDelta * delta);
    if (!menu && _belka) {
        if (_clicked) _belka->__CLICK(id);
        if (_over) _belka->__OVER(id);
    }
    return 0;
}

int TBarTitle::draw() {
    if (_alpha == 0) return 0;
    const TTheme* th = themeOf(_belka);
    SetAlpha(_alpha);
    SetImageFont(_font);
    if (_over && _active) {
        useColour(th ? th->backRGB : nullptr, 122, 74, 36);
        SetBlend(ALPHABLEND);
        SetAlpha(_alpha * 0.3f);
        DrawRect(rect->x, rect->y, rect->w, rect->h);
        SetAlpha(_alpha);
    }
    if (!_active) SetAlpha(_alpha * 0.5f);
    useColour(th ? th->textRGB : nullptr, 247, 222, 113);
    const std::string shown = checked ? "* " + (title.size() > 2 ? title.substr(2) : "") : title;
    DrawText(shown, dim->x + barX(_belka), dim->y + barY(_belka));
    SetColor(255, 255, 255);
    if (TMenu* menu = asMenu()) menu->drawMe();
    return 0;
}

// ---- menu -----------------------------------------------------------------------------------

int TMenu::_getMaxWidth() {
    int widest = 0;
    for (const auto& e : _barTitles) {
        SetImageFont(e->_font);
        widest = std::max(widest, TextWidth(e->title));
    }
    return widest + TextWidth("* ");
}

int TMenu::_setRect(int offset) {
    if (!_comRect) _comRect = std::make_shared<TDim>();
    SetImageFont(_font);
    _comRect->x = dim->x + float(offset);
    _comRect->y = dim->y + 1.5f * float(TextHeight(title));
    _comRect->w = float(_getMaxWidth() + 40);
    int h = TextHeight(title) / 2;
    for (const auto& e : _barTitles) {
        SetImageFont(e->_font);
        h += TextHeight("A") + 1;
    }
    _comRect->h = float(h);
    if (!_first) _comRect->y = dim->y;
    _comRect->update();
    return 0;
}

int TMenu::getReady(int offset) {
    if (!_first) _setRect(offset);
    if (!_comRect) _setRect(0);
    SetImageFont(_font);
    const int x = int(_comRect->x + 10);
    int y = int(_comRect->y);
    for (const auto& e : _barTitles) {
        e->dim = createSimpleDim(x, y);
        SetImageFont(e->_font);
        y += TextHeight(e->title) + 1;
        e->_createRect();
        if (TMenu* sub = e->asMenu()) {
            sub->_comRect = std::make_shared<TDim>();
            sub->getReady(_getMaxWidth());
        }
    }
    const float w = float(_getMaxWidth());
    for (const auto& e : _barTitles) {
        e->rect->w = w;
        e->dim->w = w;
    }
    return 0;
}

int TMenu::_rozwin() {
    for (const auto& e : _barTitles) e->_dAlpha = 1;
    _dBoxA = 1;
    return 0;
}

int TMenu::_zwin() {
    for (const auto& e : _barTitles) {
        e->_dAlpha = 0;
        if (TMenu* sub = e->asMenu()) sub->_zwin();
    }
    _dBoxA = 0;
    return 0;
}

int TMenu::_zwinBezwzglednie() {
    if (_belka) {
        _belka->_activated = 0;
        _belka->_actualMenu = nullptr;
    }
    if (_parent) _dAlpha = 0;
    _dBoxA = 0;
    for (const auto& e : _barTitles) e->_dAlpha = 0;
    return 0;
}

bool TMenu::pointerInBox() const {
    if (!_comRect) return false;
    return _mysz().inRect(int(_comRect->x + barX(_belka)), int(_comRect->y + barY(_belka)),
                          int(_comRect->w), int(_comRect->h)) != 0;
}

int TMenu::updateMe() {
    if (_clicked && _first && _belka) _belka->_actualMenu = this;
    const bool inBox = pointerInBox();
    if (_first) {
        if (_mysz().leftPressed && !inBox && !_clicked) _zwinBezwzglednie();
    } else if (!inBox && !_clicked && !_rozwiniety) {
        _dBoxA = 0;
        for (const auto& e : _barTitles) e->_dAlpha = 0;
    }
    if ((!_first && _over) || _clicked) _rozwin();
    if (_first && _over && _belka && _belka->_actualMenu && _belka->_actualMenu != this) {
        _belka->_actualMenu->_zwin();
        _rozwin();
        _belka->_actualMenu = this;
    }
    guiEase(_boxA, _dBoxA, barBlendDelta * delta);
    int open = 0;
    for (const auto& e : _barTitles) {
        e->update();
        if (TMenu* sub = e->asMenu())
            if (sub->_dBoxA == 1) open = 1;
    }
    _rozwiniety = open;
    return 0;
}

int TMenu::update() { return TBarTitle::update(); }

int TMenu::draw() { return TBarTitle::draw(); }

int TMenu::drawMe() {
    if (_dBoxA > 0) _drawBox();
    for (const auto& e : _barTitles)
        if (!e->asMenu()) e->draw();
    for (const auto& e : _barTitles)
        if (e->asMenu()) e->draw();
    return 0;
}

int TMenu::_drawBox() {
    const TTheme* th = themeOf(_belka);
    if (!th || !_comRect) return 0;
    const auto& img = th->rect;
    // A box needs all nine pieces; a theme without them draws the entries bare.
    for (const auto& piece : img)
        if (!piece) return 0;
    SetAlpha(_boxA);
    const float bx = barX(_belka), by = barY(_belka);
    const int left = int(_comRect->x + bx);
    const int right = int(_comRect->x + _comRect->w + bx + 5);
    const int top = int(_comRect->y + by - 5);
    const int bottom = int(_comRect->y + _comRect->h + by);
    const float w0 = float(ImageWidth(img[0])), h0 = float(ImageHeight(img[0]));
    const float innerW = float(right - left) - (w0 + float(ImageWidth(img[2])));
    const float innerH = float(bottom - top) - (h0 + float(ImageHeight(img[6])));
    auto wOf = [&](int i) { return float(ImageWidth(img[size_t(i)])); };
    auto hOf = [&](int i) { return float(ImageHeight(img[size_t(i)])); };
    SetScale(1, 1);
    DrawImage(img[0], float(left), float(top));
    DrawImage(img[2], float(right) - wOf(2), float(top));
    DrawImage(img[4], float(right) - wOf(4), float(bottom) - hOf(4));
    DrawImage(img[6], float(left), float(bottom) - hOf(6));
    SetScale(innerW / wOf(1), 1);
    DrawImage(img[1], float(left) + w0, float(top));
    SetScale(innerW / wOf(5), 1);
    DrawImage(img[5], float(left) + wOf(6), float(bottom) - hOf(5));
    SetScale(1, innerH / hOf(7));
    DrawImage(img[7], float(left), float(top) + h0);
    SetScale(1, innerH / hOf(3));
    DrawImage(img[3], float(right) - wOf(3), float(top) + hOf(2));
    SetScale(innerW / wOf(8), innerH / hOf(8));
    DrawImage(img[8], float(left) + w0, float(top) + h0);
    SetScale(1, 1);
    SetColor(255, 255, 255);
    return 0;
}

TBarTitle* TMenu::getBarTitle(const std::string& path) {
    const size_t colon = path.find(':');
    const std::string first = colon == std::string::npos ? path : path.substr(0, colon);
    const std::string rest = colon == std::string::npos ? std::string() : path.substr(colon + 1);
    for (const auto& e : _barTitles) {
        if (e->id != first) continue;
        TMenu* sub = e->asMenu();
        if (sub && !rest.empty()) return sub->getBarTitle(rest);
        return e.get();
    }
    return nullptr;
}

// ---- bar ------------------------------------------------------------------------------------

std::shared_ptr<TBelka> createBar(const std::string& id, int x, int y, int width,
                                  std::shared_ptr<TTheme> theme, const TImageFont& font,
                                  int visible, int active) {
    auto bar = std::make_shared<TBelka>();
    bar->dim = createSimpleDim(x, y);
    bar->dim->w = float(width);
    bar->dim->h = theme ? float(theme->barHeight) : 0.0f;
    bar->theme = std::move(theme);
    bar->_id = id;
    bar->_class = QGM_bar;
    bar->_font = font;
    bar->_v = visible;
    bar->_a = active;
    bar->getReady();
    return bar;
}

std::shared_ptr<TBelka> TBelka::createFromList(const std::string& name, const TEntryList& entries,
                                               const TDeclList& nested, TGui* gui) {
    int x = 0, y = 0, width = 0, visible = 1, active = 1;
    std::shared_ptr<TTheme> theme;
    TImageFont font;
    blockval::eachEntry(entries, [&](const std::string& key, const std::string& v) {
        if (key == "POSITION") {
            const auto p = blockval::pieces(v);
            x = blockval::pieceInt(p, 0);
            y = blockval::pieceInt(p, 1);
        } else if (key == "TEMAT") {
            theme = getTheme(usunCytat(v), gui);
            if (!theme) theme = TTheme::_theme;
            if (!theme) errorMsg("No theme asigned for bar object!");
        } else if (key == "WIDTH") {
            width = str::toInt(v);
        } else if (key == "FONT") {
            font = blockval::layoutFont(v, gui, v);
        } else if (key == "VISIBLE") {
            visible = blockval::flag(v);
        } else if (key == "ACTIVE") {
            active = blockval::flag(v);
        }
    });
    auto bar = createBar(name, x, y, width, theme, font, visible, active);
    bar->_menusList = bar->createMenus(nested, gui);
    bar->_poukladajMenu();
    return bar;
}

std::vector<std::shared_ptr<TMenu>> TBelka::createMenus(const TDeclList& decls, TGui* gui) {
    std::vector<std::shared_ptr<TMenu>> out;
    for (const auto& d : decls)
        if (d) out.push_back(getMenu(*d, 1, gui));
    return out;
}

std::shared_ptr<TMenu> TBelka::getMenu(const TSmallObject& decl, int first, TGui* gui) {
    auto menu = std::make_shared<TMenu>();
    menu->_belka = this;
    menu->id = decl._name;
    menu->_first = first;
    bool ownFont = false;
    for (const auto& token : decl._tokeny) {
        if (auto inner = std::dynamic_pointer_cast<TSmallObject>(token)) {
            auto sub = getMenu(*inner, 0, gui);
            sub->_parent = menu.get();
            menu->_barTitles.push_back(sub);
            continue;
        }
        auto e = std::dynamic_pointer_cast<TSimpleEntry>(token);
        if (!e) continue;
        const std::string key = str::upper(e->_typ);
        if (key == "TITLE") {
            menu->title = usunCytat(e->_value);
        } else if (key == "FONT") {
            menu->_font = blockval::layoutFont(e->_value, gui, e->_value);
            ownFont = menu->_font != nullptr;
        } else if (key == "COMMAND") {
            const auto parts = rozbijTekst(usunCytat(e->_value), "|");
            // An entry needs an identifier; one without a title shows its identifier.
            if (parts.empty()) continue;
            auto entry = std::make_shared<TBarTitle>();
            entry->id = parts[0];
            entry->title = "  " + (parts.size() > 1 ? parts[1] : parts[0]);
            entry->_font = parts.size() > 2 ? blockval::layoutFont(parts[2], gui, e->_value) : _font;
            entry->_belka = this;
            entry->_parent = menu.get();
            menu->_barTitles.push_back(entry);
        }
    }
    if (!ownFont) menu->_font = _font;
    return menu;
}

int TBelka::getReady() {
    const float l = theme && theme->bar[0] ? float(ImageWidth(theme->bar[0])) : 0.0f;
    const float r = theme && theme->bar[2] ? float(ImageWidth(theme->bar[2])) : 0.0f;
    _widthScale = dim->w - (l + r);
    return 0;
}

int TBelka::_poukladajMenu() {
    SetImageFont(_font);
    int x = 10;
    const int y = int(dim->h / 2 - float(TextHeight("A") / 2));
    for (const auto& m : _menusList) {
        m->dim = createSimpleDim(x, y);
        m->_comRect = std::make_shared<TDim>();
        m->_createRect();
        m->_alpha = 1;
        m->_dAlpha = 1;
        m->_active = 1;
        m->_setRect(0);
        m->_parent = nullptr;
        x += TextWidth(m->title) + 30;
        m->getReady(0);
    }
    return 0;
}

namespace {

void pointAt(const std::vector<std::shared_ptr<TBarTitle>>& titles, TBelka* bar) {
    for (const auto& t : titles) {
        t->_belka = bar;
        if (TMenu* sub = t->asMenu()) pointAt(sub->_barTitles, bar);
    }
}

}  // namespace

bool TBelka::adoptFrom(const TGuiObject& fresh) {
    if (typeid(fresh) != typeid(*this)) return false;
    const auto& f = static_cast<const TBelka&>(fresh);
    std::shared_ptr<TDim> keep = dim;
    static_cast<TGuiSelector&>(*this) = static_cast<const TGuiSelector&>(f);
    if (keep && dim) {
        *keep = *dim;
        dim = keep;
    }
    _width = f._width;
    _widthScale = f._widthScale;
    theme = f.theme;
    _menusList = f._menusList;
    _font = f._font;
    _actualMenu = nullptr;
    _activated = 0;
    for (const auto& m : _menusList) {
        m->_belka = this;
        pointAt(m->_barTitles, this);
    }
    return true;
}

int TBelka::_clean() {
    _clickedOp.clear();
    _overOp.clear();
    return 0;
}

int TBelka::updateMe(float, float) {
    _clean();
    _updateMenus();
    return 0;
}

int TBelka::_updateMenus() {
    for (const auto& m : _menusList) m->update();
    return 0;
}

int TBelka::_zwinMenusy() {
    for (const auto& m : _menusList) m->_zwin();
    return 0;
}

int TBelka::__CLICK(const std::string& id) {
    _zwinMenusy();
    _clickedOp = id;
    _overOp = id;
    return 0;
}

int TBelka::__OVER(const std::string& id) {
    _overOp = id;
    return 0;
}

int TBelka::draw(float, float) {
    if (theme && theme->bar[0] && theme->bar[1] && theme->bar[2]) {
        const float w0 = float(ImageWidth(theme->bar[0]));
        const float w1 = float(ImageWidth(theme->bar[1]));
        SetAlpha(_alpha);
        SetScale(_scale, _scale);
        DrawImage(theme->bar[0], dim->x, dim->y);
        // A middle piece of any width stretches to fill the gap between the ends.
        SetScale(_scale * _widthScale / (w1 > 0 ? w1 : 1), _scale);
        DrawImage(theme->bar[1], dim->x + w0 * _scale, dim->y);
        SetScale(_scale, _scale);
        DrawImage(theme->bar[2], dim->x + w0 * _scale + _widthScale, dim->y);
    }
    return _drawMenus();
}

int TBelka::_drawMenus() {
    for (const auto& m : _menusList) m->draw();
    return 0;
}

TBarTitle* TBelka::getBarTitle(const std::string& path) {
    const size_t colon = path.find(':');
    const std::string menuPart = colon == std::string::npos ? std::string() : path.substr(0, colon);
    const std::string rest = colon == std::string::npos ? path : path.substr(colon + 1);
    for (const auto& m : _menusList)
        if (str::upper(m->id) == str::upper(menuPart)) return m->getBarTitle(rest);
    errorMsg("Nie znaleziono " + menuPart + " w belce :" + _id);
    return nullptr;
}
