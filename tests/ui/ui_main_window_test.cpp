// The main window: start-up, fields, commands, dialogs, closing.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "MainWindowFixture.h"
#include "core/CommandEnding.h"
#include "core/ProgramInfo.h"
#include "core/TransactionTable.h"
#include "output/report/PagePainter.h"
#include "tests/files/InjectedFaults.h"
#include "ui/common/FieldBehaviour.h"
#include "ui/common/MessageBoxDialogs.h"
#include "ui/common/QtFileChooser.h"
#include "ui/common/QtTranslations.h"

using testing_ui::MainWindowFixture;
namespace col = core::col;

namespace {

QPushButton* button(MainWindowFixture& f, const char* name) {
    auto* found = f.window().findChild<QPushButton*>(QString::fromLatin1(name));
    if (!found) qFatal("no button %s", name);
    return found;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startsWithEmptyTableTitleAndToday();
    void printerNoticeOnlyWhenNothingCanPrint();
    void readsSettingsAtStartUp();
    void hiddenControlsNeverShow();
    void commandButtonsInOrder();
    void rateFieldsCoupleByFocus();
    void rateFieldFailureIsReported();
    void datePickerIsOneTabStop();
    void groupedFieldGroupsWhileTyped();
    void targetInterestTakesAnyAmount_data();
    void targetInterestTakesAnyAmount();
    void fieldSetByProgramShowsItsStart();
    void clickIntoNumberFieldSelectsItsText();
    void openEmptiesTheTotalsOfTheTableBefore();
    void qtTextsAreTurkish();
    void enterMovesOnOrStays_data();
    void enterMovesOnOrStays();
    void focusedFieldIsYellow();
    void saveAndReopenThroughCommands();
    void overwriteAnsweredNoKeepsFile();
    void cancelledOpenKeepsTable();
    void savingSettingsWritesTheFile();
    void installedProgramKeepsSettingsInUsersFolder();
    void opensFileGivenOnCommandLine();
    void findRateAppliedOnYes();
    void closingAnsweredNoOrCancelKeepsEverything();
    void closingWithoutQuestionAfterFlagCleared();
    void messageBoxesCarryCaptionIconAndButtons();
    void homePageLinkOpensMakerAddress();
};

void MainWindowTest::startsWithEmptyTableTitleAndToday() {
    const QDate today(2026, 3, 14);
    MainWindowFixture f(QStringLiteral("PDF"), {}, {}, today);
    QCOMPARE(f.window().windowTitle(),
             QStringLiteral("Durvex Vovirer Dorud Zizevarev Programı %1 Güncelleme:0")
                 .arg(core::kProgramVersion));
    QCOMPARE(f.window().statusBar()->findChild<QLabel*>("statusVersion")->text(),
             QStringLiteral("Version %1 Güncelleme:0").arg(core::kProgramVersion));
    QCOMPARE(f.window().findChild<QDateEdit*>("DateTimePicker61")->date(), today);
    QCOMPARE(f.grid().tableModel().rowCount(), 1);
    QCOMPARE(f.grid().tableModel().headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
    QVERIFY(f.window().askBeforeClose());
    QVERIFY(!f.field("toplamfaizNetEdit")->isReadOnly());
    QVERIFY(f.field("kreditoplamtutariEdit")->isReadOnly());
    // No settings file: the fields it feeds are empty.
    for (const char* name :
         {"yildakigunEdit", "yillikfaizNetEdit", "aylikfaizNetEdit", "kredigeriodemeekEdit",
          "KKDFNetEdit", "vergi2NetEdit", "firmaadiEdit"}) {
        QCOMPARE(f.text(name), QString());
    }
    QVERIFY(!f.window().findChild<QCheckBox*>("CheckBox9")->isChecked());
    QCOMPARE(f.focus(), f.grid().cellEditor());
    QCOMPARE(f.dialogs().texts(), QStringList());
}

// Printing to a PDF file needs no printer: the start-up notice is for a system where not
// even that works, and names nothing of another platform.
void MainWindowTest::printerNoticeOnlyWhenNothingCanPrint() {
    struct Case {
        const char* printer;
        bool toFile;
        bool notice;
    };
    const Case cases[] = {{"PDF", false, false}, {"", true, false}, {"", false, true}};
    for (const Case& c : cases) {
        QTemporaryDir folder;
        core::RecordingDialogs dialogs;
        testing_ui::ScriptedFiles files;
        ui::MainWindowServices services;
        services.dialogs = &dialogs;
        services.files = &files;
        services.defaultPrinterName = [&c] { return QString::fromLatin1(c.printer); };
        services.canPrintToFile = [&c] { return c.toFile; };
        services.programFolder = folder.path() + QLatin1Char('/');
        ui::MainWindow window(services);
        window.setAskBeforeClose(false);
        QCOMPARE(dialogs.notices().size(), std::size_t(c.notice ? 1 : 0));
        if (!c.notice) continue;
        const core::Notice& notice = dialogs.notices().front();
        QCOMPARE(notice.caption, QStringLiteral("Durvex Vovirer Dorud Zizevarev Programı"));
        QCOMPARE(notice.icon, core::DialogIcon::Error);
        QVERIFY(notice.text.startsWith(QStringLiteral("Bu bilgisayarda yazıcı tanımlı değil")));
        for (const char* windowsName : {"Microsoft", "Denetim Masası", "default"}) {
            QVERIFY(!notice.text.contains(QString::fromUtf8(windowsName)));
        }
    }
    QVERIFY(report::CanWriteReportPdf());  // as it is here, without any printer
}

void MainWindowTest::readsSettingsAtStartUp() {
    MainWindowFixture f{QStringLiteral("PDF"),
                        "[Vovirer]\r\nRyilgun=360\r\nRayfaiz=24\r\nRyilfaiz=3\r\n"
                        "Ralacakgun=2\r\nRKKDF=5\r\nRvergi2=1\r\nFirma= Acme A.S. \r\n"
                        "RalacakCheck=1\r\n"};
    QCOMPARE(f.text("yildakigunEdit"), QStringLiteral("360"));
    // Before either rate field had the focus neither rewrites the other.
    QCOMPARE(f.text("yillikfaizNetEdit"), QStringLiteral("24"));
    QCOMPARE(f.text("aylikfaizNetEdit"), QStringLiteral("3"));
    QCOMPARE(f.text("kredigeriodemeekEdit"), QStringLiteral("2"));
    QCOMPARE(f.text("KKDFNetEdit"), QStringLiteral("5"));
    QCOMPARE(f.text("vergi2NetEdit"), QStringLiteral("1"));
    QCOMPARE(f.text("firmaadiEdit"), QStringLiteral("Acme A.S."));
    QVERIFY(f.window().findChild<QCheckBox*>("CheckBox9")->isChecked());
}

void MainWindowTest::hiddenControlsNeverShow() {
    MainWindowFixture f;
    for (const char* name : {"Label38", "Label210", "kredikullanimekEdit", "Label3",
                             "vergi2NetEdit", "CheckBox8", "Label5", "JvDotNetEdit1"}) {
        auto* widget = f.window().findChild<QWidget*>(QString::fromLatin1(name));
        QVERIFY2(widget, name);
        QVERIFY2(!widget->isVisible(), name);
    }
}

void MainWindowTest::commandButtonsInOrder() {
    MainWindowFixture f;
    const char* names[] = {"BitBtn45", "BitBtn46", "BitBtn26", "BitBtn23", "BitBtn28", "BitBtn7",
                           "BitBtn31", "BitBtn1",  "BitBtn4",  "BitBtn2",  "BitBtn3",  "BitBtn6"};
    const QStringList captions = {
        "İŞLEMİ KAYDET", "KAYITTAN AÇ",      "EXCEL'E VERİ AKTAR", "EXCEL'DEN VERİ AL",
        "YAZDIR",        "GENİŞ YAZDIR",     "ORANLARI SAKLA",     "YENİDEN HESAPLA",
        "SIFIRLA",       "KAYITLARI SIRALA", "FAİZLERİ DEĞİŞTİR",  "PROGRAMI GÜNCELLE"};
    int previousTop = -1;
    for (int i = 0; i < 12; ++i) {
        QPushButton* b = button(f, names[i]);
        QCOMPARE(b->text().replace(QLatin1Char('\n'), QLatin1Char(' ')), captions[i]);
        QVERIFY(b->y() > previousTop);
        previousTop = b->y();
    }
    QCOMPARE(button(f, "BitBtn5")->text(), QStringLiteral("FAİZ ORANINI BUL"));
    QCOMPARE(button(f, "JvXPButton2")->text(), QStringLiteral("KULLANIM KILAVUZU"));
}

void MainWindowTest::rateFieldsCoupleByFocus() {
    MainWindowFixture f;
    f.focusOn(f.field("yillikfaizNetEdit"));
    f.type(QStringLiteral("2"));
    QCOMPARE(f.text("aylikfaizNetEdit"), QStringLiteral("0,166666666666667"));
    f.type(QStringLiteral("4"));
    QCOMPARE(f.text("aylikfaizNetEdit"), QStringLiteral("2"));

    f.focusOn(f.field("aylikfaizNetEdit"));
    f.field("aylikfaizNetEdit")->selectAll();
    f.key(Qt::Key_Backspace);
    QCOMPARE(f.text("yillikfaizNetEdit"), QStringLiteral("0"));
    f.type(QStringLiteral("3"));
    QCOMPARE(f.text("yillikfaizNetEdit"), QStringLiteral("36"));
    QCOMPARE(f.calc().inputs().annualRate, QStringLiteral("36"));
    // Refused keys and the typing limit of eight characters.
    f.type(QStringLiteral("a-1234567890"));
    QCOMPARE(f.text("aylikfaizNetEdit"), QStringLiteral("31234567"));
}

void MainWindowTest::rateFieldFailureIsReported() {
    MainWindowFixture f;
    f.focusOn(f.field("yillikfaizNetEdit"));
    f.type(QStringLiteral(","));
    QCOMPARE(f.text("yillikfaizNetEdit"), QStringLiteral(","));
    // The field keeps what was typed with the caret at its end, so typing goes on after it.
    QCOMPARE(f.field("yillikfaizNetEdit")->cursorPosition(), 1);
    QCOMPARE(f.dialogs().notices().size(), std::size_t(1));
    QCOMPARE(f.dialogs().notices().front().text, QStringLiteral("\",\" geçerli bir sayı değil."));
    QCOMPARE(f.dialogs().notices().front().caption, core::kApplicationTitle);
    QCOMPARE(f.dialogs().notices().front().icon, core::DialogIcon::Error);
    QCOMPARE(f.text("aylikfaizNetEdit"), QString());  // the other keeps its text
}

// Tab and Shift+Tab leave the date picker at once, from whichever of its sections the caret
// is in, and the date stays as it was: digits meant for the next field never reach it.
void MainWindowTest::datePickerIsOneTabStop() {
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        MainWindowFixture f;
        auto* picker = f.window().findChild<QDateEdit*>(QStringLiteral("DateTimePicker61"));
        QVERIFY(picker);
        f.focusOn(picker);
        const QDate date = picker->date();
        f.key(key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* now = QApplication::focusWidget();
        QVERIFY(now && now != picker && !picker->isAncestorOf(now));
        f.type(QStringLiteral("7"));
        QCOMPARE(picker->date(), date);
    }
}

void MainWindowTest::groupedFieldGroupsWhileTyped() {
    MainWindowFixture f;
    QLineEdit* bsmv = f.field("KKDFNetEdit");
    f.focusOn(bsmv);
    QStringList seen;
    for (QChar digit : QStringLiteral("1234")) {
        f.type(QString(digit));
        seen << bsmv->text();
    }
    QCOMPARE(seen, (QStringList{"1", "12", "123", "1.234"}));
    f.key(Qt::Key_Backspace);
    QCOMPARE(bsmv->text(), QStringLiteral("123"));
    f.type(QStringLiteral("4"));
    f.key(Qt::Key_Return);  // regroups as if a digit came, and stays in the field
    QCOMPARE(bsmv->text(), QStringLiteral("12.34"));
    QCOMPARE(f.focus(), bsmv);
    QCOMPARE(f.calc().inputs().bsmvRate, QStringLiteral("12.34"));
    bsmv->clear();
    f.type(QStringLiteral("5,255"));
    QCOMPARE(bsmv->text(), QStringLiteral("5,25"));
    bsmv->clear();
    f.type(QStringLiteral("a"));  // a refused key in an empty field writes 0
    QCOMPARE(bsmv->text(), QStringLiteral("0"));
}

void MainWindowTest::enterMovesOnOrStays_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("name") << "rotatifadiEdit"
                          << "yillikfaizNetEdit";
    QTest::newRow("annual") << "yillikfaizNetEdit"
                            << "aylikfaizNetEdit";
    QTest::newRow("monthly") << "aylikfaizNetEdit"
                             << "KKDFNetEdit";
    QTest::newRow("BSMV stays") << "KKDFNetEdit"
                                << "KKDFNetEdit";
    QTest::newRow("date") << "DateTimePicker61"
                          << "yildakigunEdit";
    QTest::newRow("days") << "yildakigunEdit"
                          << "kredigeriodemeekEdit";
    QTest::newRow("repayment days") << "kredigeriodemeekEdit"
                                    << "CheckBox9";
    QTest::newRow("tick box") << "CheckBox9"
                              << "firmaadiEdit";
    QTest::newRow("total") << "kreditoplamtutariEdit"
                           << "odemetoplamtutariEdit";
    QTest::newRow("target total stays") << "toplamfaizNetEdit"
                                        << "toplamfaizNetEdit";
}

void MainWindowTest::enterMovesOnOrStays() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    MainWindowFixture f;
    auto* start = f.window().findChild<QWidget*>(from);
    f.focusOn(start);
    f.key(Qt::Key_Return);
    QCOMPARE(f.focus()->objectName(), to);
}

void MainWindowTest::focusedFieldIsYellow() {
    MainWindowFixture f;
    const auto base = [&](const char* name) {
        return f.field(name)->palette().color(QPalette::Base);
    };
    f.focusOn(f.field("rotatifadiEdit"));
    QCOMPARE(base("rotatifadiEdit"), QColor(255, 255, 0));
    f.focusOn(f.field("kredigeriodemeekEdit"));  // not coloured
    QCOMPARE(base("rotatifadiEdit"), QColor(255, 255, 255));
    QVERIFY(base("kredigeriodemeekEdit") != QColor(255, 255, 0));
    f.focusOn(f.field("toplamKKDFEdit"));
    QCOMPARE(base("toplamKKDFEdit"), QColor(255, 255, 0));
}

void MainWindowTest::targetInterestTakesAnyAmount_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("seven digits") << "1000000"
                                  << "1.000.000";
    QTest::newRow("decimals") << "12345,67"
                              << "12.345,67";
    QTest::newRow("stops at fifteen digits") << "12345678901234567890"
                                             << "123.456.789.012.345";
}

// The rate finder works on what was typed, however long.
void MainWindowTest::targetInterestTakesAnyAmount() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    MainWindowFixture f;
    f.focusOn(f.field("toplamfaizNetEdit"));
    f.type(typed);
    QCOMPARE(f.text("toplamfaizNetEdit"), shown);
    QCOMPARE(f.calc().inputs().targetTotalInterest, shown);
}

void MainWindowTest::fieldSetByProgramShowsItsStart() {
    MainWindowFixture f;
    f.focusOn(f.field("yillikfaizNetEdit"));
    f.type(QStringLiteral("25"));
    f.clickCell(col::Description, 1);
    QLineEdit* monthly = f.field("aylikfaizNetEdit");
    QCOMPARE(monthly->text(), QStringLiteral("2,08333333333333"));
    QCOMPARE(monthly->cursorPosition(), 0);
}

// Without settings the first recalculation writes 0 into the annual rate; a click into the
// field then selects it, and typing replaces it.
void MainWindowTest::clickIntoNumberFieldSelectsItsText() {
    MainWindowFixture f;
    f.clickCell(col::TransactionDate, 1);
    for (const char* name : {"yillikfaizNetEdit", "yildakigunEdit", "KKDFNetEdit"}) {
        QLineEdit* field = f.field(name);
        field->setText(QStringLiteral("0"));
        f.clickCell(col::TransactionDate, 1);
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, field->rect().center());
        QCOMPARE(f.focus(), field);
        f.type(QStringLiteral("24"));
        QCOMPARE(field->text(), QStringLiteral("24"));
        // A second click in the field places the caret as usual.
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, field->rect().center());
        QVERIFY(!field->hasSelectedText());
    }
    QCOMPARE(f.calc().inputs().annualRate, QStringLiteral("24"));
}

void MainWindowTest::openEmptiesTheTotalsOfTheTableBefore() {
    MainWindowFixture f;
    f.files().savePath = f.folder() + QStringLiteral("Bos");
    button(f, "BitBtn45")->click();
    f.typeWorkedExample();
    QCOMPARE(f.text("toplamfaizEdit"), QStringLiteral("2,00"));
    f.files().openPath = f.folder() + QStringLiteral("Bos.fdr");
    button(f, "BitBtn46")->click();
    QCOMPARE(f.dialogs().notices().size(), std::size_t(0));
    QCOMPARE(f.cell(col::Drawn, 1), QString());
    for (const char* name : {"kreditoplamtutariEdit", "toplamfaizEdit", "odenmemisfaizkkdfEdit",
                             "toplamKKDFEdit", "JvDotNetEdit1"}) {
        QCOMPARE(f.text(name), QString());
    }
}

// Qt's own texts: buttons of message boxes, file dialogs, the date picker's calendar.
void MainWindowTest::qtTextsAreTurkish() {
    QVERIFY(ui::InstallQtTurkishTranslations());
    QMessageBox box(QMessageBox::Question, QStringLiteral("x"), QStringLiteral("y"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Evet"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')),
             QStringLiteral("İptal"));

    MainWindowFixture f;
    auto* date = f.window().findChild<QDateEdit*>(QStringLiteral("DateTimePicker61"));
    QCOMPARE(date->calendarWidget()->locale().monthName(12), QStringLiteral("Aralık"));
    QCOMPARE(date->text(),
             f.calc().inputs().calculationDate.toString(QStringLiteral("dd.MM.yyyy")));

    QFile file(f.folder() + QStringLiteral("Uzun Bir Dorud Hesabının Adı.fdr"));
    const QByteArray content(1035000, 'x');  // "1,010.74 KiB"
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    // The dialog keeps its column layout in the user's Qt settings: start from none.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                  QStringLiteral("/QtProject.conf"));
    ui::QtFileChooser chooser(f.folder());
    chooser.setParentWidget(&f.window());
    QSize size;
    QString acceptText;
    bool columnsFit = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        size = dialog->size();
        if (auto* view = dialog->findChild<QTreeView*>()) {
            QTRY_VERIFY(view->model()->rowCount(view->rootIndex()) > 0);
            columnsFit = true;
            const QAbstractItemView& asView = *view;  // its size hints are public there
            for (int c = 0; c < view->model()->columnCount(view->rootIndex()); ++c) {
                columnsFit = columnsFit && view->columnWidth(c) >= asView.sizeHintForColumn(c);
            }
        }
        for (auto* buttons : dialog->findChildren<QDialogButtonBox*>()) {
            if (auto* open = buttons->button(QDialogButtonBox::Open)) acceptText = open->text();
        }
        dialog->reject();
    });
    QVERIFY(!chooser.chooseOpenPath());
    QVERIFY2(size.width() >= 800 && size.height() >= 480, "the dialog opens large");
    QStandardPaths::setTestModeEnabled(false);
    QVERIFY2(columnsFit, "names, sizes, types and dates show in full");
    QCOMPARE(acceptText.remove(QLatin1Char('&')), QStringLiteral("Aç"));
}

void MainWindowTest::saveAndReopenThroughCommands() {
    MainWindowFixture f;
    f.typeWorkedExample();
    f.focusOn(f.field("rotatifadiEdit"));
    f.type(QStringLiteral("Deneme"));
    f.files().savePath = f.folder() + QStringLiteral("Deneme");
    button(f, "BitBtn45")->click();
    QCOMPARE(f.files().proposedName, QStringLiteral("Deneme"));
    QVERIFY(QFile::exists(f.folder() + QStringLiteral("Deneme.fdr")));
    const auto before = f.table().row(2);
    const auto totals = f.calc().totals();

    f.dialogs().queueAnswer(core::DialogButton::Yes);
    button(f, "BitBtn4")->click();  // SIFIRLA
    QCOMPARE(f.grid().tableModel().rowCount(), 1);
    QCOMPARE(f.text("kreditoplamtutariEdit"), QString());

    f.files().openPath = f.folder() + QStringLiteral("Deneme.fdr");
    button(f, "BitBtn46")->click();
    QCOMPARE(f.grid().tableModel().rowCount(), f.table().rowCount() - 1);
    QCOMPARE(f.table().row(2), before);
    QCOMPARE(f.calc().totals(), totals);
    QCOMPARE(f.text("kreditoplamtutariEdit"), QStringLiteral("100,00"));
    QCOMPARE(f.text("yillikfaizNetEdit"), QStringLiteral("24"));
    QCOMPARE(f.dialogs().notices().size(), std::size_t(0));
}

void MainWindowTest::overwriteAnsweredNoKeepsFile() {
    MainWindowFixture f;
    const QString path = f.folder() + QStringLiteral("Eski.fdr");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("eski");
    }
    f.files().savePath = path;
    button(f, "BitBtn45")->click();
    QCOMPARE(f.dialogs().questions().size(), std::size_t(1));
    QCOMPARE(f.dialogs().questions().front().text,
             QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?"));
    QCOMPARE(f.dialogs().questions().front().caption, QStringLiteral("Confirm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("eski"));
}

void MainWindowTest::cancelledOpenKeepsTable() {
    MainWindowFixture f;
    f.typeWorkedExample();
    const auto rows = f.table().rowCount();
    f.files().openPath.reset();
    button(f, "BitBtn46")->click();
    f.files().openPath = f.folder() + QStringLiteral("yok.fdr");
    button(f, "BitBtn46")->click();
    QCOMPARE(f.table().rowCount(), rows);
    QCOMPARE(f.cell(col::Drawn, 1), QStringLiteral("100,00"));
    QCOMPARE(f.text("toplamfaizEdit"), QStringLiteral("2,00"));
}

void MainWindowTest::savingSettingsWritesTheFile() {
    MainWindowFixture f;
    f.focusOn(f.field("yillikfaizNetEdit"));
    f.type(QStringLiteral("24"));
    button(f, "BitBtn31")->click();
    QFile file(f.folder() + QStringLiteral("Ayarlar.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.contains("Rayfaiz=24"));
    QVERIFY(content.contains("Ryilfaiz=2"));
    QVERIFY(content.contains("RalacakCheck=2"));
    file.close();

    // On a full disk the save says so and the file stays as it was, every key of it.
    f.focusOn(f.field("yillikfaizNetEdit"));
    f.type(QStringLiteral("36"));
    f.dialogs().clear();
    {
        const files::ScopedSafeWriteCalls full(testfiles::withFault(testfiles::kInjectedFaults[0]));
        button(f, "BitBtn31")->click();
    }
    QCOMPARE(f.dialogs().notices().size(), std::size_t(1));
    QCOMPARE(f.dialogs().notices()[0].text,
             QStringLiteral("Unable to write to ") + f.folder() + QStringLiteral("Ayarlar.ini."));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content);
}

// Installed in <root>/bin with the data tree <root>/share/dedadederaro: the settings are read
// from and saved into the user's configuration folder, never beside the program.
void MainWindowTest::installedProgramKeepsSettingsInUsersFolder() {
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin/"));
    QVERIFY(QDir().mkpath(bin));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("share/dedadederaro"))));
    const QString config = root.filePath(QStringLiteral("config"));
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    const QString ini = config + QStringLiteral("/dedadederaro/Ayarlar.ini");
    QVERIFY(QDir().mkpath(config + QStringLiteral("/dedadederaro")));
    {
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Vovirer]\r\nRyilgun=365\r\n");
    }
    {
        MainWindowFixture f(QStringLiteral("PDF"), {}, bin);
        QCOMPARE(f.text("yildakigunEdit"), QStringLiteral("365"));
        f.focusOn(f.field("yillikfaizNetEdit"));
        f.type(QStringLiteral("24"));
        button(f, "BitBtn31")->click();
        QCOMPARE(f.dialogs().notices().size(), std::size_t(0));
    }
    qputenv("XDG_CONFIG_HOME", oldConfig);
    QFile file(ini);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("Rayfaiz=24"));
    QCOMPARE(QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// A file named on the command line opens as the open command opens the file its dialog
// returns; a name relative to the current folder is shown with its full path.
void MainWindowTest::opensFileGivenOnCommandLine() {
    MainWindowFixture source;
    source.typeWorkedExample();
    source.files().savePath = source.folder() + QStringLiteral("Deneme.fdr");
    button(source, "BitBtn45")->click();
    QVERIFY(QFile::exists(source.folder() + QStringLiteral("Deneme.fdr")));
    {
        QFile refused(source.folder() + QStringLiteral("Bozuk.fdr"));
        QVERIFY(refused.open(QIODevice::WriteOnly));
        refused.write("bozuk\r\n");
    }
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(source.folder());

    struct Case {
        QString given;
        bool opens;
    };
    for (const Case& c :
         {Case{source.folder() + QStringLiteral("Deneme.fdr"), true},
          Case{QStringLiteral("Deneme.fdr"), true}, Case{QStringLiteral("yok.fdr"), false},
          Case{QStringLiteral("Bozuk.fdr"), false}}) {
        MainWindowFixture f;
        f.window().openCalculationFile(c.given);
        const auto& notices = f.dialogs().notices();
        if (c.opens) {
            QCOMPARE(notices.size(), std::size_t(0));
            QCOMPARE(f.table().row(2), source.table().row(2));
            QCOMPARE(f.calc().totals(), source.calc().totals());
            QCOMPARE(f.text("toplamfaizEdit"), QStringLiteral("2,00"));
        } else {
            QCOMPARE(notices.size(), std::size_t(1));
            QCOMPARE(notices[0].text,
                     QStringLiteral("Dosya Okunamıyor:\n") + source.folder() + c.given);
            QCOMPARE(notices[0].caption, QStringLiteral("Error"));
            QCOMPARE(f.text("toplamfaizEdit"), QString());
        }
    }
    QDir::setCurrent(previousFolder);
}

void MainWindowTest::findRateAppliedOnYes() {
    MainWindowFixture f;
    f.typeWorkedExample();
    f.focusOn(f.field("toplamfaizNetEdit"));
    f.type(QStringLiteral("3"));
    f.dialogs().queueAnswer(core::DialogButton::Yes);
    button(f, "BitBtn5")->click();
    QCOMPARE(f.dialogs().questions().back().text,
             QStringLiteral("Yıllık Faiz Oranı 36 olarak bulunmuştur.\nTablo kayıtlarına "
                            "aktarılmasını istermisiniz?"));
    QCOMPARE(f.text("yillikfaizNetEdit"), QStringLiteral("36"));
    QCOMPARE(f.text("aylikfaizNetEdit"), QStringLiteral("3"));
    QCOMPARE(f.cell(col::Rate, 1), QStringLiteral("36"));
    QCOMPARE(f.text("toplamfaizEdit"), QStringLiteral("3,00"));
}

void MainWindowTest::closingAnsweredNoOrCancelKeepsEverything() {
    MainWindowFixture f;
    f.typeWorkedExample();
    const auto rows = f.table().rowCount();
    for (auto answer : {core::DialogButton::No, core::DialogButton::Cancel}) {
        f.dialogs().queueAnswer(answer);
        QVERIFY(!f.window().close());
        QVERIFY(f.window().isVisible());
        const core::Question& asked = f.dialogs().questions().back();
        QCOMPARE(asked.text, QStringLiteral("Programı kapatmak istediğinize eminmisiniz?"));
        QCOMPARE(asked.caption, QStringLiteral("Durvex Vovirer Dorud Zizevarev Programı"));
        QCOMPARE(asked.icon, core::DialogIcon::Question);
        QCOMPARE(asked.buttons, int(core::DialogButton::Yes) | int(core::DialogButton::No) |
                                    int(core::DialogButton::Cancel));
    }
    QCOMPARE(f.table().rowCount(), rows);
    QCOMPARE(f.text("toplamfaizEdit"), QStringLiteral("2,00"));
    f.dialogs().queueAnswer(core::DialogButton::Yes);
    QVERIFY(f.window().close());
}

void MainWindowTest::closingWithoutQuestionAfterFlagCleared() {
    MainWindowFixture f;
    f.window().setAskBeforeClose(false);
    QVERIFY(f.window().close());
    QCOMPARE(f.dialogs().questions().size(), std::size_t(0));
}

void MainWindowTest::messageBoxesCarryCaptionIconAndButtons() {
    ui::MessageBoxDialogs dialogs;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString text;
    int width = 0;
    int widthNeeded = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        caption = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        // A short question still leaves the long caption room to show whole.
        width = box->width();
        widthNeeded = ui::MessageBoxDialogs::minimumWidthFor(caption, box->font());
        box->button(QMessageBox::No)->click();
    });
    const auto answer = dialogs.ask(core::Question{
        QStringLiteral("Kaydı Silmek istediğinizden eminmisiniz?"), core::kProgramCaption,
        int(core::DialogButton::Yes) | int(core::DialogButton::No) |
            int(core::DialogButton::Cancel),
        core::DialogIcon::Question});
    QCOMPARE(answer, core::DialogButton::No);
    QCOMPARE(caption, core::kProgramCaption);
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QVERIFY2(width >= widthNeeded,
             qPrintable(QStringLiteral("%1 < %2").arg(width).arg(widthNeeded)));

    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        caption = box->windowTitle();
        icon = box->icon();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    core::ReportFailure(dialogs, QStringLiteral("'abc' is not a valid floating point value"));
    QCOMPARE(caption, core::kApplicationTitle);
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(text, QStringLiteral("'abc' is not a valid floating point value."));
}

void MainWindowTest::homePageLinkOpensMakerAddress() {
    MainWindowFixture f;
    // The fixture opens nothing; the link must not fail without a browser.
    f.window().openMakerHomePage();
    QVERIFY(f.dialogs().texts().isEmpty());
}

QTEST_MAIN(MainWindowTest)
#include "ui_main_window_test.moc"
