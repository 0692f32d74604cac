// Scancode and key-name tables of the virtual-key numbering.
#include <SDL_scancode.h>

#include <array>
#include <cctype>
#include <string>

#include "platform/detail/input_keymap.h"
#include "platform/input.h"

namespace input_detail {
namespace {

struct ScancodeKey {
    SDL_Scancode scancode;
    int key;
};

// Everything outside the letter, digit and function-key runs.
constexpr ScancodeKey kScancodeTable[] = {
    {SDL_SCANCODE_RETURN, KEY_ENTER},      {SDL_SCANCODE_ESCAPE, KEY_ESCAPE},
    {SDL_SCANCODE_BACKSPACE, KEY_BACKSPACE}, {SDL_SCANCODE_TAB, KEY_TAB},
    {SDL_SCANCODE_SPACE, KEY_SPACE},
    {SDL_SCANCODE_MINUS, 189},             {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_LEFTBRACKET, 219},       {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_BACKSLASH, 220},         {SDL_SCANCODE_NONUSHASH, 220},
    {SDL_SCANCODE_SEMICOLON, 186},         {SDL_SCANCODE_APOSTROPHE, 222},
    {SDL_SCANCODE_GRAVE, 192},             {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_PERIOD, 190},            {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_PRINTSCREEN, 44},        {SDL_SCANCODE_SCROLLLOCK, 145},
    {SDL_SCANCODE_PAUSE, 19},              {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_HOME, KEY_HOME},         {SDL_SCANCODE_PAGEUP, KEY_PAGEUP},
    {SDL_SCANCODE_DELETE, KEY_DELETE},     {SDL_SCANCODE_END, KEY_END},
    {SDL_SCANCODE_PAGEDOWN, KEY_PAGEDOWN}, {SDL_SCANCODE_RIGHT, KEY_RIGHT},
    {SDL_SCANCODE_LEFT, KEY_LEFT},         {SDL_SCANCODE_DOWN, KEY_DOWN},
    {SDL_SCANCODE_UP, KEY_UP},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144},      {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_KP_MULTIPLY, 106},       {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_PLUS, 107},           {SDL_SCANCODE_KP_ENTER, KEY_ENTER},
    {SDL_SCANCODE_KP_0, 96},               {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},    {SDL_SCANCODE_APPLICATION, 93},
    {SDL_SCANCODE_LCTRL, KEY_LCONTROL},    {SDL_SCANCODE_LSHIFT, KEY_LSHIFT},
    {SDL_SCANCODE_LALT, KEY_LALT},         {SDL_SCANCODE_LGUI, KEY_LSYS},
    {SDL_SCANCODE_RCTRL, KEY_RCONTROL},    {SDL_SCANCODE_RSHIFT, KEY_RSHIFT},
    {SDL_SCANCODE_RALT, KEY_RALT},         {SDL_SCANCODE_RGUI, KEY_RSYS},
};

std::array<int, SDL_NUM_SCANCODES> buildTable() {
    std::array<int, SDL_NUM_SCANCODES> t{};
    for (int i = 0; i < 26; ++i) t[SDL_SCANCODE_A + i] = KEY_A + i;
    // SDL orders the digit row 1..9 then 0.
    for (int i = 0; i < 9; ++i) t[SDL_SCANCODE_1 + i] = KEY_0 + 1 + i;
    t[SDL_SCANCODE_0] = KEY_0;
    for (int i = 0; i < 12; ++i) t[SDL_SCANCODE_F1 + i] = KEY_F1 + i;
    for (int i = 0; i < 12; ++i) t[SDL_SCANCODE_F13 + i] = 124 + i;
    for (int i = 0; i < 9; ++i) t[SDL_SCANCODE_KP_1 + i] = 97 + i;
    for (const auto& e : kScancodeTable) t[e.scancode] = e.key;
    return t;
}

struct NamedKey {
    const char* name;
    int key;
};

constexpr NamedKey kNamedKeys[] = {
    {"ESCAPE", KEY_ESCAPE}, {"ESC", KEY_ESCAPE},   {"ENTER", KEY_ENTER},
    {"RETURN", KEY_ENTER},  {"SPACE", KEY_SPACE},  {"LEFT", KEY_LEFT},
    {"RIGHT", KEY_RIGHT},   {"UP", KEY_UP},        {"DOWN", KEY_DOWN},
    {"BACKSPACE", KEY_BACKSPACE}, {"TAB", KEY_TAB}, {"DELETE", KEY_DELETE},
    {"HOME", KEY_HOME},     {"END", KEY_END},      {"PAGEUP", KEY_PAGEUP},
    {"PAGEDOWN", KEY_PAGEDOWN},
};

}  // namespace

int VirtualKeyFromScancode(int scancode) {
    static const std::array<int, SDL_NUM_SCANCODES> table = buildTable();
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
    return table[size_t(scancode)];
}

int VirtualKeyFromName(std::string_view name) {
    std::string up;
    for (char c : name) up += char(std::toupper(static_cast<unsigned char>(c)));
    if (up.size() == 1) {
        char c = up[0];
        if (c >= 'A' && c <= 'Z') return KEY_A + (c - 'A');
        if (c >= '0' && c <= '9') return KEY_0 + (c - '0');
        return 0;
    }
    for (const auto& n : kNamedKeys)
        if (up == n.name) return n.key;
    // F1..F12
    if (up.size() >= 2 && up.size() <= 3 && up[0] == 'F') {
        int n = 0;
        for (size_t i = 1; i < up.size(); ++i) {
            if (up[i] < '0' || up[i] > '9') return 0;
            n = n * 10 + (up[i] - '0');
        }
        if (n >= 1 && n <= 12 && up[1] != '0') return KEY_F1 + n - 1;
    }
    return 0;
}

}  // namespace input_detail
