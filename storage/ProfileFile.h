#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <utility>
#include <vector>

namespace storage {

// An initialisation file with the semantics of the Windows profile functions
// (GetPrivateProfileString / WritePrivateProfileString) that the settings rely on: sections
// and keys matched without regard to case, values trimmed of spaces and tabs on reading and
// written without quotes, a missing file, section or key created on writing, the rest of
// the file kept byte for byte. Text in Windows-1254.
class ProfileFile {
  public:
    // The largest settings file read: a real one holds a few hundred bytes of keys, and a
    // file of megabytes (hostile or broken) would only cost time and memory.
    static constexpr qint64 kLargestFile = 64 * 1024;

    // Reads the file; a file that is missing or cannot be read is an empty one, and so is
    // a file over kLargestFile (tooLarge, when given, says which).
    static ProfileFile read(const QString& path, bool* tooLarge = nullptr);
    // The contents of an in-memory file (the bytes of an .ini).
    static ProfileFile fromText(const QString& text);

    // The value of the first key `key` in the first section `section`, trimmed; empty text
    // when there is no such value.
    QString value(const QString& section, const QString& key) const;

    // Sets a value: replaces the key's line (keeping the key's spelling in the file), or adds
    // "key=value" after the section's last entry, or adds the section at the end.
    void setValue(const QString& section, const QString& key, const QString& value);

    // The whole text, each line with the line break it had (new lines end with CR LF).
    QString text() const;

  private:
    struct Line {
        QString text;
        QString end;  // "\r\n", "\r", "\n" or "" for a last line without a break
    };
    // Index of the section's header line, or -1.
    int findSection(const QString& section) const;
    // The end (one past the last line) of the section whose header is at `header`.
    int sectionEnd(int header) const;

    std::vector<Line> lines_;
};

// Key and value pairs of one section, in the order they are written.
using ProfileValues = std::vector<std::pair<QString, QString>>;

// WritePrivateProfileString for a whole command's keys at once: reads the file, sets the
// values in memory and writes the file once, safely (WriteFileSafely). Returns false when the
// file exists but cannot be read, or cannot be written; it is then exactly as it was.
bool WriteProfileStrings(const QString& path, const QString& section, const ProfileValues& values);

// GetPrivateProfileString with an empty default.
QString ReadProfileString(const QString& path, const QString& section, const QString& key);

}  // namespace storage
