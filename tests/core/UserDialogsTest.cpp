#include <gtest/gtest.h>

#include "core/UserDialogs.h"
#include "tests/core/CalculationFixture.h"

namespace {

// The default error report ends a text with a full stop when its last character comes
// after "." in character order.
TEST(ErrorReportTextTest, AppendsAFullStopAfterLettersAndDigits) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"-\" geçerli bir sayı değil", "\"-\" geçerli bir sayı değil."},
        {"Yıldaki Gün 0", "Yıldaki Gün 0."},
        {"bitti.", "bitti."},
        {"dikkat!", "dikkat!"},
        {"(x)", "(x)"},
        {"a/", "a/."},
        {"\"\"", "\"\""},
        {"", ""},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(core::ErrorReportText(QString::fromUtf8(text)), QString::fromUtf8(shown)) << text;
    }
}

}  // namespace
