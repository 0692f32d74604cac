// Keyboard and mouse state, latched from events (gl) or injected (headless, harness, tests).
// Presses are counted as they arrive, so a click shorter than a frame still counts.
#include "platform/input.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/detail/input_keymap.h"
#include "platform/detail/input_sdl.h"
#include "platform/graphics.h"
#include "platform/strings.h"

namespace {

constexpr int kButtons = 3;          // 1 left, 2 right, 3 middle
constexpr size_t kCharQueueSize = 256;

struct InputState {
    std::array<int, kButtons + 1> mouseHits{};
    std::array<bool, kButtons + 1> mouseDown{};
    int wheel = 0;
    double mouseX = 0.0;  // display pixels of the drawable
    double mouseY = 0.0;
    std::array<int, KEY_COUNT> keyHits{};
    std::array<bool, KEY_COUNT> keyDown{};
    std::array<int, kCharQueueSize> chars{};
    size_t charHead = 0;
    size_t charCount = 0;
    bool focused = true;
    bool minimised = false;
    bool terminate = false;
    bool textInputStarted = false;
};

InputState g;

bool validButton(int b) { return b >= 1 && b <= kButtons; }
bool validKey(int k) { return k >= 0 && k < KEY_COUNT; }

// Virtual units per display pixel; 1 while no display gives a size.
double virtualPerPixelX() {
    int gw = GraphicsWidth();
    float vw = VirtualResolutionWidth();
    return (gw > 0 && vw > 0.0f) ? double(vw) / gw : 1.0;
}
double virtualPerPixelY() {
    int gh = GraphicsHeight();
    float vh = VirtualResolutionHeight();
    return (gh > 0 && vh > 0.0f) ? double(vh) / gh : 1.0;
}

void pushChar(int cp) {
    if (cp <= 0 || g.charCount >= kCharQueueSize) return;  // a full queue drops new ones
    g.chars[(g.charHead + g.charCount) % kCharQueueSize] = cp;
    ++g.charCount;
}

void pressButton(int b) {
    if (!validButton(b)) return;
    ++g.mouseHits[size_t(b)];
    g.mouseDown[size_t(b)] = true;
}
void releaseButton(int b) {
    if (validButton(b)) g.mouseDown[size_t(b)] = false;
}

void pressKey(int k) {
    if (!validKey(k) || k == 0) return;
    ++g.keyHits[size_t(k)];
    g.keyDown[size_t(k)] = true;
}
void releaseKey(int k) {
    if (validKey(k)) g.keyDown[size_t(k)] = false;
}

int toPixel(double v) { return int(std::clamp(std::floor(v), -1e9, 1e9)); }

bool suspended() { return !g.focused || g.minimised; }

// Leaving or coming back to the game forgets what was pressed meanwhile.
void setFocus(bool focused, bool minimised) {
    bool was = suspended();
    g.focused = focused;
    g.minimised = minimised;
    if (was != suspended()) {
        FlushKeys();
        FlushMouse();
    }
}

// SDL: 1 left, 2 middle, 3 right.
int buttonFromSdl(Uint8 b) {
    switch (b) {
        case SDL_BUTTON_LEFT: return 1;
        case SDL_BUTTON_RIGHT: return 2;
        case SDL_BUTTON_MIDDLE: return 3;
        default: return 0;
    }
}

// Window coordinates to drawable pixels (they differ on high-density displays).
void windowToDrawable(Uint32 windowId, int wx, int wy, double& dx, double& dy) {
    dx = wx;
    dy = wy;
    SDL_Window* win = windowId ? SDL_GetWindowFromID(windowId) : nullptr;
    if (!win) return;
    int ww = 0, wh = 0, pw = 0, ph = 0;
    SDL_GetWindowSize(win, &ww, &wh);
    SDL_GL_GetDrawableSize(win, &pw, &ph);
    if (ww > 0 && pw > 0) dx = double(wx) * pw / ww;
    if (wh > 0 && ph > 0) dy = double(wy) * ph / wh;
}

}  // namespace

namespace input_detail {

void HandleSdlEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_QUIT:
            g.terminate = true;
            break;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_FOCUS_LOST: setFocus(false, g.minimised); break;
                case SDL_WINDOWEVENT_FOCUS_GAINED: setFocus(true, g.minimised); break;
                case SDL_WINDOWEVENT_MINIMIZED:
                case SDL_WINDOWEVENT_HIDDEN: setFocus(g.focused, true); break;
                case SDL_WINDOWEVENT_RESTORED:
                case SDL_WINDOWEVENT_MAXIMIZED:
                case SDL_WINDOWEVENT_SHOWN: setFocus(g.focused, false); break;
                case SDL_WINDOWEVENT_CLOSE: g.terminate = true; break;
                default: break;
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            windowToDrawable(e.button.windowID, e.button.x, e.button.y, g.mouseX, g.mouseY);
            pressButton(buttonFromSdl(e.button.button));
            break;
        case SDL_MOUSEBUTTONUP:
            releaseButton(buttonFromSdl(e.button.button));
            break;
        case SDL_MOUSEWHEEL: {
            int dy = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) dy = -dy;
            g.wheel += dy;
            break;
        }
        case SDL_MOUSEMOTION:
            windowToDrawable(e.motion.windowID, e.motion.x, e.motion.y, g.mouseX, g.mouseY);
            break;
        case SDL_KEYDOWN: {
            int key = VirtualKeyFromScancode(e.key.keysym.scancode);
            if (!e.key.repeat) pressKey(key);
            // These never come as text input; they repeat while held.
            if (key == KEY_BACKSPACE || key == KEY_ENTER || key == KEY_ESCAPE) pushChar(key);
            break;
        }
        case SDL_KEYUP:
            releaseKey(VirtualKeyFromScancode(e.key.keysym.scancode));
            break;
        case SDL_TEXTINPUT:
            for (char32_t cp : str::toCodePoints(e.text.text)) pushChar(int(cp));
            break;
        default:
            break;
    }
}

}  // namespace input_detail

void PollSystem() {
    if (IsHeadless()) return;  // input comes from the harness and Inject* only
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    if (!g.textInputStarted) {
        SDL_StartTextInput();
        g.textInputStarted = true;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) input_detail::HandleSdlEvent(e);
}

int MouseHit(int button) {
    if (!validButton(button)) return 0;
    int n = g.mouseHits[size_t(button)];
    g.mouseHits[size_t(button)] = 0;
    return n;
}

bool MouseDown(int button) { return validButton(button) && g.mouseDown[size_t(button)]; }
int MouseZ() { return g.wheel; }
int MouseX() { return toPixel(g.mouseX); }
int MouseY() { return toPixel(g.mouseY); }
float VirtualMouseX() { return float(g.mouseX * virtualPerPixelX()); }
float VirtualMouseY() { return float(g.mouseY * virtualPerPixelY()); }

void MoveVirtualMouse(float x, float y) {
    InjectMouseMove(x, y);
    if (IsHeadless() || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_Window* win = SDL_GL_GetCurrentWindow();
    if (!win) return;
    // The warp takes window coordinates; ours are drawable pixels.
    int ww = 0, wh = 0, pw = 0, ph = 0;
    SDL_GetWindowSize(win, &ww, &wh);
    SDL_GL_GetDrawableSize(win, &pw, &ph);
    double wx = g.mouseX, wy = g.mouseY;
    if (ww > 0 && pw > 0) wx = g.mouseX * ww / pw;
    if (wh > 0 && ph > 0) wy = g.mouseY * wh / ph;
    SDL_WarpMouseInWindow(win, int(std::lround(wx)), int(std::lround(wy)));
}

void FlushMouse() {
    g.mouseHits.fill(0);
    g.mouseDown.fill(false);
}

int KeyHit(int key) {
    if (!validKey(key)) return 0;
    int n = g.keyHits[size_t(key)];
    g.keyHits[size_t(key)] = 0;
    return n;
}

bool KeyDown(int key) { return validKey(key) && g.keyDown[size_t(key)]; }

void FlushKeys() {
    g.keyHits.fill(0);
    g.keyDown.fill(false);
    g.charHead = 0;
    g.charCount = 0;
}

int GetChar() {
    if (g.charCount == 0) return 0;
    int cp = g.chars[g.charHead];
    g.charHead = (g.charHead + 1) % kCharQueueSize;
    --g.charCount;
    return cp;
}

bool AppSuspended() { return suspended(); }
bool AppTerminate() { return g.terminate; }

void InjectMouseMove(float virtualX, float virtualY) {
    if (!std::isfinite(virtualX) || !std::isfinite(virtualY)) return;
    g.mouseX = double(virtualX) / virtualPerPixelX();
    g.mouseY = double(virtualY) / virtualPerPixelY();
}

void InjectMouseButton(int button, bool down) {
    if (down)
        pressButton(button);
    else
        releaseButton(button);
}

void InjectMouseWheel(int delta) { g.wheel += delta; }

void InjectKey(int key, bool down) {
    if (down)
        pressKey(key);
    else
        releaseKey(key);
}

void InjectChar(int codepoint) { pushChar(codepoint); }
void InjectSuspended(bool s) { setFocus(!s, false); }
void InjectTerminate() { g.terminate = true; }

void ResetInputState() {
    bool started = g.textInputStarted;
    g = InputState{};
    g.textInputStarted = started;
}
