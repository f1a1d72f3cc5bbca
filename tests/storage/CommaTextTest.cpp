#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "TestFiles.h"
#include "core/TransactionTable.h"
#include "files/Cp1254.h"
#include "files/Lines.h"
#include "storage/CommaText.h"

using namespace files;
using namespace storage;

namespace {
QStringList L(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items) list.push_back(QString::fromUtf8(item));
    return list;
}
}  // namespace

TEST(CommaTextWrite, BareItemsAreJoinedByCommas) {
    EXPECT_EQ(WriteCommaText(L({"360", "24", "", "5"})), QStringLiteral("360,24,,5"));
    EXPECT_EQ(WriteCommaText(L({"", "", ""})), QStringLiteral(",,"));
    EXPECT_EQ(WriteCommaText({}), QString());
    EXPECT_EQ(WriteCommaText(L({"Açıklama"})), QStringLiteral("Açıklama"));
}

// Items written straight into the file's bytes read as the text item encoded, and an item a
// line cannot hold leaves the line as it was.
TEST(CommaTextWrite, EncodedItemsAreTheTextItemsInWindows1254) {
    const QString writable[] = {
        QString(),
        QStringLiteral("360"),
        QStringLiteral("1.000,00"),
        QStringLiteral("say \"hi\""),
        QStringLiteral("\""),
        QStringLiteral("Işıl Ağaoğlu, şube"),
        QStringLiteral("a\tb"),
        QStringLiteral("€ 5"),
        QString(QChar(0x81)) + QStringLiteral("x"),
    };
    for (const QString& item : writable) {
        QString text = QStringLiteral("x,");
        AppendCommaTextItem(text, item);
        QByteArray bytes = "x,";
        EXPECT_TRUE(AppendEncodedCommaTextItem(bytes, item)) << item.toStdString();
        EXPECT_EQ(bytes, *EncodeCp1254(text)) << item.toStdString();
    }
    const QString refused[] = {QStringLiteral("Ω"), QStringLiteral("a\nb"), QStringLiteral("a\rb"),
                               QString(QChar(0)), QString(QChar(0xD800)) + QStringLiteral("a,b")};
    for (const QString& item : refused) {
        QByteArray bytes = "x,";
        EXPECT_FALSE(AppendEncodedCommaTextItem(bytes, item)) << item.toStdString();
        EXPECT_EQ(bytes, QByteArray("x,"));
    }
}

TEST(CommaTextWrite, QuotesItemsWithSpacesCommasQuotesAndControls) {
    EXPECT_EQ(WriteCommaText(L({"a b"})), QStringLiteral("\"a b\""));
    EXPECT_EQ(WriteCommaText(L({"a,b"})), QStringLiteral("\"a,b\""));
    EXPECT_EQ(WriteCommaText(L({"say \"hi\""})), QStringLiteral("\"say \"\"hi\"\"\""));
    EXPECT_EQ(WriteCommaText(L({"\""})), QStringLiteral("\"\"\"\""));
    EXPECT_EQ(WriteCommaText(L({"a\tb"})), QStringLiteral("\"a\tb\""));
    EXPECT_EQ(WriteCommaText(L({"x", " lead"})), QStringLiteral("x,\" lead\""));
    // A quote or a comma alone is enough; other punctuation is not.
    EXPECT_EQ(WriteCommaText(L({"1.234,56"})), QStringLiteral("\"1.234,56\""));
    EXPECT_EQ(WriteCommaText(L({"01.03.2019"})), QStringLiteral("01.03.2019"));
    EXPECT_EQ(WriteCommaText(L({"a'b;c"})), QStringLiteral("a'b;c"));
}

TEST(CommaTextWrite, CaptionRowBeginsWithAComma) {
    const QString line = WriteCommaText(core::TransactionTable::captions());
    EXPECT_EQ(line,
              QStringLiteral(",\"İşlem Tarihi\",\"Valör Tarihi\",Açıklama,\"Dorud Tutarı\","
                             "\"Dorud Ödeme\",\"Faiz Ödeme\",\"Yıllık Faiz\",Gün,\"Dönem Faizi\","
                             "\"Dorud Bakiye\",\"Faiz Bakiye\",\"Dönem BSMV\",Adat,Index"));
    EXPECT_EQ(ReadCommaText(line), core::TransactionTable::captions());
}

TEST(CommaTextRead, TwoAdjacentCommasGiveAnEmptyItem) {
    EXPECT_EQ(ReadCommaText(u"a,,b"), L({"a", "", "b"}));
    EXPECT_EQ(ReadCommaText(u",a"), L({"", "a"}));
    EXPECT_EQ(ReadCommaText(u",,"), L({"", "", ""}));
}

TEST(CommaTextRead, ATrailingCommaAddsOneEmptyItem) {
    EXPECT_EQ(ReadCommaText(u"a,"), L({"a", ""}));
    EXPECT_EQ(ReadCommaText(u"a,b,"), L({"a", "b", ""}));
    EXPECT_EQ(ReadCommaText(u","), L({"", ""}));
    // Something after the comma, even a space, is not "nothing".
    EXPECT_EQ(ReadCommaText(u"a, "), L({"a"}));
}

TEST(CommaTextRead, LeadingAndSurroundingControlCharactersAreSkipped) {
    EXPECT_EQ(ReadCommaText(u"\t\x01  a"), L({"a"}));
    EXPECT_EQ(ReadCommaText(u"  a  ,  b  "), L({"a", "b"}));
    EXPECT_EQ(ReadCommaText(u"a , \"b c\" ,d"), L({"a", "b c", "d"}));
    EXPECT_EQ(ReadCommaText(u"\x1f\"q\""), L({"q"}));
}

TEST(CommaTextRead, BareItemsEndAtSpacesAndControls) {
    EXPECT_EQ(ReadCommaText(u"a b"), L({"a", "b"}));
    EXPECT_EQ(ReadCommaText(u"a\tb,c"), L({"a", "b", "c"}));
    EXPECT_EQ(ReadCommaText(u"x\"y"), L({"x\"y"}));
}

TEST(CommaTextRead, QuotedItems) {
    EXPECT_EQ(ReadCommaText(u"\"a,b\",c"), L({"a,b", "c"}));
    EXPECT_EQ(ReadCommaText(u"\"say \"\"hi\"\"\""), L({"say \"hi\""}));
    EXPECT_EQ(ReadCommaText(u"\"\",\"\""), L({"", ""}));
    EXPECT_EQ(ReadCommaText(u"\"\"\"\""), L({"\""}));
    // Text right after a closing quote starts the next item.
    EXPECT_EQ(ReadCommaText(u"\"ab\"cd,e"), L({"ab", "cd", "e"}));
    // No closing quote: the item runs to the end of the line.
    EXPECT_EQ(ReadCommaText(u"a,\"open item"), L({"a", "open item"}));
}

TEST(CommaTextRead, EmptyLineHasNoItemAndCodeZeroEndsTheLine) {
    EXPECT_TRUE(ReadCommaText(u"").isEmpty());
    EXPECT_TRUE(ReadCommaText(u"   ").isEmpty());
    const QString withNul = QStringLiteral("a,b") + QChar(0) + QStringLiteral(",c");
    EXPECT_EQ(ReadCommaText(withNul), L({"a", "b"}));
    const QString commaNul = QStringLiteral("a,") + QChar(0) + QStringLiteral("b");
    EXPECT_EQ(ReadCommaText(commaNul), L({"a", ""}));
}

TEST(CommaTextRead, RandomItemsComeBackExactly) {
    QRandomGenerator random(20240601);
    const QString alphabet = QStringLiteral("ab ,\"\t\x01\x1f'İığşç.;-0123456789");
    for (int round = 0; round < 3000; ++round) {
        QStringList items;
        const int count = random.bounded(0, 16);
        for (int i = 0; i < count; ++i) {
            QString item;
            const int length = random.bounded(0, 8);
            for (int k = 0; k < length; ++k) item += alphabet.at(random.bounded(alphabet.size()));
            items.push_back(item);
        }
        if (items == QStringList{QString()}) continue;  // one empty item writes an empty line
        const QString line = WriteCommaText(items);
        ASSERT_EQ(ReadCommaText(line), items) << line.toStdString();
    }
}

TEST(SplitLines, BreaksAtCrLfCrAndLf) {
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\nb\r\n")), L({"a", "b"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\nb")), L({"a", "b"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\rb\r")), L({"a", "b"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\n\r\nb")), L({"a", "", "b"}));
    EXPECT_EQ(SplitLines(QStringLiteral("a\n\rb")), L({"a", "", "b"}));
    EXPECT_TRUE(SplitLines(QString()).isEmpty());
    EXPECT_EQ(SplitLines(QStringLiteral("\r\n")), L({""}));
}
