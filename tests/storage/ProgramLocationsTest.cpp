#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "TestFiles.h"
#include "files/FileNames.h"
#include "storage/ProgramLocations.h"

using namespace storage;

namespace {

// A scratch tree: <root>/bin as the program folder, the user's folders under <root>/home.
class ProgramLocationsTest : public ::testing::Test {
  protected:
    QTemporaryDir root;
    QString bin = root.filePath(QStringLiteral("bin")) + QLatin1Char('/');
    QString dataTree = root.filePath(QStringLiteral("share/dedadederaro")) + QLatin1Char('/');
    UserFolders user{root.filePath(QStringLiteral("home/.config/dedadederaro")),
                     root.filePath(QStringLiteral("home/Documents")),
                     root.filePath(QStringLiteral("home/.cache/dedadederaro"))};

    void SetUp() override { QDir().mkpath(bin); }
    void installDataTree() {
        QDir().mkpath(dataTree + QStringLiteral("Dosya"));
        testsupport::WriteFile(dataTree + QStringLiteral("Dosya/Örnek.fdr"), "ornek");
    }
    QString home(const char* path) const {
        return root.filePath(QStringLiteral("home/")) + QString::fromUtf8(path);
    }
};

TEST_F(ProgramLocationsTest, WritableFolderKeepsEverythingBesideTheProgram) {
    const ProgramLocations where = ProgramLocations::of(bin, user);
    EXPECT_FALSE(where.installed());
    EXPECT_EQ(SettingsFile(where), bin + QStringLiteral("Ayarlar.ini"));
    EXPECT_EQ(CalculationFolder(where), bin + QStringLiteral("Dosya"));
    EXPECT_EQ(ReportWorkbookFile(where), bin + QStringLiteral("Rapor.xlsx"));
    EXPECT_EQ(HelpFolder(where), bin);
    // Nothing is made in the user's folders.
    EXPECT_FALSE(QFileInfo::exists(root.filePath(QStringLiteral("home"))));
}

TEST_F(ProgramLocationsTest, ProgramFolderWithoutSeparatorOrWithNativeOneIsTheSame) {
    const QString bare = root.filePath(QStringLiteral("bin"));
    EXPECT_EQ(SettingsFile(ProgramLocations::of(bare, user)), bin + QStringLiteral("Ayarlar.ini"));
    EXPECT_EQ(HelpFolder(ProgramLocations::of(QDir::toNativeSeparators(bin), user)), bin);
}

TEST_F(ProgramLocationsTest, InstalledTreeUsesTheUsersFoldersAndTheDataTree) {
    installDataTree();
    const ProgramLocations where = ProgramLocations::of(bin, user);
    ASSERT_TRUE(where.installed());
    EXPECT_EQ(SettingsFile(where), home(".config/dedadederaro/Ayarlar.ini"));
    EXPECT_EQ(CalculationFolder(where), home("Documents/Dosya"));
    EXPECT_EQ(ReportWorkbookFile(where), home(".cache/dedadederaro/Rapor.xlsx"));
    EXPECT_EQ(HelpFolder(where), dataTree);
    // The folders a save goes to exist; the new calculation folder has the template's files.
    EXPECT_TRUE(QFileInfo(home(".config/dedadederaro")).isDir());
    EXPECT_TRUE(QFileInfo(home(".cache/dedadederaro")).isDir());
    EXPECT_EQ(testfiles::entries(home("Documents/Dosya")),
              QStringList{QStringLiteral("Örnek.fdr")});
    // Nothing is written beside the program.
    EXPECT_EQ(testfiles::entries(bin), QStringList{});
}

TEST_F(ProgramLocationsTest, ExistingCalculationFolderIsLeftAsTheUserHasIt) {
    installDataTree();
    QDir().mkpath(home("Documents/Dosya"));
    testsupport::WriteFile(home("Documents/Dosya/Örnek.fdr"), "benim");
    CalculationFolder(ProgramLocations::of(bin, user));
    EXPECT_EQ(testsupport::ReadFile(home("Documents/Dosya/Örnek.fdr")), QByteArray("benim"));
    EXPECT_EQ(testfiles::entries(home("Documents/Dosya")),
              QStringList{QStringLiteral("Örnek.fdr")});
}

// A read-only copy of the portable folder: the user's files go to the user's folders, the
// help stays with the program, as there is no data tree.
TEST_F(ProgramLocationsTest, ReadOnlyFolderWithoutDataTree) {
    ProgramLocations where = ProgramLocations::of(bin, user);
    where.folderWritable = false;
    ASSERT_TRUE(where.installed());
    EXPECT_EQ(SettingsFile(where), home(".config/dedadederaro/Ayarlar.ini"));
    EXPECT_EQ(CalculationFolder(where), home("Documents/Dosya"));
    EXPECT_EQ(ReportWorkbookFile(where), home(".cache/dedadederaro/Rapor.xlsx"));
    EXPECT_EQ(HelpFolder(where), bin);
    EXPECT_EQ(testfiles::entries(home("Documents/Dosya")), QStringList{});
}

TEST_F(ProgramLocationsTest, FolderWithoutWritePermissionIsSeenAsReadOnly) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
    ASSERT_TRUE(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner));
    const ProgramLocations where = ProgramLocations::of(bin, user);
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(where.folderWritable);
    EXPECT_TRUE(where.installed());
}

// The program's folder is taken from the bytes of its path, so a folder named under
// Windows-1254 is itself, never "/" or empty.
TEST(ProgramFolder, ComesFromTheBytesOfTheProgramsPath) {
    struct Case {
        QByteArray programPath;
        std::optional<QByteArray> folder;
    };
    const Case cases[] = {
        {"/opt/Dedaded/DedadedEraro", QByteArray("/opt/Dedaded/")},
        {"/home/ali/Masa\xfcst\xfc/Kredi/DedadedEraro",
         QByteArray("/home/ali/Masa\xfcst\xfc/Kredi/")},
        {"/DedadedEraro", QByteArray("/")},
        {"DedadedEraro", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.programPath.toStdString());
        const std::optional<QString> folder = storage::ProgramFolderOf(c.programPath);
        ASSERT_EQ(folder.has_value(), c.folder.has_value());
        if (folder) {
            EXPECT_EQ(files::NativeFileName(*folder), *c.folder);
        }
    }
    const std::optional<QString> running = storage::RunningProgramFolder();
    ASSERT_TRUE(running.has_value());
    EXPECT_EQ(*running, QFileInfo(QStringLiteral("/proc/self/exe"))
                                .symLinkTarget()
                                .section(QLatin1Char('/'), 0, -2) +
                            QLatin1Char('/'));
}

}  // namespace
