#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "core/DateText.h"
#include "core/Errors.h"
#include "core/NumberReading.h"
#include "tests/core/CalculationFixture.h"

namespace {

struct NumberCase {
    const char* text;
    double value;
};

TEST(ParseAmountTest, ReadsEveryWrittenFormOfAnAmount) {
    const NumberCase cases[] = {
        {"", 0},
        {"abc def", 0},
        {" - ", 0},  // a sign that is not first is no sign
        {"24", 24},
        {"24,5", 24.5},
        {"1.234,56", 1234.56},
        {"-1.234,56", -1234.56},
        {"+25", 25},
        {"12-5", 125},    // a minus that is not first is dropped
        {" -5", 5},       // ... also after a leading space
        {"1.234", 1234},  // a grouped integer while typing
        {"% 7,5 TL", 7.5},
        {"0,00", 0},
        {"1.000.000,01", 1000000.01},
    };
    for (const NumberCase& c : cases) {
        EXPECT_DOUBLE_EQ(core::ParseAmount(QString::fromUtf8(c.text)), c.value) << c.text;
    }
}

TEST(ParseDigitsTest, ReadsAllDigitsAsOneInteger) {
    const NumberCase cases[] = {
        {"", 0},      {"  .  .    ", 0}, {"00.00.0000", 0}, {"01.03.2019", 1032019},  {"1,5", 15},
        {"-12", -12}, {"1-2", 12},       {"abc", 0},        {"31.12.2999", 31122999},
    };
    for (const NumberCase& c : cases) {
        EXPECT_DOUBLE_EQ(core::ParseDigits(QString::fromUtf8(c.text)), c.value) << c.text;
    }
}

// What is kept must be a number; the failure names the text as the cell holds it.
TEST(ParseAmountTest, FailsNamingTheTextWhenWhatIsKeptIsNoNumber) {
    const char* texts[] = {"-", "+", ",", "1,2,3", ",,", "-,", "x,"};
    for (const char* text : texts) {
        const QString quoted = QLatin1Char('"') + QString::fromUtf8(text) + QLatin1Char('"');
        try {
            core::ParseAmount(QString::fromUtf8(text));
            ADD_FAILURE() << text << " was read";
        } catch (const core::CommandFailure& error) {
            EXPECT_TRUE(error.message().contains(quoted)) << error.message().toStdString();
        }
    }
    EXPECT_THROW(core::ParseDigits(QStringLiteral("-")), core::CommandFailure);
    EXPECT_THROW(core::ParseDigits(QStringLiteral("+.")), core::CommandFailure);
}

// The reference reading of a typed number: keep a sign in first place, digits and (for amounts)
// decimal commas; then what is kept, if anything, must be [sign] digits [comma digits] with a
// digit.
std::optional<double> ReferenceReading(const std::string& text, bool amount) {
    std::string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((i == 0 && (c == '+' || c == '-')) || (c >= '0' && c <= '9') || (amount && c == ',')) {
            kept += c;
        }
    }
    if (kept.empty()) return 0.0;
    const bool negative = kept[0] == '-';
    if (kept[0] == '+' || kept[0] == '-') kept.erase(0, 1);
    const auto comma = kept.find(',');
    if (comma != std::string::npos && kept.find(',', comma + 1) != std::string::npos) {
        return std::nullopt;
    }
    if (kept.find_first_of("0123456789") == std::string::npos) return std::nullopt;
    if (comma != std::string::npos) kept[comma] = '.';
    kept = '0' + kept + (comma != std::string::npos ? "0" : "");
    double value = 0;
    std::from_chars(kept.data(), kept.data() + kept.size(), value);
    return negative ? -value : value;
}

TEST(ParseAmountTest, AgreesWithTheReadingAsWrittenOnRandomTexts) {
    std::mt19937 rng(7);
    const std::string alphabet = "0123456789,.-+ a";
    for (int n = 0; n < 20000; ++n) {
        std::string text(rng() % 22, ' ');
        for (char& c : text) c = alphabet[rng() % alphabet.size()];
        for (bool amount : {true, false}) {
            const std::optional<double> want = ReferenceReading(text, amount);
            std::optional<double> got;
            try {
                const QString q = QString::fromStdString(text);
                got = amount ? core::ParseAmount(q) : core::ParseDigits(q);
            } catch (const core::CommandFailure&) {
            }
            ASSERT_EQ(got, want) << '"' << text << '"' << (amount ? " amount" : " digits");
        }
    }
}

// Short numbers are read by one division of their digits by a power of ten; at the edges of
// where that is exact, and past them, the reading must be the correctly rounded one, sign of
// zero included.
TEST(ParseAmountTest, ReadsLongDigitRunsCorrectlyRounded) {
    const char* texts[] = {
        "9007199254740991",
        "9007199254740993",
        "900719925474099,3",
        "18014398509481985",
        "0,1234567890123456789012",
        "0,12345678901234567890123",
        "123456789012345,67",
        "99999999999999999999",
        "1,",
        "-0",
        "-0,00",
        "-,5",
        "0000000000000000000000012",
        "1.234.567.890.123,4567",
    };
    for (const char* text : texts) {
        for (bool amount : {true, false}) {
            const std::optional<double> want = ReferenceReading(text, amount);
            ASSERT_TRUE(want) << text;
            const QString q = QString::fromUtf8(text);
            const double got = amount ? core::ParseAmount(q) : core::ParseDigits(q);
            EXPECT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(*want))
                << text << (amount ? " amount " : " digits ") << got;
        }
    }
    EXPECT_EQ(std::bit_cast<std::uint64_t>(core::StrictNumber(QStringLiteral(" -0,0"))),
              std::bit_cast<std::uint64_t>(-0.0));
    EXPECT_EQ(core::StrictNumber(QStringLiteral("9007199254740993")), 9007199254740992.0);
}

TEST(StrictNumberTest, AcceptsOnlyAWholeNumberText) {
    EXPECT_DOUBLE_EQ(core::StrictNumber(QStringLiteral("360")), 360);
    EXPECT_DOUBLE_EQ(core::StrictNumber(QStringLiteral(" 24,5")), 24.5);
    EXPECT_DOUBLE_EQ(core::StrictNumber(QStringLiteral("-0,5")), -0.5);
    const char* bad[] = {"", ",", "1.234", "24 %", "abc"};
    for (const char* text : bad) {
        EXPECT_THROW(core::StrictNumber(QString::fromUtf8(text)), core::CommandFailure) << text;
    }
}

TEST(IsValidDateTextTest, KnowsTheCalendar) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"29.02.2019", false}, {"29.02.2020", true},  {"29.02.1900", false}, {"29.02.2000", true},
        {"31.04.2019", false}, {"30.04.2019", true},  {"01.13.2019", false}, {"00.01.2019", false},
        {"01.00.2019", false}, {"31.12.9999", true},  {"01.01.0000", false}, {"01.01.0001", true},
        {" 1. 1.2019", true},  {"45.03.2019", false}, {"31.02.2019", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(core::IsValidDateText(QString::fromUtf8(c.text)), c.valid) << c.text;
    }
}

TEST(IsValidDateTextTest, FailsWhenAPartIsNoInteger) {
    const char* texts[] = {"ab.01.2019", "01.xy.2019", "01.01.", "", "01.01.20a9"};
    for (const char* text : texts) {
        EXPECT_THROW(core::IsValidDateText(QString::fromUtf8(text)), core::CommandFailure) << text;
    }
}

}  // namespace
