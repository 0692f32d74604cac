#include "gui/widgets/textentry.h"

#include "gui/frame/deltatime.h"
#include "gui/text/draw.h"
#include "gui/widgets/block_values.h"
#include "platform/input.h"


std::shared_ptr<TTextEntry> createTextEntry(const std::string& name, const TImageFont& font, int x,
                                            int y, int width, int maxChars,
                                            std::shared_ptr<TRGB> colour, int visible, int active) {
    auto t = std::make_shared<TTextEntry>();
    t->_font = font;
    t->dim = createSimpleDim(x, y);
    SetImageFont(font);
    t->dim->h = float(TextHeight("A"));
    t->dim->w = float(width);
    t->_curWidth = float(TextWidth("A"));
    t->_curHeight = float(TextHeight("A"));
    t->_trigger = 1;
    t->_czas = int(appTimer() + double(t->_interwal));
    t->_maxZnakow = maxChars;
    t->_v = visible;
    t->_a = active;
    t->_id = name;
    t->_class = QGM_textEntry;
    t->rgb = std::move(colour);
    return t;
}

std::shared_ptr<TTextEntry> TTextEntry::createFromList(const std::string& name,
                                                       const TEntryList& entries, TGui* gui) {
    int x = 0, y = 0, width = 300, maxChars = 25, visible = 1, active = 1;
    auto colour = createRGB(255, 255, 255);
    TImageFont font;
    blockval::eachEntry(entries, [&](const std::string& key, const std::string& v) {
        if (key == "POSITION") {
            const auto p = blockval::pieces(v);
            x = blockval::pieceInt(p, 0);
            y = blockval::pieceInt(p, 1);
            width = p.size() == 3 ? blockval::pieceInt(p, 2) : 300;
        } else if (key == "WIDTH") {
            maxChars = str::toInt(v);
        } else if (key == "RGB") {
            const auto p = blockval::pieces(v);
            const int r = blockval::pieceInt(p, 0);
            // -1 asks for no colour; a later RGB gets a record of its own again.
            colour = r == -1 ? nullptr
                             : createRGB(r, blockval::pieceInt(p, 1), blockval::pieceInt(p, 2));
        } else if (key == "FONT") {
            font = blockval::layoutFont(v, gui, v);
        } else if (key == "VISIBLE") {
            visible = blockval::flag(v);
        } else if (key == "ACTIVE") {
            active = blockval::flag(v);
        }
    });
    return createTextEntry(name, font, x, y, width, maxChars, colour, visible, active);
}

int TTextEntry::updateMe(float, float) {
    const int c = GetChar();
    if (c == 8) {
        std::u32string cps = str::toCodePoints(_txt);
        if (!cps.empty()) cps.pop_back();
        _txt = str::fromCodePoints(cps);
    } else if (c == 13) {
        _clicked = 1;
    } else if (c != 0) {
        if (int(str::toCodePoints(_txt).size()) < _maxZnakow) _txt += str::fromCodePoint(char32_t(c));
    }
    const double now = appTimer();
    if (now > double(_czas)) {
        _czas = int(now + double(_interwal));
        _trigger = _trigger ? 0 : 1;
    }
    return 0;
}

int TTextEntry::draw(float px, float py) {
    SetScale(_scale, _scale);
    SetAlpha(_alpha);
    if (rgb)
        SetColor(rgb->r, rgb->g, rgb->b);
    else
        SetColor(255, 255, 255);
    SetImageFont(_font);
    std::string shown = _txt;
    if (float(TextWidth(_txt)) >= dim->w)
        shown = drawCutText(_txt, int(dim->x + px), int(dim->y + py), int(dim->w));
    else
        DrawText(_txt, dim->x + px, dim->y + py);
    if (_trigger && _a)
        DrawRect(dim->x + float(TextWidth(shown)) + 2 + px, dim->y + py, _curWidth, _curHeight);
    return 0;
}

int TTextEntry::setInterwal(int ms) {
    _interwal = ms;
    return 0;
}

std::string TTextEntry::getTxt() const { return _txt; }

int TTextEntry::setTxt(const std::string& text) {
    _txt = text;
    return 0;
}
