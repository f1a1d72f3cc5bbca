#pragma once

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_update {

// A temporary folder with helpers to write, read and list its files.
class TestFolder {
  public:
    explicit TestFolder(const QString& subfolder = {}) {
        path_ = dir_.path() + QLatin1Char('/');
        if (!subfolder.isEmpty()) {
            path_ += subfolder + QLatin1Char('/');
            QDir().mkpath(path_);
        }
    }

    const QString& path() const { return path_; }
    QString operator/(const QString& name) const { return path_ + name; }

    void write(const QString& name, const QByteArray& content,
               QFileDevice::Permissions permissions = QFileDevice::ReadOwner |
                                                      QFileDevice::WriteOwner) const {
        QDir().mkpath(QFileInfo(path_ + name).absolutePath());
        QFile file(path_ + name);
        if (file.open(QIODevice::WriteOnly)) file.write(content);
        file.close();
        file.setPermissions(permissions);
    }
    QByteArray read(const QString& name) const {
        QFile file(path_ + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    bool exists(const QString& name) const { return QFileInfo::exists(path_ + name); }
    bool isExecutable(const QString& name) const {
        return QFileInfo(path_ + name).permissions().testFlag(QFileDevice::ExeOwner);
    }
    // Every file and folder below, relative, sorted.
    QStringList list() const {
        QStringList names;
        QDirIterator it(path_, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) names << it.next().mid(path_.size());
        names.sort();
        return names;
    }

  private:
    QTemporaryDir dir_;
    QString path_;
};

inline constexpr QFileDevice::Permissions kExecutable =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

}  // namespace testing_update
