#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>

#include "TestHttpsServer.h"
#include "tests/files/InjectedFaults.h"
#include "tests/support/TestFolder.h"
#include "update/ProgramDownload.h"
#include "update/ProgramFileCheck.h"

namespace {

using testing_update::TestHttpsServer;
using testing_update::TestResponse;
using testsupport::TestFolder;

const QString kPath = QStringLiteral("/download/DedadedEraro21.exe");

// A program for this machine: its own header and some bytes.
QByteArray NewProgram() { return update::OwnProgramHead() + QByteArray(64 * 1024, 'p'); }

struct Outcome {
    QString problem;
    int progressSignals = 0;
};

Outcome Download(const QUrl& url, const QString& target,
                 const QSslConfiguration& tls = TestHttpsServer::TrustingClientConfiguration()) {
    update::ProgramDownload download;
    download.setTlsConfiguration(tls);
    QSignalSpy finished(&download, &update::ProgramDownload::finished);
    QSignalSpy progress(&download, &update::ProgramDownload::progress);
    download.start(url, target);
    EXPECT_FALSE(download.running() && finished.count() > 0);
    if (!finished.wait(20'000)) return {QStringLiteral("<no end>"), 0};
    EXPECT_EQ(finished.count(), 1);
    return {finished.at(0).at(0).toString(), int(progress.count())};
}

TEST(ProgramDownload, PutsACheckedProgramInPlaceExecutable) {
    TestHttpsServer server;
    server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", NewProgram()});
    TestFolder folder;
    folder.write(QStringLiteral("Dosya/DedadedEraro"), "an older download");
    const Outcome outcome =
        Download(server.url(kPath), folder / QStringLiteral("Dosya/DedadedEraro"));
    EXPECT_EQ(outcome.problem, QString());
    EXPECT_GT(outcome.progressSignals, 0);
    EXPECT_EQ(folder.read(QStringLiteral("Dosya/DedadedEraro")), NewProgram());
    EXPECT_TRUE(folder.isExecutable(QStringLiteral("Dosya/DedadedEraro")));
}

TEST(ProgramDownload, MakesTheFolderWhenMissing) {
    TestHttpsServer server;
    server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", NewProgram()});
    TestFolder folder;
    EXPECT_EQ(Download(server.url(kPath), folder / QStringLiteral("Dosya/DedadedEraro")).problem,
              QString());
    EXPECT_EQ(folder.list(),
              (QStringList{QStringLiteral("Dosya"), QStringLiteral("Dosya/DedadedEraro")}));
}

// Every refusal names its cause and leaves an earlier download exactly as it was.
TEST(ProgramDownload, RefusesAndKeepsTheEarlierFile) {
    const QByteArray program = NewProgram();
    struct Case {
        const char* what;
        TestHttpsServer::Certificate certificate;
        TestResponse response;
        const char* problem;
        bool requested;  // the request itself reached the server
    };
    const Case cases[] = {
        {"an HTML page",
         TestHttpsServer::Certificate::Localhost,
         {200, "text/html", "<!DOCTYPE html><html><body>Bakımdayız</body></html>"},
         "bir program değil; \"<!DOCTYPE html><\" ile başlıyor",
         true},
        {"a cut download",
         TestHttpsServer::Certificate::Localhost,
         {200, "application/octet-stream", program.left(1000), program.size()},
         "İndirilen dosya eksik: 1.000 bayt geldi",
         true},
        {"an empty file",
         TestHttpsServer::Certificate::Localhost,
         {200, "application/octet-stream", {}},
         "İndirilen dosya boş.",
         true},
        {"a missing file",
         TestHttpsServer::Certificate::Localhost,
         {404, "text/html", "<html>Not Found</html>"},
         "Sunucu dosyayı vermedi: 404",
         true},
        {"a plain HTTP address",
         TestHttpsServer::Certificate::None,
         {200, "application/octet-stream", program},
         "Güvenli olmayan adres: http://127.0.0.1",
         false},
        {"a certificate for another host",
         TestHttpsServer::Certificate::OtherHost,
         {200, "application/octet-stream", program},
         "Sunucunun sertifikası doğrulanamadı (127.0.0.1)",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestHttpsServer server(c.certificate);
        server.serve(kPath.toUtf8(), c.response);
        TestFolder folder;
        folder.write(QStringLiteral("Dosya/DedadedEraro"), "an older download");
        const QString problem =
            Download(server.url(kPath), folder / QStringLiteral("Dosya/DedadedEraro")).problem;
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problem))) << problem.toStdString();
        EXPECT_EQ(folder.read(QStringLiteral("Dosya/DedadedEraro")), "an older download");
        EXPECT_EQ(folder.list(),
                  (QStringList{QStringLiteral("Dosya"), QStringLiteral("Dosya/DedadedEraro")}));
        EXPECT_EQ(server.requestCount() > 0, c.requested);
    }
}

// The checked download is written once, safely: a write that fails at any step (a full disk)
// is named with the file and leaves the earlier download as it was.
TEST(ProgramDownload, AFailingDiskIsNamedAndKeepsTheEarlierFile) {
    TestHttpsServer server;
    server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", NewProgram()});
    for (const testfiles::InjectedFault& fault : testfiles::kInjectedFaults) {
        SCOPED_TRACE(fault.name);
        TestFolder folder;
        folder.write(QStringLiteral("Dosya/DedadedEraro"), "an older download");
        const QString target = folder / QStringLiteral("Dosya/DedadedEraro");
        const files::ScopedSafeWriteCalls failing(testfiles::withFault(fault));
        const QString problem = Download(server.url(kPath), target).problem;
        EXPECT_TRUE(problem.startsWith(QStringLiteral("Dosya Saklanamıyor:\n") + target + "\n"))
            << problem.toStdString();
        EXPECT_EQ(folder.read(QStringLiteral("Dosya/DedadedEraro")), "an older download");
        EXPECT_EQ(folder.list(),
                  (QStringList{QStringLiteral("Dosya"), QStringLiteral("Dosya/DedadedEraro")}));
    }
}

TEST(ProgramDownload, AServerTheTestsDoNotTrustIsRefused) {
    TestHttpsServer server;
    server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", NewProgram()});
    TestFolder folder;
    const QString problem =
        Download(server.url(kPath), folder / QStringLiteral("Dosya/DedadedEraro"),
                 QSslConfiguration::defaultConfiguration())
            .problem;
    EXPECT_TRUE(problem.startsWith(QStringLiteral("Sunucunun sertifikası doğrulanamadı")))
        << problem.toStdString();
    EXPECT_FALSE(folder.exists(QStringLiteral("Dosya/DedadedEraro")));
}

TEST(ProgramDownload, ATargetThatCannotBeWrittenIsNamed) {
    TestHttpsServer server;
    TestFolder folder;
    folder.write(QStringLiteral("Dosya"), "a file where the folder should be");
    const QString problem =
        Download(server.url(kPath), folder / QStringLiteral("Dosya/DedadedEraro")).problem;
    EXPECT_TRUE(problem.startsWith(QStringLiteral("Dosya Saklanamıyor:\n") +
                                   folder / QStringLiteral("Dosya/DedadedEraro")))
        << problem.toStdString();
    EXPECT_EQ(server.requestCount(), 0);
}

// A server that sends part of the file and then nothing: the stall deadline, the overall
// deadline and the user's cancel each end the download with their own word, and nothing is
// written or left behind.
TEST(ProgramDownload, AStalledServerEndsByDeadlineOrCancel) {
    const QByteArray program = NewProgram();
    struct Case {
        const char* what;
        int stallMs;
        int overallMs;
        bool cancel;
        const char* problem;
    };
    const Case cases[] = {
        {"no byte for a while", 300, 60'000, false, "İndirme durdu: sunucudan 0,3 saniye boyunca"},
        {"too long overall", 60'000, 400, false, "İndirme 0,4 saniye içinde tamamlanamadı"},
        {"the user cancels", 60'000, 60'000, true, "İndirme iptal edildi."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestHttpsServer server;
        TestResponse stalling{200, "application/octet-stream", program.left(1000), program.size()};
        stalling.stallAfterBody = true;
        server.serve(kPath.toUtf8(), stalling);
        TestFolder folder;
        folder.write(QStringLiteral("Dosya/DedadedEraro"), "an older download");
        update::ProgramDownload download;
        download.setTlsConfiguration(TestHttpsServer::TrustingClientConfiguration());
        download.setDeadlines(c.stallMs, c.overallMs);
        QSignalSpy finished(&download, &update::ProgramDownload::finished);
        if (c.cancel) QTimer::singleShot(300, &download, &update::ProgramDownload::cancel);
        download.start(server.url(kPath), folder / QStringLiteral("Dosya/DedadedEraro"));
        ASSERT_TRUE(finished.wait(20'000));
        const QString problem = finished.at(0).at(0).toString();
        EXPECT_TRUE(problem.startsWith(QString::fromUtf8(c.problem))) << problem.toStdString();
        EXPECT_EQ(download.cancelled(), c.cancel);
        EXPECT_EQ(folder.read(QStringLiteral("Dosya/DedadedEraro")), "an older download");
        EXPECT_EQ(folder.list(),
                  (QStringList{QStringLiteral("Dosya"), QStringLiteral("Dosya/DedadedEraro")}));
    }
}

// A link planted where the download goes is refused, and the file it names stays as it was,
// content and permissions.
TEST(ProgramDownload, ALinkAtTheTargetIsRefusedNotFollowed) {
    TestHttpsServer server;
    server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", NewProgram()});
    TestFolder folder;
    folder.write(QStringLiteral("victim"), "private",
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QDir().mkpath(folder / QStringLiteral("Dosya"));
    ASSERT_TRUE(QFile::link(folder / QStringLiteral("victim"),
                            folder / QStringLiteral("Dosya/DedadedEraro")));
    const QString problem =
        Download(server.url(kPath), folder / QStringLiteral("Dosya/DedadedEraro")).problem;
    EXPECT_TRUE(problem.contains(QStringLiteral("sembolik bağlantı"))) << problem.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("victim")), "private");
    EXPECT_EQ(QFile::permissions(folder / QStringLiteral("victim")),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser);
    EXPECT_EQ(server.requestCount(), 0);
}

}  // namespace
