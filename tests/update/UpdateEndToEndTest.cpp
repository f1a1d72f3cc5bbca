#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>

#include "TestHttpsServer.h"
#include "tests/support/TestFolder.h"

namespace {

using testing_update::TestHttpsServer;
using testing_update::TestResponse;
using testsupport::kExecutable;
using testsupport::ReadFile;
using testsupport::TestFolder;

const QString kPath = QStringLiteral("/download/DedadedEraro21.exe");
const QString kProgram = QStringLiteral("DedadedEraro");

// Serves the test server while waiting, since it lives in this thread.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 20'000) {
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// The old stand-in installed as the program in a folder whose name needs quoting.
class UpdateEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.write(kProgram, ReadFile(QStringLiteral(STANDIN_OLD)), kExecutable);
        ASSERT_EQ(folder.read(kProgram), oldProgram());
    }
    static QByteArray oldProgram() { return ReadFile(QStringLiteral(STANDIN_OLD)); }
    static QByteArray newProgram() { return ReadFile(QStringLiteral(STANDIN_NEW)); }
    QStringList log() const {
        return QString::fromUtf8(folder.read(QStringLiteral("started.log")))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    // Runs the program's update against the URL; its exit code.
    int runUpdate(const QUrl& url) {
        QProcess program;
        program.start(folder / kProgram,
                      {QStringLiteral("--update"), url.toString(),
                       TestHttpsServer::CertificateFolder() + QStringLiteral("authority.pem")});
        QSignalSpy finished(&program, &QProcess::finished);
        if (!finished.wait(30'000)) return -1;
        return program.exitCode();
    }

    TestFolder folder{QStringLiteral("it's the \"program\" $folder")};
};

TEST_F(UpdateEndToEnd, TheOldProgramEndsTheScriptSwapsAndTheNewOneStarts) {
    TestHttpsServer server;
    server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", newProgram()});
    EXPECT_EQ(runUpdate(server.url(kPath)), 0);
    ASSERT_TRUE(WaitUntil([&] { return log().size() == 3; })) << log().join('|').toStdString();
    EXPECT_EQ(log(),
              (QStringList{QStringLiteral("old started"), QStringLiteral("old update prepared"),
                           QStringLiteral("new started")}));
    ASSERT_TRUE(WaitUntil([&] { return !folder.exists(kProgram + QStringLiteral(".sh")); }));
    EXPECT_EQ(folder.read(kProgram), newProgram());
    EXPECT_TRUE(folder.isExecutable(kProgram));
    // The download stays in Dosya; the staged file, the safety copy and the script are gone.
    EXPECT_EQ(folder.list(),
              (QStringList{kProgram, QStringLiteral("Dosya"), QStringLiteral("Dosya/DedadedEraro"),
                           QStringLiteral("started.log")}));
}

TEST_F(UpdateEndToEnd, ARefusedDownloadLeavesTheProgramAsItWas) {
    const QByteArray newOne = newProgram();
    struct Case {
        const char* what;
        TestHttpsServer::Certificate certificate;
        TestResponse response;
        const char* problem;
    };
    const Case cases[] = {
        {"an HTML page",
         TestHttpsServer::Certificate::Localhost,
         {200, "text/html", "<html><body>Bakımdayız</body></html>"},
         "bir program değil"},
        {"a cut download",
         TestHttpsServer::Certificate::Localhost,
         {200, "application/octet-stream", newOne.left(newOne.size() / 2), newOne.size()},
         "eksik"},
        {"a plain HTTP address",
         TestHttpsServer::Certificate::None,
         {200, "application/octet-stream", newOne},
         "Güvenli olmayan adres"},
        {"a certificate for another host",
         TestHttpsServer::Certificate::OtherHost,
         {200, "application/octet-stream", newOne},
         "sertifikası doğrulanamadı"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(folder / QStringLiteral("started.log"));
        TestHttpsServer server(c.certificate);
        server.serve(kPath.toUtf8(), c.response);
        EXPECT_EQ(runUpdate(server.url(kPath)), 1);
        ASSERT_EQ(log().size(), 2);
        EXPECT_TRUE(log()[1].startsWith(QStringLiteral("old refused: ")));
        EXPECT_TRUE(log()[1].contains(QString::fromUtf8(c.problem))) << log()[1].toStdString();
        EXPECT_EQ(folder.read(kProgram), oldProgram());
        EXPECT_TRUE(folder.isExecutable(kProgram));
        QStringList left = folder.list();
        left.removeAll(QStringLiteral("Dosya"));  // the download folder, made for the download
        EXPECT_EQ(left, (QStringList{kProgram, QStringLiteral("started.log")}));
    }
}

}  // namespace
