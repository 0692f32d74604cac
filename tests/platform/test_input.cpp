// Input latching: hits, holds, wheel, typed characters, focus, and the gl event translation
// driven with hand-made SDL events (no window needed).
#include <gtest/gtest.h>

#include <string>

#include "platform/detail/input_keymap.h"
#include "platform/detail/input_sdl.h"
#include "platform/graphics.h"
#include "platform/input.h"

namespace {

using input_detail::HandleSdlEvent;

SDL_Event buttonEvent(bool down, Uint8 sdlButton, int x = 0, int y = 0) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = sdlButton;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event keyEvent(bool down, SDL_Scancode sc, bool repeat = false) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.scancode = sc;
    e.key.repeat = repeat ? 1 : 0;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    return e;
}

SDL_Event textEvent(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    return e;
}

SDL_Event windowEvent(SDL_WindowEventID id) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = Uint8(id);
    return e;
}

SDL_Event wheelEvent(int y, bool flipped = false) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = y;
    e.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    return e;
}

std::vector<int> drainChars() {
    std::vector<int> out;
    for (int c = GetChar(); c != 0; c = GetChar()) out.push_back(c);
    return out;
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGraphicsState();
        ResetInputState();
    }
    void TearDown() override {
        CloseGraphics();
        ResetInputState();
    }
};

TEST_F(InputTest, PressAndReleaseWithinOneFrameCountsOnceAndEndsUp) {
    HandleSdlEvent(buttonEvent(true, SDL_BUTTON_LEFT));
    HandleSdlEvent(buttonEvent(false, SDL_BUTTON_LEFT));
    EXPECT_FALSE(MouseDown(1));
    EXPECT_EQ(MouseHit(1), 1);
    EXPECT_EQ(MouseHit(1), 0) << "reading the hit clears it";

    // Two quick clicks before the next read are two presses.
    for (int i = 0; i < 2; ++i) {
        HandleSdlEvent(buttonEvent(true, SDL_BUTTON_LEFT));
        HandleSdlEvent(buttonEvent(false, SDL_BUTTON_LEFT));
    }
    EXPECT_EQ(MouseHit(1), 2);
}

TEST_F(InputTest, HoldIsReadFromEventsAndButtonsMapToOurNumbering) {
    HandleSdlEvent(buttonEvent(true, SDL_BUTTON_RIGHT));
    HandleSdlEvent(buttonEvent(true, SDL_BUTTON_MIDDLE));
    EXPECT_TRUE(MouseDown(2));
    EXPECT_TRUE(MouseDown(3));
    EXPECT_FALSE(MouseDown(1));
    EXPECT_EQ(MouseHit(2), 1);
    EXPECT_EQ(MouseHit(3), 1);
    EXPECT_TRUE(MouseDown(2)) << "reading the hit leaves the hold";
    HandleSdlEvent(buttonEvent(false, SDL_BUTTON_RIGHT));
    EXPECT_FALSE(MouseDown(2));
    EXPECT_TRUE(MouseDown(3));
}

TEST_F(InputTest, FlushMouseForgetsHitsAndHoldsUntilPressedAgain) {
    InjectMouseButton(1, true);
    InjectMouseButton(2, true);
    FlushMouse();
    EXPECT_EQ(MouseHit(1), 0);
    EXPECT_FALSE(MouseDown(1));
    EXPECT_FALSE(MouseDown(2));

    // The physical release after the flush changes nothing; the next press counts anew.
    HandleSdlEvent(buttonEvent(false, SDL_BUTTON_LEFT));
    EXPECT_FALSE(MouseDown(1));
    EXPECT_EQ(MouseHit(1), 0);
    HandleSdlEvent(buttonEvent(true, SDL_BUTTON_LEFT));
    EXPECT_TRUE(MouseDown(1));
    EXPECT_EQ(MouseHit(1), 1);
}

TEST_F(InputTest, WheelAccumulates) {
    HandleSdlEvent(wheelEvent(2));
    HandleSdlEvent(wheelEvent(-1));
    EXPECT_EQ(MouseZ(), 1);
    HandleSdlEvent(wheelEvent(3, true));  // "natural" scrolling reports the opposite sign
    EXPECT_EQ(MouseZ(), -2);
    InjectMouseWheel(5);
    EXPECT_EQ(MouseZ(), 3);
    EXPECT_EQ(MouseZ(), 3) << "the wheel is a position, not a count that clears";
}

TEST_F(InputTest, KeysCountPressesNotRepeats) {
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_L));
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_L, true));
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_L, true));
    EXPECT_TRUE(KeyDown(76));
    EXPECT_EQ(KeyHit(76), 1);
    EXPECT_EQ(KeyHit(76), 0);
    HandleSdlEvent(keyEvent(false, SDL_SCANCODE_L));
    EXPECT_FALSE(KeyDown(76));

    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_LCTRL));
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_Q));
    EXPECT_TRUE(KeyDown(KEY_LCONTROL));
    EXPECT_EQ(KeyHit('Q'), 1);

    FlushKeys();
    EXPECT_FALSE(KeyDown(KEY_LCONTROL));
    EXPECT_EQ(KeyHit('Q'), 0);
}

TEST_F(InputTest, TypedCharactersAreCodePointsWithBackspaceReturnAndEscape) {
    HandleSdlEvent(textEvent("a\xC3\xA9"));              // a, e acute
    HandleSdlEvent(textEvent("\xE2\x82\xAC\xF0\x9F\x98\x80"));  // euro sign, an emoji
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_BACKSPACE));
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_BACKSPACE, true));  // held: repeats
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_RETURN));
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_KP_ENTER));
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_ESCAPE));
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_A));  // letters arrive as text, not from keys
    EXPECT_EQ(drainChars(), (std::vector<int>{'a', 0xE9, 0x20AC, 0x1F600, 8, 8, 13, 13, 27}));
    EXPECT_EQ(KeyHit(KEY_BACKSPACE), 1);
}

TEST_F(InputTest, CharacterQueueHoldsTwoHundredFiftySixAndFlushEmptiesIt) {
    for (int i = 0; i < 300; ++i) InjectChar('a' + i % 26);
    std::vector<int> got = drainChars();
    ASSERT_EQ(got.size(), 256u);
    EXPECT_EQ(got.front(), 'a');
    EXPECT_EQ(got.back(), 'a' + 255 % 26) << "the oldest are kept, the overflow dropped";

    // The ring wraps around without losing order.
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 200; ++i) InjectChar(1000 + i);
        got = drainChars();
        ASSERT_EQ(got.size(), 200u);
        EXPECT_EQ(got[0], 1000);
        EXPECT_EQ(got[199], 1199);
    }

    InjectChar('x');
    FlushKeys();
    EXPECT_EQ(GetChar(), 0);
}

TEST_F(InputTest, VirtualMouseScalesDisplayPixelsByTheVirtualResolution) {
    struct Case {
        int displayW, displayH;
        float virtW, virtH;
        float vx, vy;
        int px, py;
    };
    const Case cases[] = {
        {1024, 768, 1024, 768, 512, 384, 512, 384},
        {2048, 1536, 1024, 768, 100, 50, 200, 100},
        {1920, 1080, 1365.3334f, 768, 682.6667f, 384, 960, 540},
        {640, 480, 1024, 768, 1000, 700, 625, 437},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.displayW) + "x" + std::to_string(c.displayH));
        ASSERT_TRUE(Graphics(c.displayW, c.displayH));
        SetVirtualResolution(c.virtW, c.virtH);
        InjectMouseMove(c.vx, c.vy);
        EXPECT_EQ(MouseX(), c.px);
        EXPECT_EQ(MouseY(), c.py);
        EXPECT_NEAR(VirtualMouseX(), c.vx, 1e-3);
        EXPECT_NEAR(VirtualMouseY(), c.vy, 1e-3);
        MoveVirtualMouse(c.vx / 2, c.vy / 2);
        EXPECT_NEAR(VirtualMouseX(), c.vx / 2, 1e-3);
        EXPECT_NEAR(VirtualMouseY(), c.vy / 2, 1e-3);
    }
}

TEST_F(InputTest, MotionEventsSetDisplayPixels) {
    ASSERT_TRUE(Graphics(2048, 1536));
    SetVirtualResolution(1024, 768);
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 300;
    e.motion.y = 200;
    HandleSdlEvent(e);
    EXPECT_EQ(MouseX(), 300);
    EXPECT_EQ(MouseY(), 200);
    EXPECT_FLOAT_EQ(VirtualMouseX(), 150.0f);
    EXPECT_FLOAT_EQ(VirtualMouseY(), 100.0f);
    // A press also carries where it happened.
    HandleSdlEvent(buttonEvent(true, SDL_BUTTON_LEFT, 10, 20));
    EXPECT_EQ(MouseX(), 10);
    EXPECT_EQ(MouseY(), 20);
}

TEST_F(InputTest, FocusAndMinimiseSuspendAndFlush) {
    EXPECT_FALSE(AppSuspended());
    InjectKey(KEY_SPACE, true);
    InjectMouseButton(1, true);
    HandleSdlEvent(windowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    EXPECT_TRUE(AppSuspended());
    EXPECT_FALSE(KeyDown(KEY_SPACE));
    EXPECT_EQ(KeyHit(KEY_SPACE), 0);
    EXPECT_EQ(MouseHit(1), 0);

    HandleSdlEvent(windowEvent(SDL_WINDOWEVENT_MINIMIZED));
    HandleSdlEvent(windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    EXPECT_TRUE(AppSuspended()) << "still minimised";
    HandleSdlEvent(windowEvent(SDL_WINDOWEVENT_RESTORED));
    EXPECT_FALSE(AppSuspended());

    InjectSuspended(true);
    EXPECT_TRUE(AppSuspended());
    InjectSuspended(false);
    EXPECT_FALSE(AppSuspended());
}

TEST_F(InputTest, QuitAndWindowCloseRequestTermination) {
    const Uint32 kinds[] = {SDL_QUIT, SDL_WINDOWEVENT};
    for (Uint32 kind : kinds) {
        ResetInputState();
        EXPECT_FALSE(AppTerminate());
        SDL_Event e = kind == SDL_QUIT ? SDL_Event{} : windowEvent(SDL_WINDOWEVENT_CLOSE);
        e.type = kind;
        HandleSdlEvent(e);
        EXPECT_TRUE(AppTerminate());
        EXPECT_TRUE(AppTerminate()) << "the request stays";
    }
    ResetInputState();
    InjectTerminate();
    EXPECT_TRUE(AppTerminate());
}

TEST_F(InputTest, HeadlessPollLeavesSdlEventsAlone) {
    ASSERT_TRUE(IsHeadless());
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    PollSystem();
    EXPECT_FALSE(AppTerminate());
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT), 1);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

TEST_F(InputTest, OutOfRangeButtonsAndKeysReadAsNothing) {
    InjectMouseButton(0, true);
    InjectMouseButton(9, true);
    InjectKey(-1, true);
    InjectKey(KEY_COUNT, true);
    InjectChar(0);
    InjectChar(-5);
    EXPECT_EQ(MouseHit(0), 0);
    EXPECT_EQ(MouseHit(9), 0);
    EXPECT_FALSE(MouseDown(-1));
    EXPECT_EQ(KeyHit(-1), 0);
    EXPECT_EQ(KeyHit(KEY_COUNT), 0);
    EXPECT_FALSE(KeyDown(1000));
    EXPECT_EQ(GetChar(), 0);
    // Keys the game has no code for change nothing.
    HandleSdlEvent(keyEvent(true, SDL_SCANCODE_AUDIOMUTE));
    for (int k = 0; k < KEY_COUNT; ++k) ASSERT_FALSE(KeyDown(k)) << k;
}

TEST(InputKeymap, ScancodesMapToVirtualKeys) {
    struct Case {
        int scancode;
        int key;
    };
    const Case cases[] = {
        {SDL_SCANCODE_A, 65},          {SDL_SCANCODE_L, 76},         {SDL_SCANCODE_Z, 90},
        {SDL_SCANCODE_1, 49},          {SDL_SCANCODE_9, 57},         {SDL_SCANCODE_0, 48},
        {SDL_SCANCODE_RETURN, 13},     {SDL_SCANCODE_KP_ENTER, 13},  {SDL_SCANCODE_ESCAPE, 27},
        {SDL_SCANCODE_SPACE, 32},      {SDL_SCANCODE_BACKSPACE, 8},  {SDL_SCANCODE_TAB, 9},
        {SDL_SCANCODE_DELETE, 46},     {SDL_SCANCODE_LEFT, 37},      {SDL_SCANCODE_UP, 38},
        {SDL_SCANCODE_RIGHT, 39},      {SDL_SCANCODE_DOWN, 40},      {SDL_SCANCODE_HOME, 36},
        {SDL_SCANCODE_PAGEDOWN, 34},   {SDL_SCANCODE_F1, 112},       {SDL_SCANCODE_F4, 115},
        {SDL_SCANCODE_F12, 123},       {SDL_SCANCODE_LSHIFT, 160},   {SDL_SCANCODE_RSHIFT, 161},
        {SDL_SCANCODE_LCTRL, 162},     {SDL_SCANCODE_RCTRL, 163},    {SDL_SCANCODE_LALT, 164},
        {SDL_SCANCODE_RALT, 165},      {SDL_SCANCODE_LGUI, 91},      {SDL_SCANCODE_KP_0, 96},
        {SDL_SCANCODE_KP_9, 105},      {SDL_SCANCODE_UNKNOWN, 0},    {-1, 0},
        {SDL_NUM_SCANCODES, 0},        {100000, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(input_detail::VirtualKeyFromScancode(c.scancode), c.key) << "scancode " << c.scancode;
}

TEST(InputKeymap, HarnessKeyNames) {
    struct Case {
        const char* name;
        int key;
    };
    const Case cases[] = {
        {"ESCAPE", 27}, {"enter", 13}, {"Space", 32}, {"A", 65}, {"z", 90}, {"0", 48},
        {"9", 57},      {"LEFT", 37},  {"RIGHT", 39}, {"UP", 38}, {"DOWN", 40}, {"F1", 112},
        {"f12", 123},   {"F13", 0},    {"F0", 0},     {"F01", 0}, {"FOO", 0},   {"", 0},
        {"-", 0},       {"AB", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(input_detail::VirtualKeyFromName(c.name), c.key) << c.name;
}

}  // namespace
