// Scripted input and frame limits for end-to-end runs of the real program.
#include "platform/harness.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

#include "platform/detail/input_keymap.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/strings.h"
#include "platform/system.h"

namespace {

// The script in parts: the first starts at frame 0, each later one at the frame in which
// the program reports what its "wait" line names; frames count from that start.
struct Segment {
    std::string waitFor;  // empty for the first part
    int timeout = 0;      // frames the wait may take, counted from the previous part's start
    int line = 0;
    int start = 0;
    std::vector<ScriptCommand> actions;  // everything but shots, in frame order
    std::vector<ScriptCommand> shots;
    size_t nextAction = 0;
    size_t nextShot = 0;
};

struct HarnessState {
    std::vector<Segment> segments{Segment{}};
    size_t current = 0;
    int frame = 0;
    int frameLimit = -1;
    bool quit = false;
    bool timedOut = false;
    std::vector<int> pendingButtons;  // released at the next frame
    std::vector<int> pendingKeys;
};

HarnessState h;

// Script positions are in the game's 1024 x 768 picture, which the letterbox centres in the
// virtual space with whole-unit offsets.
constexpr float kPictureW = 1024.0f;
constexpr float kPictureH = 768.0f;

// A virtual space smaller than the picture is not a letterbox: no offset then.
float pictureOffset(float virtualSize, float pictureSize) {
    if (!(virtualSize > pictureSize)) return 0.0f;
    return std::floor((virtualSize - pictureSize) * 0.5f);
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Splits off the first blank-separated word of s.
std::string_view takeWord(std::string_view& s) {
    s = trimBlanks(s);
    size_t end = 0;
    while (end < s.size() && !isBlank(s[end])) ++end;
    std::string_view word = s.substr(0, end);
    s = trimBlanks(s.substr(end));
    return word;
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

bool parseCount(std::string_view s, int& out) {
    if (s.empty() || s.size() > 9) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    out = 0;
    for (char c : s) out = out * 10 + (c - '0');
    return true;
}

bool parseNumber(std::string_view s, double& out) {
    if (s.empty()) return false;
    if (s.front() == '+') s.remove_prefix(1);
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && ptr == s.data() + s.size() && std::isfinite(out);
}

int buttonFromName(std::string_view name) {
    std::string n = lowerAscii(name);
    if (n == "left") return 1;
    if (n == "right") return 2;
    if (n == "middle") return 3;
    return 0;
}

std::string lineError(int line, std::string_view text, const std::string& why) {
    return "line " + std::to_string(line) + ": " + why + " in \"" + std::string(text) + "\"";
}

// Checks one non-blank, non-comment line; empty string when it is good.
std::string parseLine(std::string_view text, int line, ScriptCommand& cmd) {
    std::string_view rest = text;
    std::string_view frameWord = takeWord(rest);
    if (!parseCount(frameWord, cmd.frame))
        return lineError(line, text, "the frame number \"" + std::string(frameWord) +
                                         "\" is not a whole number of 0 or more");
    std::string_view verbWord = takeWord(rest);
    if (verbWord.empty()) return lineError(line, text, "a command is missing");
    cmd.verb = lowerAscii(verbWord);
    cmd.line = line;
    cmd.args.clear();

    auto words = [&](size_t count) {
        std::string_view r = rest;
        for (size_t i = 0; i < count; ++i) {
            std::string_view w = takeWord(r);
            if (w.empty()) return false;
            cmd.args.emplace_back(w);
        }
        return r.empty();
    };

    const std::string& v = cmd.verb;
    if (v == "move") {
        double x = 0, y = 0;
        if (!words(2) || !parseNumber(cmd.args[0], x) || !parseNumber(cmd.args[1], y))
            return lineError(line, text, "move needs two numbers X Y");
    } else if (v == "press" || v == "release" || v == "click") {
        if (!words(1) || buttonFromName(cmd.args[0]) == 0)
            return lineError(line, text, v + " needs left or right");
    } else if (v == "key") {
        if (!words(1) || input_detail::VirtualKeyFromName(cmd.args[0]) == 0)
            return lineError(line, text, "key needs a key name (ESCAPE, ENTER, SPACE, A..Z, 0..9, "
                                         "LEFT, RIGHT, UP, DOWN)");
    } else if (v == "type") {
        if (rest.empty()) return lineError(line, text, "type needs a text");
        cmd.args.emplace_back(rest);
    } else if (v == "shot") {
        if (rest.empty()) return lineError(line, text, "shot needs a file name");
        cmd.args.emplace_back(rest);
    } else if (v == "quit") {
        if (!rest.empty()) return lineError(line, text, "quit takes nothing after it");
    } else if (v == "span") {
        if (!words(1)) return lineError(line, text, "span needs one name");
    } else if (v == "wait") {
        if (rest.empty() || cmd.frame == 0)
            return lineError(line, text, "wait needs a frame count above 0 and what to wait for");
        cmd.args.emplace_back(rest);
    } else {
        return lineError(line, text, "unknown command \"" + std::string(verbWord) + "\"");
    }
    return {};
}

void takeShot(const std::string& file) {
    if (IsHeadless()) {
        std::printf("shot %s: not written, the headless backend has no picture "
                    "(use the gl backend with SDL_VIDEODRIVER=offscreen)\n",
                    file.c_str());
        std::fflush(stdout);
        return;
    }
    Pixmap pm;
    if (!GrabScreen(pm) || !SavePixmapPNG(pm, file))
        std::fprintf(stderr, "shot %s: the picture could not be written\n", file.c_str());
}

void apply(const ScriptCommand& c) {
    const std::string& v = c.verb;
    if (v == "move") {
        double x = 0, y = 0;
        parseNumber(c.args[0], x);
        parseNumber(c.args[1], y);
        InjectMouseMove(float(x) + pictureOffset(VirtualResolutionWidth(), kPictureW),
                        float(y) + pictureOffset(VirtualResolutionHeight(), kPictureH));
    } else if (v == "press") {
        InjectMouseButton(buttonFromName(c.args[0]), true);
    } else if (v == "release") {
        InjectMouseButton(buttonFromName(c.args[0]), false);
    } else if (v == "click") {
        int b = buttonFromName(c.args[0]);
        InjectMouseButton(b, true);
        h.pendingButtons.push_back(b);
    } else if (v == "key") {
        int k = input_detail::VirtualKeyFromName(c.args[0]);
        InjectKey(k, true);
        // A real key press of these also lands in the typed-character queue.
        if (k == KEY_ENTER || k == KEY_ESCAPE || k == KEY_BACKSPACE) InjectChar(k);
        h.pendingKeys.push_back(k);
    } else if (v == "type") {
        for (char32_t cp : str::toCodePoints(c.args[0])) InjectChar(int(cp));
    } else if (v == "quit") {
        h.quit = true;
    } else if (v == "span") {
        MemoryMark(c.args[0]);
    }
}

void applyActionsUpTo(int frame) {
    Segment& s = h.segments[h.current];
    while (s.nextAction < s.actions.size() && s.start + s.actions[s.nextAction].frame <= frame)
        apply(s.actions[s.nextAction++]);
}

// A wait that has run out: the run has lost its way, so it ends here with the reason.
void checkWaitTimeout() {
    if (h.current + 1 >= h.segments.size()) return;
    const Segment& next = h.segments[h.current + 1];
    if (h.frame - h.segments[h.current].start <= next.timeout) return;
    std::fprintf(stderr, "ZERKON_SCRIPT line %d: \"%s\" did not come within %d frames\n", next.line,
                 next.waitFor.c_str(), next.timeout);
    h.timedOut = true;
    h.quit = true;
}

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return false;
    out = ss.str();
    return true;
}

}  // namespace

bool ParseScript(const std::string& text, std::vector<ScriptCommand>& out, std::string& error) {
    out.clear();
    error.clear();
    std::string_view all = text;
    if (all.substr(0, 3) == "\xEF\xBB\xBF") all.remove_prefix(3);
    int line = 0;
    size_t pos = 0;
    while (pos <= all.size()) {
        ++line;
        size_t nl = all.find('\n', pos);
        std::string_view t = trimBlanks(all.substr(pos, nl == std::string_view::npos ? nl : nl - pos));
        pos = nl == std::string_view::npos ? all.size() + 1 : nl + 1;
        if (t.empty() || t.front() == '#') continue;
        ScriptCommand cmd;
        std::string why = parseLine(t, line, cmd);
        if (!why.empty()) {
            out.clear();
            error = why;
            return false;
        }
        out.push_back(std::move(cmd));
    }
    return true;
}

void HarnessStart(std::vector<ScriptCommand> commands, int frameLimit) {
    ResetHarness();
    h.frameLimit = frameLimit;
    for (auto& c : commands) {
        if (c.verb == "wait") {
            Segment s;
            s.waitFor = c.args[0];
            s.timeout = c.frame;
            s.line = c.line;
            h.segments.push_back(std::move(s));
            continue;
        }
        Segment& s = h.segments.back();
        (c.verb == "shot" ? s.shots : s.actions).push_back(std::move(c));
    }
    auto byFrame = [](const ScriptCommand& a, const ScriptCommand& b) { return a.frame < b.frame; };
    for (Segment& s : h.segments) {
        std::stable_sort(s.actions.begin(), s.actions.end(), byFrame);
        std::stable_sort(s.shots.begin(), s.shots.end(), byFrame);
    }
    applyActionsUpTo(0);
}

bool HarnessInit() {
    int limit = -1;
    const char* frames = std::getenv("ZERKON_FRAMES");
    if (frames && *frames) {
        if (!parseCount(trimBlanks(frames), limit)) {
            std::fprintf(stderr, "ZERKON_FRAMES: \"%s\" is not a whole number of frames\n", frames);
            return false;
        }
    }
    std::vector<ScriptCommand> commands;
    const char* script = std::getenv("ZERKON_SCRIPT");
    if (script && *script) {
        std::string text;
        if (!readFile(script, text)) {
            std::fprintf(stderr, "ZERKON_SCRIPT: cannot read the script \"%s\"\n", script);
            return false;
        }
        std::string error;
        if (!ParseScript(text, commands, error)) {
            std::fprintf(stderr, "ZERKON_SCRIPT %s: %s\n", script, error.c_str());
            return false;
        }
    }
    HarnessStart(std::move(commands), limit);
    return true;
}

bool HarnessFrame() {
    // The frame just drawn: its shots, and whether it is the last one.
    Segment& s = h.segments[h.current];
    while (s.nextShot < s.shots.size() && s.start + s.shots[s.nextShot].frame <= h.frame)
        takeShot(s.shots[s.nextShot++].args[0]);
    bool end = h.quit || (h.frameLimit >= 0 && h.frame + 1 >= h.frameLimit);

    ++h.frame;
    for (int b : h.pendingButtons) InjectMouseButton(b, false);
    for (int k : h.pendingKeys) InjectKey(k, false);
    h.pendingButtons.clear();
    h.pendingKeys.clear();
    applyActionsUpTo(h.frame);
    checkWaitTimeout();
    return end;
}

void HarnessMark(const std::string& event) {
    MemoryMark(event);
    if (h.current + 1 >= h.segments.size() || h.segments[h.current + 1].waitFor != event) return;
    // What the last part had left is dropped: it was only there until this came. Its
    // commands go with it, so that a long script (a whole voyage) does not keep a MiB of
    // them through the run it measures.
    Segment& done = h.segments[h.current];
    std::vector<ScriptCommand>().swap(done.actions);
    std::vector<ScriptCommand>().swap(done.shots);
    done.nextAction = done.nextShot = 0;
    ++h.current;
    h.segments[h.current].start = h.frame;
}

bool HarnessTimedOut() { return h.timedOut; }

int HarnessFrameNumber() { return h.frame; }
bool HarnessQuitRequested() { return h.quit; }
void ResetHarness() { h = HarnessState{}; }
