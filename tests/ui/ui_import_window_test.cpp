#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

#include "MainWindowFixture.h"
#include "commands/ImportTransfer.h"
#include "storage/ProfileFile.h"
#include "ui/common/MessageBoxDialogs.h"
#include "ui/import/ImportWindow.h"

using testing_ui::MainWindowFixture;

namespace {

const QString kOds = QStringLiteral(SHEETS_FIXTURES "/hareket.ods");

// Rates for the recalculation; the import fields without "Rbasla".
const QByteArray kSettings =
    "[Vovirer]\r\nRyilgun=360\r\nRayfaiz=24\r\nRKKDF=5\r\n"
    "[ExcelAyarR]\r\nRvade=1\r\nRislem=2\r\nRaciklama=3\r\nRborc=4\r\nRalacak=5\r\n"
    "Rbitir=4\r\nRvadeCheck=1\r\n";

}  // namespace

class ImportWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> main_;
    ui::ImportWindow* window_ = nullptr;
    QString workbook_;
    QWidget* dialogOver_ = nullptr;

    QString settingsPath() const { return main_->folder() + QStringLiteral("Ayarlar.ini"); }
    QLineEdit* field(const char* name) {
        return window_->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void click(const char* name) {
        QTest::mouseClick(window_->findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }
    QTableView* grid() { return window_->findChild<QTableView*>(QStringLiteral("StringGrid1")); }

  private slots:
    void init() {
        main_ = std::make_unique<MainWindowFixture>(QStringLiteral("PDF"), kSettings);
        window_ = new ui::ImportWindow(
            &main_->window(),
            {&main_->calc(),
             [this] {
                 main_->grid().showTable();
                 main_->window().showInputsAndTotals();
             },
             [this](QWidget* over) {
                 dialogOver_ = over;
                 return workbook_;
             },
             settingsPath(), std::nullopt, [this] { return main_->window().mayDiscardChanges(); },
             [this](const auto& transfer) {
                 main_->window().recordChange(ui::MainWindow::kImportStep, transfer);
             }});
        connect(&main_->window(), &ui::MainWindow::importRequested, window_,
                &ui::ImportWindow::open);
        main_->dialogs().clear();
    }
    void cleanup() { main_.reset(); }

    void opensFromTheMainWindowWithTheFieldsOfTheSettingsFile() {
        QVERIFY(!window_->isVisible());
        QTest::mouseClick(main_->window().findChild<QPushButton*>(QStringLiteral("BitBtn23")),
                          Qt::LeftButton);
        QVERIFY(window_->isVisible());
        QVERIFY(window_->windowState() & Qt::WindowMaximized);
        QCOMPARE(window_->windowTitle(),
                 QStringLiteral("Durvex Vovirer Dorud Zizevarev Excel'den Veri Aktarma"));
        QCOMPARE(field("JvDotNetEdit19")->text(), QStringLiteral("1"));
        QCOMPARE(field("JvDotNetEdit2")->text(), QStringLiteral("5"));
        QCOMPARE(field("JvDotNetEdit20")->text(), QString());  // no "Rbasla" key
        QCOMPARE(field("JvDotNetEdit21")->text(), QStringLiteral("4"));
        QVERIFY(window_->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->isChecked());
        QCOMPARE(window_->findChild<QLabel*>(QStringLiteral("versionPanel"))->text(),
                 QStringLiteral("Version 2.0 Güncelleme:0"));
        // The start row is empty: the transfer refuses with its message.
        click("JvXPButton2");
        QCOMPARE(main_->dialogs().texts(),
                 QStringList{QStringLiteral("Başlangıç satırını boş geçemezsiniz!")});
        QVERIFY(window_->isVisible());
    }

    // Over unsaved work the transfer first asks whether to save it; it is one undo step.
    void aTransferOverUnsavedWorkAsksAndCanBeUndone() {
        main_->typeWorkedExample();
        const int typedRows = main_->table().rowCount();
        window_->open();
        workbook_ = kOds;
        click("JvXPButton1");
        field("JvDotNetEdit20")->setText(QStringLiteral("2"));
        main_->dialogs().clear();
        main_->dialogs().queueAnswer(core::DialogButton::Cancel);
        click("JvXPButton2");
        QCOMPARE(main_->dialogs().questions().back().text,
                 QStringLiteral("Yapılan değişiklikler kaydedilmedi. Kaydedilsin mi?"));
        QVERIFY(window_->isVisible());
        QCOMPARE(main_->table().rowCount(), typedRows);
        QCOMPARE(main_->cell(3, 1), QStringLiteral("Kullanim"));

        main_->dialogs().queueAnswer(core::DialogButton::No);
        click("JvXPButton2");
        QVERIFY(!window_->isVisible());
        QCOMPARE(main_->table().rowCount(), 6);
        QCOMPARE(main_->window().history().undoLabel(), ui::MainWindow::kImportStep);
        main_->window().undo();
        QCOMPARE(main_->table().rowCount(), typedRows);
        QCOMPARE(main_->cell(3, 1), QStringLiteral("Kullanim"));
    }

    void readsAWorkbookThenTransfersAndStoresTheFields() {
        window_->open();
        workbook_ = kOds;
        click("JvXPButton1");
        QCOMPARE(main_->dialogs().texts(), QStringList{QStringLiteral("Tablo aktarıldı!")});
        QCOMPARE(window_->windowTitle(), sheets::PreviewCaption(kOds));
        QAbstractItemModel* model = grid()->model();
        QCOMPARE(model->rowCount(), 11);
        QCOMPARE(model->columnCount(), 6);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("1"));
        QCOMPARE(model->headerData(10, Qt::Vertical).toString(), QStringLiteral("11"));
        QCOMPARE(model->index(1, 2).data().toString(), QStringLiteral("  Çeşme şubesi"));
        QCOMPARE(grid()->horizontalHeader()->defaultSectionSize(), 80);
        QCOMPARE(grid()->verticalHeader()->width(), 30);
        QCOMPARE(model->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(223, 235, 255));
        QCOMPARE(model->index(1, 0).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(249, 255, 225));

        // A cell corrected by hand is what the transfer takes.
        model->setData(model->index(1, 3), QStringLiteral("2000"));
        field("JvDotNetEdit20")->setText(QStringLiteral("2"));
        main_->dialogs().clear();
        click("JvXPButton2");
        QCOMPARE(main_->dialogs().texts(),
                 QStringList{QStringLiteral("4. satır, 1. sütun (Valör Tarihi Sütunu): boş. "
                                            "Valör tarihi boş olan 1 satır aktarılmadı.")});
        QVERIFY(!window_->isVisible());
        QCOMPARE(main_->cell(4, 1), QStringLiteral("2.000,00"));
        QCOMPARE(main_->cell(5, 2), QStringLiteral("250,00"));
        QCOMPARE(main_->table().rowCount(), 6);
        const auto stored = storage::ReadImportSettings(settingsPath());
        QCOMPARE(stored.firstRow, QStringLiteral("2"));
        QVERIFY(stored.valueDateIsTransactionDate);
    }

    void aFileThatCannotBeReadLeavesThePreviewEmpty() {
        window_->open();
        workbook_ = kOds;
        click("JvXPButton1");
        workbook_ = main_->folder() + QStringLiteral("yok.xlsx");
        main_->dialogs().clear();
        click("JvXPButton1");
        QCOMPARE(main_->dialogs().notices().size(), std::size_t(1));
        QVERIFY(main_->dialogs().texts()[0].contains(workbook_));
        QCOMPARE(main_->dialogs().notices()[0].icon, core::DialogIcon::Error);
        QCOMPARE(window_->windowTitle(), sheets::PreviewCaption(kOds));  // unchanged
        QCOMPARE(grid()->model()->index(1, 2).data().toString(), QString());
        // A cancelled dialog changes nothing.
        workbook_.clear();
        main_->dialogs().clear();
        click("JvXPButton1");
        QVERIFY(main_->dialogs().texts().isEmpty());
    }

    // The file dialog and the messages stand over the import window, so the main window never
    // comes up between; what was typed stays until the window is closed.
    void staysInFrontAndKeepsWhatWasTypedUntilClosed() {
        ui::MessageBoxDialogs boxes;  // as the program shows its messages
        boxes.setParentWidget(&main_->window());
        QPushButton* importButton =
            main_->window().findChild<QPushButton*>(QStringLiteral("BitBtn23"));
        QTest::mouseClick(importButton, Qt::LeftButton);
        // The offscreen platform activates a window only when asked once it shows.
        window_->windowHandle()->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), window_->windowHandle());
        QLineEdit* valueDate = field("JvDotNetEdit19");
        QTest::mouseClick(valueDate, Qt::LeftButton);
        QTest::keyClick(valueDate, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(valueDate, QStringLiteral("7"));
        QCOMPARE(valueDate->text(), QStringLiteral("7"));

        workbook_ = kOds;
        click("JvXPButton1");
        QCOMPARE(dialogOver_, window_);
        // Right after the file dialog closes no window is active yet.
        QApplication::setActiveWindow(nullptr);
        QWidget* boxOver = nullptr;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            boxOver = box->parentWidget();
            QTest::keyClick(box, Qt::Key_Return);
        });
        boxes.notify(core::Notice{QStringLiteral("Tablo aktarıldı!")});
        QCOMPARE(boxOver, window_);

        // The user goes to the main window and back with its button.
        main_->window().windowHandle()->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), main_->window().windowHandle());
        QTest::mouseClick(importButton, Qt::LeftButton);
        QVERIFY(window_->isVisible());
        QCOMPARE(valueDate->text(), QStringLiteral("7"));

        click("JvXPButton3");
        QVERIFY(!window_->isVisible());
        QTest::mouseClick(importButton, Qt::LeftButton);
        QCOMPARE(valueDate->text(), QStringLiteral("1"));  // as stored
    }

    void fieldsTakeDigitsAndEnterMovesOn() {
        window_->open();
        QLineEdit* start = field("JvDotNetEdit20");
        start->clear();
        start->setFocus();
        QTest::keyClicks(start, QStringLiteral("a1x23456"));
        QCOMPARE(start->text(), QStringLiteral("12345"));
        QTest::keyClick(start, Qt::Key_Return);
        QCOMPARE(window_->focusWidget(), field("JvDotNetEdit21"));
    }

    void enterWalksTheGridRowByRow() {
        window_->open();
        workbook_ = kOds;
        click("JvXPButton1");
        QTableView* view = grid();
        view->setFocus();
        QAbstractItemModel* model = view->model();
        view->setCurrentIndex(model->index(0, 4));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(view->currentIndex(), model->index(0, 5));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(view->currentIndex(), model->index(1, 0));
        view->setCurrentIndex(model->index(10, 5));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(view->currentIndex(), model->index(10, 0));  // the last row stays
        // Typing opens the editor; Enter keeps the text and moves on.
        QTest::keyClick(view, Qt::Key_D);
        QTest::keyClicks(window_->focusWidget(), QStringLiteral("uzeltme"));
        QTest::keyClick(window_->focusWidget(), Qt::Key_Return);
        QCOMPARE(model->index(10, 0).data().toString(), QStringLiteral("duzeltme"));
        QCOMPARE(view->currentIndex(), model->index(10, 1));
    }

    // An empty sheet, or a value-date column that holds no dates: one message naming the
    // cell, and the table and totals on screen stay as they were.
    void aTransferThatCannotGoThroughTellsOnceAndChangesNothing() {
        main_->typeWorkedExample();
        const QString totalInterest = main_->text("toplamfaizEdit");
        QVERIFY(!totalInterest.isEmpty());
        const QString description = main_->cell(3, 1);
        window_->open();
        workbook_ = kOds;
        click("JvXPButton1");
        struct Case {
            bool emptyPreview;
            const char* valueDateColumn;
            const char* message;
        };
        const Case cases[] = {
            {true, "1",
             "1. satır, 1. sütun (Valör Tarihi Sütunu): boş. 1. satırdan 20. satıra kadar "
             "hiçbir satırda valör tarihi yok."},
            {false, "3",
             "1. satır, 3. sütun (Valör Tarihi Sütunu): \"Açıklama\" geçerli bir tarih değil."},
        };
        for (const Case& c : cases) {
            if (c.emptyPreview) click("JvXPButton7");
            field("JvDotNetEdit19")->setText(QString::fromLatin1(c.valueDateColumn));
            field("JvDotNetEdit20")->setText(QStringLiteral("1"));
            field("JvDotNetEdit21")->setText(QStringLiteral("20"));
            main_->dialogs().clear();
            click("JvXPButton2");
            QCOMPARE(main_->dialogs().texts().size(), 1);
            QVERIFY2(main_->dialogs().texts()[0].startsWith(QString::fromUtf8(c.message)),
                     qPrintable(main_->dialogs().texts()[0]));
            QVERIFY(window_->isVisible());
            QCOMPARE(main_->cell(3, 1), description);
            QCOMPARE(main_->text("toplamfaizEdit"), totalInterest);
            if (c.emptyPreview) {
                workbook_ = kOds;
                click("JvXPButton1");
            }
        }
    }

    // A transfer of no rows empties the table, and with it the totals on screen.
    void theTotalsShownBelongToTheTransferredTable() {
        main_->typeWorkedExample();
        QVERIFY(!main_->text("toplamfaizEdit").isEmpty());
        window_->open();
        workbook_ = kOds;
        click("JvXPButton1");
        field("JvDotNetEdit20")->setText(QStringLiteral("3"));
        field("JvDotNetEdit21")->setText(QStringLiteral("2"));
        click("JvXPButton2");
        QVERIFY(!window_->isVisible());
        QCOMPARE(main_->table().rowCount(), 3);
        for (const char* total : {"kreditoplamtutariEdit", "toplamfaizEdit", "toplamKKDFEdit"}) {
            QCOMPARE(main_->text(total), QString());
        }
    }

    void newFileEmptiesRowsAndCloseHidesWithoutStoring() {
        window_->open();
        workbook_ = kOds;
        click("JvXPButton1");
        click("JvXPButton7");
        QAbstractItemModel* model = grid()->model();
        QCOMPARE(model->rowCount(), 11);
        QCOMPARE(model->index(0, 0).data().toString(), QString());
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("1"));
        QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QString());
        field("JvDotNetEdit20")->setText(QStringLiteral("7"));
        click("JvXPButton3");
        QVERIFY(!window_->isVisible());
        QCOMPARE(storage::ReadImportSettings(settingsPath()).firstRow, QString());
    }
};

QTEST_MAIN(ImportWindowTest)
#include "ui_import_window_test.moc"
