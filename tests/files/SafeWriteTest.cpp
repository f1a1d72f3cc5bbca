#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cerrno>
#include <functional>

#include "InjectedFaults.h"
#include "SmallFilesystem.h"
#include "commands/CalculationFileCommands.h"
#include "core/Calculation.h"
#include "core/Errors.h"
#include "core/RecordingDialogs.h"
#include "files/FileNames.h"
#include "files/ReadWholeFile.h"
#include "files/SafeWrite.h"
#include "files/SafeWriteCalls.h"
#include "storage/CalculationFile.h"
#include "storage/Settings.h"
#include "tests/storage/TestFiles.h"

using namespace files;
using namespace storage;
using namespace commands;
using testfiles::entries;
using testfiles::InjectedFault;
using testfiles::kInjectedFaults;
using testfiles::withFault;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

unsigned modeOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return st.st_mode & 0777;
}

TEST(SafeWrite, EveryFailedStepLeavesTheTargetAsItWasAndNoTemporaryFile) {
    const QByteArray content(20000, 'y');
    for (const InjectedFault& fault : kInjectedFaults) {
        SCOPED_TRACE(fault.name);
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("eski.fdr"));
        WriteFile(existing, "old content");
        const SafeWriteResult replaced = WriteFileSafely(existing, content, withFault(fault));
        EXPECT_FALSE(replaced.ok);
        EXPECT_FALSE(replaced.reason.isEmpty());
        EXPECT_EQ(ReadFile(existing), QByteArray("old content"));

        const QString fresh = dir.filePath(QStringLiteral("yeni.fdr"));
        EXPECT_FALSE(WriteFileSafely(fresh, content, withFault(fault)).ok);
        EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("eski.fdr")});
    }
}

TEST(SafeWrite, ShortWritesAreContinuedToTheEnd) {
    QTemporaryDir dir;
    SafeWriteCalls calls = SafeWriteCalls::system();
    calls.write = [](int fd, const char* data, size_t size) {
        return ::write(fd, data, size < 7 ? size : 7);
    };
    QByteArray content;
    for (int i = 0; i < 1000; ++i) content += QByteArray::number(i) + ',';
    const QString target = dir.filePath(QStringLiteral("a.fdr"));
    ASSERT_TRUE(WriteFileSafely(target, content, calls).ok);
    EXPECT_EQ(ReadFile(target), content);
}

// Root passes every access() check; a file without any write bit is still not replaced.
TEST(SafeWrite, ReadOnlyTargetIsRefusedForEveryUserAndKeepsItsMode) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("salt.fdr"));
    WriteFile(target, "old content");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0444), 0);
    EXPECT_FALSE(WriteFileSafely(target, "new", SafeWriteCalls::system()).ok);
    EXPECT_EQ(ReadFile(target), QByteArray("old content"));
    EXPECT_EQ(modeOf(target), 0444u);
    EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("salt.fdr")});

    // The save command says so with the path.
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    EXPECT_FALSE(SaveToFile(calc, target));
    ASSERT_EQ(dialogs.notices().size(), 1u);
    EXPECT_EQ(dialogs.notices()[0].text, QStringLiteral("Dosya Saklanamıyor:\n") + target);
    EXPECT_EQ(modeOf(target), 0444u);
}

TEST(SafeWrite, ALinkIsFollowedAndKept) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("asil.fdr"));
    const QString link = dir.filePath(QStringLiteral("bag.fdr"));
    WriteFile(file, "old");
    ASSERT_EQ(::symlink("asil.fdr", QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(WriteFileSafely(link, "new").ok);
    EXPECT_EQ(ReadFile(file), QByteArray("new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

// Names in another encoding than UTF-8 (here Windows-1254 bytes for ı, ş) save and open as
// themselves, and two such names stay two files.
TEST(FileNames, NamesThatAreNotUtf8KeepTheirBytes) {
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray dotless = folder + "out\xFD.fdr";
    const QByteArray cedilla = folder + "out\xFE.fdr";
    const QString dotlessName = FileNameFromNative(dotless);
    EXPECT_EQ(NativeFileName(dotlessName), dotless);
    ASSERT_TRUE(WriteFileSafely(dotlessName, "1").ok);
    ASSERT_TRUE(WriteFileSafely(FileNameFromNative(cedilla), "2").ok);

    const auto readNative = [](const QByteArray& name) {
        return ReadWholeFile(FileNameFromNative(name)).value_or("<unreadable>");
    };
    EXPECT_EQ(readNative(dotless), QByteArray("1"));
    EXPECT_EQ(readNative(cedilla), QByteArray("2"));
    EXPECT_TRUE(IsRegularFile(dotlessName));
    EXPECT_EQ(::access(dotless.constData(), F_OK), 0);
    EXPECT_EQ(::access(cedilla.constData(), F_OK), 0);
    // QTemporaryDir cannot remove names Qt cannot spell.
    ::unlink(dotless.constData());
    ::unlink(cedilla.constData());

    // UTF-8 names, four-byte characters included, are what Qt makes of them.
    const QString utf8 = QStringLiteral("İşlem 😀.fdr");
    EXPECT_EQ(NativeFileName(utf8), utf8.toUtf8());
    EXPECT_EQ(FileNameFromNative(utf8.toUtf8()), utf8);
    // Malformed sequences: overlong, an encoded surrogate, a cut-off character.
    for (const QByteArray& bytes : {QByteArray("\xC0\xAF"), QByteArray("\xED\xA0\x80"),
                                    QByteArray("a\xE2\x82"), QByteArray("\xFF\xFE")}) {
        EXPECT_EQ(NativeFileName(FileNameFromNative(bytes)), bytes);
    }
}

// A real full disk: a 64 KiB tmpfs.
class FullDiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!disk.mounted()) GTEST_SKIP() << "needs root to mount a small tmpfs";
    }
    QTemporaryDir dir;
    testfiles::SmallFilesystem disk{dir.filePath(QStringLiteral("disk"))};
    core::RecordingDialogs dialogs;
    core::Calculation calc{dialogs};

    void fillTable(int rows) {
        calc.table().setRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            calc.table().setCell(0, r, QString::number(r));
            calc.table().setCell(2, r, QStringLiteral("01.03.2019"));
            calc.table().setCell(3, r, QStringLiteral("Açıklama satırı %1").arg(r));
            calc.table().setCell(4, r, QStringLiteral("1.000,00"));
        }
    }
};

TEST_F(FullDiskTest, SaveOnAFullDiskFailsAndKeepsTheOldFile) {
    const QString existing = disk.path(QStringLiteral("eski.fdr"));
    const QByteArray old(3000, 'o');
    WriteFile(existing, old);
    fillTable(80);
    for (const qint64 free : {qint64(0), qint64(4096)}) {
        SCOPED_TRACE(free);
        ASSERT_TRUE(disk.fill(free));
        dialogs.clear();
        EXPECT_FALSE(SaveToFile(calc, existing));
        ASSERT_EQ(dialogs.notices().size(), 1u);
        EXPECT_EQ(dialogs.notices()[0].text, QStringLiteral("Dosya Saklanamıyor:\n") + existing);
        EXPECT_EQ(ReadFile(existing), old);

        const QString fresh = disk.path(QStringLiteral("yeni.fdr"));
        EXPECT_FALSE(WriteCalculationFile(calc, fresh).ok);
        EXPECT_EQ(entries(disk.path(QString())),
                  (QStringList{QStringLiteral("dolgu"), QStringLiteral("eski.fdr")}));
    }
}

TEST_F(FullDiskTest, SettingsOnAFullDiskAreReportedAndTheFileKept) {
    const QString ini = disk.path(QStringLiteral("Ayarlar.ini"));
    const QByteArray old = "[Vovirer]\r\nRyilgun=365\r\nRayfaiz=24\r\n[ExcelAyarR]\r\nRvade=1\r\n";
    WriteFile(ini, old);
    ASSERT_TRUE(disk.fill());
    calc.inputs().daysInYear = QStringLiteral("360");
    calc.inputs().companyName = QString(300, QLatin1Char('x'));
    try {
        WriteMainSettings(calc.inputs(), ini);
        FAIL() << "no error";
    } catch (const core::CommandFailure& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + ini);
    }
    EXPECT_EQ(ReadFile(ini), old);
    EXPECT_EQ(entries(disk.path(QString())),
              (QStringList{QStringLiteral("Ayarlar.ini"), QStringLiteral("dolgu")}));
}

}  // namespace
