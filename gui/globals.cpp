#include "gui/globals.h"

std::string bDir;
// The default tree ships English texts; start-up replaces this from txt/lang.txt.
std::string lang = "en";
// Off until start-up decides: the reload replaces every widget of a layout.
int QGUI_RELOAD = 0;

void resetGuiGlobals() {
    bDir.clear();
    lang = "en";
    QGUI_RELOAD = 0;
}
