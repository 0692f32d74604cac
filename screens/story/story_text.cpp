#include "screens/story/story_text.h"

#include "gui/data/qcmfile.h"
#include "gui/data/txtfile.h"
#include "gui/frame/fontcache.h"
#include "gui/globals.h"
#include "platform/system.h"
#include "gui/text/type_style.h"

std::array<TImageFont, 2> TStoryText::font;

namespace {
bool gResourcesReady = false;
}

int TStoryText::createTextData(const std::string& text) {
    static const std::string marker = "#ENTER#";
    size_t from = 0;
    while (true) {
        size_t at = text.find(marker, from);
        if (at == std::string::npos) {
            // The piece after the last marker counts only when it holds something (a text
            // without any marker is always one row).
            if (from < text.size() || from == 0) txt.push_back(text.substr(from));
            break;
        }
        txt.push_back(text.substr(from, at - from));
        from = at + marker.size();
    }
    return 0;
}

int TStoryText::update() {
    const int32_t now = Millisecs();
    if (now < startTime) return 0;
    if (endTime == 0) endTime = now + life();
    const float rem = float(endTime - now);
    const float elapsed = float(life()) - rem;
    s = 0.85f + 0.15f * (1.0f - rem / float(life()));
    if (rem <= 1000) a = rem / 1000.0f;
    else if (elapsed <= 1000) a = elapsed / 1000.0f;
    else a = 1;
    if (a < 0) a = 0;
    if (now > endTime) destroy();
    return 0;
}

float TStoryText::height() {
    SetImageFont(font[size_t(slot())]);
    return float(txt.size()) * float(TextHeight("A"));
}

int TStoryText::draw(float alpha) {
    if (Millisecs() < startTime) return 0;
    // Story lines are body text on the dark bars: never pure white.
    SetColor(typestyle::kBody.r, typestyle::kBody.g, typestyle::kBody.b);
    SetScale(s, s);
    SetRotation(0);
    SetBlend(ALPHABLEND);
    SetAlpha(a * alpha);
    const float top = y - height() / 2;  // also selects the font
    const float rowH = float(TextHeight("A"));
    for (size_t r = 0; r < txt.size(); ++r) {
        const int half = TextWidth(txt[r]) / 2;
        DrawText(txt[r], x - float(half) * s, top + float(r) * rowH);
    }
    SetScale(1, 1);
    return 0;
}

int TStoryText::pause() {
    pauseTime = Millisecs();
    return 0;
}

int TStoryText::resume() {
    if (pauseTime == 0) return 0;
    const int32_t d = Millisecs() - pauseTime;
    startTime += d;
    if (endTime != 0) endTime += d;
    return 0;
}

int TStoryText::destroy() {
    // Marked first, so a block that belongs to no list still drops out of any walk.
    _dead = true;
    if (myList) fx::remove(*myList, this);
    return 0;
}

void TStoryText::pauseAll(TStoryTextList* list) {
    if (list)
        for (auto& t : *list)
            if (t) t->pause();
}

void TStoryText::resumeAll(TStoryTextList* list) {
    if (list)
        for (auto& t : *list)
            if (t) t->resume();
}

void setupStoryResources() {
    SetMaskColor(255, 0, 255);
    TStoryText::font[0] = myLoadImageFont(bDir + "gfx/fonts/storyFont.ttf", 48);
    TStoryText::font[1] = myLoadImageFont(bDir + "gfx/fonts/storyFont.ttf", 60);
    gResourcesReady = true;
}

bool storyResourcesReady() { return gResourcesReady; }

void resetStoryResources() {
    TStoryText::font = {};
    gResourcesReady = false;
}

void loadStoryTexts(const std::string& dataFile, const std::string& textFile, TStoryTextList& list) {
    auto data = loadQCMFile(bDir + dataFile);
    auto lines = loadTxtFile(bDir + "txt/" + lang + "/" + textFile);
    fx::clear(list);
    const int n = data->getCount("story::i", "text");
    for (int k = 1; k <= n; ++k) {
        const std::string g = "story::text" + std::to_string(k) + "::";
        auto t = std::make_shared<TStoryText>();
        t->createTextData(readTxtData(lines, data->getInt(g + "txt")));
        t->x = data->getFloat(g + "dim", 0);
        t->y = data->getFloat(g + "dim", 1);
        t->startTime = data->getInt(g + "startTime");
        t->lifeTime = data->getInt(g + "lifeTime");
        t->fontN = data->getInt(g + "font");
        t->myList = &list;
        list.push_back(t);
    }
}

void startStoryTexts(TStoryTextList& list) {
    const int32_t now = Millisecs();
    for (auto& t : list)
        if (t) t->startTime += now;
}

void updateStoryTexts(TStoryTextList& list) {
    fx::walk(list, [](TStoryText& t) { t.update(); });
}

void drawStoryTexts(TStoryTextList& list, float alpha) {
    fx::each(list, [alpha](TStoryText& t) { t.draw(alpha); });
}
