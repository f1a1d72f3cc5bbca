#include <gtest/gtest.h>

#include <QString>
#include <cstring>
#include <random>
#include <string>

#include "sheets/PlainNumbers.h"

namespace {

// The general reading the quick one stands in for.
std::optional<double> generalReading(const std::string& text) {
    bool ok = false;
    const double value = QString::fromStdString(text).trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(PlainNumbers, OnlyPlainDigitsAndDecimalsTakeTheQuickPath) {
    for (const char* text : {"", " 1", "1 ", "+1", "-1", "1e3", "1.5", "0x1F", "1234567890", "١"}) {
        EXPECT_FALSE(sheets::PlainDigits(text)) << text;
    }
    EXPECT_EQ(sheets::PlainDigits("000123"), 123);
    EXPECT_EQ(sheets::PlainDigits("999999999"), 999999999);

    for (const char* text : {"", "-", ".5", "1.", "+1", " 1", "1 ", "1e5", "1E-7", "1,5", "--1",
                             "1.2.3", "inf", "nan", "123456789012345678", "0.123456789012345678"}) {
        EXPECT_FALSE(sheets::PlainDecimal(text)) << text;
    }
}

// Both readings round correctly; the quick one must give the very same bits, on the cases
// where rounding is hardest (halfway between two doubles, 17 significant digits) and on
// random decimals of every length it takes.
TEST(PlainNumbers, DecimalsReadToTheSameBitsAsTheGeneralReading) {
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "0.1",
                                      "0.30000000000000004",
                                      "9007199254740993",
                                      "9007199254740992.5",
                                      "0.00000000000000001",
                                      "99999999999999999.99999999999999999",
                                      "2.2250738585072014",
                                      "1.7976931348623157",
                                      "4.9406564584124654",
                                      "42374",
                                      "1000.005",
                                      "5e-324"};
    std::mt19937_64 random(20261211);
    for (int i = 0; i < 20000; ++i) {
        std::string text = random() % 2 ? "-" : "";
        const int whole = 1 + int(random() % 17);
        const int fraction = int(random() % 18);
        for (int d = 0; d < whole; ++d) text += char('0' + random() % 10);
        if (fraction > 0) text += '.';
        for (int d = 0; d < fraction; ++d) text += char('0' + random() % 10);
        texts.push_back(text);
    }
    int quick = 0;
    for (const std::string& text : texts) {
        const std::optional<double> plain = sheets::PlainDecimal(text);
        if (!plain) continue;
        ++quick;
        const std::optional<double> general = generalReading(text);
        ASSERT_TRUE(general) << text;
        EXPECT_TRUE(sameBits(*plain, *general)) << text;
    }
    EXPECT_GT(quick, 19000);
}
