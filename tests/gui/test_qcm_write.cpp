#include <gtest/gtest.h>

#include "gui/data/qcmfile.h"
#include "fuzz/qcm_roundtrip.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "test_qcm_support.h"

namespace {

using QcmSave = DataFileTest;

TEST_F(QcmSave, SettingsFileByteExact) {
    auto f = createQCMFile();
    f->setFloat("settings::fullScreen", 1.0f, 0);
    f->setFloat("settings::wideScreen", 1.0f, 0);
    f->setFloat("settings::customCursor", 1.0f, 0);
    f->setFloat("settings::musicVolume", 0.5f, 0);
    f->setFloat("settings::soundVolume", 0.5f, 0);
    ASSERT_EQ(f->save(path("settings.dat")), 0);
    EXPECT_EQ(readBytes("settings.dat"),
              "settings {\n"
              "\tfullScreen = 1\n"
              "\twideScreen = 1\n"
              "\tcustomCursor = 1\n"
              "\tmusicVolume = 0.500000000\n"
              "\tsoundVolume = 0.500000000\n"
              "}\n"
              "\n");
}

TEST_F(QcmSave, EmptyTreeWritesZeroBytes) {
    auto f = createQCMFile();
    f->setFloat("rootOnly", 3.0f, 0);  // entries of the root are never written
    ASSERT_EQ(f->save(path("empty.dat")), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "empty.dat"));
    EXPECT_EQ(readBytes("empty.dat"), "");
}

TEST(QcmFloatText, NineSignificantDigits) {
    const struct {
        float value;
        const char* stored;
        const char* written;
    } cases[] = {
        {0.8f, "0.800000012", "0.800000012"},
        {0.5f, "0.500000000", "0.500000000"},
        {1.0f, "1.00000000", "1"},
        {60.0f, "60.0000000", "60"},
        {0.05f, "0.0500000007", "0.0500000007"},
        {1e8f, "100000000.", "100000000"},
        {1e9f, "1.00000000e+09", "1.00000000e+09"},
        {1e10f, "1.00000000e+10", "1.00000000e+10"},
        {-2.0f, "-2.00000000", "-2"},
        {0.0001f, "9.99999975e-05", "9.99999975e-05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        auto f = createQCMFile();
        f->setFloat("g::v", c.value, 0);
        EXPECT_EQ(f->getString("g::v", 0), c.stored);
        EXPECT_EQ(f->toText(), std::string("g {\n\tv = ") + c.written + "\n}\n\n");
    }
}

TEST(QcmNumberText, WholeNumbersLoseTheirFraction) {
    const struct {
        const char* stored;
        const char* written;
    } cases[] = {
        {"1.00000000", "1"},     {"12abc", "12"},   {"-0.00000000", "0"},
        {"abc", "0"},            {"", "0"},         {"0.500000000", "0.500000000"},
        {"1.00000000e+10", "1.00000000e+10"},       {" 5", "5"},
        {" 2.5", " 2.5"},        {"-3", "-3"},      {"1e3", "1e3"},
        {"2.5\"x", "2.5\"x"},      {" 7\" 1", "7"},
        {"$10", "$10"},          {" -7.00000000", "-7"},
    };
    for (const auto& c : cases) EXPECT_EQ(qcmNumberText(c.stored), c.written) << c.stored;
}

TEST(QcmSet, GrowingAnIndexFillsWithEmptyValues) {
    auto f = createQCMFile();
    f->setFloat("g::n", 5.0f, 3);
    f->setString("g::s", "x", 2);
    EXPECT_EQ(f->toText(), "g {\n\tn = 0, 0, 0, 5\n\ts = \"\", \"\", \"x\"\n}\n\n");

    f->setFloat("g::n", 9.0f, 0);  // the other values stay
    EXPECT_EQ(f->getString("g::n", 3), "5.00000000");
    EXPECT_EQ(f->toText(), "g {\n\tn = 9, 0, 0, 5\n\ts = \"\", \"\", \"x\"\n}\n\n");
}

TEST(QcmSet, ExistingEntryKeepsItsType) {
    auto f = createQCMFile();
    f->setString("g::s", "x", 0);
    f->setFloat("g::s", 2.0f, 0);
    f->setFloat("g::n", 1.0f, 0);
    f->setString("g::N", "abc", 0);
    EXPECT_EQ(f->toText(), "g {\n\ts = \"2.00000000\"\n\tn = 0\n}\n\n");
}

TEST(QcmSet, GroupsMatchWithoutCaseAndKeepFirstSpelling) {
    auto f = createQCMFile();
    f->setFloat("lplLevel::a", 1.0f, 0);
    f->setFloat("lpllevel::counter", 2.0f, 0);
    f->setFloat("LPLLEVEL::Sub::x", 3.0f, 0);
    EXPECT_EQ(f->toText(), "lplLevel {\n\ta = 1\n\tcounter = 2\n\tSub {\n\t\tx = 3\n\t}\n\n}\n\n");
}

TEST(QcmSet, LayoutOfNamelessAndEntrylessGroups) {
    auto f = createQCMFile();
    f->setFloat("outer::inner::x", 1.0f, 0);
    f->setString("::loose", "v", 0);  // a group named "" has no header or braces
    EXPECT_EQ(f->toText(),
              "outer {\n\n\tinner {\n\t\tx = 1\n\t}\n\n}\n\n"
              "\tloose = \"v\"\n");
    // Read back, the nameless group's entries belong to the root.
    auto back = parseQCMText(f->toText());
    EXPECT_EQ(back->getFloat("outer::inner::x", 0), 1.0f);
    EXPECT_EQ(back->getString("loose", 0), "v");
}

TEST(QcmSet, EmptyPathAndNegativeIndexChangeNothing) {
    auto f = createQCMFile();
    f->setFloat("", 1.0f, 0);
    f->setString("g::k", "v", -1);
    EXPECT_EQ(f->getString("g::k", 0), "");
    EXPECT_EQ(f->toText(), "");
}

TEST_F(QcmSave, CharacterAbove255WritesUtf16WithBom) {
    auto wide = createQCMFile();
    wide->setString("p::name", "\xC5\x81ukasz", 0);  // U+0141
    ASSERT_EQ(wide->save(path("wide.dat")), 0);
    const std::string bytes = readBytes("wide.dat");
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFEp\0", 4));
    // Two bytes a character after the mark; the one two-byte UTF-8 character is one unit.
    const std::string utf8 = "p {\n\tname = \"\xC5\x81ukasz\"\n}\n\n";
    EXPECT_EQ(bytes.size(), 2 + 2 * (utf8.size() - 1));
    EXPECT_EQ(loadQCMFile(path("wide.dat"))->getString("p::name", 0), "\xC5\x81ukasz");

    auto narrow = createQCMFile();
    narrow->setString("p::name", "Jos\xC3\xA9", 0);  // U+00E9 fits one byte
    ASSERT_EQ(narrow->save(path("narrow.dat")), 0);
    EXPECT_EQ(readBytes("narrow.dat"), "p {\n\tname = \"Jos\xE9\"\n}\n\n");
    EXPECT_EQ(loadQCMFile(path("narrow.dat"))->getString("p::name", 0), "Jos\xC3\xA9");
}

TEST_F(QcmSave, ProfileRoundTrip) {
    auto f = createQCMFile();
    f->setString("profile::name", "Anne Bonny", 0);
    f->setString("profile::flowType", "HARD", 0);
    f->setFloat("profile::flowSequence", 17.0f, 0);
    f->setFloat("profile::stats::score", 123456.0f, 0);
    f->setFloat("profile::stats::time", 12.75f, 0);
    f->setFloat("profile::powerUps::timers", 1000.0f, 5);
    f->setString("profile::awards::award1::id", "GOLD, SILVER", 0);
    f->setFloat("profile::awards::i", 1.0f, 0);
    f->setFloat("level::data::dims", 10.0f, 0);
    f->setFloat("level::data::dims", 15.0f, 1);
    std::filesystem::create_directories(dir / "Profiles/65-");
    ASSERT_EQ(f->save(path("Profiles/65-/profile.dat")), 0);

    auto back = loadQCMFile(path("profiles/65-/PROFILE.dat"));
    EXPECT_EQ(back->getString("profile::name", 0), "Anne Bonny");
    EXPECT_EQ(back->getString("profile::flowType", 0), "HARD");
    EXPECT_EQ(back->getFloat("profile::flowSequence", 0), 17.0f);
    EXPECT_EQ(back->getFloat("profile::stats::score", 0), 123456.0f);
    EXPECT_EQ(back->getFloat("profile::stats::time", 0), 12.75f);
    EXPECT_EQ(back->getFloat("profile::powerUps::timers", 0), 0.0f);
    EXPECT_EQ(back->getFloat("profile::powerUps::timers", 5), 1000.0f);
    EXPECT_EQ(back->getString("profile::awards::award1::id", 0), "GOLD, SILVER");
    EXPECT_EQ(back->getFloat("level::data::dims", 1), 15.0f);
    // A number comes back with one blank before its written form.
    EXPECT_EQ(back->getString("profile::flowSequence", 0), " 17");
    EXPECT_EQ(back->getString("profile::stats::time", 0), " 12.7500000");

    // Same groups, order and types: the text written again differs only by the blank a
    // fraction keeps.
    EXPECT_EQ(back->toText(), str::replaceAll(f->toText(), "12.7500000", " 12.7500000"));
}

TEST_F(QcmSave, FailedSaveLeavesOldFileAndReports) {
    auto old = createQCMFile();
    old->setFloat("settings::fullScreen", 1.0f, 0);
    ASSERT_EQ(old->save(path("settings.dat")), 0);
    const std::string before = readBytes("settings.dat");

    auto next = createQCMFile();
    next->setFloat("settings::fullScreen", 0.0f, 0);
    files::failNextSaveBeforeRename();
    int result = 0;
    const std::string console = captureConsole([&] { result = next->save(path("settings.dat")); });
    EXPECT_NE(result, 0);
    EXPECT_EQ(console, "Napotkano problem : " + path("settings.dat") + " cannot be written; the copy already there is kept\n");
    EXPECT_EQ(readBytes("settings.dat"), before);
    // No temporary is left beside it.
    size_t count = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++count;
    EXPECT_EQ(count, 1u);
}

}  // namespace

// What a saver sets is written as it was given, in the file's own byte form, and reads
// back as it was given: "=", braces, quotes and commas in texts included.
TEST(QcmRoundTrip, TextsAreWrittenAsGivenAndReadBack) {
    const struct {
        const char* what;
        const char* path;
        const char* text;
        const char* line;  // the entry as written
    } cases[] = {
        {"equals sign", "g::eq", "a=b", "\teq = \"a=b\""},
        {"equals at the ends", "g::eq", "=a=", "\teq = \"=a=\""},
        {"braces", "g::b", "{x} }{", "\tb = \"{x} }{\""},
        {"quotes in pairs", "g::name", "Bo \"the Bold\"", "\tname = \"Bo \"the Bold\"\""},
        {"a single quote", "g::name", "O\"Neil", "\tname = \"O\"Neil\""},
        {"a quote before braces", "g::name", "a\"b{c}", "\tname = \"a\"b{c}\""},
        {"quotes only", "g::q", "\"\"", "\tq = \"\"\"\""},
        {"comma and blanks", "g::c", "  x, y  ", "\tc = \"  x, y  \""},
        {"empty", "g::e", "", "\te = \"\""},
        {"a digit", "g::d", "7", "\td = \"7\""},
        {"key with a quote", "g::k\"ey", "v", "\tk\"ey = \"v\""},
        {"group with an equals sign", "a=b::k", "v", "\tk = \"v\""},
        {"group with a quote", "g\"x::k", "v{", "\tk = \"v{\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto f = createQCMFile();
        f->setString(c.path, c.text, 0);
        f->setString("later::k", "after", 0);  // what follows reads as written too
        const std::string text = f->toText();
        EXPECT_NE(text.find(std::string(c.line) + "\n"), std::string::npos) << text;
        std::shared_ptr<TQCMFile> back;
        EXPECT_EQ(captureConsole([&] { back = parseQCMText(text); }), "");
        EXPECT_EQ(back->getString(c.path, 0), c.text) << text;
        EXPECT_EQ(back->getString("later::k", 0), "after") << text;
        EXPECT_EQ(back->toText(), text);
    }
}

// A number entry holding text reads as the text stored; written, it takes the file's number
// form (a whole number, or the text as it stands).
TEST(QcmRoundTrip, NumberEntriesKeepTheirTextUntilWritten) {
    const struct {
        const char* line;
        const char* read;
        const char* written;
    } cases[] = {
        {"n = -\"IAMN-\"", " -\"IAMN-\"", "\tn = 0"},
        {"n = 7 \"MAIN\"", " 7 \"MAIN\"", "\tn = 7"},
        {"n = 2.5\"x\"", " 2.5\"x\"", "\tn =  2.5\"x\""},
        {"n = 1 = 2", " 1 = 2", "\tn = 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto f = parseQCMText(std::string("g {\n") + c.line + "\n}\n");
        EXPECT_EQ(f->getString("g::n"), c.read);
        EXPECT_EQ(f->toText(), std::string("g {\n") + c.written + "\n}\n\n");
        EXPECT_TRUE(qcmReadsBackTheSame(*f));
    }
}

// A tree read from any text is written so that it reads back as itself: where a stray quote
// would make a text read back otherwise, the text is read without its quotes.
TEST(QcmRoundTrip, WhatTheReaderAcceptsIsWrittenToReadBackTheSame) {
    const struct {
        const char* text;
        const char* key;
        const char* value;  // as read, before and after a save
    } cases[] = {
        {"g {\n\tflowType = \"CASUAL\" 0\n\tn = 1\n}\n", "g::flowType", "CASUAL\" "},
        {"g {\n\tname = \"Bo \"the Bold\"\"\n}\n", "g::name", "Bo \"the Bold\""},
        {"g {\n\tv = \"x\"y\"z\", \"c\"\n\tw = 2\n}\n", "g::v", "x\"y\"z"},
        {"g {\n\tv =  a\"x,y\"b\n}\n", "g::v", "ax,y"},
        {"g {\n\tv = \"a\"b, \"c\"\n}\n", "g::v", "a"},
        {"g {\n\tv = ab\"{\"\n}\n", "g::v", "b\"{"},
        {"g {\n\tv = \"a\"b, {c\"\n}\n", "g::v", "a"},
        {"\"g\" {\n\t\"k\" = \"v\"\n}\n", "\"g\"::\"k\"", "v"},
        {"g {\n\tn = 2.5\"x\"\n\tm = 1\n}\n", "g::m", " 1"},
        // The first number is written "1", without the quotes that kept the brace text.
        {"g {\n\tn = 1\"x\", 2.5 {\n\tm = 1\n}\n", "g::m", " 1"},
    };
    for (const auto& c : cases) {
        auto f = parseQCMText(c.text);
        EXPECT_EQ(f->getString(c.key), c.value) << c.text;
        EXPECT_TRUE(qcmReadsBackTheSame(*f)) << c.text;
        auto back = parseQCMText(f->toText());
        EXPECT_EQ(back->getString(c.key), c.value) << f->toText();
    }
}
