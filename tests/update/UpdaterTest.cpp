#include <gtest/gtest.h>

#include <QDir>
#include <vector>

#include "core/Errors.h"
#include "tests/files/InjectedFaults.h"
#include "tests/support/TestFolder.h"
#include "update/Updater.h"

namespace {

using testsupport::kExecutable;
using testsupport::TestFolder;
using update::Updater;
using update::UpdaterError;
using update::UpdaterHost;
using update::UpdaterLanguage;

struct Reported {
    UpdaterError error;
    QString parameter;
    QString message;
};

// A program folder with the running program, "DedadedEraro", and its new version in the
// Dosya folder; the script's start and the close request are recorded.
class UpdaterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.write(QStringLiteral("DedadedEraro"), "old program", kExecutable);
        folder.write(QStringLiteral("Dosya/DedadedEraro"), "new program");
    }

    Updater makeUpdater() {
        UpdaterHost host;
        host.programFile = folder / QStringLiteral("DedadedEraro");
        host.processId = 4242;
        host.startScript = [this](const QString& script, const QString& workingFolder) {
            startedScripts << script;
            scriptFolder = workingFolder;
            return scriptStarts;
        };
        host.requestClose = [this] { ++closeRequests; };
        host.now = [] { return QDateTime(QDate(2026, 12, 10), QTime(13, 14, 15)); };
        Updater updater(host);
        updater.setUpdateSource(QStringLiteral("Dosya/"));
        updater.setOnError([this](const Updater&, UpdaterError error, const QString& parameter,
                                  const QString& message) {
            reported.push_back({error, parameter, message});
        });
        return updater;
    }

    std::vector<UpdaterError> errors() const {
        std::vector<UpdaterError> codes;
        for (const Reported& r : reported) codes.push_back(r.error);
        return codes;
    }
    QString script() const {
        return QString::fromUtf8(folder.read(QStringLiteral("DedadedEraro.sh")));
    }
    QString quoted(const QString& name) const {
        return QLatin1Char('\'') + folder / name + QLatin1Char('\'');
    }

    TestFolder folder;
    QStringList startedScripts;
    QString scriptFolder;
    bool scriptStarts = true;
    int closeRequests = 0;
    std::vector<Reported> reported;
};

TEST_F(UpdaterTest, DefaultsStageTheNewProgramWriteTheScriptAndClose) {
    Updater updater = makeUpdater();
    EXPECT_EQ(updater.language(), UpdaterLanguage::English);
    EXPECT_FALSE(updater.stopOnFirstError());
    EXPECT_FALSE(updater.saveOriginalFiles());
    EXPECT_TRUE(updater.autoRestartApp());
    EXPECT_TRUE(updater.otherFiles().isEmpty());

    ASSERT_TRUE(updater.performUpdate());
    EXPECT_TRUE(updater.updated());
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(closeRequests, 1);
    EXPECT_EQ(startedScripts, QStringList{folder / QStringLiteral("DedadedEraro.sh")});
    EXPECT_EQ(scriptFolder, folder.path());
    EXPECT_EQ(folder.read(QStringLiteral("_DedadedEraro")), "new program");
    EXPECT_TRUE(folder.isExecutable(QStringLiteral("_DedadedEraro")));
    EXPECT_EQ(folder.read(QStringLiteral("BDedadedEraro")), "old program");
    EXPECT_EQ(folder.read(QStringLiteral("DedadedEraro")), "old program");
    EXPECT_EQ(updater.updateSource(), QStringLiteral("Dosya/"));
    EXPECT_EQ(updater.saveDir(), folder / QStringLiteral("PRGBACKUP/20261210131415/"));
    EXPECT_FALSE(folder.exists(QStringLiteral("PRGBACKUP")));

    const QString expected =
        QStringLiteral(
            "#!/bin/sh\n"
            "# Replaces the program with its new version once it has ended.\n"
            "while kill -0 4242 2>/dev/null; do sleep 0.2 2>/dev/null || sleep 1; done\n"
            "mv -f -- %1 %2\n"
            "if [ ! -f %2 ]; then cp -p -- %3 %2; fi\n"
            "rm -f -- %3\n"
            "cd %4 && nohup setsid %2 </dev/null >/dev/null 2>&1 &\n"
            "rm -f -- %5\n")
            .arg(quoted(QStringLiteral("_DedadedEraro")), quoted(QStringLiteral("DedadedEraro")),
                 quoted(QStringLiteral("BDedadedEraro")), quoted(QString()),
                 quoted(QStringLiteral("DedadedEraro.sh")));
    EXPECT_EQ(script(), expected);
}

TEST_F(UpdaterTest, ASecondUpdateOfTheSameRunIsRefused) {
    Updater updater = makeUpdater();
    ASSERT_TRUE(updater.performUpdate());
    EXPECT_FALSE(updater.performUpdate());
    EXPECT_EQ(errors(), std::vector{UpdaterError::AlreadyUpdated});
    EXPECT_EQ(startedScripts.size(), 1);
    EXPECT_EQ(closeRequests, 1);
}

TEST_F(UpdaterTest, OtherFilesAreStagedWhenTheSourceHasThemAndSkippedOtherwise) {
    folder.write(QStringLiteral("Dosya/yardimrotatif"), "new help");
    folder.write(QStringLiteral("Dosya/doc/kilavuz.pdf"), "new guide");
    Updater updater = makeUpdater();
    updater.setOtherFiles({QStringLiteral("yardimrotatif"), QStringLiteral("eksik.dat"),
                           QStringLiteral("doc/kilavuz.pdf")});
    ASSERT_TRUE(updater.performUpdate());
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(folder.read(QStringLiteral("_yardimrotatif")), "new help");
    EXPECT_EQ(folder.read(QStringLiteral("doc/_kilavuz.pdf")), "new guide");
    const QString text = script();
    EXPECT_TRUE(text.contains(QStringLiteral("mv -f -- %1 %2\n")
                                  .arg(quoted(QStringLiteral("_yardimrotatif")),
                                       quoted(QStringLiteral("yardimrotatif")))));
    EXPECT_TRUE(text.contains(QStringLiteral("mv -f -- %1 %2\n")
                                  .arg(quoted(QStringLiteral("doc/_kilavuz.pdf")),
                                       quoted(QStringLiteral("doc/kilavuz.pdf")))));
    EXPECT_FALSE(text.contains(QStringLiteral("eksik")));
    // The program comes first, its fallback after the other files.
    EXPECT_LT(text.indexOf(QStringLiteral("_DedadedEraro")),
              text.indexOf(QStringLiteral("_yardimrotatif")));
    EXPECT_LT(text.indexOf(QStringLiteral("_kilavuz")), text.indexOf(QStringLiteral("cp -p")));
}

TEST_F(UpdaterTest, OriginalsAreArchivedUnderPrgbackupWithTheTimeStamp) {
    folder.write(QStringLiteral("yardimrotatif"), "old help");
    folder.write(QStringLiteral("Dosya/yardimrotatif"), "new help");
    Updater updater = makeUpdater();
    updater.setSaveOriginalFiles(true);
    updater.setOtherFiles({QStringLiteral("yardimrotatif"), QStringLiteral("eksik.dat")});
    ASSERT_TRUE(updater.performUpdate());
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(folder.read(QStringLiteral("PRGBACKUP/20261210131415/DedadedEraro")), "old program");
    EXPECT_EQ(folder.read(QStringLiteral("PRGBACKUP/20261210131415/yardimrotatif")), "old help");
    EXPECT_FALSE(folder.exists(QStringLiteral("PRGBACKUP/20261210131415/eksik.dat")));
}

TEST_F(UpdaterTest, AGivenSaveFolderGetsASeparatorAndTheTimeStamp) {
    TestFolder archive;
    Updater updater = makeUpdater();
    updater.setSaveOriginalFiles(true);
    updater.setSaveDir(archive.path() + QStringLiteral("yedek"));
    ASSERT_TRUE(updater.performUpdate());
    EXPECT_EQ(updater.saveDir(), archive / QStringLiteral("yedek/20261210131415/"));
    EXPECT_EQ(archive.read(QStringLiteral("yedek/20261210131415/DedadedEraro")), "old program");
}

TEST_F(UpdaterTest, WithoutRestartTheScriptOnlySwapsAndTheUserIsAskedToRestart) {
    Updater updater = makeUpdater();
    updater.setAutoRestartApp(false);
    ASSERT_TRUE(updater.performUpdate());
    EXPECT_EQ(closeRequests, 0);
    EXPECT_EQ(errors(), std::vector{UpdaterError::NeedRestartApp});
    EXPECT_FALSE(script().contains(QStringLiteral("setsid")));
    EXPECT_TRUE(script().contains(QStringLiteral("mv -f --")));
}

TEST_F(UpdaterTest, TheSourceFolderIsUnderTheProgramFolderWhateverTheCurrentFolder) {
    TestFolder elsewhere;
    elsewhere.write(QStringLiteral("Dosya/DedadedEraro"), "wrong program");
    const QString current = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    Updater updater = makeUpdater();
    const bool done = updater.performUpdate();
    QDir::setCurrent(current);
    ASSERT_TRUE(done);
    EXPECT_EQ(folder.read(QStringLiteral("_DedadedEraro")), "new program");
}

// Without the new program nothing is swapped: no script, nothing left behind.
TEST_F(UpdaterTest, AMissingNewProgramEndsTheUpdateWithoutAScript) {
    QFile::remove(folder / QStringLiteral("Dosya/DedadedEraro"));
    const QStringList before = folder.list();
    Updater updater = makeUpdater();
    EXPECT_FALSE(updater.performUpdate());
    EXPECT_EQ(errors(), (std::vector{UpdaterError::NoSourceProgram, UpdaterError::FileCopyError}));
    EXPECT_EQ(reported[1].parameter, QStringLiteral("_DedadedEraro"));
    EXPECT_TRUE(startedScripts.isEmpty());
    EXPECT_EQ(closeRequests, 0);
    EXPECT_FALSE(updater.updated());
    EXPECT_EQ(folder.list(), before);
}

TEST_F(UpdaterTest, StopOnFirstErrorEndsAtTheFirstError) {
    struct Case {
        bool stop;
        std::vector<UpdaterError> expected;
    };
    const Case cases[] = {
        {true, {UpdaterError::NoSourceFolder}},
        {false,
         {UpdaterError::NoSourceFolder, UpdaterError::NoSourceProgram,
          UpdaterError::FileCopyError}},
    };
    const QStringList before = folder.list();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stop);
        reported.clear();
        Updater updater = makeUpdater();
        updater.setUpdateSource(QStringLiteral("Yok"));
        updater.setStopOnFirstError(c.stop);
        EXPECT_FALSE(updater.performUpdate());
        EXPECT_EQ(errors(), c.expected);
        EXPECT_EQ(reported[0].parameter, folder / QStringLiteral("Yok/"));
        EXPECT_EQ(updater.updateSource(), QStringLiteral("Yok/"));
        EXPECT_TRUE(startedScripts.isEmpty());
        EXPECT_EQ(folder.list(), before);
    }
}

// The save folder is made one level deep only; the update goes on without the archive.
TEST_F(UpdaterTest, ASaveFolderThatCannotBeMadeIsReportedTwiceAndSkipped) {
    Updater updater = makeUpdater();
    updater.setSaveOriginalFiles(true);
    updater.setSaveDir(folder / QStringLiteral("a/b"));
    EXPECT_TRUE(updater.performUpdate());
    ASSERT_EQ(errors(),
              (std::vector{UpdaterError::CannotCreateSaveDir, UpdaterError::CannotCreateSaveDir}));
    EXPECT_EQ(reported[0].parameter, folder / QStringLiteral("a/b/"));
    EXPECT_EQ(reported[1].parameter, folder / QStringLiteral("a/b/20261210131415/"));
    EXPECT_FALSE(folder.exists(QStringLiteral("a")));
}

TEST_F(UpdaterTest, AFailedSafetyCopyEndsTheUpdateWhateverStopOnFirstErrorSays) {
    QDir().mkdir(folder / QStringLiteral("BDedadedEraro"));  // in the way of the copy
    folder.write(QStringLiteral("BDedadedEraro/x"), "x");
    Updater updater = makeUpdater();
    EXPECT_FALSE(updater.performUpdate());
    ASSERT_EQ(errors(), std::vector{UpdaterError::FileCopyError});
    EXPECT_EQ(reported[0].parameter, QStringLiteral("DedadedEraro"));
    EXPECT_TRUE(startedScripts.isEmpty());
    EXPECT_FALSE(folder.exists(QStringLiteral("_DedadedEraro")));
    EXPECT_FALSE(folder.exists(QStringLiteral("DedadedEraro.sh")));
}

// Copies go through the one safe write: one that fails at any step (a full disk) ends the
// update at the safety copy, with the program as it was and nothing staged.
TEST_F(UpdaterTest, ACopyOnAFailingDiskEndsTheUpdate) {
    for (const testfiles::InjectedFault& fault : testfiles::kInjectedFaults) {
        SCOPED_TRACE(fault.name);
        reported.clear();
        const files::ScopedSafeWriteCalls failing(testfiles::withFault(fault));
        Updater updater = makeUpdater();
        EXPECT_FALSE(updater.performUpdate());
        EXPECT_EQ(errors(), std::vector{UpdaterError::FileCopyError});
        EXPECT_TRUE(startedScripts.isEmpty());
        EXPECT_EQ(folder.read(QStringLiteral("DedadedEraro")), "old program");
        for (const char* staged : {"BDedadedEraro", "_DedadedEraro", "DedadedEraro.sh"}) {
            EXPECT_FALSE(folder.exists(QLatin1String(staged))) << staged;
        }
    }
}

TEST_F(UpdaterTest, AScriptThatCannotBeWrittenOrStartedLeavesNothingBehind) {
    const QStringList before = folder.list();
    {
        QDir().mkdir(folder / QStringLiteral("DedadedEraro.sh"));  // in the way of the script
        Updater updater = makeUpdater();
        try {
            updater.performUpdate();
            ADD_FAILURE() << "no error";
        } catch (const core::CommandFailure& error) {
            EXPECT_TRUE(error.message().contains(folder / QStringLiteral("DedadedEraro.sh")));
        }
        EXPECT_FALSE(updater.updated());
        QDir().rmdir(folder / QStringLiteral("DedadedEraro.sh"));
    }
    {
        scriptStarts = false;
        Updater updater = makeUpdater();
        EXPECT_FALSE(updater.performUpdate());
        EXPECT_FALSE(updater.updated());
        EXPECT_EQ(closeRequests, 0);
    }
    EXPECT_EQ(folder.list(), before);
}

// Links planted among the update's files are never followed: not where the script goes, not
// as the new program in Dosya, not where a staged copy goes. The files they name stay as
// they were, content and permissions.
TEST_F(UpdaterTest, PlantedLinksAreRefusedNotFollowed) {
    const QFileDevice::Permissions privateFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    struct Case {
        const char* what;
        const char* link;
        bool throws;  // the script cannot be written: the boundary reports it
    };
    const Case cases[] = {
        {"the script", "DedadedEraro.sh", true},
        {"the new program", "Dosya/DedadedEraro", false},
        {"the staged program", "_DedadedEraro", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder outside;
        outside.write(QStringLiteral("victim"), "private", privateFile);
        const QString link = folder / QString::fromLatin1(c.link);
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(outside / QStringLiteral("victim"), link));
        Updater updater = makeUpdater();
        bool thrown = false;
        try {
            EXPECT_FALSE(updater.performUpdate());
        } catch (const core::CommandFailure& error) {
            thrown = true;
            EXPECT_TRUE(error.message().contains(link)) << error.message().toStdString();
        }
        EXPECT_EQ(thrown, c.throws);
        EXPECT_FALSE(updater.updated());
        EXPECT_TRUE(startedScripts.isEmpty());
        EXPECT_EQ(outside.read(QStringLiteral("victim")), "private");
        EXPECT_EQ(QFile::permissions(outside / QStringLiteral("victim")),
                  privateFile | QFileDevice::ReadUser | QFileDevice::WriteUser);
        QFile::remove(link);
        SetUp();
    }
}

// Every error that an update can report, with its text in each language.
TEST_F(UpdaterTest, ErrorsReachTheHandlerInTheChosenLanguage) {
    struct Text {
        UpdaterError error;
        const char* english;
        const char* hungarian;
        const char* french;
    };
    const Text texts[] = {
        {UpdaterError::NeedRestartApp, "Update is done! Please restart Your application!",
         "A frissítés megtörtént! Indítsa újra az alkalmazást!",
         "Mise à jour effectuée ! Veuillez redémarrer votre application!"},
        {UpdaterError::NoSourceFolder, "Not exist the directory of update source!",
         "Nem létezik a frissítés helyeként megadott könyvtár!",
         "Le directory pour la mise à jour n'existe pas !"},
        {UpdaterError::NoSourceProgram, "Not exist the update source (application)!",
         "Nem található a friss alkalmazás a forrás könyvtárban!",
         "Le directory pour la mise à jour n'existe pas (application)!"},
        {UpdaterError::CannotCreateSaveDir, "Can't create the save directory!",
         "A mentési könyvtár nem hozható létre!",
         "Ne peut créer le répertore pour la sauvegarde !"},
        {UpdaterError::FileCopyError, "File copy error!", "Hiba a fájl másolása közben!",
         "Erreur lors de la copie des fichiers !"},
        {UpdaterError::AlreadyUpdated, "Files already updated!", "A frissítés már megtörtént!",
         "Fichier déja à jour!"},
        {UpdaterError::EmptySourceFolder, "Source directory not defined!",
         "A frissítés forrás könyvtára nincs megadva!", "Le répertoire source n'est pas défini !"},
    };
    for (const UpdaterLanguage language :
         {UpdaterLanguage::English, UpdaterLanguage::Hungarian, UpdaterLanguage::French}) {
        reported.clear();
        const auto run = [&](auto&& configure) {
            Updater updater = makeUpdater();
            updater.setLanguage(language);
            configure(updater);
            updater.performUpdate();
            return updater;
        };
        run([](Updater& u) { u.setUpdateSource(QStringLiteral("  ")); });
        run([](Updater& u) { u.setUpdateSource(QStringLiteral("Yok/")); });
        run([&](Updater& u) {
            u.setSaveOriginalFiles(true);
            u.setSaveDir(folder / QStringLiteral("a/b"));
            u.setAutoRestartApp(false);
        });
        run([](Updater&) {}).performUpdate();

        std::vector<UpdaterError> seen;
        for (const Reported& r : reported) {
            seen.push_back(r.error);
            const auto text = std::find_if(std::begin(texts), std::end(texts),
                                           [&](const Text& t) { return t.error == r.error; });
            ASSERT_NE(text, std::end(texts));
            const char* expected = language == UpdaterLanguage::English     ? text->english
                                   : language == UpdaterLanguage::Hungarian ? text->hungarian
                                                                            : text->french;
            EXPECT_EQ(r.message, QString::fromUtf8(expected));
        }
        std::sort(seen.begin(), seen.end());
        seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
        EXPECT_EQ(seen.size(), std::size(texts));
    }
}

TEST(UpdaterWithoutHandler, ErrorsGoNowhere) {
    Updater updater(UpdaterHost{});
    EXPECT_FALSE(updater.performUpdate());  // no source folder: nothing to report it to
    EXPECT_FALSE(Updater::about().isEmpty());
}

}  // namespace
