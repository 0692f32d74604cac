#include <gtest/gtest.h>

#include "gui/text/split.h"
#include "platform/system.h"

namespace {

using Fields = std::vector<std::string>;

struct SplitCase {
    const char* text;
    const char* sep;
    const char* q1;
    const char* q2;
    bool quotes;
    Fields fields;
};

TEST(Split, Table) {
    const SplitCase cases[] = {
        {"a,,b,", ",", "", "", false, {"a", "", "b"}},
        {",a", ",", "", "", false, {"", "a"}},
        {"", ",", "", "", false, {}},
        {",", ",", "", "", false, {""}},
        {"x [a b] y", " ", "[", "]", false, {"x", "a b", "y"}},
        {"x [a [b] c] y", " ", "[", "]", false, {"x", "a [b", "c", "y"}},
        {"a]b c", " ", "[", "]", false, {"ab", "c"}},
        {"x [a b] y", " ", "", "", false, {"x", "[a", "b]", "y"}},
        {"level::data::dims", "::", "", "", false, {"level", "data", "dims"}},
        {"a::b:", "::", "", "", false, {"a", "b:"}},
        {"a::", "::", "", "", false, {"a"}},
        {"::a", "::", "", "", false, {"", "a"}},
        {"a::::b", "::", "", "", false, {"a", "", "b"}},
        {"one#ENTER#two#ENTER#", "#ENTER#", "", "", false, {"one", "two"}},
        {"one#ENTER", "#ENTER#", "", "", false, {"one#ENTER"}},
        {"\"a,b\",c", ",", "", "", true, {"\"a,b\"", "c"}},
        {"\"a,b\",c", ",", "", "", false, {"\"a", "b\"", "c"}},
        {" \"x\", \"y, z\"", ",", "", "", true, {" \"x\"", " \"y, z\""}},
        {"\xC5\xBC|\xC3\xB3", "|", "", "", false, {"\xC5\xBC", "\xC3\xB3"}},
        {"\xC2\xAB" "a b\xC2\xBB c", " ", "\xC2\xAB", "\xC2\xBB", false, {"a b", "c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.sep);
        const Fields got = c.quotes ? rozbijTekstQ(c.text, c.sep, c.q1, c.q2)
                                    : rozbijTekst(c.text, c.sep, c.q1, c.q2);
        EXPECT_EQ(got, c.fields);
    }
}

TEST(Split, SmallHelpers) {
    for (const char* yes : {"", "007", "5"}) EXPECT_EQ(jestCalkowita(yes), 1) << yes;
    for (const char* no : {"-5", "1.5", " 1", "a"}) EXPECT_EQ(jestCalkowita(no), 0) << no;
    EXPECT_EQ(usunPuste({" ", "a", "", " b", "\t\r"}), (Fields{"a", " b"}));
    EXPECT_EQ(usunCytat("say \"hi\" \"\""), "say hi ");
}

class Markers : public ::testing::Test {
protected:
    std::vector<std::string> reports;
    void SetUp() override {
        SetNotifyHandler([this](const std::string& t) { reports.push_back(t); });
    }
    void TearDown() override { SetNotifyHandler(nullptr); }
};

TEST_F(Markers, ExtractAndRemove) {
    const struct {
        const char* text;
        const char* open;
        const char* close;
        int mode;
        Fields markers;
        const char* rest;
        size_t errors;
    } cases[] = {
        {"OVER(120)", "(", ")", 1, {"120"}, "OVER", 0},
        {"a(b(c)", "(", ")", 0, {"bc"}, "a", 1},
        {"a)b", "(", ")", 0, {}, "ab", 1},
        {"[h] rest [x]", "[", "]", 1, {"h", "x"}, " rest ", 0},
        {"\"(q)\"(r)", "(", ")", 1, {"r"}, "q", 0},
        {"\"(q)\"(r)", "(", ")", 0, {"q", "r"}, "", 0},
        {"(a)(b", "(", ")", 2, {}, "ab", 0},
        {"(open", "(", ")", 0, {}, "", 0},
        {"()", "(", ")", 0, {""}, "", 0},
        {"a((b", "((", "))", 0, {}, "a((b", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        reports.clear();
        EXPECT_EQ(wyciagnijZnaczniki(c.text, c.open, c.close, c.mode), c.markers);
        EXPECT_EQ(reports.size(), c.errors);
        reports.clear();
        EXPECT_EQ(usunZnaczniki(c.text, c.open, c.close, c.mode), c.rest);
        EXPECT_EQ(reports.size(), c.errors);
    }
}

TEST_F(Markers, ReportNamesTheText) {
    wyciagnijZnaczniki("a(b(c)", "(", ")", 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0],
              " >> BLAD! << : BLAD! Nieprawidlowa definicja znacznika wewnatrz zmiennej _str$ :a(b(c)");
    reports.clear();
    EXPECT_EQ(errorMsg("no font"), 0);
    EXPECT_EQ(reports, (Fields{" >> BLAD! << : no font"}));
}

}  // namespace
