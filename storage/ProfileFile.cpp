#include "storage/ProfileFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "storage/Cp1254.h"

namespace storage {
namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QStringView trimBlanks(QStringView text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    return text.mid(b, e - b);
}

// The section name of a header line "[name]", or nothing for other lines.
std::optional<QStringView> sectionName(const QString& line) {
    const QStringView t = trimBlanks(line);
    if (t.isEmpty() || t.front() != QLatin1Char('[')) return std::nullopt;
    qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0) close = t.size();
    return trimBlanks(t.mid(1, close - 1));
}

// The key of an entry line (the text before "=", trimmed), or nothing for a blank line.
std::optional<QStringView> entryKey(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    const QStringView key = trimBlanks(eq < 0 ? QStringView(line) : QStringView(line).left(eq));
    if (key.isEmpty() && eq < 0) return std::nullopt;
    return key;
}

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

ProfileFile ProfileFile::fromText(const QString& text) {
    ProfileFile file;
    const qsizetype n = text.size();
    qsizetype p = 0;
    while (p < n) {
        const qsizetype start = p;
        while (p < n && text[p] != QLatin1Char('\r') && text[p] != QLatin1Char('\n')) ++p;
        Line line{text.mid(start, p - start), QString()};
        const qsizetype endStart = p;
        if (p < n && text[p] == QLatin1Char('\r')) ++p;
        if (p < n && text[p] == QLatin1Char('\n')) ++p;
        line.end = text.mid(endStart, p - endStart);
        file.lines_.push_back(std::move(line));
    }
    return file;
}

ProfileFile ProfileFile::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ProfileFile();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return ProfileFile();
    return fromText(DecodeCp1254(bytes));
}

int ProfileFile::findSection(const QString& section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i].text);
        if (name && sameName(*name, section)) return static_cast<int>(i);
    }
    return -1;
}

int ProfileFile::sectionEnd(int header) const {
    int i = header + 1;
    while (i < static_cast<int>(lines_.size()) && !sectionName(lines_[i].text)) ++i;
    return i;
}

QString ProfileFile::value(const QString& section, const QString& key) const {
    const int header = findSection(section);
    if (header < 0) return QString();
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const QString& line = lines_[i].text;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        if (sameName(trimBlanks(QStringView(line).left(eq)), key)) {
            return trimBlanks(QStringView(line).mid(eq + 1)).toString();
        }
    }
    return QString();
}

void ProfileFile::setValue(const QString& section, const QString& key, const QString& value) {
    const QString crlf = QStringLiteral("\r\n");
    int header = findSection(section);
    if (header < 0) {
        if (!lines_.empty() && lines_.back().end.isEmpty()) lines_.back().end = crlf;
        lines_.push_back({QLatin1Char('[') + section + QLatin1Char(']'), crlf});
        lines_.push_back({key + QLatin1Char('=') + value, crlf});
        return;
    }
    const int end = sectionEnd(header);
    int lastEntry = header;
    for (int i = header + 1; i < end; ++i) {
        const auto k = entryKey(lines_[i].text);
        if (!k) continue;
        lastEntry = i;
        if (lines_[i].text.indexOf(QLatin1Char('=')) >= 0 && sameName(*k, key)) {
            lines_[i].text = k->toString() + QLatin1Char('=') + value;
            return;
        }
    }
    if (lines_[lastEntry].end.isEmpty()) lines_[lastEntry].end = crlf;
    lines_.insert(lines_.begin() + lastEntry + 1, Line{key + QLatin1Char('=') + value, crlf});
}

QString ProfileFile::text() const {
    QString result;
    for (const Line& line : lines_) result += line.text + line.end;
    return result;
}

bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value) {
    const QFileInfo info(path);
    ProfileFile profile;
    if (info.exists()) {
        if (!info.isFile() || !info.isWritable()) return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return false;
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) return false;
        profile = ProfileFile::fromText(DecodeCp1254(bytes));
    }
    profile.setValue(section, key, value);
    const std::optional<QByteArray> bytes = EncodeCp1254(profile.text());
    if (!bytes) return false;

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(*bytes) != bytes->size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString ReadProfileString(const QString& path, const QString& section, const QString& key) {
    return ProfileFile::read(path).value(section, key);
}

}  // namespace storage
