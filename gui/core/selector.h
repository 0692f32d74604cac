#pragma once
// A widget that reports which of its options was clicked or hovered instead of itself
// (menu bar, text list). The layout takes a non-empty option as its clicked or hovered
// name, and calls _clean once it holds a click.
#include <string>

#include "gui/core/guiobject.h"

class TGuiSelector : public TGuiObject {
public:
    std::string _clickedOp;  // option clicked this frame, "" for none
    std::string _overOp;     // option under the pointer this frame, "" for none

    virtual int _clean();
};
