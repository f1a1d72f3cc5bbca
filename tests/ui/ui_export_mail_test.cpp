// "EXCEL'E VERİ AKTAR" and the mail button, against stand-in xdg-mime, xdg-open and
// xdg-email scripts that record how they were called.
#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "MainWindowFixture.h"
#include "StandInDesktop.h"
#include "core/TransactionTable.h"
#include "output/workbook/PreparedWorkbook.h"
#include "tests/output/XlsxTestReader.h"

using testing_ui::MainWindowFixture;
using Desktop = testing_ui::StandInDesktop;
using testing_ui::kNoMailProgram;
using testing_ui::kNoSpreadsheet;
namespace col = core::col;

namespace {

QString todaysExport(const Desktop& desktop, const QString& suffix = {}) {
    return desktop.documents() + QStringLiteral("/Vovirer Dökümü ") +
           QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")) + suffix +
           QStringLiteral(".xlsx");
}

void age(const QString& path, int seconds) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                             QFileDevice::FileModificationTime));
}

void click(MainWindowFixture& f, const char* name) {
    auto* button = f.window().findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button) qFatal("no button %s", name);
    button->click();
}

// A drawing, a repayment and a date row, recalculated; the last row is current.
void typeCalculation(MainWindowFixture& f, const QString& name) {
    core::Calculation& calc = f.calc();
    calc.inputs().creditLineName = name;
    calc.inputs().annualRate = QStringLiteral("24");
    calc.inputs().daysInYear = QStringLiteral("360");
    core::TransactionTable& table = calc.table();
    table.setRowCount(4);
    const QString rows[3][2] = {{"01.03.2019", "1.000"}, {"15.03.2019", ""}, {"31.03.2019", ""}};
    for (int r = 1; r <= 3; ++r) {
        table.setCell(col::Number, r, QString::number(r));
        table.setCell(col::TransactionDate, r, rows[r - 1][0]);
        table.setCell(col::Drawn, r, rows[r - 1][1]);
    }
    table.setCell(col::Repaid, 2, QStringLiteral("400"));
    f.window().recalculateAll();
    f.dialogs().clear();
}

}  // namespace

class ExportMailTest : public QObject {
    Q_OBJECT
  private slots:
    void exportOpensTheWorkbookInTheSpreadsheetApplication();
    void exportOpensANewUnsavedWorkbookInLibreOffice();
    void exportFallsBackOnAKnownSpreadsheetProgram();
    void exportWithoutSpreadsheetApplicationOnlySaysSo();
    void exportThatCannotBeShownNamesTheFile();
    void unreadableAmountEndsTheExportAndOpensNothing();
    void exportAfterAPauseWritesTheCalculationAsItIsAtTheClick();
    void exportClickedFromACellBeingTypedShowsWhatWasTyped();
    void mailComposesANewMailWithTheWorkbookAttached();
    void mailWithEmptyNameHasNoSubjectOrBody();
    void mailWithoutMailProgramOnlySaysSo();
    void mailThatCannotStartReportsTheSystemsReason();
};

// A program that edits the file itself gets it under a clear name in the user's documents,
// and the user is told where.
void ExportMailTest::exportOpensTheWorkbookInTheSpreadsheetApplication() {
    Desktop desktop;
    desktop.defaultApplications(QStringLiteral("calc.desktop"), {});
    desktop.recorder(QStringLiteral("xdg-open"));
    MainWindowFixture f;
    typeCalculation(f, QStringLiteral("Şube"));
    QCOMPARE(f.table().currentRow(), 3);

    click(f, "BitBtn26");
    const QString workbook = todaysExport(desktop);
    QCOMPARE(desktop.calls(QStringLiteral("xdg-open")), QStringList{workbook});
    const outputtest::XlsxTestReader sheet(workbook);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
    QCOMPARE(sheet.cell("A1").text, QStringLiteral("Vovirer Adı : Şube"));
    QCOMPARE(sheet.cell("D4").number, 1000.0);
    QCOMPARE(sheet.cell("H4").number, 1000.0);  // the balance column
    QCOMPARE(sheet.cell("C9").text, QStringLiteral("TOPLAM"));
    QCOMPARE(f.table().currentRow(), 1);
    QCOMPARE(f.dialogs().texts(),
             QStringList{QStringLiteral("Excel dökümü şu dosyaya kaydedildi:\n") + workbook});
    QCOMPARE(f.dialogs().notices().front().icon, core::DialogIcon::Information);
    QVERIFY(desktop.temporaryFiles().filter(QStringLiteral(".xlsx")).isEmpty());

    // The next export leaves the first one as it is.
    QFile::remove(desktop.log(QStringLiteral("xdg-open")) + ".done");
    click(f, "BitBtn26");
    const QStringList second = desktop.calls(QStringLiteral("xdg-open"));
    QCOMPARE(second, (QStringList{workbook, todaysExport(desktop, QStringLiteral(" (2)"))}));
    QVERIFY(QFile::exists(workbook));
}

// LibreOffice opens the export as the template of a new, unsaved workbook; temporary exports
// it has long since read are removed.
void ExportMailTest::exportOpensANewUnsavedWorkbookInLibreOffice() {
    Desktop desktop;
    desktop.defaultApplications(QStringLiteral("libreoffice-calc.desktop"), {});
    desktop.recorder(QStringLiteral("localc"));
    const QString old = desktop.temporaryFolder() + QStringLiteral("/Vovirer-abcdef.xlsx");
    const QString recent = desktop.temporaryFolder() + QStringLiteral("/Vovirer-ghijkl.xlsx");
    const QString other = desktop.temporaryFolder() + QStringLiteral("/Vovirer-notes.xlsx");
    age(old, 3600);
    age(recent, 10);
    age(other, 3600);
    MainWindowFixture f;
    typeCalculation(f, QStringLiteral("Şube"));
    click(f, "BitBtn26");
    const QStringList calls = desktop.calls(QStringLiteral("localc"));
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0], QStringLiteral("-n"));
    QVERIFY(calls[1].startsWith(desktop.temporaryFolder() + QStringLiteral("/Vovirer-")));
    QVERIFY(outputtest::XlsxTestReader(calls[1]).ok());
    QVERIFY(f.dialogs().texts().isEmpty());
    QVERIFY(!QFile::exists(old));
    QVERIFY(QFile::exists(recent));
    QVERIFY(QFile::exists(other));
    QVERIFY(desktop.documentFiles().isEmpty());
}

void ExportMailTest::exportFallsBackOnAKnownSpreadsheetProgram() {
    Desktop desktop;
    desktop.defaultApplications({}, {});
    desktop.recorder(QStringLiteral("gnumeric"));
    MainWindowFixture f;
    typeCalculation(f, QStringLiteral("Şube"));
    click(f, "BitBtn26");
    QCOMPARE(desktop.calls(QStringLiteral("gnumeric")), QStringList{todaysExport(desktop)});
    QVERIFY(outputtest::XlsxTestReader(todaysExport(desktop)).ok());
    QCOMPARE(f.dialogs().texts().size(), 1);
}

void ExportMailTest::exportWithoutSpreadsheetApplicationOnlySaysSo() {
    Desktop desktop;
    desktop.defaultApplications({}, QStringLiteral("thunderbird.desktop"));
    desktop.recorder(QStringLiteral("xdg-open"));
    MainWindowFixture f;
    typeCalculation(f, QStringLiteral("Şube"));
    click(f, "BitBtn26");
    QCOMPARE(f.dialogs().texts(), QStringList{kNoSpreadsheet});
    QCOMPARE(f.dialogs().notices().front().icon, core::DialogIcon::Information);
    QCOMPARE(f.table().currentRow(), 3);  // nothing else happened
    QVERIFY(desktop.temporaryFiles().isEmpty());
    QVERIFY(!desktop.startedAnyProgram());
}

// A program that cannot start, or that ends in failure at once: the message names a file
// that stays, in the user's documents.
void ExportMailTest::exportThatCannotBeShownNamesTheFile() {
    struct Case {
        const char* desktopDefault;
        const char* program;  // a stand-in that fails; none: the program is missing
        const char* reason;
    };
    const Case cases[] = {
        {"calc.desktop", nullptr, "xdg-open çıkış kodu 127"},
        {"calc.desktop", "xdg-open", "xdg-open çıkış kodu 4"},
        {"libreoffice-calc.desktop", "localc", "localc çıkış kodu 4"},
    };
    for (const Case& c : cases) {
        Desktop desktop;
        desktop.defaultApplications(QString::fromLatin1(c.desktopDefault), {});
        if (c.program) desktop.script(QString::fromLatin1(c.program), QStringLiteral("exit 4\n"));
        MainWindowFixture f;
        typeCalculation(f, QStringLiteral("Şube"));
        click(f, "BitBtn26");
        const auto failed = [&] {
            for (const core::Notice& n : f.dialogs().notices()) {
                if (n.icon == core::DialogIcon::Error) return true;
            }
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(failed(), 5000);
        const core::Notice notice = f.dialogs().notices().back();
        const QString kept = todaysExport(desktop);
        QCOMPARE(notice.text, QStringLiteral("Hesap tablosu programı Excel dökümünü açamadı.\n"
                                             "Dosya: ") +
                                  kept + QStringLiteral("\nSistem Mesajı: ") +
                                  QString::fromUtf8(c.reason));
        QVERIFY(outputtest::XlsxTestReader(kept).ok());
    }
}

void ExportMailTest::unreadableAmountEndsTheExportAndOpensNothing() {
    Desktop desktop;
    desktop.defaultApplications(QStringLiteral("calc.desktop"), {});
    desktop.recorder(QStringLiteral("xdg-open"));
    MainWindowFixture f;
    typeCalculation(f, QStringLiteral("Şube"));
    f.calc().table().setCell(col::InterestPaid, 3, QStringLiteral("1,2,3"));
    // The workbook made ahead meanwhile fails unseen.
    f.window().showCalculation();
    QTest::qWait(100);
    QVERIFY(f.dialogs().texts().isEmpty());
    click(f, "BitBtn26");
    QCOMPARE(f.dialogs().notices().size(), std::size_t(1));
    QCOMPARE(f.dialogs().notices().front().icon, core::DialogIcon::Error);
    QVERIFY(f.dialogs().texts().front().contains(QStringLiteral("1,2,3")));
    QVERIFY(desktop.temporaryFiles().isEmpty());
    QVERIFY(desktop.documentFiles().isEmpty());
    QVERIFY(!desktop.startedAnyProgram());
}

// Once the calculation stood still a moment its workbook is made ahead, unseen; a change made
// after that is in the export all the same.
void ExportMailTest::exportAfterAPauseWritesTheCalculationAsItIsAtTheClick() {
    const struct {
        const char* change;
        std::function<void(MainWindowFixture&)> apply;
        QString title;
        double drawn;
    } cases[] = {
        {"none", [](MainWindowFixture&) {}, QStringLiteral("Vovirer Adı : Şube"), 1000},
        {"an amount",
         [](MainWindowFixture& f) {
             f.calc().table().setCell(col::Drawn, 1, QStringLiteral("2.000"));
             f.window().recalculateAll();
         },
         QStringLiteral("Vovirer Adı : Şube"), 2000},
        {"the name",
         [](MainWindowFixture& f) { f.calc().inputs().creditLineName = QStringLiteral("Merkez"); },
         QStringLiteral("Vovirer Adı : Merkez"), 1000},
    };
    for (const auto& c : cases) {
        qInfo("change: %s", c.change);
        Desktop desktop;
        desktop.defaultApplications(QStringLiteral("calc.desktop"), {});
        desktop.recorder(QStringLiteral("xdg-open"));
        MainWindowFixture f;
        typeCalculation(f, QStringLiteral("Şube"));
        QTRY_VERIFY(f.window().preparedExport().holdsASheet());
        // Made on a copy: the window is as it was, and nothing was said.
        QCOMPARE(f.table().currentRow(), 3);
        QVERIFY(f.dialogs().texts().isEmpty());

        c.apply(f);
        click(f, "BitBtn26");
        const outputtest::XlsxTestReader sheet(todaysExport(desktop));
        QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
        QCOMPARE(sheet.cell("A1").text, c.title);
        QCOMPARE(sheet.cell("D4").number, c.drawn);
        QCOMPARE(f.table().currentRow(), 1);
    }
}

// The workbook is made ahead while a cell is still being typed; the click on the button ends
// the typing, and the export shows the cell as typed and its row recalculated.
void ExportMailTest::exportClickedFromACellBeingTypedShowsWhatWasTyped() {
    Desktop desktop;
    desktop.defaultApplications(QStringLiteral("calc.desktop"), {});
    desktop.recorder(QStringLiteral("xdg-open"));
    MainWindowFixture f;
    typeCalculation(f, QStringLiteral("Şube"));
    f.clickCell(col::Drawn, 2);
    f.type(QStringLiteral("2500"));
    QTest::qWait(100);
    QTRY_VERIFY(!f.window().preparedExport().busy());
    QTest::mouseClick(f.window().findChild<QAbstractButton*>(QStringLiteral("BitBtn26")),
                      Qt::LeftButton);

    const outputtest::XlsxTestReader sheet(todaysExport(desktop));
    QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
    QCOMPARE(sheet.cell("D4").number, 1000.0);
    QCOMPARE(sheet.cell("D5").number, 2500.0);
    QCOMPARE(sheet.cell("H5").number, 3100.0);  // the balance after the repayment of 400
}

void ExportMailTest::mailComposesANewMailWithTheWorkbookAttached() {
    Desktop desktop;
    desktop.defaultApplications({}, QStringLiteral("thunderbird.desktop"));
    desktop.recorder(QStringLiteral("xdg-email"));
    MainWindowFixture f;
    typeCalculation(f, QStringLiteral("Şube Rotatif"));
    const QString attachment = f.folder() + QStringLiteral("Rapor.xlsx");
    {
        QFile old(attachment);  // the previous mail's, replaced
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QVERIFY(QDir::setCurrent(QDir::tempPath()));

    auto* button = f.window().findChild<QAbstractButton*>(QStringLiteral("mailgonder"));
    QCOMPARE(button->toolTip(), QStringLiteral("Mail Olarak Gönder"));  // no program named
    click(f, "mailgonder");
    QCOMPARE(desktop.calls(QStringLiteral("xdg-email")),
             (QStringList{"--utf8", "--subject", "Şube Rotatif", "--body", "Şube Rotatif",
                          "--attach", attachment, "@"}));
    QVERIFY(desktop.attachmentWasThere(QStringLiteral("xdg-email")));
    QVERIFY(f.dialogs().texts().isEmpty());
    QCOMPARE(QDir::current().canonicalPath(), QDir(f.folder()).canonicalPath());
    // The workbook stays for the mail program, in the mail layout.
    const outputtest::XlsxTestReader sheet(attachment);
    QVERIFY2(sheet.ok(), qPrintable(sheet.error()));
    QCOMPARE(sheet.cell("G3").text, QStringLiteral("Yıllık Faiz"));
    QVERIFY(sheet.cell("H3").type.isEmpty());
    QVERIFY(!sheet.cell("H4").present);
    QCOMPARE(sheet.cell("C9").text, QStringLiteral("TOPLAM"));
}

void ExportMailTest::mailWithEmptyNameHasNoSubjectOrBody() {
    Desktop desktop;
    desktop.defaultApplications({}, QStringLiteral("thunderbird.desktop"));
    desktop.recorder(QStringLiteral("xdg-email"));
    MainWindowFixture f;
    typeCalculation(f, QString());
    click(f, "mailgonder");
    QCOMPARE(desktop.calls(QStringLiteral("xdg-email")),
             (QStringList{"--utf8", "--attach", f.folder() + QStringLiteral("Rapor.xlsx"), "@"}));
}

void ExportMailTest::mailWithoutMailProgramOnlySaysSo() {
    Desktop desktop;
    desktop.defaultApplications(QStringLiteral("calc.desktop"), {});
    desktop.recorder(QStringLiteral("xdg-email"));
    MainWindowFixture f;
    typeCalculation(f, QStringLiteral("Şube"));
    const QString attachment = f.folder() + QStringLiteral("Rapor.xlsx");
    {
        QFile kept(attachment);
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("kept");
    }
    click(f, "mailgonder");
    QCOMPARE(f.dialogs().texts(), QStringList{kNoMailProgram});
    QFile kept(attachment);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("kept"));
    QCOMPARE(f.table().currentRow(), 3);
    QVERIFY(!desktop.startedAnyProgram());
}

void ExportMailTest::mailThatCannotStartReportsTheSystemsReason() {
    Desktop desktop;
    desktop.defaultApplications({}, QStringLiteral("thunderbird.desktop"));
    desktop.script(QStringLiteral("xdg-email"), QString(), QStringLiteral("/nonexistent/sh"));
    MainWindowFixture f;
    typeCalculation(f, QStringLiteral("Şube"));
    click(f, "mailgonder");
    QCOMPARE(f.dialogs().notices().size(), std::size_t(1));
    const core::Notice notice = f.dialogs().notices().front();
    QVERIFY2(notice.text.startsWith(QStringLiteral("Mail programı açılamadı. Sistem Mesajı: ")),
             qPrintable(notice.text));
    QCOMPARE(notice.icon, core::DialogIcon::Error);
}

QTEST_MAIN(ExportMailTest)
#include "ui_export_mail_test.moc"
