// The widget base: hit test, flags, hot key, easing and moves.
#include <gtest/gtest.h>

#include <memory>

#include "fixtures/widget_env.h"
#include "gui/core/guiobject.h"

namespace {

using widgettest::WidgetEnv;

// A plain widget box from (10, 20) to (50, 40), no kind of its own.
std::shared_ptr<TGuiObject> box() {
    auto w = std::make_shared<TGuiObject>();
    w->_class = QGM_img;
    w->dim = createDim(10, 20, 40, 20);
    return w;
}

class WidgetBase : public WidgetEnv {};

TEST_F(WidgetBase, HitTestIncludesEveryEdgeAndHonoursTheOffset) {
    struct Case {
        int mx, my;
        float ox, oy;
        int over;
    };
    const Case cases[] = {
        {10, 20, 0, 0, 1}, {50, 40, 0, 0, 1}, {51, 40, 0, 0, 0}, {50, 41, 0, 0, 0},
        {9, 30, 0, 0, 0},  {60, 45, 10, 5, 1}, {61, 45, 10, 5, 0}, {20, 25, 10, 5, 1},
    };
    for (const auto& c : cases) {
        auto w = box();
        pointer(c.mx, c.my, 1, 1);
        w->update(c.ox, c.oy);
        EXPECT_EQ(w->_over, c.over) << c.mx << "," << c.my << " offset " << c.ox << "," << c.oy;
        EXPECT_EQ(w->_clicked, c.over);
        EXPECT_EQ(w->_holded, c.over);
    }
}

TEST_F(WidgetBase, HiddenOrInactiveWidgetsAreNeverHit) {
    for (auto [v, a] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{0, 0}}) {
        auto w = box();
        w->setState(v, a);
        pointer(20, 30, 1, 1);
        w->update(0, 0);
        EXPECT_EQ(w->_over, 0);
        EXPECT_EQ(w->_clicked, 0);
    }
}

TEST_F(WidgetBase, HeldStaysWhenThePointerLeavesWithTheButtonDown) {
    auto w = box();
    pointer(20, 30, 1, 1);
    w->update(0, 0);
    pointer(200, 300, 0, 1);
    w->update(0, 0);
    EXPECT_EQ(w->_over, 0);
    EXPECT_EQ(w->_clicked, 0);
    EXPECT_EQ(w->_holded, 1);
    pointer(20, 30, 0, 0);  // back over it, released
    w->update(0, 0);
    EXPECT_EQ(w->_holded, 0);
}

TEST_F(WidgetBase, HotKeyWorksWhileHiddenButActiveAndIsTakenByTheFirstWidget) {
    auto first = box(), second = box(), inactive = box();
    for (auto& w : {first, second, inactive}) w->setKey(KEY_SPACE);
    first->setState(0, 1);
    inactive->setState(1, 0);
    pointer(500, 500);
    InjectKey(KEY_SPACE, true);
    inactive->update(0, 0);
    first->update(0, 0);
    second->update(0, 0);
    EXPECT_EQ(inactive->_clicked, 0);
    EXPECT_EQ(first->_clicked, 1);
    EXPECT_EQ(first->_over, 1);
    EXPECT_EQ(second->_clicked, 0);
}

TEST_F(WidgetBase, OpacityAndScaleEaseWithoutOvershoot) {
    auto w = box();
    w->_alpha = 0;
    w->_dAlpha = 1;
    w->_scale = 1;
    w->_dScale = 0.95f;
    w->update(0, 0);
    EXPECT_FLOAT_EQ(w->_alpha, 0.03f);
    EXPECT_FLOAT_EQ(w->_scale, 0.97f);
    w->update(0, 0);
    EXPECT_FLOAT_EQ(w->_scale, 0.95f);  // clamped on the target
    delta = 100;
    w->update(0, 0);
    EXPECT_FLOAT_EQ(w->_alpha, 1.0f);
}

TEST_F(WidgetBase, SetPositionMovesByTheTruncatedDistance) {
    auto w = box();
    w->dim->x = 10.5f;
    w->setPosition(20, 0);
    EXPECT_FLOAT_EQ(w->dim->x, 19.5f);
    EXPECT_FLOAT_EQ(w->dim->x1, 19.0f);
    EXPECT_FLOAT_EQ(w->dim->x2, 59.0f);
    EXPECT_FLOAT_EQ(w->dim->y, -0.0f + 0.0f);
    EXPECT_FLOAT_EQ(w->dim->y1, 0.0f);
    EXPECT_FLOAT_EQ(w->dim->w, 40.0f);
}

}  // namespace
