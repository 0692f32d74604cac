// The slider, driven by the real pointer: the thumb follows a held drag, stops at both ends
// of the track, and reads as a position; its two buttons only change their own frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "toolkit_env.h"
#include "gui/widgets/slider.h"

namespace {

using widgettest::ToolkitEnv;

// The fixture theme's slider: buttons 20 x 20, thumb caps 6 high, track cap 16 wide.
constexpr int kX = 500, kTop = 100;

class SliderTest : public ToolkitEnv {
protected:
    std::shared_ptr<TSuwak> slider(int h, int positions) {
        return createSuwak("scroll", kX, kTop, h, positions, sliderTheme());
    }
    void frame(TSuwak& s, int x, int y, bool down) {
        pointerFrame(x, y, down);
        s.update(0, 0);
    }
    // Takes the thumb near its top and drags it `dy` pixels in one frame.
    void drag(TSuwak& s, int dy) {
        const int grab = kTop + s.ySuwaka + 4;
        frame(s, kX, grab, true);
        frame(s, kX, grab + dy, true);
        frame(s, kX, grab + dy, false);
    }
};

struct DragCase {
    const char* name;
    int h, positions;
    float length;   // thumb length
    int bottomStop;  // trunc((length - 1) * (positions - 1))
};

const DragCase kDrags[] = {
    {"four positions on 200", 200, 4, 50, 147},
    {"ten positions on 160", 160, 10, 16, 135},
    {"twenty positions on 100", 100, 20, 5, 76},
    {"three positions on 200", 200, 3, 200.0f / 3, 131},
};

TEST_F(SliderTest, ThumbFollowsAHeldDragAndStopsAtBothEnds) {
    for (int active : {1, 0}) {  // an inactive slider's thumb still drags
        for (const auto& c : kDrags) {
            SCOPED_TRACE(std::string(c.name) + (active ? "" : ", inactive"));
            auto s = slider(c.h, c.positions);
            s->_a = active;
            EXPECT_FLOAT_EQ(s->dlugosc, c.length);

            // Held over the thumb: from the next frame on it moves by the pointer's movement.
            frame(*s, kX, kTop + 3, true);
            EXPECT_EQ(s->_suwakHolded, 1);
            EXPECT_EQ(s->ySuwaka, 0);
            frame(*s, kX, kTop + 5, true);
            EXPECT_EQ(s->ySuwaka, 2);
            frame(*s, kX, kTop + 4, true);
            EXPECT_EQ(s->ySuwaka, 1);
            EXPECT_EQ(s->_suwakHolded, 1);

            // Far below the track: it stops at the bottom, and the drag ends as the pointer
            // leaves the stopped thumb.
            frame(*s, kX, kTop + c.h + 200, true);
            EXPECT_EQ(s->ySuwaka, c.bottomStop);
            EXPECT_EQ(s->_suwakHolded, 0);
            EXPECT_EQ(s->position(), c.positions - 1);
            frame(*s, kX, kTop + c.h + 150, true);  // coming back with the button down
            EXPECT_EQ(s->ySuwaka, c.bottomStop);

            // Far above: it stops at the top.
            drag(*s, -(c.h + 100));
            EXPECT_EQ(s->ySuwaka, 0);
            EXPECT_EQ(s->position(), 0);

            // The pointer moving over the thumb without the button moves nothing.
            frame(*s, kX, kTop + 3, false);
            frame(*s, kX, kTop + 40, false);
            EXPECT_EQ(s->ySuwaka, 0);
        }
    }
}

TEST_F(SliderTest, EveryPositionIsReachedInOrderAlongTheTrack) {
    for (const auto& c : kDrags) {
        SCOPED_TRACE(c.name);
        auto s = slider(c.h, c.positions);
        std::vector<int> seen;
        int y = kTop + 3;
        frame(*s, kX, y, true);
        for (int i = 0; i < c.h + 20; ++i) {
            frame(*s, kX, ++y, true);
            if (seen.empty() || seen.back() != s->position()) seen.push_back(s->position());
        }
        std::vector<int> all;
        for (int p = 0; p < c.positions; ++p) all.push_back(p);
        // The drag steps one pixel at a time, so it starts at 0 and passes every position.
        seen.insert(seen.begin(), 0);
        seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
        EXPECT_EQ(seen, all);
    }
}

TEST_F(SliderTest, OnePositionCannotMove) {
    auto s = slider(200, 1);
    EXPECT_FLOAT_EQ(s->dlugosc, 200);
    drag(*s, 60);
    EXPECT_EQ(s->ySuwaka, 0);
    EXPECT_EQ(s->position(), 0);
}

TEST_F(SliderTest, ButtonsChangeOnlyTheirOwnFrames) {
    struct Case {
        const char* name;
        int y;        // pointer
        int up, down;  // frames drawn while the button is held there
    };
    // The up button reacts over one button height above the track, the down button over
    // one and a half below it.
    const Case cases[] = {
        {"up button", kTop - 10, 2, 0},
        {"down button, first half", 300 + 5, 0, 2},
        {"down button, lower half", 300 + 28, 0, 2},
        {"just past the down button", 300 + 31, 0, 0},
        {"above the up button", kTop - 21, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = slider(200, 4);
        s->ySuwaka = 60;
        frame(*s, kX, c.y, true);
        EXPECT_EQ(s->ySuwaka, 60);
        frame(*s, kX, c.y, true);
        EXPECT_EQ(s->ySuwaka, 60);
        ClearRecordedDraws();
        s->draw(0, 0);
        std::vector<int> frames;
        for (const DrawCall& d : draws(DrawCall::Image))
            if (d.what.find("th/up.png") != std::string::npos ||
                d.what.find("th/down.png") != std::string::npos)
                frames.push_back(d.frame);
        EXPECT_EQ(frames, (std::vector<int>{c.up, c.down}));
        frame(*s, kX, c.y, false);
    }
}

TEST_F(SliderTest, ThumbGreysWhenHoveredAndDraggedWhateverTheSliderColour) {
    auto s = slider(200, 4);
    s->setRGB(200, 40, 40);
    auto thumbColours = [&] {
        ClearRecordedDraws();
        s->draw(0, 0);
        std::set<int> greys;
        for (const DrawCall& d : draws(DrawCall::Image))
            if (d.what.find("th/k") != std::string::npos) {
                EXPECT_EQ(d.r, d.g);
                EXPECT_EQ(d.g, d.b);
                greys.insert(d.r);
            }
        return greys;
    };
    EXPECT_EQ(thumbColours(), std::set<int>{255});
    frame(*s, kX, kTop + 10, false);
    EXPECT_EQ(thumbColours(), std::set<int>{200});
    frame(*s, kX, kTop + 10, true);
    EXPECT_EQ(thumbColours(), std::set<int>{150});
    // The track keeps the slider's own colour.
    for (const DrawCall& d : draws(DrawCall::Image))
        if (d.what.find("th/t") != std::string::npos) {
            EXPECT_EQ(d.r, 200);
        }
}

}  // namespace
