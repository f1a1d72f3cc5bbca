#include "tests/support/TestFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace testsupport {

void WriteFile(const QString& path, const QByteArray& bytes, QFileDevice::Permissions permissions) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush() ||
        (permissions && !file.setPermissions(permissions))) {
        throw std::runtime_error("cannot write the test file " + path.toStdString());
    }
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TestFolder::TestFolder(const QString& subfolder) : path_(dir_.path() + QLatin1Char('/')) {
    if (!dir_.isValid()) throw std::runtime_error("cannot create a temporary folder");
    if (!subfolder.isEmpty()) {
        path_ += subfolder + QLatin1Char('/');
        if (!QDir().mkpath(path_)) throw std::runtime_error("cannot create the test folder");
    }
}

QString TestFolder::write(const QString& name, const QByteArray& bytes,
                          QFileDevice::Permissions permissions) const {
    WriteFile(path(name), bytes, permissions);
    return path(name);
}

bool TestFolder::exists(const QString& name) const { return QFileInfo::exists(path(name)); }

bool TestFolder::isExecutable(const QString& name) const {
    return QFileInfo(path(name)).permissions().testFlag(QFileDevice::ExeOwner);
}

QStringList TestFolder::list() const {
    QStringList names;
    QDirIterator it(path_, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) names << it.next().mid(path_.size());
    names.sort();
    return names;
}

}  // namespace testsupport
