#include <gtest/gtest.h>

#include "gui/data/txtfile.h"
#include "gui/globals.h"
#include "test_qcm_support.h"

namespace {

const char kBeyond[] = "(BEYOND TEXT ARRAY LENGTH!)";

TEST(TxtLines, CountTable) {
    const struct {
        const char* text;
        int lines;
    } cases[] = {
        {"a\nb\n", 2}, {"a\nb", 2}, {"a\n\nb", 3}, {"\n", 1}, {"", 0}, {"\n\n", 2}, {"x", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(splitTxtLines(c.text)->lines(), c.lines) << c.text;
}

TEST(TxtLines, NumberingAndMarker) {
    auto f = splitTxtLines("first\r\n\r\nthird\r\n");
    ASSERT_EQ(f->lines(), 3);
    EXPECT_EQ(readTxtData(f, 1), "first\r");  // a CR before the LF stays
    EXPECT_EQ(readTxtData(f, 2), "\r");
    EXPECT_EQ(readTxtData(f, 3), "third\r");
    for (int n : {0, 4, -1, 1000}) EXPECT_EQ(readTxtData(f, n), kBeyond) << n;
    EXPECT_EQ(readTxtData(splitTxtLines(""), 1), kBeyond);
    EXPECT_EQ(readTxtData(std::shared_ptr<TTxtFile>(), 1), kBeyond);
}

using TxtLoad = DataFileTest;

TEST_F(TxtLoad, LangTokenReplacedEverywhere) {
    lang = "pl";
    writeBytes("txt/pl/menu_pl.txt", "Graj\nWyjdz\n");
    auto f = loadTxtFile(path("txt/#LANG#/menu_#LANG#.txt"));
    ASSERT_EQ(f->lines(), 2);
    EXPECT_EQ(readTxtData(f, 2), "Wyjdz");
}

TEST_F(TxtLoad, ByteOrderMarks) {
    const std::string want = "\xC5\xBC" "a\nb";  // "za" with z-dot, then "b"
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"utf8.txt", "\xEF\xBB\xBF\xC5\xBC" "a\nb\n"},
        {"utf16le.txt", std::string("\xFF\xFE\x7C\x01" "a\0\n\0b\0\n\0", 12)},
        {"utf16be.txt", std::string("\xFE\xFF\x01\x7C\0a\0\n\0b\0\n", 12)},
        {"latin1.txt", "\xE9t\xE9\nb\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(c.name, c.bytes);
        auto f = loadTxtFile(path(c.name));
        ASSERT_EQ(f->lines(), 2);
        EXPECT_EQ(readTxtData(f, 2), "b");
        if (std::string(c.name) == "latin1.txt") {
            EXPECT_EQ(readTxtData(f, 1), "\xC3\xA9t\xC3\xA9");
        } else {
            EXPECT_EQ(readTxtData(f, 1) + "\n" + readTxtData(f, 2), want);
        }
    }
}

TEST_F(TxtLoad, MissingFileReadsEmptyAndIsReported) {
    std::shared_ptr<TTxtFile> f;
    const std::string console = captureConsole([&] { f = loadTxtFile(path("txt/#LANG#/gone.txt")); });
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->lines(), 0);
    EXPECT_EQ(readTxtData(f, 1), kBeyond);
    EXPECT_EQ(console, "Napotkano problem : Nie znaleziono pliku : " + path("txt/en/gone.txt") + "\n");
}

}  // namespace
