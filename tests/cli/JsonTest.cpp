#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Json.h"

using cli::JsonWriter;

TEST(JsonWriter, EscapesQuotesBackslashesAndControls) {
    EXPECT_EQ(JsonWriter::quoted(QStringLiteral("a\"b\\c")), QByteArray("\"a\\\"b\\\\c\""));
    EXPECT_EQ(JsonWriter::quoted(QStringLiteral("x\ny\rz\t")), QByteArray("\"x\\ny\\rz\\t\""));
    EXPECT_EQ(JsonWriter::quoted(QString(QChar(1))), QByteArray("\"\\u0001\""));
    EXPECT_EQ(JsonWriter::quoted(QStringLiteral("Ödeme ş")),
              QStringLiteral("\"Ödeme ş\"").toUtf8());
}

// A file name's byte that is not UTF-8 is held as a lone surrogate; it goes out as its escape,
// a pair stays one four-byte character.
TEST(JsonWriter, LoneSurrogatesAsEscapes) {
    const QString name = QStringLiteral("hesap") + QChar(char16_t(0xDCFD)) + QStringLiteral(".ods");
    EXPECT_EQ(JsonWriter::quoted(name), QByteArray("\"hesap\\udcfd.ods\""));
    EXPECT_EQ(JsonWriter::quoted(QString(QChar(char16_t(0xD83D)))), QByteArray("\"\\ud83d\""));
    EXPECT_EQ(JsonWriter::quoted(QStringLiteral("😀\n")), QByteArray("\"\xF0\x9F\x98\x80\\n\""));
}

TEST(JsonWriter, KeepsKeyOrderAndIsValidJson) {
    JsonWriter w;
    w.beginObject();
    w.key(QStringLiteral("z"));
    w.value(QStringLiteral("1"));
    w.key(QStringLiteral("a"));
    w.beginArray();
    w.inlineStrings({QStringLiteral("x"), QString()});
    w.endArray();
    w.key(QStringLiteral("empty"));
    w.beginArray();
    w.endArray();
    w.key(QStringLiteral("n"));
    w.nullValue();
    w.key(QStringLiteral("b"));
    w.value(true);
    w.endObject();
    const QByteArray text = w.result();
    EXPECT_EQ(
        text,
        QByteArray("{\n  \"z\": \"1\",\n  \"a\": [\n    [\"x\", \"\"]\n  ],\n  \"empty\": [],\n"
                   "  \"n\": null,\n  \"b\": true\n}\n"));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_TRUE(doc.object().value(QStringLiteral("b")).toBool());
}
