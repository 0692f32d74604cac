#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "gui/data/qcmfile.h"
#include "test_qcm_support.h"

namespace {

struct ReadCase {
    const char* name;
    const char* text;
    const char* path;
    int index;
    const char* asString;
    float asFloat;
};

const ReadCase kReadCases[] = {
    {"name_on_own_line", "level\n{\nx = 1\n}\n", "level::x", 0, " 1", 1.0f},
    {"name_before_brace", "level {\nx = 1\n}\n", "level::x", 0, " 1", 1.0f},
    {"stray_word_glued_to_key", "g {\nstray\nkey = 5\n}\n", "g::straykey", 0, " 5", 5.0f},
    {"stray_word_leaves_no_plain_key", "g {\nstray\nkey = 5\n}\n", "g::key", 0, "", 0.0f},
    {"stray_word_glued_to_group", "word\ng {\nk = 2\n}\n", "wordg::k", 0, " 2", 2.0f},
    {"last_entry_without_lf_lost", "a = 1\nb = 2", "b", 0, "", 0.0f},
    {"earlier_root_entry_kept", "a = 1\nb = 2", "a", 0, " 1", 1.0f},
    {"entry_before_close_on_same_line_lost", "g {\nx = 1 }\n", "g::x", 0, "", 0.0f},
    {"close_at_eof_without_lf", "g {\nx = 1\n}", "g::x", 0, " 1", 1.0f},
    {"nested_close_at_eof_without_lf", "a {\nb {\nx = 3\n}\n}", "a::b::x", 0, " 3", 3.0f},
    {"entry_after_subgroup", "g {\ns {\n}\nk = 4\n}\n", "g::k", 0, " 4", 4.0f},
    {"dot_five_is_string", "v = .5\n", "v", 0, "", 0.0f},
    {"lone_minus_is_number", "v = -\n", "v", 0, " -", 0.0f},
    {"quoted_digit_is_string", "v = \"5\"\n", "v", 0, "5", 5.0f},
    {"two_strings", "v = \"a\", \"b\"\n", "v", 1, "b", 0.0f},
    {"quoted_comma_kept", "v = \"a, b\", \"c\"\n", "v", 0, "a, b", 0.0f},
    {"after_quoted_comma", "v = \"a, b\", \"c\"\n", "v", 1, "c", 0.0f},
    {"equals_in_quotes_is_text", "v = \"a=b\"\n", "v", 0, "a=b", 0.0f},
    {"equals_at_end_of_text", "v = \"ab=\"\n", "v", 0, "ab=", 0.0f},
    {"braces_in_quotes_are_text", "g {\nv = \"{x} }{\"\n}\n", "g::v", 0, "{x} }{", 0.0f},
    {"stray_quote_ends_with_its_line", "g {\nv = \"O\"Neil\"\nw = \"}\"\n}\n", "g::w", 0, "}", 0.0f},
    {"stray_quote_kept_in_last_value", "g {\nv = \"O\"Neil\"\n}\n", "g::v", 0, "O\"Neil", 0.0f},
    {"quotes_in_key_kept", "g {\n\"k\" = 1\n}\n", "g::\"k\"", 0, " 1", 1.0f},
    {"quote_before_equals_is_text", "g\" {\nk = 1\n}\n", "g\"::k", 0, " 1", 1.0f},
    {"number_with_quoted_text_keeps_it", "n = -\"IAMN-\"\n", "n", 0, " -\"IAMN-\"", 0.0f},
    {"no_blank_one_letter", "v =\"a\"\n", "v", 0, "", 0.0f},
    {"no_blank_two_letters", "v =\"ab\"\n", "v", 0, "b", 0.0f},
    {"unquoted_three_letters", "v = abc\n", "v", 0, "b", 0.0f},
    {"number_list_keeps_blank", "v = 1, 2.5\n", "v", 1, " 2.5", 2.5f},
    {"negative_number", "v = -3.25\n", "v", 0, " -3.25", -3.25f},
    {"crlf_trimmed", "g {\r\nx = \"a\"\r\n}\r\n", "g::x", 0, "a", 0.0f},
    {"path_ignores_case", "settings {\nfullScreen = 1\n}\n", "SETTINGS::FULLSCREEN", 0, " 1", 1.0f},
    {"unicode_case", "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 {\nk = 1\n}\n",
     "ZA\xC5\xBB\xC3\x93\xC5\x81\xC4\x86::K", 0, " 1", 1.0f},
    {"first_duplicate_entry", "g {\nk = 1\nk = 2\n}\n", "G::k", 0, " 1", 1.0f},
    {"first_duplicate_group", "g {\nk = 1\n}\ng {\nk = 3\nz = 9\n}\n", "g::k", 0, " 1", 1.0f},
    {"second_duplicate_unreachable", "g {\nk = 1\n}\ng {\nk = 3\nz = 9\n}\n", "g::z", 0, "", 0.0f},
    {"root_entry_one_piece", "top = 7\ng {\n}\n", "top", 0, " 7", 7.0f},
    {"trailing_separator_names_root_entry", "top = 7\n", "top::", 0, " 7", 7.0f},
    {"double_separator_walks_empty_name", "g {\n{\nk = 1\n}\n}\n", "g::::k", 0, " 1", 1.0f},
    {"second_equals_is_text", "v = 1 = 2\n", "v", 0, " 1 = 2", 1.0f},
    {"index_past_values", "v = 1, 2\n", "v", 2, "", 0.0f},
    {"negative_index", "v = 1\n", "v", -1, "", 0.0f},
    {"empty_path", "v = 1\n", "", 0, "", 0.0f},
    {"missing_group", "g {\nk = 1\n}\n", "h::k", 0, "", 0.0f},
    {"blank_after_equals", "v =   \n", "v", 0, "", 0.0f},
    {"nothing_after_equals", "v =\n", "v", 0, "", 0.0f},
};

class QcmReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(QcmReadTable, LooksUpValue) {
    const ReadCase& c = GetParam();
    std::string console;
    std::shared_ptr<TQCMFile> f;
    console = captureConsole([&] { f = parseQCMText(c.text); });
    EXPECT_EQ(console, "");
    EXPECT_EQ(f->getString(c.path, c.index), c.asString);
    EXPECT_FLOAT_EQ(f->getFloat(c.path, c.index), c.asFloat);
}

INSTANTIATE_TEST_SUITE_P(Reader, QcmReadTable, ::testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct EntryCase {
    const char* line;
    int type;
    std::vector<std::string> values;
};

TEST(QcmEntry, TypesAndValueLists) {
    const EntryCase cases[] = {
        {"k = 1, 2.5", _QCM_number, {" 1", " 2.5"}},
        {"k = 1,,3", _QCM_number, {" 1", "", "3"}},
        {"k = 1,", _QCM_number, {" 1"}},
        {"k = \"a\", \"b\"", _QCM_string, {"a", "b"}},
        {"k = \"a,b\"", _QCM_string, {"a,b"}},
        {"k = .5", _QCM_string, {""}},
        {"k = +1", _QCM_string, {""}},
        {"k = -", _QCM_number, {" -"}},
        {"k = \"7\"", _QCM_string, {"7"}},
        {"k = \"\"", _QCM_string, {""}},
        {"k = \"\xC5\xBC\xC3\xB3\"", _QCM_string, {"\xC5\xBC\xC3\xB3"}},
        {"k =", _QCM_string, {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        auto e = TQCMFile::readEntry(c.line);
        EXPECT_EQ(e->_id, "k");
        EXPECT_EQ(e->_type, c.type);
        EXPECT_EQ(e->_value, c.values);
    }
}

TEST(QcmTree, GroupsAndEntriesInFileOrder) {
    auto f = parseQCMText("a {\nx = 1\nb {\ny = \"q\"\n}\nc {\n}\nz = 2\n}\nd {\n}\n");
    const TQCMGroup* root = f->_grupa.get();
    EXPECT_EQ(root->_id, "MAINGROUP");
    ASSERT_EQ(root->_listaGrup.size(), 2u);
    const TQCMGroup* a = root->_listaGrup[0].get();
    EXPECT_EQ(a->_id, "a");
    ASSERT_EQ(a->_listaGrup.size(), 2u);
    EXPECT_EQ(a->_listaGrup[0]->_id, "b");
    EXPECT_EQ(a->_listaGrup[1]->_id, "c");
    ASSERT_EQ(a->_listaWpisow.size(), 2u);
    EXPECT_EQ(a->_listaWpisow[0]->_id, "x");
    EXPECT_EQ(a->_listaWpisow[1]->_id, "z");
    EXPECT_EQ(root->_listaGrup[1]->_id, "d");
    EXPECT_EQ(f->groupAt("A::B"), a->_listaGrup[0].get());
    EXPECT_EQ(f->groupAt(""), root);
    EXPECT_EQ(f->groupAt("a::nope"), nullptr);
}

TEST(QcmTree, EmptyTextGivesEmptyMainGroupSilently) {
    std::shared_ptr<TQCMFile> f;
    EXPECT_EQ(captureConsole([&] { f = parseQCMText(""); }), "");
    EXPECT_EQ(f->_grupa->_id, "MAINGROUP");
    EXPECT_TRUE(f->_grupa->_listaGrup.empty());
    EXPECT_TRUE(f->_grupa->_listaWpisow.empty());
}

// A count is read no further than the records beside it go: a damaged one is named once and
// never makes a reader walk on.
TEST(QcmCount, BoundedByTheRecordsPresent) {
    // Records rec1 (a group) and REC2 (an entry); rec04, rec5x and rec are not numbered ones.
    const std::string records = "\trec1 {\n\t}\n\tREC2 = 1\n\trec04 = 1\n\trec5x = 1\n\trec = 1\n";
    const struct {
        const char* count;  // the stored value, or "" for no count entry
        int least;
        int32_t read;
        bool said;
    } cases[] = {
        {"2", 0, 2, false},   {"2.9", 0, 2, false}, {"1", 0, 1, false},     {"0", 0, 0, false},
        {"-3", 0, 0, false},  {"", 0, 0, false},    {"3", 0, 2, true},      {"100000000", 0, 2, true},
        {"1e30", 0, 2, true}, {"1e39", 0, 2, true}, {"-nan", 0, 2, true},   {"nan", 0, 2, true},
        {"\"x\"", 0, 2, true}, {"5", 15, 5, false}, {"1e9", 15, 15, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        const std::string text =
            "g {\n" + (*c.count ? std::string("\ti = ") + c.count + "\n" : std::string()) + records + "}\n";
        auto f = parseQCMText(text);
        int32_t n = -1;
        const std::string console = captureConsole([&] { n = f->getCount("g::i", "rec", c.least); });
        EXPECT_EQ(n, c.read);
        if (c.said) {
            EXPECT_EQ(console.rfind("Napotkano problem : A data file: the count g::i is ", 0), 0u) << console;
            EXPECT_NE(console.find("records end at number 2; it is read as " + std::to_string(c.read) + "."),
                      std::string::npos) << console;
            EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 1);
        } else {
            EXPECT_EQ(console, "");
        }
    }
}

struct RefusedCase {
    const char* name;
    std::string text;
    const char* console;
};

TEST(QcmRefused, EmptyTreeAndConsoleLine) {
    const RefusedCase cases[] = {
        {"more_opens", "g {\nk = 1\n", "Napotkano problem : Blad nawiasow klamrowych! \"{\" - 1 \"}\" - 0\n"},
        {"more_closes", "g {\nk = 1\n}\n}\n",
         "Napotkano problem : Blad nawiasow klamrowych! \"{\" - 1 \"}\" - 2\n"},
        {"quoted_brace_not_counted", "g {\nk = \"}\"\n}\n}\n",
         "Napotkano problem : Blad nawiasow klamrowych! \"{\" - 1 \"}\" - 2\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::shared_ptr<TQCMFile> f;
        EXPECT_EQ(captureConsole([&] { f = parseQCMText(c.text); }), c.console);
        EXPECT_EQ(f->_grupa->_id, "");
        EXPECT_TRUE(f->_grupa->_listaGrup.empty());
        EXPECT_EQ(f->getString("g::k", 0), "");
    }
}

// Hostile nesting must end with a report, never a hang or a crash.
TEST(QcmRefused, HostileNestingEndsWithReport) {
    const std::string deep = std::string(100000, '{') + std::string(100000, '}');
    std::shared_ptr<TQCMFile> f;
    const std::string console = captureConsole([&] { f = parseQCMText(deep); });
    EXPECT_EQ(console.rfind("Napotkano problem : ", 0), 0u) << console;
    EXPECT_EQ(f->_grupa->_id, "");
    EXPECT_TRUE(f->_grupa->_listaGrup.empty());
}

// Braces in a quoted value are text to the count and to the parse alike: the groups after
// it read as written.
TEST(QcmTree, QuotedBracesAreText) {
    const std::string many = "g {\nv = \"" + std::string(60, '{') + "\"\n}\nh {\nk = 1\n}\n";
    std::shared_ptr<TQCMFile> f;
    EXPECT_EQ(captureConsole([&] { f = parseQCMText(many); }), "");
    EXPECT_EQ(f->getString("g::v", 0), std::string(60, '{'));
    EXPECT_EQ(f->getFloat("h::k", 0), 1.0f);
    ASSERT_EQ(f->_grupa->_listaGrup.size(), 2u);
}

using QcmLoad = DataFileTest;

TEST_F(QcmLoad, MissingFileGivesEmptyTreeAndConsoleLine) {
    const std::string p = path("nope/missing.dat");
    std::shared_ptr<TQCMFile> f;
    EXPECT_EQ(captureConsole([&] { f = loadQCMFile(p); }),
              "Napotkano problem : Nie znaleziono pliku : " + p + "\n");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->_grupa->_id, "");
    EXPECT_EQ(f->_path, p);
    EXPECT_EQ(f->getFloat("a::b", 0), 0.0f);
}

TEST_F(QcmLoad, FolderInPlaceOfFileReadsEmpty) {
    std::filesystem::create_directories(dir / "folder.dat");
    std::shared_ptr<TQCMFile> f;
    const std::string console = captureConsole([&] { f = loadQCMFile(path("folder.dat")); });
    EXPECT_NE(console.find("Napotkano problem : "), std::string::npos);
    EXPECT_TRUE(f->_grupa->_listaGrup.empty());
}

// A file no game could have written is not read at all: one console line names it.
TEST_F(QcmLoad, HugeFileOrFifoIsRefusedByName) {
    const struct {
        const char* name;
        const char* problem;
    } cases[] = {{"huge.dat", " is larger than any saved file could be"}, {"fifo.dat", " is not a regular file"}};
    writeBytes("huge.dat", "");
    std::filesystem::resize_file(dir / "huge.dat", std::uintmax_t(20) << 30);  // sparse: nothing written
    ASSERT_EQ(mkfifo(path("fifo.dat").c_str(), 0600), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::shared_ptr<TQCMFile> f;
        const std::string console = captureConsole([&] { f = loadQCMFile(path(c.name)); });
        EXPECT_EQ(console.rfind("Napotkano problem : " + path(c.name) + c.problem, 0), 0u) << console;
        EXPECT_EQ(std::count(console.begin(), console.end(), '\n'), 1);
        EXPECT_TRUE(f->_grupa->_listaGrup.empty());
    }
}

TEST_F(QcmLoad, ReadsFileWithBomAndFindsNameWithoutCase) {
    writeBytes("Data/Tiles.dat", "\xEF\xBB\xBFtiles {\n\ti = 2\n\tname = \"\xC5\x81\xC3\xB3""d\xC5\xBA\"\n}\n");
    auto f = loadQCMFile(path("data/tiles.DAT"));
    EXPECT_EQ(f->_grupa->_id, "MAINGROUP");
    EXPECT_EQ(f->getFloat("tiles::i", 0), 2.0f);
    EXPECT_EQ(f->getString("tiles::name", 0), "\xC5\x81\xC3\xB3""d\xC5\xBA");
    EXPECT_EQ(f->_txt.back(), '\n');
    EXPECT_FALSE(f->_realPath.empty());
}

TEST(QcmDebug, GetFloatWithDebugPrintsTheGroup) {
    auto f = parseQCMText("g {\nk = 1\ns {\n}\n}\n");
    float v = 0;
    const std::string console = captureConsole([&] { v = f->getFloat("g::k", 0, 1); });
    EXPECT_EQ(v, 1.0f);
    EXPECT_EQ(console, "g{\n\tk = 1\n\ts{\n\n\t}\n}\n");
}

}  // namespace
