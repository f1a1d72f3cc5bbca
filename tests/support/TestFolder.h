#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

inline constexpr QFileDevice::Permissions kExecutable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// Writes the bytes to the file, creating its folder, and gives it the permissions unless they
// are none; throws when any step fails, so that a test never goes on with a file it did not get.
void WriteFile(const QString& path, const QByteArray& bytes,
               QFileDevice::Permissions permissions = {});

// The file's bytes, or "<unreadable>" (which no test file holds) when it cannot be read.
QByteArray ReadFile(const QString& path);

// A temporary folder, removed with the object, with the files a test writes and reads in it.
class TestFolder {
  public:
    // `subfolder`, when given, is created inside and is the folder the names are relative to.
    explicit TestFolder(const QString& subfolder = {});

    // The folder, ending with a slash.
    const QString& path() const { return path_; }
    QString path(const QString& name) const { return path_ + name; }
    QString operator/(const QString& name) const { return path_ + name; }

    // Writes a file and returns its path.
    QString write(const QString& name, const QByteArray& bytes,
                  QFileDevice::Permissions permissions = {}) const;
    QByteArray read(const QString& name) const { return ReadFile(path(name)); }
    bool exists(const QString& name) const;
    bool isExecutable(const QString& name) const;
    // Every file and folder below, relative, sorted.
    QStringList list() const;

  private:
    QTemporaryDir dir_;
    QString path_;
};

}  // namespace testsupport
