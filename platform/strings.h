#pragma once
// Text helpers that never depend on the C locale.
// Strings are UTF-8 in std::string throughout the game (see docs/ARCHITECTURE.md).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace str {

// Code points <-> UTF-8. Invalid bytes decode as U+FFFD.
std::u32string toCodePoints(std::string_view utf8);
std::string fromCodePoints(std::u32string_view cps);
std::string fromCodePoint(char32_t cp);
// Number of characters (code points).
size_t length(std::string_view utf8);

// Unicode upper/lower casing (BMP mapping), used for every case-insensitive comparison.
std::string upper(std::string_view s);
std::string lower(std::string_view s);
bool equalsNoCase(std::string_view a, std::string_view b);

// Removes characters of codes 0 to 32 at both ends.
std::string trim(std::string_view s);

// Text to integer: leading blanks, optional sign, decimal digits ("$" hex, "%" binary after
// the sign) up to the first other character; 0 without digits; wraps like a 32-bit int.
int32_t toInt(std::string_view s);
// Text to float with atof semantics in the C locale (no hex, inf or nan); 0 on no number.
double toFloat(std::string_view s);
// "%#.9g" in the C locale, whatever the process locale is.
std::string formatFloat(double v);
// Plain decimal integer.
std::string formatInt(int64_t v);

// Replaces every occurrence of `from` with `to`.
std::string replaceAll(std::string_view s, std::string_view from, std::string_view to);

}  // namespace str
