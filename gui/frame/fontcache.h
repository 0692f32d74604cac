#pragma once
// The one entry point for image fonts: each (file, size) pair is loaded once and the same
// font is handed out on every later request. Failures are remembered too.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.h"

struct TMyFont {
    std::string url;  // as first requested
    int size = 0;
    TImageFont font;  // null when loading failed

    // Every entry made so far, in order; entries live for the whole run.
    static std::vector<std::shared_ptr<TMyFont>> listaFontow;
};

// Same file (compared without regard to case) at the same size gives the same font.
TImageFont myLoadImageFont(const std::string& url, int size);

// True the first time it is asked about a font file that did not load (whatever the size):
// a missing file is told once however many layouts name it.
bool FontFailureIsNew(const std::string& url);

// Replaces the loader behind the cache (tests count loads); nullptr restores LoadImageFont.
void SetFontCacheLoader(std::function<TImageFont(const std::string&, int, int)> loader);
// Empties the cache, forgets the failures told and restores the loader: for tests between cases.
void ResetFontCache();
