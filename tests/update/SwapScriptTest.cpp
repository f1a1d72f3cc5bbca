#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include "tests/support/TestFolder.h"
#include "update/SwapScript.h"

namespace {

using testsupport::kExecutable;
using testsupport::TestFolder;
using update::ShellQuoted;
using update::SwapPlan;
using update::SwapScriptText;

TEST(ShellQuoted, KeepsEveryCharacterLiteral) {
    const QString texts[] = {
        QStringLiteral("/plain/path"),
        QStringLiteral("/with blank/and 'quote'"),
        QStringLiteral("/$HOME/`id`/\"x\"/*?/back\\slash"),
        QStringLiteral("/line\nbreak/Türkçe ğüşiöç"),
        QString(),
    };
    for (const QString& text : texts) {
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), QStringLiteral("printf %s ") + ShellQuoted(text)});
        ASSERT_TRUE(shell.waitForFinished());
        EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()), text);
    }
}

// The script run for real, in a folder whose name needs quoting, against a process that
// stands for the running program. The restarted program runs in the script's own time, so
// whatever it does is done when the script ends; the script's pause while it waits says
// "waiting" on its output.
class SwapScriptRun : public ::testing::Test {
  protected:
    void SetUp() override {
        // The "program" writes which version it is into a file when started.
        folder.write(QStringLiteral("Dedaded Eraro"), program("old"), kExecutable);
        folder.write(QStringLiteral("_Dedaded Eraro"), program("new"), kExecutable);
        folder.write(QStringLiteral("BDedaded Eraro"), program("old"), kExecutable);
        folder.write(QStringLiteral("_yardim"), "new help");
        folder.write(QStringLiteral("yardim"), "old help");
        running.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        ASSERT_TRUE(running.waitForStarted());

        plan.processId = running.processId();
        plan.programFile = folder / QStringLiteral("Dedaded Eraro");
        plan.stagedProgram = folder / QStringLiteral("_Dedaded Eraro");
        plan.safetyCopy = folder / QStringLiteral("BDedaded Eraro");
        plan.otherFiles = {{folder / QStringLiteral("_yardim"), folder / QStringLiteral("yardim")}};
        plan.programFolder = folder.path();
        plan.scriptFile = folder / QStringLiteral("Dedaded Eraro.sh");
        plan.restartCommand = QStringLiteral("%1");

        const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
        ASSERT_FALSE(sleep.isEmpty());
        tools.write(QStringLiteral("sleep"),
                    "#!/bin/sh\necho waiting\nexec " + ShellQuoted(sleep).toUtf8() + " \"$@\"\n",
                    kExecutable);
    }
    void TearDown() override {
        running.kill();
        running.waitForFinished();
    }

    static QByteArray program(const char* version) {
        return QByteArray("#!/bin/sh\necho ") + version + " > started\n";
    }

    void startScript() {
        folder.write(QStringLiteral("Dedaded Eraro.sh"), SwapScriptText(plan).toUtf8());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PATH"), tools.path() + QLatin1Char(':') +
                                                       environment.value(QStringLiteral("PATH")));
        script.setProcessEnvironment(environment);
        script.start(QStringLiteral("/bin/sh"), {plan.scriptFile});
        ASSERT_TRUE(script.waitForStarted());
    }
    void endTheProgram() {
        running.kill();
        running.waitForFinished();
        ASSERT_TRUE(script.waitForFinished(10'000));
        EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    }

    TestFolder folder{QStringLiteral("it's a \"program\" $folder")};
    TestFolder tools;
    SwapPlan plan;
    QProcess running;
    QProcess script;
};

TEST_F(SwapScriptRun, WaitsForTheProgramThenSwapsRestartsAndRemovesItself) {
    startScript();
    ASSERT_TRUE(script.waitForReadyRead(10'000));
    EXPECT_TRUE(script.readAllStandardOutput().startsWith("waiting\n"));
    EXPECT_EQ(script.state(), QProcess::Running);
    EXPECT_EQ(folder.read(QStringLiteral("Dedaded Eraro")), program("old"));

    endTheProgram();
    EXPECT_EQ(folder.read(QStringLiteral("Dedaded Eraro")), program("new"));
    EXPECT_TRUE(folder.isExecutable(QStringLiteral("Dedaded Eraro")));
    EXPECT_EQ(folder.read(QStringLiteral("yardim")), "new help");
    EXPECT_EQ(folder.read(QStringLiteral("started")), "new\n");
    EXPECT_EQ(folder.list(), (QStringList{QStringLiteral("Dedaded Eraro"),
                                          QStringLiteral("started"), QStringLiteral("yardim")}));
}

TEST_F(SwapScriptRun, PutsTheSafetyCopyBackWhenNoNewProgramArrived) {
    QFile::remove(plan.stagedProgram);
    QFile::remove(plan.programFile);
    startScript();
    endTheProgram();
    EXPECT_EQ(folder.read(QStringLiteral("Dedaded Eraro")), program("old"));
    EXPECT_TRUE(folder.isExecutable(QStringLiteral("Dedaded Eraro")));
    EXPECT_EQ(folder.read(QStringLiteral("started")), "old\n");
    EXPECT_FALSE(folder.exists(QStringLiteral("BDedaded Eraro")));
    EXPECT_FALSE(folder.exists(QStringLiteral("Dedaded Eraro.sh")));
}

TEST_F(SwapScriptRun, WithoutRestartNothingIsStarted) {
    plan.restart = false;
    startScript();
    endTheProgram();
    EXPECT_EQ(folder.read(QStringLiteral("Dedaded Eraro")), program("new"));
    EXPECT_FALSE(folder.exists(QStringLiteral("started")));
    EXPECT_FALSE(folder.exists(QStringLiteral("Dedaded Eraro.sh")));
}

}  // namespace
