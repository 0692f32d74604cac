#include "screens/dialogs/dialog_text.h"

#include <algorithm>

#include "app/ekran.h"
#include "app/profile/profile_file.h"
#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/deltatime.h"
#include "gui/text/draw.h"
#include "gui/text/split.h"
#include "platform/strings.h"
#include "platform/system.h"
#include "screens/dialogs/dialog_box.h"

TImageFont TDialogText::font;

namespace {

void report(const std::string& what) { Print("Napotkano problem : dialogs.dat: " + what); }

// One paragraph as every dialogue line is laid out and drawn.
int paragraph(const std::string& text, float x, float y, float width) {
    return drawSpecText(text, int(x), int(y), width, "CENTER", -1, nullptr, 1);
}

}  // namespace

int TDialogLine::update() {
    easeToward(a, dA, 0.02f, delta);
    return 0;
}

int TDialogText::countHeight() {
    SetImageFont(font);
    SetScale(1, 1);
    w = (box ? box->w : 500) - 20;
    // The routine draws while it measures; at opacity 0 nothing of it can show.
    const float keep = GetAlpha();
    SetAlpha(0);
    float sum = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) sum += add;
        sum += float(paragraph(lines[i]->txt, 0, 0, w));
    }
    SetAlpha(keep);
    h = sum;
    return int(h);
}

int TDialogText::reset() {
    x = (box ? box->x : 262) + 30;
    y = 384 - h / 2;
    const int32_t now = Millisecs();
    for (auto& l : lines) {
        l->actTime = now + l->time;
        l->a = 0;
        l->dA = 0;
    }
    actLine = nullptr;
    return 0;
}

int TDialogText::update() {
    const int32_t now = Millisecs();
    for (auto& l : lines) {
        if (now > l->actTime) {
            actLine = l;
            l->dA = 1;
        }
        l->update();
    }
    return 0;
}

int TDialogText::draw() {
    const float boxAlpha = box ? box->alpha : 1;
    SetColor(247, 222, 113);
    SetBlend(ALPHABLEND);
    SetRotation(0);
    SetScale(1, 1);
    SetImageFont(font);
    float top = y;
    for (auto& l : lines) {
        SetAlpha(l->a * boxAlpha);
        SetColor(l->rgb.r, l->rgb.g, l->rgb.b);
        top += float(paragraph(l->txt, float(int(x)), float(int(top)), w)) + add;
    }
    if (!actLine) return 0;
    SetColor(255, 255, 255);
    SetAlpha(boxAlpha);
    // A slot left empty (its picture missing) shows the ring alone.
    const TImage& face = image[size_t(std::clamp(actLine->who, 0, 1))];
    if (face) DrawImage(face, 200, 390);
    if (box && box->kolko) DrawImage(box->kolko, 200, 390);
    return 0;
}

TDialogLineFields parseDialogLine(const std::string& value, const std::string& where) {
    const auto f = rozbijTekst(value, " ");
    if (f.size() < 6)
        report(where + ": \"" + value + "\" has " + std::to_string(f.size()) +
               " of its six fields; the missing ones read as 0");
    auto field = [&f](size_t i) { return i < f.size() ? str::toInt(f[i]) : 0; };
    TDialogLineFields out;
    out.txt = field(0);
    out.time = field(1);
    out.who = field(2);
    out.r = field(3);
    out.g = field(4);
    out.b = field(5);
    if (out.who < 0 || out.who > 1) {
        report(where + ": speaker " + std::to_string(out.who) + " is not 0 or 1; read as " +
               (out.who < 0 ? "0" : "1"));
        out.who = std::clamp(out.who, 0, 1);
    }
    return out;
}

TDialogTextList readDialogs(const TQCMFile& file, const TTxtFile* texts, const std::string& dataDir,
                            TDialogBox* box) {
    TDialogTextList list;
    const int32_t n = file.getCount("dialogs::i", "text");
    for (int32_t k = 1; k <= n; ++k) {
        const std::string name = "text" + std::to_string(k);
        const std::string g = "dialogs::" + name + "::";
        auto d = std::make_shared<TDialogText>();
        d->box = box;
        d->id = truncToInt(file.getFloat(g + "id", 0));
        d->atBeginOrEnd = file.getString(g + "atBeginOrEnd", 0);
        d->stageN = truncToInt(file.getFloat(g + "stageN", 0));
        d->levelN = truncToInt(file.getFloat(g + "levelN", 0));
        if (d->id == 0) report(name + " has no id; it can never be shown");
        int32_t portraits = truncToInt(file.getFloat(g + "imgI", 0));
        if (portraits < 0 || portraits > 2) {
            report(name + ": " + std::to_string(portraits) + " portraits; a dialogue has two slots");
            portraits = std::clamp(portraits, 0, 2);
        }
        for (int32_t j = 1; j <= portraits; ++j) {
            const std::string path = file.getString(g + "img" + std::to_string(j), 0);
            TImage img = path.empty() ? nullptr : LoadImage(dataDir + path);
            if (img) MidHandleImage(img);
            else report(name + ": portrait " + std::to_string(j) + " \"" + path + "\" not loaded");
            d->image[size_t(j - 1)] = img;
        }
        const int32_t count = file.getCount(g + "i", "txt");
        for (int32_t m = 1; m <= count; ++m) {
            const std::string key = "txt" + std::to_string(m);
            const auto f = parseDialogLine(file.getString(g + key, 0), name + "::" + key);
            auto line = std::make_shared<TDialogLine>();
            line->txt = readTxtData(texts, f.txt);
            line->time = f.time;
            line->who = f.who;
            line->rgb = TRGB{f.r, f.g, f.b};
            d->lines.push_back(std::move(line));
        }
        list.push_back(std::move(d));
    }
    return list;
}
