#include "gui/widgets/textlist.h"

#include "gui/widgets/slider.h"

std::shared_ptr<TTextList> createTextList(const std::string& name, int x, int y, int w, int h,
                                          int r, int g, int b, const TImageFont& font,
                                          int visible, int active) {
    auto list = std::make_shared<TTextList>();
    list->_id = name;
    list->dim = createDim(x, y, w, h);
    list->_v = visible;
    list->_a = active;
    list->rgb = createRGB(r, g, b);
    list->setRGB(255, 255, 255);
    list->_font = font;
    list->_getEndInt();
    list->_class = QGM_textlist;
    return list;
}

int TTextList::setRGB(int r, int g, int b) {
    sec_rgb = createRGB(r, g, b);
    return 0;
}

int TTextList::_getEndInt() {
    SetImageFont(_font);
    const int line = TextHeight("A");
    int total = 0;
    for (int k = 0; k <= 100; ++k) {
        total += line;
        if (float(total) > dim->h) {
            endInt = k;
            break;
        }
    }
    return 0;
}

int TTextList::stworzListeWidocznych() {
    _listaWidocznych.clear();
    for (int i = 0; i < int(listaWpisow.size()); ++i)
        if (i >= start && i <= endInt) _listaWidocznych.push_back(listaWpisow[size_t(i)]);
    return 0;
}

int TTextList::addText(const std::string& id, const std::string& title) {
    auto t = std::make_shared<TTextObject>();
    t->id = id;
    t->title = title;
    listaWpisow.push_back(t);
    return stworzListeWidocznych();
}

int TTextList::updateMe(float x, float y) {
    const int before = start;
    if (suwak) {
        suwak->update(x, y);
        const int last = int(listaWpisow.size()) - 1;
        start = suwak->position();
        if (start > last) start = last < 0 ? 0 : last;
    }
    if (start != before) {
        endInt += start - before;  // the window keeps its length as it moves
        stworzListeWidocznych();
    }
    return 0;
}

int TTextList::draw(float px, float py) {
    SetImageFont(_font);
    SetAlpha(_alpha);
    SetScale(_scale, _scale);
    const float line = float(TextHeight("A"));
    float row = 0;
    for (const auto& t : _listaWidocznych) {
        const float x = dim->x + px, y = dim->y + py + row;
        if (t == overedOption || t == clickedOption) {
            if (sec_rgb)
                SetColor(sec_rgb->r, sec_rgb->g, sec_rgb->b);
            else
                SetColor(255, 255, 255);
            if (t == overedOption) {
                SetAlpha(0.3f);
                DrawRect(x, y, dim->w, line);
            }
            if (t == clickedOption) {
                SetAlpha(0.7f);
                DrawRect(x, y, dim->w, line);
            }
            SetAlpha(1);
        }
        if (rgb) SetColor(rgb->r, rgb->g, rgb->b);
        DrawText(t->title, x, y);
        row += line;
    }
    if (suwak) suwak->draw(px, py);
    return 0;
}
