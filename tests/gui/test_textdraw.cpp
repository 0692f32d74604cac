// Paragraphs wrapped into a box in four alignments, cut texts and outlined texts.
// Expected positions are measured with the same font, so any font metrics will do.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "gui/core/dim.h"
#include "gui/text/draw.h"
#include "platform/graphics.h"

namespace {

const char* const kFontCandidates[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf",
};

int W(const std::string& s) { return TextWidth(s); }

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == ' ')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

class TextDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        InitPlatform(true);
        ResetGraphicsState();
        ASSERT_TRUE(Graphics(1024, 768, 0, 60));
        for (const char* p : kFontCandidates)
            if (!font && std::filesystem::exists(p)) font = LoadImageFont(p, 20, SMOOTHFONT);
        SetImageFont(font);  // the built-in font when none is installed
        ClearRecordedDraws();
    }
    static std::vector<DrawCall> texts() {
        std::vector<DrawCall> out;
        for (const DrawCall& c : RecordedDraws())
            if (c.kind == DrawCall::Text) out.push_back(c);
        return out;
    }

    TImageFont font;
};

struct WrapCase {
    const char* name;
    std::string text;
    std::function<float()> width;
    std::vector<std::string> lines;
};

std::vector<WrapCase> wrapCases() {
    return {
        {"fits on one line", "aaa bbb", [] { return float(W("aaa bbb")); }, {"aaa bbb"}},
        {"breaks between two words", "aaa bbb",
         [] { return float(std::max(W(" aaa"), W(" bbb"))); }, {"aaa", "bbb"}},
        {"a huge box never wraps", "one two three four five six seven eight nine ten",
         [] { return 10000000.0f; }, {"one two three four five six seven eight nine ten"}},
        {"three words then two", "one two three four five",
         [] { return float(W("one two three")); }, {"one two three", "four five"}},
        {"too-wide word stands alone", "ab extraordinarily cd", [] { return float(W("ab cd")); },
         {"ab", "extraordinarily", "cd"}},
        {"too-wide word first", "extraordinarily ab cd", [] { return float(W("ab cd")); },
         {"extraordinarily", "ab cd"}},
        {"too-wide words in a row", "extraordinarily unbelievably", [] { return float(W("ab")); },
         {"extraordinarily", "unbelievably"}},
        {"only a too-wide word", "extraordinarily", [] { return float(W("ab")); },
         {"extraordinarily"}},
    };
}

TEST_F(TextDrawTest, WrapsInEveryAlignment) {
    const int x = 40, y = 60;
    const int h = TextHeight("A") + 3;
    for (const WrapCase& c : wrapCases()) {
        for (const char* align : {"LEFT", "RIGHT", "CENTER", "JUSTIFY"}) {
            SCOPED_TRACE(::testing::Message() << c.name << " / " << align);
            const float width = c.width();
            ClearRecordedDraws();
            const int used = drawSpecText(c.text, x, y, width, align, 0.0f, nullptr, 3);
            EXPECT_EQ(used, h * int(c.lines.size()));

            // What each line should look like as draw calls.
            std::vector<std::pair<std::string, float>> expected;  // text, x
            std::vector<float> tops;
            for (size_t i = 0; i < c.lines.size(); ++i) {
                const std::string& line = c.lines[i];
                const float top = float(y + h * int(i));
                const bool last = i + 1 == c.lines.size();
                const std::string a = align;
                if (a == "JUSTIFY" && !last && words(line).size() > 1) {
                    const auto ws = words(line);
                    std::string joined;
                    for (const auto& w : ws) joined += w;
                    const float gap = (width - float(W(joined))) / float(ws.size() - 1);
                    std::string before;
                    for (size_t j = 0; j < ws.size(); ++j) {
                        expected.push_back({ws[j], float(x) + float(j) * gap + float(W(before))});
                        tops.push_back(top);
                        before += ws[j];
                    }
                    continue;
                }
                float lx = float(x);
                if (a == "RIGHT") lx = float(x) + width - float(W(line));
                if (a == "CENTER") lx = float(int(float(x) + width / 2 - float(W(line) / 2)));
                expected.push_back({line, lx});
                tops.push_back(top);
            }
            const auto drawn = texts();
            ASSERT_EQ(drawn.size(), expected.size());
            for (size_t i = 0; i < drawn.size(); ++i) {
                EXPECT_EQ(drawn[i].what, expected[i].first) << "draw " << i;
                EXPECT_NEAR(drawn[i].x, expected[i].second, 0.01) << "draw " << i;
                EXPECT_EQ(drawn[i].y, tops[i]) << "draw " << i;
            }
        }
    }
}

TEST_F(TextDrawTest, JustifiedLineSpansTheBox) {
    const std::string text = "alpha beta gamma delta";
    const float width = float(W("alpha beta gamma")) + 30;
    drawSpecText(text, 10, 0, width, "justify", 0, nullptr, 0);
    const auto drawn = texts();
    ASSERT_EQ(drawn.size(), 4u);  // three words, then the last line in one piece
    EXPECT_EQ(drawn[0].x, 10);
    EXPECT_NEAR(drawn[2].x + float(W("gamma")), 10 + width, 0.01);
    const float gap1 = drawn[1].x - (drawn[0].x + float(W("alpha")));
    const float gap2 = drawn[2].x - (drawn[1].x + float(W("beta")));
    EXPECT_NEAR(gap1, gap2, 0.01);
    EXPECT_EQ(drawn[3].what, "delta");
    EXPECT_EQ(drawn[3].x, 10);
}

TEST_F(TextDrawTest, AlignmentWordsAreTrimmedAndUnknownOnesAreLeft) {
    struct Case {
        const char* align;
        bool centred;
    };
    const float width = 400;
    for (const Case& c : {Case{"  center ", true}, Case{"Center", true}, Case{"middle", false},
                          Case{"", false}, Case{"left", false}}) {
        SCOPED_TRACE(c.align);
        ClearRecordedDraws();
        drawSpecText("ahoy", 0, 0, width, c.align, 0, nullptr, 0);
        const auto drawn = texts();
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].x, c.centred ? float(int(width / 2 - float(W("ahoy") / 2))) : 0.0f);
    }
}

TEST_F(TextDrawTest, BlanksAreKeptAsEmptyWords) {
    // A run of blanks survives inside the line, and trailing blanks move a right-aligned
    // last line to the left.
    drawSpecText("a  b  ", 0, 0, 1000, "RIGHT", 0, nullptr, 0);
    const auto drawn = texts();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].what, "a  b  ");
    EXPECT_EQ(drawn[0].x, 1000 - float(W("a  b  ")));

    // A wrapped line is trimmed: the empty word it ends with does not shift it.
    ClearRecordedDraws();
    const float width = float(std::max(W("aaa "), W(" bbb")));
    drawSpecText("aaa  bbb", 0, 0, width, "RIGHT", 0, nullptr, 0);
    const auto wrapped = texts();
    ASSERT_EQ(wrapped.size(), 2u);
    EXPECT_EQ(wrapped[0].what, "aaa");
    EXPECT_EQ(wrapped[0].x, width - float(W("aaa")));
}

TEST_F(TextDrawTest, EmptyTextIsOneLine) {
    EXPECT_EQ(drawSpecText("", 0, 0, float(W(" ")), "LEFT", 0, nullptr, 0), TextHeight("A"));
}

TEST_F(TextDrawTest, LineGapSpacesTheLines) {
    const int h = TextHeight("A");
    EXPECT_EQ(drawSpecText("aaa bbb", 0, 100, float(W(" bbb")), "LEFT", 0, nullptr, 4), 2 * (h + 4));
    const auto drawn = texts();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].y - drawn[0].y, float(h + 4));
}

TEST_F(TextDrawTest, GivenFontBecomesCurrentAndNullKeepsIt) {
    if (!font) GTEST_SKIP() << "no TrueType font installed";
    SetImageFont(nullptr);
    drawSpecText("x", 0, 0, 100, "LEFT", 0, font, 0);
    EXPECT_EQ(GetImageFont(), font);
    drawSpecText("x", 0, 0, 100, "LEFT", 0, nullptr, 0);
    EXPECT_EQ(GetImageFont(), font);
}

TEST_F(TextDrawTest, CutTextShowsTheLongestEndThatFits) {
    const std::string text = "abcdefghij";
    struct Case {
        int width;
        std::string result;
    };
    for (const Case& c : {Case{W("..hij"), "..hij"}, Case{W("..j"), "..j"},
                          Case{W("..abcdefghij"), "..abcdefghij"}, Case{0, ""}}) {
        SCOPED_TRACE(c.result);
        ClearRecordedDraws();
        EXPECT_EQ(drawCutText(text, 5, 6, c.width), c.result);
        const auto drawn = texts();
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].what, c.result);
        EXPECT_EQ(drawn[0].x, 5);
        EXPECT_EQ(drawn[0].y, 6);
    }
}

TEST_F(TextDrawTest, CutTextKeepsWholeCharacters) {
    const std::string text = "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87";  // "zażółć"
    const std::string tail = "\xC5\x82\xC4\x87";                       // "łć"
    EXPECT_EQ(drawCutText(text, 0, 0, W(".." + tail)), ".." + tail);
    EXPECT_EQ(cutText(text, W("za..")), "za..");
    EXPECT_EQ(cutText("short", 1000), "short");
    EXPECT_EQ(cutText("short", 0), "");
}

TEST_F(TextDrawTest, OutlinedTextDrawsFourShadowsThenTheFill) {
    struct Case {
        const char* align;
        int left;  // relative to the anchor
    };
    const std::string text = "Ahoy";
    for (const Case& c : {Case{"LEFT", 0}, Case{"right", -W(text)}, Case{"CENTER", -(W(text) / 2)},
                          Case{" center", 0}}) {
        SCOPED_TRACE(c.align);
        ClearRecordedDraws();
        drawOutLinedText(text, 100, 50, nullptr, nullptr, c.align);
        const auto drawn = texts();
        ASSERT_EQ(drawn.size(), 5u);
        const int L = 100 + c.left;
        const int pos[5][2] = {{L - 1, 49}, {L + 1, 49}, {L - 1, 51}, {L + 1, 51}, {L, 50}};
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(drawn[i].x, float(pos[i][0]));
            EXPECT_EQ(drawn[i].y, float(pos[i][1]));
            const int shade = i < 4 ? 0 : 255;
            EXPECT_EQ(drawn[i].r, shade);
            EXPECT_EQ(drawn[i].g, shade);
        }
    }
    ClearRecordedDraws();
    drawOutLinedText(text, 0, 0, createRGB(10, 20, 30), createRGB(200, 100, 50), "LEFT");
    const auto drawn = texts();
    ASSERT_EQ(drawn.size(), 5u);
    EXPECT_EQ(drawn[0].b, 30);
    EXPECT_EQ(drawn[4].r, 200);
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r, 200);  // the fill colour stays current
}

}  // namespace
