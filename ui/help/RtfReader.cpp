#include "ui/help/RtfReader.h"

#include <QTextCursor>
#include <QTextDocument>
#include <vector>

#include "files/Cp1254.h"

namespace ui {
namespace {

// What a group of the document sets; an inner group starts with its outer group's state.
struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;      // a destination whose text is not shown (font table, picture ...)
    int unicodeFallback = 1;  // characters after \uN that stand in for it
};

bool isHiddenDestination(const QString& word) {
    static const QStringList kHidden = {
        QStringLiteral("fonttbl"),     QStringLiteral("colortbl"),
        QStringLiteral("stylesheet"),  QStringLiteral("info"),
        QStringLiteral("pict"),        QStringLiteral("object"),
        QStringLiteral("header"),      QStringLiteral("footer"),
        QStringLiteral("listtable"),   QStringLiteral("listoverridetable"),
        QStringLiteral("rsidtbl"),     QStringLiteral("generator"),
        QStringLiteral("themedata"),   QStringLiteral("datastore"),
        QStringLiteral("latentstyles")};
    return kHidden.contains(word);
}

QString characterFor(const QString& word) {
    if (word == QLatin1String("tab")) return QStringLiteral("\t");
    if (word == QLatin1String("line")) return QString(QChar::LineSeparator);
    if (word == QLatin1String("emdash")) return QStringLiteral("—");
    if (word == QLatin1String("endash")) return QStringLiteral("–");
    if (word == QLatin1String("bullet")) return QStringLiteral("•");
    if (word == QLatin1String("lquote")) return QStringLiteral("‘");
    if (word == QLatin1String("rquote")) return QStringLiteral("’");
    if (word == QLatin1String("ldblquote")) return QStringLiteral("“");
    if (word == QLatin1String("rdblquote")) return QStringLiteral("”");
    return {};
}

class RtfParser {
  public:
    RtfParser(const QString& rtf, QTextDocument& document) : rtf_(rtf), cursor_(&document) {}

    void run() {
        while (at_ < rtf_.size()) {
            const QChar c = rtf_[at_++];
            if (c == u'{') {
                flush();
                groups_.push_back(groups_.back());
            } else if (c == u'}') {
                flush();
                if (groups_.size() > 1) groups_.pop_back();
            } else if (c == u'\\') {
                controlSequence();
            } else if (c != u'\r' && c != u'\n') {
                text(QString(c));
            }
        }
        flush();
    }

  private:
    GroupState& group() { return groups_.back(); }

    // A character of the text; the fallback characters after \uN are dropped.
    void text(const QString& characters) {
        if (skipFallback_ > 0) {
            --skipFallback_;
            return;
        }
        if (!group().hidden) run_ += characters;
    }

    void flush() {
        if (run_.isEmpty()) return;
        QTextCharFormat format;
        format.setFontWeight(group().bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(group().italic);
        format.setFontUnderline(group().underline);
        cursor_.insertText(run_, format);
        run_.clear();
    }

    void controlSequence() {
        if (at_ >= rtf_.size()) return;
        const QChar symbol = rtf_[at_];
        if (symbol == u'\'') {
            const QByteArray byte = QByteArray::fromHex(rtf_.mid(at_ + 1, 2).toLatin1());
            at_ += 3;
            text(files::DecodeCp1254(byte));
        } else if (!symbol.isLetter()) {
            ++at_;
            controlSymbol(symbol);
        } else {
            controlWord();
        }
    }

    void controlSymbol(QChar symbol) {
        if (symbol == u'*') {
            group().hidden = true;
        } else if (symbol == u'\\' || symbol == u'{' || symbol == u'}') {
            text(QString(symbol));
        } else if (symbol == u'~') {
            text(QString(QChar::Nbsp));
        } else if (symbol == u'_') {
            text(QStringLiteral("-"));
        } else if (symbol == u'\n' || symbol == u'\r') {
            paragraph();
        }
    }

    void controlWord() {
        const qsizetype start = at_;
        while (at_ < rtf_.size() && rtf_[at_].isLetter()) ++at_;
        const QString word = rtf_.mid(start, at_ - start);
        const qsizetype numberStart = at_;
        if (at_ < rtf_.size() && rtf_[at_] == u'-') ++at_;
        while (at_ < rtf_.size() && rtf_[at_].isDigit()) ++at_;
        const bool hasNumber = at_ > numberStart;
        const int number = hasNumber ? rtf_.mid(numberStart, at_ - numberStart).toInt() : 0;
        if (at_ < rtf_.size() && rtf_[at_] == u' ') ++at_;  // the delimiter belongs to the word
        apply(word, hasNumber, number);
    }

    void apply(const QString& word, bool hasNumber, int number) {
        const bool on = !hasNumber || number != 0;
        if (word == QLatin1String("par")) {
            paragraph();
        } else if (word == QLatin1String("b")) {
            setFormat(&GroupState::bold, on);
        } else if (word == QLatin1String("i")) {
            setFormat(&GroupState::italic, on);
        } else if (word == QLatin1String("ul")) {
            setFormat(&GroupState::underline, on);
        } else if (word == QLatin1String("ulnone")) {
            setFormat(&GroupState::underline, false);
        } else if (word == QLatin1String("plain")) {
            flush();
            group().bold = group().italic = group().underline = false;
        } else if (word == QLatin1String("uc")) {
            group().unicodeFallback = number;
        } else if (word == QLatin1String("u")) {
            text(QString(QChar(char16_t(number < 0 ? number + 65536 : number))));
            skipFallback_ = group().unicodeFallback;
        } else if (isHiddenDestination(word)) {
            group().hidden = true;
        } else if (const QString character = characterFor(word); !character.isEmpty()) {
            text(character);
        }
    }

    void setFormat(bool GroupState::*property, bool on) {
        flush();
        group().*property = on;
    }

    void paragraph() {
        if (group().hidden) return;
        flush();
        cursor_.insertBlock();
    }

    const QString& rtf_;
    QTextCursor cursor_;
    qsizetype at_ = 0;
    std::vector<GroupState> groups_{GroupState{}};
    QString run_;
    int skipFallback_ = 0;
};

}  // namespace

bool IsRtf(const QString& text) { return text.trimmed().startsWith(QLatin1String("{\\rtf")); }

void ReadRtf(const QString& rtf, QTextDocument& document) {
    document.clear();
    RtfParser(rtf, document).run();
}

}  // namespace ui
