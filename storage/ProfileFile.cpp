#include "storage/ProfileFile.h"

#include <sys/stat.h>

#include <cerrno>

#include "files/Cp1254.h"
#include "files/FileNames.h"
#include "files/Lines.h"
#include "files/ReadWholeFile.h"
#include "files/SafeWrite.h"

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
    files::ForEachLine(text, [&](QStringView line, QStringView end) {
        file.lines_.push_back(Line{line.toString(), end.toString()});
    });
    return file;
}

ProfileFile ProfileFile::read(const QString& path, bool* tooLarge) {
    const files::BoundedFile file = files::ReadFileUpTo(path, kLargestFile);
    if (tooLarge) *tooLarge = file.tooLarge;
    return file.bytes ? fromText(files::DecodeCp1254(*file.bytes)) : ProfileFile();
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

bool WriteProfileStrings(const QString& path, const QString& section, const ProfileValues& values) {
    // A file that is there but cannot be read must not be replaced by the few keys written.
    ProfileFile profile;
    struct stat st {};
    if (::stat(files::NativeFileName(path).constData(), &st) == 0) {
        const files::BoundedFile file = files::ReadFileUpTo(path, ProfileFile::kLargestFile);
        if (!file.bytes) return false;
        profile = ProfileFile::fromText(files::DecodeCp1254(*file.bytes));
    } else if (errno != ENOENT) {
        return false;
    }
    for (const auto& [key, value] : values) profile.setValue(section, key, value);
    const std::optional<QByteArray> bytes = files::EncodeCp1254(profile.text());
    return bytes && files::WriteFileSafely(path, *bytes).ok;
}

QString ReadProfileString(const QString& path, const QString& section, const QString& key) {
    return ProfileFile::read(path).value(section, key);
}

}  // namespace storage
