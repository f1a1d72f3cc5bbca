#include <gtest/gtest.h>

#include "files/Cp1254.h"
#include "tests/storage/TestFiles.h"

using namespace files;

TEST(Cp1254, TurkishLettersHaveTheirCodePageBytes) {
    const QString text = QStringLiteral("ğĞıİşŞçÇöÖüÜ€");
    const auto bytes = EncodeCp1254(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, QByteArray("\xF0\xD0\xFD\xDD\xFE\xDE\xE7\xC7\xF6\xD6\xFC\xDC\x80"));
    EXPECT_EQ(DecodeCp1254(*bytes), text);
}

TEST(Cp1254, EveryByteReadsAndWritesBack) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const QString text = DecodeCp1254(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0x81).unicode(), 0x81);  // undefined in the code page
    EXPECT_EQ(text.at(0x9E).unicode(), 0x9E);
    EXPECT_EQ(text.at(0xFD), QChar(0x0131));  // ı
    const auto back = EncodeCp1254(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
    EXPECT_FALSE(FirstUnencodableCp1254(text).has_value());
}

TEST(Cp1254, FindsTheFirstCharacterItCannotHold) {
    EXPECT_FALSE(FirstUnencodableCp1254(QStringLiteral("Açıklama, \"x\"")).has_value());
    EXPECT_EQ(FirstUnencodableCp1254(QStringLiteral("ab✓c✓")), 2);
    EXPECT_FALSE(EncodeCp1254(QStringLiteral("ab✓")).has_value());
    // A character outside the basic plane is one character at its first half.
    const QString emoji =
        QStringLiteral("xy") + QString::fromUcs4(U"\U0001F600") + QStringLiteral("z");
    EXPECT_EQ(FirstUnencodableCp1254(emoji), 2);
    EXPECT_EQ(CharacterAt(emoji, 2), QString::fromUcs4(U"\U0001F600"));
    // A lone surrogate cannot be written either.
    QString lone = QStringLiteral("ab");
    lone.append(QChar(0xD800));
    EXPECT_EQ(FirstUnencodableCp1254(lone), 2);
    EXPECT_FALSE(EncodeCp1254(lone).has_value());
    // Greek and Cyrillic are not in the Turkish code page.
    EXPECT_EQ(FirstUnencodableCp1254(QStringLiteral("Ωmega")), 0);
}

TEST(Cp1254, LongTextsConvert) {
    QString text;
    for (int i = 0; i < 5000; ++i) text += QStringLiteral("Dorud Ödeme şğü ");
    const auto bytes = EncodeCp1254(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), text.size());
    EXPECT_EQ(DecodeCp1254(*bytes), text);
    EXPECT_EQ(FirstUnencodableCp1254(text + QStringLiteral("✓")), text.size());
}
