// The scripted test harness: the script reader, when commands land, and the frame limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "platform/graphics.h"
#include "platform/harness.h"
#include "platform/input.h"

namespace {

class HarnessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGraphicsState();
        ResetInputState();
        ResetHarness();
        unsetenv("ZERKON_SCRIPT");
        unsetenv("ZERKON_FRAMES");
    }
    void TearDown() override {
        unsetenv("ZERKON_SCRIPT");
        unsetenv("ZERKON_FRAMES");
        ResetHarness();
        ResetInputState();
    }

    static void start(const std::string& script, int frameLimit = -1) {
        std::vector<ScriptCommand> cmds;
        std::string error;
        ASSERT_TRUE(ParseScript(script, cmds, error)) << error;
        HarnessStart(std::move(cmds), frameLimit);
    }

    std::string writeScript(const std::string& text) {
        auto dir = std::filesystem::temp_directory_path();
        std::string path = (dir / ("zerkon_harness_" + std::to_string(::getpid()) + ".txt")).string();
        std::ofstream(path, std::ios::binary) << text;
        scriptPath_ = path;
        return path;
    }
    ~HarnessTest() override {
        if (!scriptPath_.empty()) std::remove(scriptPath_.c_str());
    }

private:
    std::string scriptPath_;
};

TEST(ScriptParser, ReadsEveryCommand) {
    const std::string text =
        "# a comment\n"
        "\n"
        "0 move 512 384.5\r\n"
        "   \t\n"
        "1 press left\n"
        "2 release RIGHT\n"
        "  # indented comment\n"
        "3 click right\n"
        "4 key escape\n"
        "5 type Hello  w\xC3\xB3rld\n"
        "6 shot out/frame 6.png\n"
        "7 QUIT\n"
        "8 move -3 +4\n"
        "9 span held";
    std::vector<ScriptCommand> cmds;
    std::string error;
    ASSERT_TRUE(ParseScript(text, cmds, error)) << error;
    struct Expect {
        int frame;
        const char* verb;
        std::vector<std::string> args;
        int line;
    };
    const Expect expect[] = {
        {0, "move", {"512", "384.5"}, 3},      {1, "press", {"left"}, 5},
        {2, "release", {"RIGHT"}, 6},          {3, "click", {"right"}, 8},
        {4, "key", {"escape"}, 9},             {5, "type", {"Hello  w\xC3\xB3rld"}, 10},
        {6, "shot", {"out/frame 6.png"}, 11},  {7, "quit", {}, 12},
        {8, "move", {"-3", "+4"}, 13},         {9, "span", {"held"}, 14},
    };
    ASSERT_EQ(cmds.size(), std::size(expect));
    for (size_t i = 0; i < cmds.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cmds[i].frame, expect[i].frame);
        EXPECT_EQ(cmds[i].verb, expect[i].verb);
        EXPECT_EQ(cmds[i].args, expect[i].args);
        EXPECT_EQ(cmds[i].line, expect[i].line);
    }
}

TEST(ScriptParser, EmptyScriptsAndByteOrderMark) {
    std::vector<ScriptCommand> cmds;
    std::string error;
    for (const char* text : {"", "\n\n", "# only\n#comments", "\xEF\xBB\xBF"}) {
        EXPECT_TRUE(ParseScript(text, cmds, error)) << error;
        EXPECT_TRUE(cmds.empty());
    }
    ASSERT_TRUE(ParseScript("\xEF\xBB\xBF" "2 quit\n", cmds, error)) << error;
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].frame, 2);
}

TEST(ScriptParser, MalformedLineIsNamed) {
    const char* bad[] = {
        "x move 1 2",  "-1 quit",      "5",           "5 jump",       "5 move 1",
        "5 move a b",  "5 move 1 2 3", "5 move 1 nan", "5 move 1e999 2", "5 press up",
        "5 click",     "5 release",    "5 key",       "5 key FOO",    "5 key A B",
        "5 type",      "5 shot",       "5 quit now",  "99999999999 quit", "1.5 quit",
        "5 wait",      "0 wait place MAPA", "5 span",   "5 span a b",
    };
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        std::vector<ScriptCommand> cmds;
        std::string error;
        // The bad line is the third, after a comment and a good command.
        std::string text = std::string("# header\n0 move 1 1\n") + line + "\n9 quit\n";
        EXPECT_FALSE(ParseScript(text, cmds, error));
        EXPECT_TRUE(cmds.empty());
        EXPECT_EQ(error.rfind("line 3:", 0), 0u) << error;
        EXPECT_NE(error.find(line), std::string::npos) << error;
    }
}

// One frame of the program: read input, then the flip's harness step.
struct FrameInput {
    int hit = 0;
    bool down = false;
    int enterHits = 0;
    bool enterDown = false;
};

FrameInput readFrame() {
    PollSystem();
    FrameInput f;
    f.hit = MouseHit(1);
    f.down = MouseDown(1);
    f.enterHits = KeyHit(KEY_ENTER);
    f.enterDown = KeyDown(KEY_ENTER);
    return f;
}

TEST_F(HarnessTest, ClickIsAHitInItsFrameAndReleasedInTheNext) {
    start("3 click left\n5 key ENTER\n");
    std::vector<FrameInput> frames;
    for (int f = 0; f < 7; ++f) {
        EXPECT_EQ(HarnessFrameNumber(), f);
        frames.push_back(readFrame());
        EXPECT_FALSE(HarnessFrame());
    }
    for (int f = 0; f < 7; ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(frames[f].hit, f == 3 ? 1 : 0);
        EXPECT_EQ(frames[f].down, f == 3);
        EXPECT_EQ(frames[f].enterHits, f == 5 ? 1 : 0);
        EXPECT_EQ(frames[f].enterDown, f == 5);
    }
    EXPECT_EQ(GetChar(), 13) << "Enter also types a Return";
}

TEST_F(HarnessTest, FrameZeroAppliesAtStartAndLaterFramesAfterTheirFlip) {
    ASSERT_TRUE(Graphics(1024, 768));
    start("2 move 10 20\n0 move 100 200\n0 type h\xC3\xA9\n1 press right\n4 release right\n");
    EXPECT_FLOAT_EQ(VirtualMouseX(), 100);
    EXPECT_FLOAT_EQ(VirtualMouseY(), 200);
    EXPECT_EQ(GetChar(), 'h');
    EXPECT_EQ(GetChar(), 0xE9);
    EXPECT_EQ(GetChar(), 0);
    EXPECT_FALSE(MouseDown(2));

    HarnessFrame();  // to frame 1
    EXPECT_TRUE(MouseDown(2));
    EXPECT_EQ(MouseHit(2), 1);
    EXPECT_FLOAT_EQ(VirtualMouseX(), 100);
    HarnessFrame();  // 2
    EXPECT_FLOAT_EQ(VirtualMouseX(), 10) << "commands out of order still land at their frame";
    EXPECT_FLOAT_EQ(VirtualMouseY(), 20);
    HarnessFrame();  // 3
    EXPECT_TRUE(MouseDown(2)) << "a press holds until its release";
    HarnessFrame();  // 4
    EXPECT_FALSE(MouseDown(2));
    CloseGraphics();
}

// A "wait" part starts in the frame its event comes, counts its frames from there and
// drops what the part before had left; events that are not awaited change nothing.
TEST_F(HarnessTest, WaitHoldsTheScriptUntilItsEventAndCountsFromThere) {
    start("1 click left\n"
          "6 click left\n"  // left over when the wait ends: dropped
          "50 wait place MAPA\n"
          "2 click left\n"
          "50 wait play NORMAL\n"
          "50 wait play WIN\n");  // an empty part, started and left in one frame
    std::vector<int> hits;
    for (int f = 0; f < 12; ++f) {
        if (readFrame().hit) hits.push_back(f);
        if (f == 3) {
            HarnessMark("place MAIN-GAME");
            HarnessMark("place MAPA");
            HarnessMark("place MAPA");  // the next wait is for something else
        }
        EXPECT_FALSE(HarnessFrame());
    }
    EXPECT_EQ(hits, (std::vector<int>{1, 5}));
    HarnessMark("play NORMAL");
    HarnessMark("play WIN");
    EXPECT_FALSE(HarnessTimedOut());
}

TEST_F(HarnessTest, AWaitThatRunsOutEndsTheRun) {
    start("10 wait place MAPA\n");
    int frames = 0;
    while (!HarnessFrame() && frames < 100) ++frames;
    EXPECT_EQ(frames, 11) << "the run ends at the flip after the one past the wait's frames";
    EXPECT_TRUE(HarnessTimedOut());
    EXPECT_TRUE(HarnessQuitRequested());
}

TEST_F(HarnessTest, MoveIsInPictureCoordinatesOfTheLetterbox) {
    struct Case {
        int displayW, displayH;
        float virtW, virtH;  // as the letterbox sets them
        float x, y;          // where "move 0 0" lands in the virtual space
    };
    const Case cases[] = {
        {1024, 768, 1024, 768, 0, 0},
        {1920, 1080, 1365.3334f, 768, 170, 0},
        {1280, 1024, 1024, 819.2f, 0, 25},
        {640, 480, 1024, 768, 0, 0},
        {800, 600, 800, 600, 0, 0},  // not a letterbox of the picture
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.displayW << "x" << c.displayH);
        ASSERT_TRUE(Graphics(c.displayW, c.displayH));
        SetVirtualResolution(c.virtW, c.virtH);
        start("0 move 0 0\n1 move 512 384\n");
        EXPECT_FLOAT_EQ(VirtualMouseX(), c.x);
        EXPECT_FLOAT_EQ(VirtualMouseY(), c.y);
        HarnessFrame();
        EXPECT_NEAR(VirtualMouseX(), c.x + 512, 1e-3);
        EXPECT_NEAR(VirtualMouseY(), c.y + 384, 1e-3);
    }
    CloseGraphics();
}

TEST_F(HarnessTest, QuitEndsAtTheFlipOfItsFrame) {
    start("2 quit\n");
    EXPECT_FALSE(HarnessFrame());  // flip of frame 0
    EXPECT_FALSE(HarnessQuitRequested());
    EXPECT_FALSE(HarnessFrame());  // frame 1
    EXPECT_TRUE(HarnessQuitRequested()) << "frame 2 is drawn knowing it is the last";
    EXPECT_TRUE(HarnessFrame());   // frame 2
}

TEST_F(HarnessTest, FrameLimitEndsAfterThatManyFrames) {
    for (int limit : {1, 3}) {
        start("", limit);
        for (int i = 1; i < limit; ++i) EXPECT_FALSE(HarnessFrame()) << i;
        EXPECT_TRUE(HarnessFrame());
        EXPECT_EQ(HarnessFrameNumber(), limit);
    }
    start("");
    for (int i = 0; i < 100; ++i) ASSERT_FALSE(HarnessFrame()) << "no limit, no end";
}

TEST_F(HarnessTest, FlipEndsTheProgramThroughTheTerminateRequest) {
    setenv("ZERKON_FRAMES", "2", 1);
    ASSERT_TRUE(HarnessInit());
    ASSERT_TRUE(Graphics(1024, 768));
    Flip();
    EXPECT_FALSE(AppTerminate());
    Flip();
    EXPECT_TRUE(AppTerminate());
    CloseGraphics();
}

TEST_F(HarnessTest, InitReadsTheScriptFromTheEnvironment) {
    setenv("ZERKON_SCRIPT", writeScript("# test\n0 key SPACE\n1 quit\n").c_str(), 1);
    ASSERT_TRUE(HarnessInit());
    EXPECT_EQ(KeyHit(KEY_SPACE), 1);
    EXPECT_FALSE(HarnessFrame());
    EXPECT_FALSE(KeyDown(KEY_SPACE));
    EXPECT_TRUE(HarnessFrame());
}

TEST_F(HarnessTest, InitRefusesBadScriptsAndLimitsWithAMessage) {
    struct Case {
        const char* script;   // nullptr: a file that does not exist
        const char* frames;   // nullptr: unset
        const char* message;  // part of what standard error says
    };
    const Case cases[] = {
        {"0 move 1 1\n\n3 fly away\n", nullptr, "line 3"},
        {nullptr, nullptr, "cannot read"},
        {"", "ten", "ZERKON_FRAMES"},
        {"", "-4", "ZERKON_FRAMES"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        std::string path = c.script ? writeScript(c.script) : "/nonexistent/zerkon/script.txt";
        setenv("ZERKON_SCRIPT", path.c_str(), 1);
        if (c.frames)
            setenv("ZERKON_FRAMES", c.frames, 1);
        else
            unsetenv("ZERKON_FRAMES");
        ::testing::internal::CaptureStderr();
        bool ok = HarnessInit();
        std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_FALSE(ok);
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
    }
}

TEST_F(HarnessTest, HeadlessShotWritesNothingAndSaysSo) {
    ASSERT_TRUE(IsHeadless());
    auto file = std::filesystem::temp_directory_path() / "zerkon_harness_shot.png";
    std::filesystem::remove(file);
    start("1 shot " + file.string() + "\n");
    ::testing::internal::CaptureStdout();
    HarnessFrame();  // flip of frame 0: not yet
    std::string before = ::testing::internal::GetCapturedStdout();
    ::testing::internal::CaptureStdout();
    HarnessFrame();  // flip of frame 1
    HarnessFrame();
    std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(before, "");
    EXPECT_NE(out.find(file.string()), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
