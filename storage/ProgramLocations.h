#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace storage {

// The user's own folders, where an installed program keeps what it writes.
struct UserFolders {
    QString config;     // the program's configuration folder
    QString documents;  // the user's documents
    QString cache;      // the program's cache folder

    // The desktop's folders for this user (QStandardPaths), named for the program.
    static UserFolders standard();
};

// Where the program runs from. A portable program folder keeps every file beside the
// program. An installed program (its folder read-only, or the installed data tree beside its
// bin folder) keeps the user's files in the user's folders and reads its own data from the
// data tree.
struct ProgramLocations {
    QString programFolder;  // ends with a separator
    bool folderWritable = true;
    bool dataTreeBeside = false;
    UserFolders user;

    // Looks at the program folder: can it be written, is the data tree beside it.
    static ProgramLocations of(const QString& programFolder,
                               const UserFolders& user = UserFolders::standard());

    bool installed() const { return !folderWritable || dataTreeBeside; }
    // The installed data tree of a program in <prefix>/bin: <prefix>/share/dedadederaro/.
    QString dataTree() const;
};

// The settings file "Ayarlar.ini": beside a portable program, else in the user's
// configuration folder (created when missing, so the settings can be saved).
QString SettingsFile(const ProgramLocations& where);

// The folder the file dialogs start in, "Dosya": beside a portable program, else below the
// user's documents (created when missing, with what the installed template holds).
QString CalculationFolder(const ProgramLocations& where);

// The workbook that the mail command attaches, "Rapor.xlsx": beside a portable program, else
// in the user's cache folder (created when missing).
QString ReportWorkbookFile(const ProgramLocations& where);

// The list of recent calculation files and the folder of recovery copies of unsaved work: the
// user's own, in the configuration and the cache folder, for a portable program too (they
// belong to the user, not to the program folder). Created when first written.
QString RecentFilesList(const UserFolders& user);
QString RecoveryFolder(const UserFolders& user);

// The folder of the help texts and the user guide, ending with a separator: the installed
// data tree when there is one, else the program folder.
QString HelpFolder(const ProgramLocations& where);

// The running program's file, from the bytes of its real path (/proc/self/exe), so a folder
// whose name is not UTF-8 is still itself (FileNames.h); nothing when the system cannot say,
// and the program must not guess (an empty folder would mean "/").
std::optional<QString> RunningProgramFile();
// The folder of a program's path given as bytes, ending with a separator; nothing for a path
// that is not absolute.
std::optional<QString> ProgramFolderOf(const QByteArray& programPath);
// The same for the running program.
std::optional<QString> RunningProgramFolder();

}  // namespace storage
