#include "storage/ProgramLocations.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/FileNames.h"
#include "storage/Settings.h"

namespace storage {
namespace {

// The data tree relative to the bin folder, as the install rules lay it out.
const QString kDataTreeFromBin = QStringLiteral("../share/dedadederaro/");
const QString kFolderName = QStringLiteral("dedadederaro");
const QString kCalculationFolderName = QStringLiteral("Dosya");
const QString kReportWorkbookName = QStringLiteral("Rapor.xlsx");

QString withSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The user's folder, made when missing; a failure shows when the file is written.
QString ensured(const QString& folder) {
    QDir().mkpath(folder);
    return folder;
}

void copyTemplate(const QString& templateFolder, const QString& target) {
    const QDir from(templateFolder);
    for (const QString& name : from.entryList(QDir::Files)) {
        QFile::copy(from.filePath(name), QDir(target).filePath(name));
    }
}

}  // namespace

UserFolders UserFolders::standard() {
    const auto place = [](QStandardPaths::StandardLocation location) {
        return QStandardPaths::writableLocation(location);
    };
    return UserFolders{
        QDir(place(QStandardPaths::GenericConfigLocation)).filePath(kFolderName),
        place(QStandardPaths::DocumentsLocation),
        QDir(place(QStandardPaths::GenericCacheLocation)).filePath(kFolderName),
    };
}

ProgramLocations ProgramLocations::of(const QString& programFolder, const UserFolders& user) {
    ProgramLocations where{withSeparator(QDir::fromNativeSeparators(programFolder)), true, false,
                           user};
    where.folderWritable = QFileInfo(where.programFolder).isWritable();
    where.dataTreeBeside = QFileInfo(where.dataTree()).isDir();
    return where;
}

QString ProgramLocations::dataTree() const {
    return withSeparator(QDir::cleanPath(programFolder + kDataTreeFromBin));
}

QString SettingsFile(const ProgramLocations& where) {
    if (!where.installed()) return SettingsFilePath(where.programFolder);
    return SettingsFilePath(ensured(where.user.config));
}

QString CalculationFolder(const ProgramLocations& where) {
    if (!where.installed()) return where.programFolder + kCalculationFolderName;
    const QString folder = QDir(where.user.documents).filePath(kCalculationFolderName);
    if (!QFileInfo(folder).isDir() && QDir().mkpath(folder)) {
        copyTemplate(where.dataTree() + kCalculationFolderName, folder);
    }
    return folder;
}

QString ReportWorkbookFile(const ProgramLocations& where) {
    if (!where.installed()) return where.programFolder + kReportWorkbookName;
    return QDir(ensured(where.user.cache)).filePath(kReportWorkbookName);
}

QString RecentFilesList(const UserFolders& user) {
    return QDir(user.config).filePath(QStringLiteral("son-dosyalar.txt"));
}

QString RecoveryFolder(const UserFolders& user) {
    return QDir(user.cache).filePath(QStringLiteral("kurtarma"));
}

QString HelpFolder(const ProgramLocations& where) {
    return where.dataTreeBeside ? where.dataTree() : where.programFolder;
}

namespace {

std::optional<QByteArray> RunningProgramPath() {
    QByteArray path(4096, Qt::Uninitialized);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t n = ::readlink("/proc/self/exe", path.data(), size_t(path.size()));
        if (n < 0) return std::nullopt;
        if (n < path.size()) return path.left(n);
        path.resize(path.size() * 4);  // cut short: try again with room
    }
    return std::nullopt;
}

}  // namespace

std::optional<QString> RunningProgramFile() {
    const std::optional<QByteArray> path = RunningProgramPath();
    if (!path || !path->startsWith('/')) return std::nullopt;
    return files::FileNameFromNative(*path);
}

std::optional<QString> ProgramFolderOf(const QByteArray& programPath) {
    if (!programPath.startsWith('/')) return std::nullopt;
    return files::FileNameFromNative(programPath.left(programPath.lastIndexOf('/') + 1));
}

std::optional<QString> RunningProgramFolder() {
    const std::optional<QByteArray> path = RunningProgramPath();
    return path ? ProgramFolderOf(*path) : std::nullopt;
}

}  // namespace storage
