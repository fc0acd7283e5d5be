#include <gtest/gtest.h>

#include <clocale>

#include "common/Clock.h"
#include "common/Text.h"

using namespace sonivel;

TEST(Text, NumberConversionsFollowTheCLibraryRules)
{
    EXPECT_DOUBLE_EQ(AtoF(" 104.25"), 104.25);
    EXPECT_DOUBLE_EQ(AtoF("a3.5"), 0.0);
    EXPECT_DOUBLE_EQ(AtoF(""), 0.0);
    EXPECT_DOUBLE_EQ(AtoF("05.0xyz"), 5.0);
    EXPECT_EQ(AtoI("1a"), 1);
    EXPECT_EQ(AtoI("  -42z"), -42);
    EXPECT_EQ(AtoI("x"), 0);
    EXPECT_EQ(AtoI("99999999999999999999"), 2147483647);
    // Not NUL-terminated views are read only within their bounds.
    std::string s = "12345";
    EXPECT_EQ(AtoI(std::string_view(s).substr(0, 2)), 12);
    EXPECT_DOUBLE_EQ(AtoF(std::string_view(s).substr(1, 2)), 23.0);
}

TEST(Text, FormatAndMid)
{
    EXPECT_EQ(Format("%5.2f|%.2d", 5.3, 7), " 5.30|07");
    EXPECT_EQ(Format("%s", std::string(1000, 'x').c_str()).size(), 1000u);
    EXPECT_EQ(Mid("abc", 5), "");
    EXPECT_EQ(Mid("abc", 1, 10), "bc");
}

TEST(Clock, CanBeSetAndRestored)
{
    SetClock([] { return std::time_t(1234); });
    EXPECT_EQ(Now(), 1234);
    SetClock({});
    EXPECT_GT(Now(), 1700000000);
}

TEST(Text, NumbersIgnoreTheDesktopLocale)
{
    // A desktop in a comma-decimal locale must not change file or wire numbers.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale installed";
    EXPECT_EQ(Format("%.2f", 65.3), "65.30");
    EXPECT_DOUBLE_EQ(AtoF("63.5"), 63.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}
