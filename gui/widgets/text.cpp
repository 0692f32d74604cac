#include "gui/widgets/text.h"

#include "gui/core/gui.h"
#include "gui/core/qgmfont.h"
#include "gui/data/txtfile.h"
#include "gui/globals.h"
#include "gui/text/draw.h"
#include "gui/text/split.h"
#include "platform/graphics.h"
#include "platform/strings.h"

namespace {

const char* alignWord(int code) {
    switch (code) {
        case QGM_ALIGN_LEFT: return "LEFT";
        case QGM_ALIGN_RIGHT: return "RIGHT";
        case QGM_ALIGN_CENTER: return "CENTER";
        case QGM_ALIGN_JUSTIFY: return "JUSTIFY";
        default: return nullptr;
    }
}

int alignCode(const std::string& upperWord, int otherwise) {
    if (upperWord == "LEFT") return QGM_ALIGN_LEFT;
    if (upperWord == "RIGHT") return QGM_ALIGN_RIGHT;
    if (upperWord == "CENTER") return QGM_ALIGN_CENTER;
    if (upperWord == "JUSTIFY") return QGM_ALIGN_JUSTIFY;
    return otherwise;
}

// A text without a colour record draws in white.
void applyColour(const std::shared_ptr<TRGB>& c) {
    if (c)
        SetColor(c->r, c->g, c->b);
    else
        SetColor(255, 255, 255);
}

int pieceInt(const std::vector<std::string>& p, size_t i) {
    return i < p.size() ? str::toInt(p[i]) : 0;
}

}  // namespace

int TText::setAlign(const std::string& word) {
    _align = alignCode(str::upper(word), _align);
    return 0;
}

int TText::countH() {
    const char* word = alignWord(_align);
    if (!word) return 0;
    SetScale(_scale, _scale);
    // Measuring draws nothing visible: only the height is wanted, so draw with alpha 0.
    // drawSpecText has no measure-only mode; the alpha is restored to what was set.
    const float keepAlpha = GetAlpha();
    SetAlpha(0);
    const int h = drawSpecText(_txt, int(dim->x), int(dim->y), dim->w, word, _adh, _font,
                               int(_adW));
    SetAlpha(keepAlpha);
    return h;
}

int TText::updateMe(float, float) { return 0; }

int TText::draw(float px, float py) {
    applyColour(rgb);
    if (_alpha == 0) return 0;
    SetAlpha(_alpha);
    SetScale(_scale, _scale);
    const char* word = alignWord(_align);
    if (!word) return 0;
    if (_shadow && shRGB) {
        applyColour(shRGB);
        drawSpecText(_txt, int(dim->x + px + 1), int(dim->y + py + 1), dim->w, word, _adh, _font,
                     int(_adW));
        applyColour(rgb);
    }
    const float yy = _align == QGM_ALIGN_CENTER ? dim->y + py + 1 : dim->y + py;
    dim->h = float(drawSpecText(_txt, int(dim->x + px), int(yy), dim->w, word, _adh, _font,
                                int(_adW)));
    return 0;
}

std::shared_ptr<TText> createText(const std::string& name, const std::string& txt, float x,
                                  float y, float w, const TImageFont& font,
                                  const std::string& align, int visible, int active) {
    auto t = std::make_shared<TText>();
    t->dim = createSimpleDim(int32_t(x), int32_t(y));
    t->dim->w = w;
    t->_v = visible;
    t->_a = active;
    t->_id = name;
    t->_adh = 0;
    t->_adW = 0;
    t->_txt = txt;
    t->_align = alignCode(str::upper(str::trim(align)), QGM_ALIGN_LEFT);
    t->_font = font;
    t->_class = QGM_text;
    t->setRGB(255, 255, 255);
    return t;
}

std::string TText::odczytajTekst(const std::string& ref) {
    if (ref.size() < 2) return ref;
    const std::string inner = ref.substr(1, ref.size() - 2);
    const auto pieces = rozbijTekst(inner, "|");
    const std::string path = pieces.empty() ? std::string() : pieces[0];
    const int line = pieces.size() > 1 ? str::toInt(pieces[1]) : 0;
    // Without a path there is no file to read; the line lookup gives its placeholder.
    if (path.empty()) return readTxtData(static_cast<const TTxtFile*>(nullptr), line);
    return readTxtData(loadTxtFile(bDir + path), line);
}

std::shared_ptr<TText> TText::createFromList(const std::string& name, const TEntryList& entries,
                                             TGui* gui) {
    int x = 0, y = 0, visible = 1, active = 1, shadow = 0;
    float width = 10000000.0f;
    std::string txt, alignW = "LEFT";
    TImageFont font;
    std::shared_ptr<TRGB> colour = createRGB(255, 255, 255);
    std::shared_ptr<TRGB> shColour = createRGB(255, 255, 255);
    for (const auto& e : entries) {
        if (!e) continue;
        const std::string key = str::upper(e->_typ);
        if (key == "POSITION") {
            const auto p = rozbijTekst(usunCytat(e->_value), " ");
            x = pieceInt(p, 0);
            y = pieceInt(p, 1);
            if (p.size() == 3) width = float(pieceInt(p, 2));
        } else if (key == "RGB") {
            const auto p = rozbijTekst(usunCytat(e->_value), " ");
            const int r = pieceInt(p, 0);
            colour = r == -1 ? nullptr : createRGB(r, pieceInt(p, 1), pieceInt(p, 2));
        } else if (key == "TXT") {
            std::string v = usunCytat(e->_value);
            if (v.size() > 1 && v.front() == '[' && v.back() == ']') v = odczytajTekst(v);
            txt = v;
        } else if (key == "FONT") {
            if (auto f = TQGMFont::getByID(e->_value, gui))
                font = f->_font;
            else
                errorMsg("Nie znaleziono czcionki : " + e->_value);
        } else if (key == "VISIBLE") {
            visible = str::upper(e->_value) == "TRUE" ? 1 : 0;
        } else if (key == "ACTIVE") {
            active = str::upper(e->_value) == "TRUE" ? 1 : 0;
        } else if (key == "SHADOW") {
            shadow = 1;
            const auto p = rozbijTekst(usunCytat(e->_value), " ");
            shColour = createRGB(pieceInt(p, 0), pieceInt(p, 1), pieceInt(p, 2));
        } else if (key == "ALIGN") {
            alignW = str::upper(e->_value);
        }
    }
    auto t = createText(name, txt, float(x), float(y), width, font, alignW, visible, active);
    t->rgb = colour;
    t->_shadow = shadow;
    t->shRGB = shColour;
    return t;
}
