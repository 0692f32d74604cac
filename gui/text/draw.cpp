#include "gui/text/draw.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "gui/text/type_style.h"
#include "platform/strings.h"

namespace {

enum class Align { Left, Right, Center, Justify };

Align alignOf(const std::string& word) {
    const std::string a = str::upper(str::trim(word));
    if (a == "RIGHT") return Align::Right;
    if (a == "CENTER") return Align::Center;
    if (a == "JUSTIFY") return Align::Justify;
    return Align::Left;
}

// Words at single blanks: a run of blanks gives empty words, and "" is one empty word.
void splitWords(std::string_view text, std::vector<std::string_view>& out) {
    out.clear();
    size_t start = 0;
    for (;;) {
        const size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos) {
            out.push_back(text.substr(start));
            return;
        }
        out.push_back(text.substr(start, blank - start));
        start = blank + 1;
    }
}

// Byte offsets of the characters of a UTF-8 text.
void charStarts(const std::string& text, std::vector<size_t>& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) out.push_back(i);
}

// Scratch space reused between calls: paragraphs are drawn every frame.
struct Scratch {
    std::vector<std::string_view> words;
    std::string line;
    std::string candidate;
    std::string joined;  // the line's words without blanks, for justifying
    std::string lineDrawn;
};

void drawLine(Scratch& s, const std::vector<std::string_view>& words, size_t first, size_t end,
              Align align, int x, float top, float width, bool trimLine) {
    if (align == Align::Justify) {
        const size_t k = end - first;
        if (k <= 1) {
            DrawText(k == 1 ? std::string(words[first]) : std::string(), float(x), top);
            return;
        }
        const float gap = (width - float(TextWidth(s.joined))) / float(k - 1);
        std::string before;
        for (size_t j = 0; j < k; ++j) {
            const std::string w(words[first + j]);
            DrawText(w, float(x) + float(j) * gap + float(TextWidth(before)), top);
            before += w;
        }
        return;
    }
    s.lineDrawn = trimLine ? str::trim(s.line) : s.line;
    switch (align) {
        case Align::Right:
            DrawText(s.lineDrawn, float(x) + width - float(TextWidth(s.lineDrawn)), top);
            break;
        case Align::Center:
            DrawText(s.lineDrawn,
                     float(int(float(x) + width / 2 - float(TextWidth(s.lineDrawn) / 2))), top);
            break;
        default:
            DrawText(s.lineDrawn, float(x), top);
            break;
    }
}

// The one-unit outline: the text at the four diagonal neighbours, in the current colour.
void drawOutline(const std::string& text, float x, float y) {
    DrawText(text, x - 1, y - 1);
    DrawText(text, x + 1, y - 1);
    DrawText(text, x - 1, y + 1);
    DrawText(text, x + 1, y + 1);
}

}  // namespace

int drawSpecText(const std::string& text, int x, int y, float width, const std::string& align,
                 float /*unused*/, const TImageFont& font, int lineGap) {
    static Scratch s;
    const Align al = alignOf(align);
    if (font) SetImageFont(font);
    const int h = TextHeight("A") + lineGap;

    splitWords(text, s.words);
    s.line.clear();
    s.joined.clear();
    size_t first = 0;
    int n = 0;
    bool overfull = false;  // the line holds one word wider than the box

    size_t i = 0;
    while (i < s.words.size()) {
        const std::string_view w = s.words[i];
        bool fits = false;
        if (!overfull) {
            s.candidate.assign(s.line);
            s.candidate += ' ';
            s.candidate += w;
            fits = float(TextWidth(s.candidate)) <= width;
        }
        if (fits || (i == first && !overfull)) {
            // A word that does not fit even on an empty line is placed alone on it, so
            // the layout always ends.
            if (!fits) overfull = true;
            if (s.line.empty()) {
                s.line.assign(w);
            } else {
                s.line += ' ';
                s.line += w;
            }
            s.joined += w;
            ++i;
            continue;
        }
        drawLine(s, s.words, first, i, al, x, float(y + h * n), width, true);
        ++n;
        s.line.clear();
        s.joined.clear();
        first = i;
        overfull = false;
    }
    drawLine(s, s.words, first, s.words.size(), al == Align::Justify ? Align::Left : al, x,
             float(y + h * n), width, false);
    return h * (n + 1);
}

std::string drawCutText(const std::string& text, int x, int y, int width) {
    std::vector<size_t> starts;
    charStarts(text, starts);
    std::string choice;
    for (size_t start : starts) {
        std::string candidate = ".." + text.substr(start);
        if (TextWidth(candidate) <= width) {
            choice = std::move(candidate);
            break;
        }
    }
    DrawText(choice, float(x), float(y));
    return choice;
}

std::string cutText(const std::string& text, int width) {
    if (TextWidth(text) <= width) return text;
    std::vector<size_t> starts;
    charStarts(text, starts);
    for (size_t k = starts.size(); k-- > 0;) {
        std::string candidate = text.substr(0, starts[k]) + "..";
        if (TextWidth(candidate) <= width) return candidate;
    }
    return "";
}

int drawOutLinedText(const std::string& text, int x, int y, const std::shared_ptr<TRGB>& outline,
                     const std::shared_ptr<TRGB>& fill, const std::string& align) {
    const std::string a = str::upper(align);
    int left = x;
    if (a == "RIGHT")
        left = x - TextWidth(text);
    else if (a == "CENTER")
        left = x - TextWidth(text) / 2;
    if (outline)
        SetColor(outline->r, outline->g, outline->b);
    else
        SetColor(0, 0, 0);
    drawOutline(text, float(left), float(y));
    if (fill)
        SetColor(fill->r, fill->g, fill->b);
    else
        SetColor(255, 255, 255);
    DrawText(text, float(left), float(y));
    return 0;
}

void drawShadowedText(const std::string& text, float x, float y, const TRGB& fill, float alpha,
                      float shadowShare) {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    const TRGB& ink = typestyle::kInk;
    SetColor(ink.r, ink.g, ink.b);
    SetAlpha(shadowShare * alpha);
    DrawText(text, x + 3, y + 3);
    SetAlpha(alpha);
    drawOutline(text, x, y);
    SetColor(fill.r, fill.g, fill.b);
    DrawText(text, x, y);
}

void drawCarvedText(const std::string& text, float x, float y, float pen, float alpha) {
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    SetRotation(0);
    const TRGB& ink = typestyle::kInk;
    const TRGB& gold = typestyle::kGold;
    constexpr TRGB kGoldDark{185, 133, 42};  // the palette's GOLD_DARK
    const float foot = std::max(1.0f, pen / 2);
    SetColor(ink.r, ink.g, ink.b);
    SetAlpha(0.55f * alpha);
    DrawText(text, x + pen, y + pen * 1.75f);
    SetAlpha(alpha);
    // A round pen around the letters and their dark-gold foot (the strokes are far thicker
    // than the pen, so its rim alone closes the outline).
    for (int k = 0; k < 16; ++k) {
        const float a = float(k) * 3.14159265f / 8;
        const float dx = pen * std::cos(a), dy = pen * std::sin(a);
        DrawText(text, x + dx, y + dy + (dy > 0 ? foot : 0.0f));
    }
    SetColor(kGoldDark.r, kGoldDark.g, kGoldDark.b);
    DrawText(text, x, y + foot);
    SetColor(gold.r, gold.g, gold.b);
    DrawText(text, x, y);
    SetColor(255, 255, 255);
}
