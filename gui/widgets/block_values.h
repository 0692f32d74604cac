#pragma once
// How every widget block reads its values: numbers in one blank-separated value, the
// n-th of them, flags and font names.
#include <string>
#include <vector>

#include "gui/core/layout_items.h"

#include "gui/text/split.h"
#include "platform/graphics.h"
#include "platform/strings.h"

class TGui;

namespace blockval {

// Quotes removed, cut at every single blank (a doubled blank gives an empty piece).
inline std::vector<std::string> pieces(const std::string& value) {
    return rozbijTekst(usunCytat(value), " ");
}
// Piece i as an integer; missing or empty reads as 0.
inline int pieceInt(const std::vector<std::string>& p, size_t i) {
    return i < p.size() ? str::toInt(p[i]) : 0;
}
// VISIBLE / ACTIVE: only "TRUE", in any letter case.
inline int flag(const std::string& value) { return str::upper(value) == "TRUE" ? 1 : 0; }

// Calls fn(upper-cased key, value) for each entry in file order.
template <class Fn>
void eachEntry(const TEntryList& entries, Fn&& fn) {
    for (const auto& e : entries)
        if (e) fn(str::upper(e->_typ), e->_value);
}

// The layout's font of that id; a message ("Nie znaleziono czcionki : " + shown) and none
// when the layout has no such font.
TImageFont layoutFont(const std::string& id, const TGui* gui, const std::string& shown);

}  // namespace blockval
