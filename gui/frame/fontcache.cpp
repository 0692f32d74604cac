#include "gui/frame/fontcache.h"

#include <set>

#include "platform/strings.h"

std::vector<std::shared_ptr<TMyFont>> TMyFont::listaFontow;

namespace {

std::function<TImageFont(const std::string&, int, int)> fontLoader;
std::set<std::string> toldFailures;  // upper-cased, as the cache compares

}  // namespace

TImageFont myLoadImageFont(const std::string& url, int size) {
    const std::string key = str::upper(url);
    for (const auto& f : TMyFont::listaFontow)
        if (f->size == size && str::upper(f->url) == key) return f->font;

    auto entry = std::make_shared<TMyFont>();
    entry->url = url;
    entry->size = size;
    // Smoothed glyphs, filtered and mip-mapped; never bold or italic.
    entry->font = fontLoader ? fontLoader(url, size, SMOOTHFONT) : LoadImageFont(url, size, SMOOTHFONT);
    TMyFont::listaFontow.push_back(entry);
    return entry->font;
}

bool FontFailureIsNew(const std::string& url) { return toldFailures.insert(str::upper(url)).second; }

void SetFontCacheLoader(std::function<TImageFont(const std::string&, int, int)> loader) {
    fontLoader = std::move(loader);
}

void ResetFontCache() {
    TMyFont::listaFontow.clear();
    toldFailures.clear();
    fontLoader = nullptr;
}
