#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "MainWindowFixture.h"
#include "TestHttpsServer.h"
#include "ui/update/ProgramUpdate.h"
#include "ui/update/UpdateWaitWindow.h"
#include "update/ProgramFileCheck.h"

using testing_ui::MainWindowFixture;
using testing_update::TestHttpsServer;
using testing_update::TestResponse;

namespace {

const QString kPath = QStringLiteral("/download/DedadedEraro21.exe");
const QString kQuestion = QStringLiteral(
    "Bu işlem programınızın versionunu yükseltecektir!\nDevam etmek istiyormusunuz?");

QByteArray NewProgram() { return update::OwnProgramHead() + QByteArray(256 * 1024, 'p'); }

// The main window in its program folder, with "DedadedEraro" as the running program, the
// command set against a local server; the script's start is recorded, not done.
struct UpdateFixture {
    MainWindowFixture main;
    TestHttpsServer server;
    int connectionTests = 0;
    bool online = true;
    QStringList startedScripts;
    std::unique_ptr<ui::ProgramUpdate> command;

    // The program in a folder below the main window's folder, when given.
    explicit UpdateFixture(const QString& programFolder = {}) {
        QDir().mkpath(main.folder() + programFolder);
        const QString programFile = main.folder() + programFolder + QStringLiteral("DedadedEraro");
        QFile program(programFile);
        program.open(QIODevice::WriteOnly);
        program.write("old program");
        program.close();
        program.setPermissions(program.permissions() | QFileDevice::ExeOwner);

        ui::ProgramUpdateSettings settings;
        settings.downloadUrl = server.url(kPath);
        settings.tls = TestHttpsServer::TrustingClientConfiguration();
        settings.isOnline = [this] {
            ++connectionTests;
            return online;
        };
        settings.host.programFile = programFile;
        settings.host.processId = 999999;
        settings.host.startScript = [this](const QString& script, const QString&) {
            startedScripts << script;
            return true;
        };
        command = std::make_unique<ui::ProgramUpdate>(main.window(), main.dialogs(), settings);
    }

    ui::UpdateWaitWindow* waitWindow() { return main.window().findChild<ui::UpdateWaitWindow*>(); }
    QStringList messages() const { return const_cast<MainWindowFixture&>(main).dialogs().texts(); }
    // Runs the command to its end, answering its question with Yes.
    bool runToEnd() {
        main.dialogs().queueAnswer(core::DialogButton::Yes);
        QSignalSpy ended(command.get(), &ui::ProgramUpdate::ended);
        command->start();
        return !ended.isEmpty() || ended.wait(20'000);
    }
    QByteArray read(const QString& name) {
        QFile file(main.folder() + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

}  // namespace

class ProgramUpdateTest : public QObject {
    Q_OBJECT
  private slots:
    void theButtonAsksFirst();
    void answeringNoChangesNothing();
    void withoutAConnectionItSaysSo();
    void aCheckedDownloadIsHandedOverAndTheProgramCloses();
    void theWaitWindowShowsTheDownloadWithoutBlockingTheWindow();
    void aRefusedDownloadKeepsTheProgramAndSaysWhy();
    void aSecondUpdateOfTheRunFailsAndClosingAsksAgain();
    void anInstalledProgramIsLeftToThePackageManager();
    void theProgramEndsWithItsOtherWindowsOpen();
};

void ProgramUpdateTest::theButtonAsksFirst() {
    MainWindowFixture f;
    auto* button = f.window().findChild<QPushButton*>(QStringLiteral("BitBtn6"));
    QVERIFY(button);
    button->click();  // answered No
    QCOMPARE(f.dialogs().texts(), QStringList{kQuestion});
    QCOMPARE(f.dialogs().questions().at(0).caption, core::kApplicationTitle);
    QCOMPARE(f.dialogs().questions().at(0).icon, core::DialogIcon::Question);
    QCOMPARE(f.dialogs().questions().at(0).buttons,
             int(core::DialogButton::Yes) | int(core::DialogButton::No));
}

void ProgramUpdateTest::answeringNoChangesNothing() {
    UpdateFixture f;
    f.command->start();  // answered No
    QCOMPARE(f.messages(), QStringList{kQuestion});
    QCOMPARE(f.connectionTests, 0);
    QCOMPARE(f.server.requestCount(), 0);
    QVERIFY(!f.waitWindow() || !f.waitWindow()->isVisible());
}

void ProgramUpdateTest::withoutAConnectionItSaysSo() {
    UpdateFixture f;
    f.online = false;
    QVERIFY(f.runToEnd());
    QCOMPARE(f.messages(),
             (QStringList{kQuestion, QStringLiteral("Internet bağlantınız yok! Bağlantı Yaptıktan "
                                                    "sonra tekrar deneyiniz.")}));
    QCOMPARE(f.server.requestCount(), 0);
    QVERIFY(f.main.window().askBeforeClose());
}

void ProgramUpdateTest::aCheckedDownloadIsHandedOverAndTheProgramCloses() {
    UpdateFixture f;
    f.server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", NewProgram()});
    QVERIFY(f.runToEnd());
    QCOMPARE(f.messages(), (QStringList{kQuestion, QStringLiteral("Güncelleme yapıldı")}));
    QCOMPARE(f.read(QStringLiteral("Dosya/DedadedEraro")), NewProgram());
    QCOMPARE(f.read(QStringLiteral("_DedadedEraro")), NewProgram());
    QCOMPARE(f.startedScripts, QStringList{f.main.folder() + QStringLiteral("DedadedEraro.sh")});
    QVERIFY(!f.main.window().askBeforeClose());
    QVERIFY(!f.main.window().isVisible());  // closed without a question
    QVERIFY(!f.waitWindow()->isVisible());
}

void ProgramUpdateTest::theWaitWindowShowsTheDownloadWithoutBlockingTheWindow() {
    UpdateFixture f;
    const QByteArray program = NewProgram();
    f.server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", program});
    f.main.dialogs().queueAnswer(core::DialogButton::Yes);
    QSignalSpy ended(f.command.get(), &ui::ProgramUpdate::ended);
    f.command->start();
    ui::UpdateWaitWindow* wait = f.waitWindow();
    QVERIFY(wait);
    QVERIFY(wait->isVisible());
    QVERIFY(!wait->isModal());
    QCOMPARE(wait->windowTitle(), QStringLiteral("Bekleyin Kayıt Yapıyor"));
    QVERIFY(!(wait->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)));
    QCOMPARE(wait->progressBar().size(), QSize(313, 16));
    // The command returned at once; a second click meanwhile starts nothing.
    QVERIFY(f.command->running());
    f.command->start();
    QCOMPARE(f.main.dialogs().questions().size(), size_t(1));
    QVERIFY(ended.wait(20'000));
    QCOMPARE(wait->progressBar().value(), wait->progressBar().maximum());
    QVERIFY(!wait->isVisible());
}

void ProgramUpdateTest::aRefusedDownloadKeepsTheProgramAndSaysWhy() {
    struct Case {
        const char* what;
        TestResponse response;
        QString problem;
    };
    const QByteArray program = NewProgram();
    const Case cases[] = {
        {"an HTML page",
         {200, "text/html", "<!DOCTYPE html><html></html>"},
         QStringLiteral("İndirilen dosya bir program değil; \"<!DOCTYPE html><\" ile başlıyor.")},
        {"a cut download",
         {200, "application/octet-stream", program.left(100), program.size()},
         QStringLiteral("İndirilen dosya eksik: 100 bayt geldi, sunucu 262.164 bayt bildirdi.")},
    };
    for (const Case& c : cases) {
        UpdateFixture f;
        f.server.serve(kPath.toUtf8(), c.response);
        QVERIFY2(f.runToEnd(), c.what);
        QCOMPARE(f.messages(),
                 (QStringList{kQuestion, QStringLiteral("Güncelleme yapılamadı\n") + c.problem}));
        QCOMPARE(f.read(QStringLiteral("DedadedEraro")), QByteArray("old program"));
        QCOMPARE(f.read(QStringLiteral("Dosya/DedadedEraro")), QByteArray("<missing>"));
        QVERIFY(f.startedScripts.isEmpty());
        QVERIFY(f.main.window().askBeforeClose());
        QVERIFY(f.main.window().isVisible());
        QVERIFY(!f.waitWindow()->isVisible());
    }
}

void ProgramUpdateTest::aSecondUpdateOfTheRunFailsAndClosingAsksAgain() {
    UpdateFixture f;
    f.server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", NewProgram()});
    QVERIFY(f.runToEnd());
    f.main.window().show();
    f.main.window().setAskBeforeClose(true);
    f.main.dialogs().clear();
    QVERIFY(f.runToEnd());
    QCOMPARE(f.messages(), (QStringList{kQuestion, QStringLiteral("Güncelleme yapılamadı")}));
    QCOMPARE(f.startedScripts.size(), 1);
    QVERIFY(f.main.window().askBeforeClose());
    QVERIFY(f.main.window().isVisible());
}

void ProgramUpdateTest::anInstalledProgramIsLeftToThePackageManager() {
    UpdateFixture f(QStringLiteral("usr/bin/"));
    QDir().mkpath(f.main.folder() + QStringLiteral("usr/share/dedadederaro"));
    QVERIFY(f.runToEnd());
    QCOMPARE(
        f.messages(),
        (QStringList{kQuestion, QStringLiteral("Güncelleme yapılamadı\nProgram paketle kurulmuş "
                                               "(%1usr/bin/); yeni sürümünü paket "
                                               "yöneticisiyle kurun.")
                                    .arg(f.main.folder())}));
    QCOMPARE(f.connectionTests, 0);
    QCOMPARE(f.server.requestCount(), 0);
    QVERIFY(f.main.window().askBeforeClose());
}

// The swap waits for the program to end, so no window of it may stay open.
void ProgramUpdateTest::theProgramEndsWithItsOtherWindowsOpen() {
    UpdateFixture f;
    f.server.serve(kPath.toUtf8(), TestResponse{200, "application/octet-stream", NewProgram()});
    auto* other = new QWidget(&f.main.window(), Qt::Window);
    other->show();
    f.main.dialogs().queueAnswer(core::DialogButton::Yes);
    QTimer::singleShot(0, f.command.get(), [&] { f.command->start(); });
    QTimer::singleShot(20'000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(f.messages(), (QStringList{kQuestion, QStringLiteral("Güncelleme yapıldı")}));
    QVERIFY(!f.main.window().isVisible());
    QVERIFY(!other->isVisible());
}

QTEST_MAIN(ProgramUpdateTest)
#include "ui_program_update_test.moc"
