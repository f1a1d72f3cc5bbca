#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>

#include "TestHttpsServer.h"
#include "tests/storage/InjectedFaults.h"
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
        const storage::ScopedSafeWriteCalls failing(testfiles::withFault(fault));
        const QString problem = Download(server.url(kPath), target).problem;
        EXPECT_TRUE(problem.startsWith(QStringLiteral("Dosya yazılamadı: ") + target + ": "))
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
    EXPECT_TRUE(problem.startsWith(QStringLiteral("Dosya yazılamadı: ") +
                                   folder / QStringLiteral("Dosya/DedadedEraro")))
        << problem.toStdString();
    EXPECT_EQ(server.requestCount(), 0);
}

}  // namespace
