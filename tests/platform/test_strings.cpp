#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <locale.h>

#include "platform/strings.h"

namespace {

TEST(StringsCodePoints, RoundTripAndInvalidBytes) {
    const std::string text = "a\xC4\x85\xE2\x82\xAC\xF0\x9F\x8F\xB4";  // a, ą, €, a flag
    const std::u32string cps = str::toCodePoints(text);
    EXPECT_EQ(cps, (std::u32string{U'a', 0x105, 0x20AC, 0x1F3F4}));
    EXPECT_EQ(str::fromCodePoints(cps), text);
    EXPECT_EQ(str::length(text), 4u);

    struct Bad {
        const char* bytes;
        std::u32string expected;
    };
    const Bad bad[] = {
        {"\xFF", U"\uFFFD"},
        {"\xC3", U"\uFFFD"},                 // cut short
        {"\xC0\xAF", U"\uFFFD\uFFFD"},       // overlong
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},  // surrogate
        {"x\x80y", U"x\uFFFDy"},
    };
    for (const Bad& b : bad) EXPECT_EQ(str::toCodePoints(b.bytes), b.expected) << b.bytes;
    EXPECT_EQ(str::fromCodePoint(0xD800), "\xEF\xBF\xBD");
}

TEST(StringsCase, UnicodeUpperAndLower) {
    struct Case {
        const char* in;
        const char* up;
    };
    const Case cases[] = {
        {"abc xyz 09", "ABC XYZ 09"},
        {"\xC4\x85\xC5\x82\xC5\xBC\xC4\x87\xC3\xB3", "\xC4\x84\xC5\x81\xC5\xBB\xC4\x86\xC3\x93"},  // ąłżćó
        {"stra\xC3\x9F" "e", "STRA\xC3\x9F" "E"},  // ß stays ß: no one-character capital
        {"\xC3\xA4\xC3\xB6\xC3\xBC", "\xC3\x84\xC3\x96\xC3\x9C"},  // äöü
        {"\xCE\xB1\xCE\xB2", "\xCE\x91\xCE\x92"},                  // αβ
        {"\xD0\xB6\xD1\x91", "\xD0\x96\xD0\x81"},                  // жё
    };
    for (const Case& c : cases) {
        EXPECT_EQ(str::upper(c.in), c.up) << c.in;
        EXPECT_TRUE(str::equalsNoCase(c.in, c.up)) << c.in;
    }
    EXPECT_EQ(str::lower("\xC5\x81\xC3\x93" "DZ"), "\xC5\x82\xC3\xB3" "dz");
    EXPECT_FALSE(str::equalsNoCase("abc", "abcd"));
    EXPECT_FALSE(str::equalsNoCase("\xC4\x85", "a"));
    EXPECT_TRUE(str::equalsNoCase("", ""));
}

TEST(StringsTrim, RemovesControlCodesAndBlanksOnly) {
    EXPECT_EQ(str::trim(" \t\r\n\x01 a b \x1F "), "a b");
    EXPECT_EQ(str::trim("   "), "");
    EXPECT_EQ(str::trim("\xC3\xA0 "), "\xC3\xA0");  // UTF-8 bytes are never trimmed
}

TEST(StringsToInt, Table) {
    struct Case {
        const char* in;
        int32_t out;
    };
    const Case cases[] = {
        {"  12", 12},   {"-7", -7},     {"$ff", 255},       {"-$10", -16},     {"%101", 5},
        {"12abc", 12},  {"", 0},        {"abc", 0},         {"+5", 5},         {"$FF", 255},
        {"%102", 2},    {"- 5", 0},     {"$", 0},           {"3.9", 3},        {"\t-0", 0},
        {"4294967297", 1},  // wraps like a 32-bit int
        {"2147483648", INT32_MIN},
        {"$FFFFFFFF", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(str::toInt(c.in), c.out) << '"' << c.in << '"';
}

TEST(StringsToFloat, Table) {
    struct Case {
        const char* in;
        double out;
    };
    const Case cases[] = {
        {".5", 0.5},   {"-", 0.0},     {"1e3", 1000.0},  {"  -2.5x", -2.5}, {"inf", 0.0},
        {"0x10", 0.0}, {"nan", 0.0},   {"", 0.0},        {"+.25", 0.25},    {"1e", 1.0},
        {"2E-2", 0.02}, {"7.", 7.0},   {".", 0.0},       {"1e+2z", 100.0},  {"-0.800000000", -0.8},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(str::toFloat(c.in), c.out) << '"' << c.in << '"';
}

TEST(StringsFormatFloat, Table) {
    struct Case {
        double in;
        const char* out;
    };
    const Case cases[] = {
        {0.8, "0.800000000"}, {0.5, "0.500000000"},   {1.0, "1.00000000"},
        {60.0, "60.0000000"}, {0.05, "0.0500000000"}, {1e9, "1.00000000e+09"},
        {-3.0, "-3.00000000"}, {0.0, "0.00000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(str::formatFloat(c.in), c.out);
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(str::toFloat(str::formatFloat(c.in)), c.in);
    EXPECT_EQ(str::formatInt(-42), "-42");
}

// A decimal-comma process locale must change nothing.
TEST(StringsNumbers, IgnoreProcessLocale) {
    const char* names[] = {"pl_PL.UTF-8", "pl_PL.utf8", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"};
    locale_t comma = nullptr;
    for (const char* n : names) {
        comma = newlocale(LC_ALL_MASK, n, nullptr);
        if (comma) break;
    }
    if (!comma) GTEST_SKIP() << "no decimal-comma locale installed";
    const locale_t previous = uselocale(comma);
    const bool isComma = std::strcmp(localeconv()->decimal_point, ",") == 0;
    const std::string formatted = str::formatFloat(0.8);
    const double parsed = str::toFloat("2.5");
    const std::string up = str::upper("\xC4\x85i");
    uselocale(previous);
    freelocale(comma);
    ASSERT_TRUE(isComma);
    EXPECT_EQ(formatted, "0.800000000");
    EXPECT_DOUBLE_EQ(parsed, 2.5);
    EXPECT_EQ(up, "\xC4\x84I");
}

TEST(StringsReplaceAll, Table) {
    EXPECT_EQ(str::replaceAll("#LANG#/a/#LANG#", "#LANG#", "en"), "en/a/en");
    EXPECT_EQ(str::replaceAll("aaa", "a", "aa"), "aaaaaa");  // no re-scan of what was inserted
    EXPECT_EQ(str::replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(str::replaceAll("abc", "abc", ""), "");
}

}  // namespace
