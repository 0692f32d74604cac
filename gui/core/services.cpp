#include "gui/core/services.h"

#include <utility>

namespace {
std::function<void()> g_click;
std::function<void()> g_over;
const int* g_cheats = nullptr;
}  // namespace

void SetGuiClickSound(std::function<void()> hook) { g_click = std::move(hook); }
void SetGuiHoverSound(std::function<void()> hook) { g_over = std::move(hook); }
void SetGuiCheatsSource(const int* cheats) { g_cheats = cheats; }

void guiPlayClick() {
    if (g_click) g_click();
}
void guiPlayOver() {
    if (g_over) g_over();
}
int guiCheats() { return g_cheats ? *g_cheats : 0; }

void ResetGuiServices() {
    g_click = nullptr;
    g_over = nullptr;
    g_cheats = nullptr;
}
