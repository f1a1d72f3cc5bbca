// Which programs the desktop names for a workbook and a mail is asked once and kept: the
// export and the mail command use the kept answer and ask again after it, against a stand-in
// xdg-mime whose answers the test changes and whose queries it can hold.
#include <QAbstractButton>
#include <QFile>
#include <QTest>
#include <memory>
#include <optional>

#include "MainWindowFixture.h"
#include "StandInDesktop.h"
#include "ui/desktop/DesktopDefaults.h"
#include "ui/desktop/DesktopHandOff.h"

using testing_ui::kNoMailProgram;
using testing_ui::kNoSpreadsheet;
using testing_ui::MainWindowFixture;
using testing_ui::StandInDesktop;

namespace {

const char* const kExport = "BitBtn26";
const char* const kMail = "mailgonder";

std::optional<QString> application(const char* name) {
    return name ? std::optional<QString>(QString::fromUtf8(name)) : std::nullopt;
}

// The stand-in xdg-mime, and the programs a command may start, each ending at once.
void standIns(StandInDesktop& desktop, bool libreOffice) {
    desktop.changingDefaults();
    desktop.script(QStringLiteral("xdg-open"), QStringLiteral("exit 0\n"));
    desktop.script(QStringLiteral("xdg-email"), QStringLiteral("exit 0\n"));
    if (libreOffice) desktop.script(QStringLiteral("localc"), QStringLiteral("exit 0\n"));
}

// Clicks the command's button: the program it started, else the message it gave.
QString outcome(MainWindowFixture& f, const StandInDesktop& desktop, const char* button) {
    const qsizetype started = desktop.programsStarted().size();
    const qsizetype said = f.dialogs().texts().size();
    f.window().findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
    if (desktop.programsStarted().size() > started) return desktop.programsStarted().last();
    return f.dialogs().texts().size() > said ? f.dialogs().texts().last() : QString();
}

QStringList linesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Neither gone nor ended and waiting to be collected.
bool isRunning(qint64 process) {
    const QStringList stat = linesOf(QStringLiteral("/proc/%1/stat").arg(process));
    return !stat.isEmpty() && !stat.front().section(QLatin1Char(')'), -1).startsWith(" Z");
}

}  // namespace

class DesktopDefaultsTest : public QObject {
    Q_OBJECT
  private slots:
    void laterCommandsUseTheKeptAnswer();
    void aChangedDefaultCountsFromTheCommandAfterIt();
    void anUnanswerableDesktopGivesTheUsualMessages();
    void closingTheWindowEndsItsQueries();
};

// The first command asks, the next ones do not wait: the query after them is held at the gate
// and there is only one.
void DesktopDefaultsTest::laterCommandsUseTheKeptAnswer() {
    struct Case {
        const char* button;
        const QString& type;
        const char* application;
        const char* program;
    };
    const Case cases[] = {
        {kExport, ui::kXlsxMimeType, "calc.desktop", "xdg-open"},
        {kMail, ui::kMailtoHandlerType, "thunderbird.desktop", "xdg-email"},
    };
    for (const Case& c : cases) {
        StandInDesktop desktop;
        standIns(desktop, false);
        desktop.setDefault(c.type, application(c.application));
        MainWindowFixture f;
        QCOMPARE(outcome(f, desktop, c.button), QString::fromUtf8(c.program));
        QCOMPARE(desktop.queries(), QStringList{c.type});
        desktop.shutGate();  // a command that asked would wait for it and fail
        QCOMPARE(outcome(f, desktop, c.button), QString::fromUtf8(c.program));
        QCOMPARE(outcome(f, desktop, c.button), QString::fromUtf8(c.program));
        desktop.openGate();
        QCOMPARE(f.window().desktopDefaults().currentApplicationFor(c.type),
                 QString::fromUtf8(c.application));
        QCOMPARE(desktop.queries(), (QStringList{c.type, c.type}));
    }
}

// The command right after a change may still use the kept answer; the one after the query
// that followed it uses the new one. That there is no program is said only on a present
// answer, so a program just chosen is used at once.
void DesktopDefaultsTest::aChangedDefaultCountsFromTheCommandAfterIt() {
    struct Case {
        const char* button;
        const QString& type;
        const char* before;  // none: xdg-mime fails
        const char* after;
        bool libreOffice;
        QString first;
        QString second;
    };
    const Case cases[] = {
        {kExport, ui::kXlsxMimeType, "calc.desktop", "libreoffice-calc.desktop", true, "xdg-open",
         "localc"},
        {kExport, ui::kXlsxMimeType, "libreoffice-calc.desktop", "calc.desktop", true, "localc",
         "xdg-open"},
        {kExport, ui::kXlsxMimeType, "calc.desktop", "", false, "xdg-open", kNoSpreadsheet},
        {kExport, ui::kXlsxMimeType, "calc.desktop", nullptr, false, "xdg-open", kNoSpreadsheet},
        {kExport, ui::kXlsxMimeType, "", "calc.desktop", false, "xdg-open", "xdg-open"},
        {kExport, ui::kXlsxMimeType, nullptr, "calc.desktop", false, "xdg-open", "xdg-open"},
        {kMail, ui::kMailtoHandlerType, "thunderbird.desktop", "", false, "xdg-email",
         kNoMailProgram},
        {kMail, ui::kMailtoHandlerType, "", "thunderbird.desktop", false, "xdg-email", "xdg-email"},
    };
    for (const Case& c : cases) {
        StandInDesktop desktop;
        standIns(desktop, c.libreOffice);
        desktop.setDefault(c.type, application(c.before));
        MainWindowFixture f;
        ui::DesktopDefaults& kept = f.window().desktopDefaults();
        f.window().askDesktopInBackground();
        kept.currentApplicationFor(c.type);  // the answer is in
        desktop.setDefault(c.type, application(c.after));
        QCOMPARE(outcome(f, desktop, c.button), c.first);
        kept.currentApplicationFor(c.type);  // the query after the command is over
        QCOMPARE(outcome(f, desktop, c.button), c.second);
        QVERIFY2(desktop.queries().filter(QStringLiteral("overlap")).isEmpty(),
                 qPrintable(desktop.queries().join(' ')));
    }
}

// Without xdg-mime, with one that fails or names nothing: the same message each time, whether
// the desktop was asked beforehand or not.
void DesktopDefaultsTest::anUnanswerableDesktopGivesTheUsualMessages() {
    enum class Mime { Missing, Failing, NamesNothing };
    for (const Mime mime : {Mime::Missing, Mime::Failing, Mime::NamesNothing}) {
        for (const bool askedBefore : {false, true}) {
            StandInDesktop desktop;
            standIns(desktop, false);
            if (mime == Mime::Missing) desktop.removeProgram(QStringLiteral("xdg-mime"));
            if (mime == Mime::NamesNothing) {
                desktop.setDefault(ui::kXlsxMimeType, QString());
                desktop.setDefault(ui::kMailtoHandlerType, QString());
            }
            MainWindowFixture f;
            if (askedBefore) f.window().askDesktopInBackground();
            for (int time = 0; time < 2; ++time) {
                QCOMPARE(outcome(f, desktop, kExport), kNoSpreadsheet);
                QCOMPARE(outcome(f, desktop, kMail), kNoMailProgram);
            }
            QVERIFY(!desktop.startedAnyProgram());
            QVERIFY(desktop.queries().filter(QStringLiteral("overlap")).isEmpty());
        }
    }
}

// A window that goes while its queries run ends them; one that goes while the query after a
// command waits for its time, or for its answer, goes all the same.
void DesktopDefaultsTest::closingTheWindowEndsItsQueries() {
    {
        StandInDesktop desktop;
        standIns(desktop, false);
        // Each query notes its own process and a child's that would outlive it.
        const QString processes = desktop.temporaryFolder() + QStringLiteral("/processes");
        desktop.script(QStringLiteral("xdg-mime"),
                       QStringLiteral("echo $$ >> '%1'\n/bin/sleep 60 &\necho $! >> '%1'\nwait\n")
                           .arg(processes));
        auto f = std::make_unique<MainWindowFixture>();
        f->window().askDesktopInBackground();
        QTRY_COMPARE(linesOf(processes).size(), 4);
        for (const QString& process : linesOf(processes)) QVERIFY(isRunning(process.toLongLong()));
        f.reset();
        // Killed at once; the children's end is collected by whoever inherited them.
        for (const QString& process : linesOf(processes)) {
            QTRY_VERIFY2(!isRunning(process.toLongLong()), qPrintable(process));
        }
    }
    {
        StandInDesktop desktop;
        standIns(desktop, false);
        desktop.setDefault(ui::kXlsxMimeType, QStringLiteral("calc.desktop"));
        auto f = std::make_unique<MainWindowFixture>();
        QCOMPARE(outcome(*f, desktop, kExport), QStringLiteral("xdg-open"));
        desktop.shutGate();  // the query after the next command never answers
        QCOMPARE(outcome(*f, desktop, kExport), QStringLiteral("xdg-open"));
        QVERIFY(f->window().desktopDefaults().isAsking(ui::kXlsxMimeType));
        f.reset();
    }
}

QTEST_MAIN(DesktopDefaultsTest)
#include "ui_desktop_defaults_test.moc"
