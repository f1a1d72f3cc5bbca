#pragma once

#include <QString>
#include <QStringList>

namespace storage {

// The calculation files last opened or saved, newest first, kept in a small list file of the
// user's configuration folder: one file name a line, as the system's bytes (so a name that is
// not UTF-8 comes back as itself). The list file may be hostile: only its first
// kListFileLimit bytes are looked at, and at most kMostFiles names are taken.
class RecentFiles {
  public:
    static constexpr int kMostFiles = 8;
    static constexpr qint64 kListFileLimit = 64 * 1024;

    // `listFile` empty: nothing is read or kept.
    explicit RecentFiles(QString listFile);

    const QStringList& names() const { return names_; }
    // Puts the name first (once); the oldest beyond kMostFiles goes.
    void add(const QString& name);
    void remove(const QString& name);

    // Writes the list through the one safe write, creating the folder when missing; false
    // (with `problem` set) when it could not be written.
    bool store(QString* problem = nullptr) const;

  private:
    QString listFile_;
    QStringList names_;
};

}  // namespace storage
