#include <gtest/gtest.h>

#include "core/FixedWidthText.h"

namespace {

TEST(PadTest, FillsWithSpacesAndNeverCuts) {
    EXPECT_EQ(core::PadLeft(5, QStringLiteral("ab")), QStringLiteral("   ab"));
    EXPECT_EQ(core::PadRight(5, QStringLiteral("ab")), QStringLiteral("ab   "));
    EXPECT_EQ(core::PadLeft(2, QStringLiteral("ab")), QStringLiteral("ab"));
    EXPECT_EQ(core::PadRight(2, QStringLiteral("ab")), QStringLiteral("ab"));
    EXPECT_EQ(core::PadLeft(1, QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(core::PadRight(0, QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(core::PadLeft(3, QString()), QStringLiteral("   "));
    EXPECT_EQ(core::PadRight(65535, QStringLiteral("x")).size(), 65535);
}

TEST(SubstringTest, TakesDatePartsByPositionFromShortTexts) {
    EXPECT_EQ(core::Substring(QStringLiteral("05.03.2019"), 7, 4), QStringLiteral("2019"));
    EXPECT_EQ(core::Substring(QStringLiteral("1.1.19"), 4, 2), QStringLiteral(".1"));
    EXPECT_EQ(core::Substring(QStringLiteral("1.1.19"), 7, 4), QString());
    EXPECT_EQ(core::Substring(QString(), 1, 2), QString());
}

}  // namespace
