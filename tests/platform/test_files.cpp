#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/files.h"

namespace {

// Each test works in a fresh folder of its own, removed afterwards.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zerkon-files-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& rel) const { return dir_ + "/" + rel; }

    void writeRaw(const std::string& rel, const std::string& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(path(rel)).parent_path());
        std::ofstream(path(rel), std::ios::binary) << bytes;
    }

    std::string readRaw(const std::string& rel) const {
        std::ifstream in(path(rel), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_)) names.push_back(e.path().filename());
        return names;
    }

    std::string dir_;
};

TEST_F(FilesTest, LoadTextSniffsByteOrderMark) {
    // "zażółć €" in each encoding; the Latin-1 file has no euro sign to offer.
    const std::string utf8 = "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 \xE2\x82\xAC";
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"be.txt",
         std::string("\xFE\xFF\x00z\x00" "a\x01\x7C\x00\xF3\x01\x42\x01\x07\x00 \x20\xAC", 18), utf8},
        {"le.txt",
         std::string("\xFF\xFEz\x00" "a\x00\x7C\x01\xF3\x00\x42\x01\x07\x01 \x00\xAC\x20", 18), utf8},
        {"utf8.txt", "\xEF\xBB\xBF" + utf8, utf8},
        {"latin1.txt", "gr\xFC\xDF\r\nx", "gr\xC3\xBC\xC3\x9F\r\nx"},
        {"ascii.txt", "a=1\n", "a=1\n"},
        {"empty.txt", "", ""},
        {"pair.txt", std::string("\xFF\xFE\x3C\xD8\xF4\xDF", 6), "\xF0\x9F\x8F\xB4"},
        {"lone.txt", std::string("\xFF\xFE\x3C\xD8" "a\x00", 6), "\xEF\xBF\xBD" "a"},
    };
    for (const Case& c : cases) {
        writeRaw(c.name, c.bytes);
        const auto text = files::loadText(path(c.name));
        ASSERT_TRUE(text.has_value()) << c.name;
        EXPECT_EQ(*text, c.text) << c.name;
    }
}

TEST_F(FilesTest, SaveTextPicksEncodingAndRoundTrips) {
    struct Case {
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"plain\n", "plain\n"},
        {"gr\xC3\xBC\xC3\x9F", "gr\xFC\xDF"},  // every character fits one byte
        {"\xC4\x85", std::string("\xFF\xFE\x05\x01", 4)},
        {"a\xF0\x9F\x8F\xB4", std::string("\xFF\xFE" "a\x00\x3C\xD8\xF4\xDF", 8)},  // surrogate pair
        {"", ""},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(files::saveText(c.text, path("out.txt")));
        EXPECT_EQ(readRaw("out.txt"), c.bytes);
        EXPECT_EQ(files::loadText(path("out.txt")), c.text);
    }
}

TEST_F(FilesTest, FailedSaveKeepsOldFileAndLeavesNoTemporary) {
    ASSERT_TRUE(files::saveText("old", path("settings.dat")));
    files::failNextSaveBeforeRename();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(files::saveText("new", path("settings.dat")));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("settings.dat"), std::string::npos);
    EXPECT_EQ(readRaw("settings.dat"), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"settings.dat"});
    // The seam fires once only.
    EXPECT_TRUE(files::saveText("new", path("settings.dat")));
    EXPECT_EQ(readRaw("settings.dat"), "new");
    EXPECT_EQ(entries(), std::vector<std::string>{"settings.dat"});
}

TEST_F(FilesTest, SaveIntoMissingOrBlockedPlaceReportsFailure) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(files::saveText("x", path("no/such/folder/a.txt")));
    ASSERT_TRUE(files::createDir(path("sub")));
    EXPECT_FALSE(files::saveText("x", path("sub")));  // a folder is never replaced
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("no/such/folder/a.txt"), std::string::npos);
    EXPECT_EQ(files::fileType(path("sub")), files::FILETYPE_DIR);
}

TEST_F(FilesTest, SaveKeepsPermissionsOfReplacedFile) {
    writeRaw("p.txt", "a");
    ASSERT_EQ(chmod(path("p.txt").c_str(), 0640), 0);
    ASSERT_TRUE(files::saveText("b", path("p.txt")));
    struct stat st {};
    ASSERT_EQ(stat(path("p.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(FilesTest, MissingFileIsReportedNotFatal) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(files::loadText(path("missing.txt")).has_value());
    EXPECT_FALSE(files::loadBytes(path("")).has_value());
    ASSERT_TRUE(files::createDir(path("folder")));
    EXPECT_FALSE(files::loadText(path("folder")).has_value());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Error reading from stream"), std::string::npos);
    EXPECT_NE(err.find("missing.txt"), std::string::npos);
}

// A mapped file gives what a read gives, and refuses what a read refuses, the same way.
TEST_F(FilesTest, MappedBytesAreTheReadBytes) {
    std::string big(200000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = char((i * 7919) >> 3);
    writeRaw("Fonts/Big.ttf", big);
    writeRaw("empty.ttf", "");
    ASSERT_TRUE(files::createDir(path("folder.ttf")));
    struct Case {
        std::string name;
        size_t limit;
        bool readable;
        files::ReadError why;
    } cases[] = {
        {"fonts/big.TTF", 0, true, files::ReadError::None},  // found without regard to case
        {"Fonts/Big.ttf", big.size(), true, files::ReadError::None},
        {"Fonts/Big.ttf", big.size() - 1, false, files::ReadError::TooLarge},
        {"empty.ttf", 0, true, files::ReadError::None},
        {"missing.ttf", 0, false, files::ReadError::Missing},
        {"folder.ttf", 0, false, files::ReadError::NotRegular},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " within " + std::to_string(c.limit));
        const auto read = files::loadBytes(path(c.name), c.limit, false);
        const auto mapped = files::mapBytes(path(c.name), c.limit, false);
        EXPECT_EQ(files::lastReadError(), c.why);
        ASSERT_EQ(read.has_value(), c.readable);
        ASSERT_EQ(mapped != nullptr, c.readable);
        if (!c.readable) continue;
        EXPECT_EQ(std::string(mapped->data(), mapped->size()), *read);
        EXPECT_EQ(mapped->mapped(), !read->empty());
    }
}

TEST_F(FilesTest, ResolveMatchesEachComponentWithoutCase) {
    writeRaw("Gfx/Fonts/storyFont.ttf", "f");
    writeRaw("Gfx/gui/a.gui", "g");
    struct Case {
        const char* asked;
        const char* found;  // nullptr: not found
    };
    const Case cases[] = {
        {"Gfx/Fonts/storyFont.ttf", "Gfx/Fonts/storyFont.ttf"},
        {"gfx/fonts/storyfont.ttf", "Gfx/Fonts/storyFont.ttf"},
        {"GFX/GUI/A.GUI", "Gfx/gui/a.gui"},
        {"gfx/./gui/../gui/a.gui", "Gfx/./gui/../gui/a.gui"},
        {"gfx/gui", "Gfx/gui"},
        {"gfx/none.txt", nullptr},
        {"none/a.gui", nullptr},
    };
    for (const Case& c : cases) {
        const auto got = files::resolve(path(c.asked));
        if (c.found) {
            ASSERT_TRUE(got.has_value()) << c.asked;
            EXPECT_EQ(*got, path(c.found)) << c.asked;
        } else {
            EXPECT_FALSE(got.has_value()) << c.asked;
        }
    }
    EXPECT_EQ(files::fileType(path("GFX/fonts/STORYFONT.TTF")), files::FILETYPE_FILE);
    EXPECT_EQ(files::fileType(path("gfx/FONTS")), files::FILETYPE_DIR);
    EXPECT_EQ(files::fileType(path("gfx/nothing")), files::FILETYPE_NONE);
    EXPECT_EQ(files::loadText(path("gfx/GUI/a.GUI")), "g");
}

TEST_F(FilesTest, ResolvePrefersExactThenFirstSpelling) {
    writeRaw("data/b.txt", "lower");
    writeRaw("Data/b.txt", "upper");
    writeRaw("DATA/b.txt", "caps");
    EXPECT_EQ(files::resolve(path("Data/b.txt")), path("Data/b.txt"));
    EXPECT_EQ(files::resolve(path("data/b.txt")), path("data/b.txt"));
    EXPECT_EQ(files::resolve(path("dAtA/B.txt")), path("DATA/b.txt"));  // "DATA" < "Data" < "data"
}

TEST_F(FilesTest, WritesReuseExistingSpelling) {
    ASSERT_TRUE(files::createDir(path("Profiles/65-66-")));
    ASSERT_TRUE(files::saveText("level", path("profiles/65-66-/Level.lvl")));
    EXPECT_EQ(files::loadText(path("Profiles/65-66-/level.lvl")), "level");
    ASSERT_TRUE(files::saveText("again", path("PROFILES/65-66-/LEVEL.LVL")));
    EXPECT_EQ(readRaw("Profiles/65-66-/Level.lvl"), "again");
    EXPECT_FALSE(std::filesystem::exists(path("profiles")));
    EXPECT_EQ(files::resolveForWrite(path("profiles/new/x.dat")), path("Profiles/new/x.dat"));
    // A folder created under another spelling is the same folder.
    EXPECT_TRUE(files::createDir(path("PROFILES")));
    EXPECT_FALSE(std::filesystem::exists(path("PROFILES")));
}

TEST_F(FilesTest, CreateDirRecursesOnlyWhenAsked) {
    EXPECT_FALSE(files::createDir(path("a/b/c"), false));
    EXPECT_TRUE(files::createDir(path("a/b/c")));
    EXPECT_EQ(files::fileType(path("a/b/c")), files::FILETYPE_DIR);
    EXPECT_TRUE(files::createDir(path("a/b/c")));  // already there
    writeRaw("f", "x");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(files::createDir(path("f/g")));
    testing::internal::GetCapturedStderr();
}

TEST_F(FilesTest, DeleteFileRemovesFilesOnly) {
    writeRaw("Doomed.txt", "x");
    ASSERT_TRUE(files::createDir(path("keep")));
    EXPECT_TRUE(files::deleteFile(path("doomed.TXT")));
    EXPECT_EQ(files::fileType(path("Doomed.txt")), files::FILETYPE_NONE);
    EXPECT_FALSE(files::deleteFile(path("Doomed.txt")));
    EXPECT_FALSE(files::deleteFile(path("keep")));
}

TEST(FilesPaths, SplittingTable) {
    struct Case {
        const char* path;
        const char* dir;
        const char* base;
        const char* ext;
        const char* noExt;
    };
    const Case cases[] = {
        {"a/b/c.txt", "a/b", "c.txt", "txt", "a/b/c"},
        {"c.txt", "", "c.txt", "txt", "c"},
        {"/c", "/", "c", "", "/c"},
        {"a.d/c", "a.d", "c", "", "a.d/c"},
        {"a/b.tar.gz", "a", "b.tar.gz", "gz", "a/b.tar"},
        {"a/", "a", "", "", "a/"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(files::extractDir(c.path), c.dir) << c.path;
        EXPECT_EQ(files::stripDir(c.path), c.base) << c.path;
        EXPECT_EQ(files::extractExt(c.path), c.ext) << c.path;
        EXPECT_EQ(files::stripExt(c.path), c.noExt) << c.path;
    }
}

TEST(FilesPaths, NamesThatStayInsideTheirTree) {
    const struct {
        const char* name;
        bool inside;
    } cases[] = {
        {"gfx/ho/key.png", true},   {"", true},          {"a/./b", true},          {"a//b", true},
        {"..a/b..", true},          {"a/..b", true},     {"../x.png", false},      {"a/../../x", false},
        {"a/..", false},            {"..", false},       {"/etc/passwd", false},   {"//x", false},
        {"..\\x", false},          {"a\\b", false},    {"C:/x.png", false},      {"c:x", false},
    };
    for (const auto& c : cases) EXPECT_EQ(files::insideTree(c.name), c.inside) << c.name;
}

TEST(FilesPaths, AbsoluteAndProgramFolders) {
    const std::string cwd = files::currentDir();
    ASSERT_FALSE(cwd.empty());
    EXPECT_EQ(cwd[0], '/');
    EXPECT_EQ(files::realPath("x/../y/./z.txt"), files::realPath(cwd) + "/y/z.txt");
    EXPECT_EQ(files::realPath("/a/b/../../.."), "/");
    EXPECT_EQ(files::realPath("/a//b/"), "/a/b");
    const std::string app = files::appDir();
    EXPECT_EQ(files::fileType(app), files::FILETYPE_DIR);
    EXPECT_EQ(app[0], '/');
}

}  // namespace
