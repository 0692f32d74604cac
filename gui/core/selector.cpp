#include "gui/core/selector.h"

int TGuiSelector::_clean() { return 0; }
