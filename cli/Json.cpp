#include "cli/Json.h"

namespace cli {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void appendEscaped(QByteArray& out, const QByteArray& utf8) {
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
}

bool isLoneSurrogate(const QString& text, qsizetype i) {
    const char16_t u = text.at(i).unicode();
    if (QChar::isHighSurrogate(u)) {
        return i + 1 >= text.size() || !QChar::isLowSurrogate(text.at(i + 1).unicode());
    }
    return QChar::isLowSurrogate(u) &&
           (i == 0 || !QChar::isHighSurrogate(text.at(i - 1).unicode()));
}

}  // namespace

// A lone surrogate has no UTF-8 form; it is written as its \u escape, so a file name's byte
// that is not UTF-8 (kept as U+DC80 ... U+DCFF, see files/FileNames.h) reaches a script
// distinguishable instead of as a replacement character.
QByteArray JsonWriter::quoted(const QString& text) {
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '"';
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isLoneSurrogate(text, i)) continue;
        appendEscaped(out, QStringView(text).mid(runStart, i - runStart).toUtf8());
        const char16_t u = text.at(i).unicode();
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(u >> shift) & 15];
        runStart = i + 1;
    }
    appendEscaped(out, QStringView(text).mid(runStart).toUtf8());
    out += '"';
    return out;
}

void JsonWriter::newline() {
    out_ += '\n';
    out_ += QByteArray(static_cast<qsizetype>(levels_.size()) * 2, ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) return;
    Level& level = levels_.back();
    if (level.count++ > 0) out_ += ',';
    newline();
}

void JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    levels_.push_back({true});
}

void JsonWriter::endObject() {
    const bool empty = levels_.back().count == 0;
    levels_.pop_back();
    if (!empty) newline();
    out_ += '}';
}

void JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    levels_.push_back({false});
}

void JsonWriter::endArray() {
    const bool empty = levels_.back().count == 0;
    levels_.pop_back();
    if (!empty) newline();
    out_ += ']';
}

void JsonWriter::key(const QString& name) {
    beforeValue();
    out_ += quoted(name);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::value(const QString& text) {
    beforeValue();
    out_ += quoted(text);
}

void JsonWriter::value(bool flag) {
    beforeValue();
    out_ += flag ? "true" : "false";
}

void JsonWriter::nullValue() {
    beforeValue();
    out_ += "null";
}

void JsonWriter::optionalValue(const std::optional<QString>& text) {
    if (text) {
        value(*text);
    } else {
        nullValue();
    }
}

void JsonWriter::inlineStrings(const QStringList& texts) {
    beforeValue();
    out_ += '[';
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0) out_ += ", ";
        out_ += quoted(texts[i]);
    }
    out_ += ']';
}

}  // namespace cli
