#pragma once
// Containers and windows. A container draws and updates its children relative to its own
// position; a window (WINDOW block) is a container drawn as a nine-piece theme frame, the
// corners at their own size and the edges and the middle stretched to fill the box.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "gui/core/guiobject.h"
#include "gui/core/layout_items.h"

class TGui;
class TTheme;

class TControl : public TGuiObject {
public:
    std::vector<std::shared_ptr<TGuiObject>> listaObiektow;  // children in drawing order
    std::shared_ptr<TTheme> theme;

    int draw(float x, float y) override;
    int updateMe(float x, float y) override;
    virtual int rysujObiekty(float x, float y);
    virtual int updateObiekty(float x, float y);
    virtual int dodajObiekt(std::shared_ptr<TGuiObject> child);
};

class TWindow : public TControl {
public:
    std::string title;
    // 0: top and bottom edges across, 1: left and right edges down, 2/3: the middle.
    std::array<float, 4> skala{0, 0, 0, 0};
    float incX = 0, decX = 0, incY = 0, decY = 0;

    // Fixed once at creation from the theme and the box.
    virtual int obliczSkale();
    int draw(float x, float y) override;
    int updateMe(float x, float y) override;
    bool adoptFrom(const TGuiObject& fresh) override { return adoptSame(*this, fresh); }

    static std::shared_ptr<TWindow> CreateFromList(const std::string& name,
                                                   const TEntryList& entries, TGui* gui);
};

// centreX / centreY put the window in the middle of the screen recorded by the display.
std::shared_ptr<TWindow> createQGMWindow(const std::string& name, int x, int y, int w, int h,
                                         std::shared_ptr<TTheme> theme, int centreX, int centreY,
                                         int visible, int active);
