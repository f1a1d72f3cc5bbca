// The transaction table's behaviour under real key and mouse events.
#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "MainWindowFixture.h"
#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"
#include "core/TransactionTable.h"
#include "ui/mainwindow/FixedCellHeader.h"
#include "ui/mainwindow/GridCellDelegate.h"

using testing_ui::MainWindowFixture;
namespace col = core::col;

class GridTest : public QObject {
    Q_OBJECT
  private slots:
    void amountIsGroupedWhileTyped_data();
    void amountIsGroupedWhileTyped();
    void amountColumnsRefuseOtherCharacters_data();
    void amountColumnsRefuseOtherCharacters();
    void enterWalksAcrossTheRow();
    void enterInRateColumnGoesToNextRowOrStays();
    void descriptionKeyOpensEntryRowOnceValueDateTyped();
    void dateMaskKeepsCharacterPositions();
    void upOnFirstRowRecalculatesAndStays();
    void upAndDownRecalculateTheRowLeft();
    void tabAndRightStopBeforeComputedColumns();
    void clickOnComputedColumnKeepsCurrentCell();
    void focusLeavingGridRecalculates();
    void workedExampleShowsItsTotals();
    void cellsArePaintedByRowParity();
    void computedColumnsNeverShow();
    void draggedRowAndColumnCarryTheirCells();
    void recalculateAllWalksEveryRowAfterADragOntoAComputedColumn();
    void popupMenuCaptionsAndShortcuts();
    void shiftInsertInEditorInsertsRow();
    void badDateShowsMessageAndMoveStands();
    void keyboardReachesTheCellAfterMessageBox_data();
    void keyboardReachesTheCellAfterMessageBox();
    void clickIntoDateEditorTypesFromFirstBlank();
    void rightClickOnCurrentCellOpensTableMenu();
    void ctrlHomeAndEndGoToFirstAndLastRow();
    void amountStopsAtFifteenDigits();
    void figuresTooWideForTheirCellShowAMarkAndATooltip();
    void ctrlTabLeavesTheGridBothWays();
    void headerCaptionsKeepClearOfTheirBorders();
    void dateTypedAfterResetFromADateCellIsTaken();
};

void GridTest::amountIsGroupedWhileTyped_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("integer") << "1234567" << QStringList{"1",      "12",      "123",      "1.234",
                                                         "12.345", "123.456", "1.234.567"};
    QTest::newRow("decimals stop the grouping")
        << "1234,56" << QStringList{"1", "12", "123", "1.234", "1.234,", "1.234,5", "1.234,56"};
    QTest::newRow("backspace regroups")
        << "1234\b" << QStringList{"1", "12", "123", "1.234", "123"};
}

void GridTest::amountIsGroupedWhileTyped() {
    QFETCH(QString, keys);
    QFETCH(QStringList, shown);
    MainWindowFixture f;
    for (int column : {col::Drawn, col::Rate}) {
        f.clickCell(column, 1);
        QStringList seen;
        for (QChar k : keys) {
            if (k == QLatin1Char('\b')) {
                f.key(Qt::Key_Backspace);
            } else {
                f.type(QString(k));
            }
            seen << f.editorText();
            QCOMPARE(f.cell(column, 1), f.editorText());
        }
        QCOMPARE(seen, shown);
        QCOMPARE(f.grid().cellEditor()->cursorPosition(), f.editorText().size());
        QVERIFY(!f.grid().decimalKeyFlag());
    }
}

void GridTest::amountColumnsRefuseOtherCharacters_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    for (int column : {col::Drawn, col::Repaid, col::InterestPaid, col::Rate}) {
        QTest::addRow("column %d", column) << column << "-1 2.a5"
                                           << "125";
    }
    QTest::newRow("description takes anything") << int(col::Description) << "-1 2.a"
                                                << "-1 2.a";
}

void GridTest::amountColumnsRefuseOtherCharacters() {
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    MainWindowFixture f;
    f.clickCell(column, 1);
    f.type(typed);
    QCOMPARE(f.cell(column, 1), expected);
}

void GridTest::enterWalksAcrossTheRow() {
    MainWindowFixture f;
    f.clickCell(col::TransactionDate, 1);
    for (int column = col::TransactionDate; column < col::Rate; ++column) {
        QCOMPARE(f.table().currentColumn(), column);
        f.key(Qt::Key_Return);
        QCOMPARE(f.table().currentRow(), 1);
    }
    QCOMPARE(f.table().currentColumn(), int(col::Rate));
    QCOMPARE(f.focus(), f.grid().cellEditor());
}

void GridTest::enterInRateColumnGoesToNextRowOrStays() {
    MainWindowFixture f;
    f.calc().table().setRowCount(3);
    f.grid().showTable();
    f.clickCell(col::Rate, 1);
    f.key(Qt::Key_Return);
    QCOMPARE(f.table().currentColumn(), int(col::TransactionDate));
    QCOMPARE(f.table().currentRow(), 2);
    f.clickCell(col::Rate, 2);
    f.key(Qt::Key_Return);
    QCOMPARE(f.table().currentColumn(), int(col::TransactionDate));
    QCOMPARE(f.table().currentRow(), 2);
}

void GridTest::descriptionKeyOpensEntryRowOnceValueDateTyped() {
    MainWindowFixture f;
    f.clickCell(col::Description, 1);
    f.type(QStringLiteral("a"));
    QCOMPARE(f.table().rowCount(), 2);  // no value date: no new row

    f.clickCell(col::ValueDate, 1);
    f.type(QStringLiteral("01032019"));
    f.key(Qt::Key_Return);
    QCOMPARE(f.table().currentColumn(), int(col::Description));
    f.type(QStringLiteral("b"));
    QCOMPARE(f.table().rowCount(), 3);
    QCOMPARE(f.cell(col::Number, 2), QStringLiteral("2"));
    QCOMPARE(f.grid().tableModel().rowCount(), 2);
    QCOMPARE(f.grid().tableModel().headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
    f.type(QStringLiteral("c"));
    QCOMPARE(f.table().rowCount(), 3);  // only the last row opens another
}

void GridTest::dateMaskKeepsCharacterPositions() {
    MainWindowFixture f;
    f.clickCell(col::TransactionDate, 1);
    QCOMPARE(f.cell(col::TransactionDate, 1), QString());  // an untouched mask is empty
    f.type(QStringLiteral("0503"));
    QCOMPARE(f.cell(col::TransactionDate, 1), QStringLiteral("05.03.    "));
    f.key(Qt::Key_Return);  // the recalculation completes the year from the calculation date
    const QString year = QString::number(f.calc().inputs().calculationDate.year());
    QCOMPARE(f.cell(col::TransactionDate, 1), QStringLiteral("05.03.") + year);
    QCOMPARE(f.cell(col::ValueDate, 1), QStringLiteral("05.03.") + year);
    QCOMPARE(f.editorText(), QStringLiteral("05.03.") + year);
}

void GridTest::upOnFirstRowRecalculatesAndStays() {
    MainWindowFixture f;
    f.clickCell(col::TransactionDate, 1);
    f.type(QStringLiteral("01032019"));
    f.key(Qt::Key_Up);
    QCOMPARE(f.table().currentRow(), 1);
    QCOMPARE(f.table().currentColumn(), int(col::TransactionDate));
    QCOMPARE(f.cell(col::ValueDate, 1), QStringLiteral("01.03.2019"));  // copied: recalculated
}

void GridTest::upAndDownRecalculateTheRowLeft() {
    MainWindowFixture f;
    f.calc().table().setRowCount(3);
    f.grid().showTable();
    f.clickCell(col::Drawn, 2);
    f.type(QStringLiteral("01032019"));  // refused: digits only go to the amount
    f.clickCell(col::TransactionDate, 2);
    f.type(QStringLiteral("01032019"));
    f.key(Qt::Key_Down);  // no row below: only the recalculation
    QCOMPARE(f.table().currentRow(), 2);
    QCOMPARE(f.cell(col::ValueDate, 2), QStringLiteral("01.03.2019"));
    QCOMPARE(f.cell(col::Drawn, 2), QStringLiteral("1.032.019,00"));
    f.key(Qt::Key_Up);
    QCOMPARE(f.table().currentRow(), 1);
    QCOMPARE(f.table().currentColumn(), int(col::TransactionDate));
}

void GridTest::tabAndRightStopBeforeComputedColumns() {
    MainWindowFixture f;
    f.clickCell(col::InterestPaid, 1);
    f.key(Qt::Key_Tab);
    QCOMPARE(f.table().currentColumn(), int(col::Rate));
    f.key(Qt::Key_Tab);
    QCOMPARE(f.table().currentColumn(), int(col::Rate));
    f.key(Qt::Key_Right);
    QCOMPARE(f.table().currentColumn(), int(col::Rate));
    f.key(Qt::Key_Backtab);
    QCOMPARE(f.table().currentColumn(), int(col::InterestPaid));
    // Left leaves the cell only from the start of its text.
    f.type(QStringLiteral("12"));
    f.key(Qt::Key_Left);
    QCOMPARE(f.table().currentColumn(), int(col::InterestPaid));
    f.key(Qt::Key_Left);
    f.key(Qt::Key_Left);
    QCOMPARE(f.table().currentColumn(), int(col::Repaid));
}

void GridTest::clickOnComputedColumnKeepsCurrentCell() {
    MainWindowFixture f;
    f.clickCell(col::Description, 1);
    for (int column : {col::CreditBalance, col::InterestBalance}) {
        f.clickCell(column, 1);
        QCOMPARE(f.table().currentColumn(), int(col::Description));
        QCOMPARE(f.table().currentRow(), 1);
    }
    QCOMPARE(f.focus(), f.grid().cellEditor());
}

void GridTest::focusLeavingGridRecalculates() {
    MainWindowFixture f;
    f.clickCell(col::TransactionDate, 1);
    f.type(QStringLiteral("01032019"));
    f.key(Qt::Key_Tab);
    f.key(Qt::Key_Tab);
    f.key(Qt::Key_Tab);
    f.type(QStringLiteral("100"));
    f.focusOn(f.field("rotatifadiEdit"));
    QCOMPARE(f.cell(col::Drawn, 1), QStringLiteral("100,00"));
    QCOMPARE(f.cell(col::CreditBalance, 1), QStringLiteral("100,00"));
    QCOMPARE(f.editorText(), QStringLiteral("100,00"));
}

void GridTest::workedExampleShowsItsTotals() {
    MainWindowFixture f;
    f.typeWorkedExample();
    QCOMPARE(f.dialogs().texts(), QStringList());
    const QStringList row2 = {f.cell(col::Rate, 2),           f.cell(col::Days, 2),
                              f.cell(col::InterestNumber, 2), f.cell(col::PeriodInterest, 2),
                              f.cell(col::PeriodTax, 2),      f.cell(col::CreditBalance, 2),
                              f.cell(col::InterestBalance, 2)};
    QCOMPARE(row2, (QStringList{"24", "30", "3.000,00", "2,00", "0,10", "100,00", "2,10"}));
    const QStringList totals = {f.text("kreditoplamtutariEdit"), f.text("odemetoplamtutariEdit"),
                                f.text("kredibakiyeEdit"),       f.text("toplamfaizEdit"),
                                f.text("odenenfaizkkdfEdit"),    f.text("odenmemisfaizkkdfEdit"),
                                f.text("toplamKKDFEdit"),        f.text("JvDotNetEdit1")};
    QCOMPARE(totals,
             (QStringList{"100,00", "0,00", "100,00", "2,00", "0,00", "2,10", "0,10", "3.000,00"}));
    QCOMPARE(f.text("aylikfaizNetEdit"), QStringLiteral("2"));
}

void GridTest::cellsArePaintedByRowParity() {
    MainWindowFixture f;
    f.calc().table().setRowCount(4);
    f.calc().table().setCell(col::Description, 2, QStringLiteral("xxxxxxxxxxxxxxxxxxxxxxxxxxxx"));
    f.grid().showTable();
    f.clickCell(col::Drawn, 1);
    const QImage image = f.grid().viewport()->grab().toImage();
    for (int row = 1; row <= 3; ++row) {
        for (int column : {col::TransactionDate, col::Description, col::CreditBalance}) {
            const QRect rect = f.grid().visualRect(f.grid().tableModel().indexOfCell(column, row));
            const QColor expected = row % 2 ? QColor(249, 255, 225) : QColor(223, 235, 255);
            QCOMPARE(image.pixelColor(rect.right() - 2, rect.bottom() - 1), expected);
        }
    }
    QCOMPARE(f.grid()
                 .tableModel()
                 .data(f.grid().tableModel().indexOfCell(col::ValueDate, 1), Qt::ForegroundRole)
                 .value<QColor>(),
             QColor(0, 0, 255));
}

void GridTest::computedColumnsNeverShow() {
    MainWindowFixture f;
    for (int column = col::TransactionDate; column <= col::SortKey; ++column) {
        const bool hidden = column == col::Days || column == col::PeriodInterest ||
                            column == col::PeriodTax || column == col::InterestNumber ||
                            column == col::SortKey;
        QCOMPARE(f.grid().isColumnHidden(column - 1), hidden);
    }
    f.window().findChild<QWidget*>("BitBtn1")->setFocus();
    QMetaObject::invokeMethod(f.window().findChild<QWidget*>("BitBtn1"), "click");
    for (int column : {col::Days, col::PeriodInterest, col::PeriodTax, col::InterestNumber}) {
        QVERIFY(f.grid().isColumnHidden(column - 1));
    }
}

void GridTest::draggedRowAndColumnCarryTheirCells() {
    MainWindowFixture f;
    auto& table = f.calc().table();
    table.setRowCount(4);
    for (int r = 1; r <= 3; ++r) {
        table.setCell(col::Number, r, QString::number(r));
        table.setCell(col::Description, r, QStringLiteral("row %1").arg(r));
    }
    f.grid().showTable();
    f.grid().verticalHeader()->moveSection(0, 2);  // row 1 dropped at row 3
    QCOMPARE(f.cell(col::Description, 3), QStringLiteral("row 1"));
    QCOMPARE(f.cell(col::Number, 3), QStringLiteral("1"));  // not renumbered
    QCOMPARE(f.cell(col::Description, 1), QStringLiteral("row 2"));
    QCOMPARE(f.grid().verticalHeader()->visualIndex(0), 0);

    f.grid().horizontalHeader()->moveSection(col::Description - 1, col::Drawn - 1);
    QCOMPARE(f.cell(col::Drawn, 0), QStringLiteral("Açıklama"));
    QCOMPARE(f.cell(col::Drawn, 3), QStringLiteral("row 1"));
    QCOMPARE(f.cell(col::Description, 0), QStringLiteral("Dorud Tutarı"));
    QCOMPARE(f.grid().columnWidth(col::Drawn - 1), 200);  // the width went with it
    QCOMPARE(f.grid().horizontalHeader()->visualIndex(col::Drawn - 1), col::Drawn - 1);
}

// Dropping "Dorud Bakiye" before "Yıllık Faiz" with the mouse carries the rate's cells, and
// the current cell with them, on to column 8, which the user can never enter. "YENİDEN
// HESAPLA" must still walk every row and compute what it computes from any other column.
void GridTest::recalculateAllWalksEveryRowAfterADragOntoAComputedColumn() {
    MainWindowFixture f;
    f.typeWorkedExample();
    f.clickCell(col::Rate, 1);
    QHeaderView* header = f.grid().horizontalHeader();
    const auto centreOf = [&](int tableColumn) {
        const int section = tableColumn - 1;
        return QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                      header->height() / 2);
    };
    const QPoint from = centreOf(col::CreditBalance);
    const QPoint to = centreOf(col::Rate) - QPoint(header->sectionSize(col::Rate - 1) / 4, 0);
    QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    for (int step = 1; step <= 10; ++step) {
        QTest::mouseMove(header->viewport(), from + (to - from) * step / 10);
    }
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    QCOMPARE(f.cell(col::Rate, 0), QStringLiteral("Dorud Bakiye"));
    QCOMPARE(f.cell(col::Days, 0), QStringLiteral("Yıllık Faiz"));
    QCOMPARE(f.table().currentColumn(), int(col::Days));

    // The same calculation recalculated from an input column.
    core::RecordingDialogs dialogs;
    core::Calculation fromInputColumn(dialogs);
    fromInputColumn.table() = f.calc().table();
    fromInputColumn.inputs() = f.calc().inputs();
    fromInputColumn.totals() = f.calc().totals();
    fromInputColumn.table().setCurrentCellQuietly(col::TransactionDate, 1);
    core::RecalculateAll(fromInputColumn);

    QTest::mouseClick(f.window().findChild<QAbstractButton*>("BitBtn1"), Qt::LeftButton);
    QCOMPARE(f.table().currentRow(), f.table().rowCount() - 1);
    QCOMPARE(f.table().currentColumn(), int(col::Days));
    for (int r = 0; r < f.table().rowCount(); ++r) {
        QCOMPARE(f.table().row(r), fromInputColumn.table().row(r));
    }
    QVERIFY(f.calc().totals() == fromInputColumn.totals());
    QCOMPARE(f.text("toplamfaizEdit"), fromInputColumn.totals().totalInterest);
    QVERIFY(f.dialogs().notices().empty());
}

void GridTest::popupMenuCaptionsAndShortcuts() {
    MainWindowFixture f;
    QStringList captions;
    QStringList shortcuts;
    for (QAction* action : f.window().popupMenu().actions()) {
        captions << action->text();
        shortcuts << action->shortcut().toString();
    }
    // The table's own commands first, then undo, redo and the clipboard.
    QCOMPARE(captions, (QStringList{"  Satır Ekle   ", "  Satır Sil   ", "  Yeniden Hesapla",
                                    "  Sıfırla", "  Kayıtları Sırala", "", "Geri Al", "Yinele", "",
                                    "Kopyala", "Yapıştır"}));
    QCOMPARE(shortcuts, (QStringList{"Shift+Ins", "Shift+Del", "F3", "F7", "", "", "Ctrl+Z",
                                     "Ctrl+Y", "", "Ctrl+C", "Ctrl+V"}));
}

void GridTest::shiftInsertInEditorInsertsRow() {
    MainWindowFixture f;
    f.clickCell(col::Description, 1);
    f.type(QStringLiteral("x"));
    f.key(Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(f.table().rowCount(), 3);
    QCOMPARE(f.cell(col::Description, 2), QStringLiteral("x"));
    QCOMPARE(f.cell(col::Description, 1), QString());
    QCOMPARE(f.grid().tableModel().rowCount(), 2);
    // F7 asks before it empties the table; answered No, nothing changes.
    f.key(Qt::Key_F7);
    QCOMPARE(f.dialogs().questions().back().text,
             QStringLiteral("Dosyayı Boşaltmak istediğinizden eminmisiniz?"));
    QCOMPARE(f.table().rowCount(), 3);
}

void GridTest::badDateShowsMessageAndMoveStands() {
    MainWindowFixture f;
    f.clickCell(col::TransactionDate, 1);
    f.type(QStringLiteral("0101"));
    f.key(Qt::Key_Right);  // the caret is not at the end: stays in the cell
    f.calc().inputs().calculationDate = QDate(1904, 1, 1);
    f.key(Qt::Key_Tab);
    QCOMPARE(f.dialogs().texts(),
             QStringList{QStringLiteral("\"01.01.1904\" tarih girişiniz uygun değil!")});
    QCOMPARE(f.cell(col::TransactionDate, 1), QString());
    QCOMPARE(f.table().currentColumn(), int(col::ValueDate));
    QCOMPARE(f.focus(), f.grid().cellEditor());
}

// What happens before a message box comes up from the grid.
enum class BoxCause { InvalidValueDate, OutOfRangeDate, ConversionError, DeleteQuestion };
Q_DECLARE_METATYPE(BoxCause)

void GridTest::keyboardReachesTheCellAfterMessageBox_data() {
    QTest::addColumn<BoxCause>("cause");
    QTest::addColumn<int>("answer");
    QTest::newRow("invalid value date") << BoxCause::InvalidValueDate << int(Qt::Key_Return);
    QTest::newRow("date out of range") << BoxCause::OutOfRangeDate << int(Qt::Key_Return);
    QTest::newRow("conversion error") << BoxCause::ConversionError << int(Qt::Key_Return);
    QTest::newRow("delete answered Escape") << BoxCause::DeleteQuestion << int(Qt::Key_Escape);
}

void GridTest::keyboardReachesTheCellAfterMessageBox() {
    QFETCH(BoxCause, cause);
    QFETCH(int, answer);
    MainWindowFixture f;
    f.answerMessageBoxesWith(Qt::Key(answer));
    switch (cause) {
        case BoxCause::InvalidValueDate:
            f.clickCell(col::TransactionDate, 1);
            f.type(QStringLiteral("31022019"));
            f.key(Qt::Key_Return);
            break;
        case BoxCause::OutOfRangeDate:
            f.clickCell(col::TransactionDate, 1);
            f.type(QStringLiteral("0101"));
            f.calc().inputs().calculationDate = QDate(1904, 1, 1);
            f.key(Qt::Key_Return);
            break;
        case BoxCause::ConversionError:
            f.typeWorkedExample();
            f.calc().inputs().daysInYear.clear();
            f.clickCell(col::Description, 1);
            f.key(Qt::Key_Down);
            break;
        case BoxCause::DeleteQuestion:
            f.clickCell(col::TransactionDate, 1);
            f.type(QStringLiteral("01032019"));
            f.key(Qt::Key_Tab);
            f.key(Qt::Key_Delete, Qt::ShiftModifier);
            break;
    }
    QCOMPARE(f.dialogs().texts().size(), qsizetype(1));
    // The window manager gives the window back its activation once the box is gone.
    QApplication::setActiveWindow(&f.window());
    QVERIFY(QTest::qWaitForWindowActive(&f.window()));
    QApplication::processEvents();
    const int column = f.table().currentColumn();
    const int row = f.table().currentRow();
    QCOMPARE(f.focus(), f.grid().cellEditor());
    f.type(QStringLiteral("7"));
    QVERIFY2(f.cell(column, row).contains(QLatin1Char('7')), qPrintable(f.cell(column, row)));
}

// The editor of the current date cell is open from the start; a click in its middle
// must not leave the caret among the blanks.
void GridTest::clickIntoDateEditorTypesFromFirstBlank() {
    MainWindowFixture f;
    QLineEdit* editor = f.grid().cellEditor();
    QVERIFY(editor);
    QCOMPARE(f.table().currentColumn(), int(col::TransactionDate));
    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, editor->rect().center());
    f.type(QStringLiteral("01032019"));
    QCOMPARE(f.cell(col::TransactionDate, 1), QStringLiteral("01.03.2019"));

    // A click anywhere into a complete date selects it whole: the next date replaces it.
    for (const double at : {0.2, 0.5, 0.9}) {
        QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier,
                          QPoint(int(editor->width() * at), editor->height() / 2));
        f.type(QStringLiteral("15022020"));
        QCOMPARE(f.cell(col::TransactionDate, 1), QStringLiteral("15.02.2020"));
        QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier,
                          QPoint(int(editor->width() * at), editor->height() / 2));
        f.type(QStringLiteral("01032019"));
        QCOMPARE(f.cell(col::TransactionDate, 1), QStringLiteral("01.03.2019"));
    }
}

void GridTest::rightClickOnCurrentCellOpensTableMenu() {
    MainWindowFixture f;
    f.clickCell(col::Description, 1);
    QLineEdit* editor = f.grid().cellEditor();
    QWidget* opened = nullptr;
    QTimer::singleShot(0, [&] {
        opened = QApplication::activePopupWidget();
        if (opened) opened->close();
    });
    // Through the window, as the platform delivers it: the press brings the menu request.
    QTest::mouseClick(f.window().windowHandle(), Qt::RightButton, Qt::NoModifier,
                      editor->mapTo(&f.window(), editor->rect().center()));
    QTRY_VERIFY(opened != nullptr);
    QCOMPARE(opened, &f.window().popupMenu());
}

void GridTest::ctrlHomeAndEndGoToFirstAndLastRow() {
    MainWindowFixture f;
    f.calc().table().setRowCount(201);
    f.calc().table().renumber();
    f.grid().showTable();
    f.clickCell(col::Description, 1);
    f.type(QStringLiteral("abc"));
    f.key(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(f.table().currentRow(), 200);
    QCOMPARE(f.table().currentColumn(), int(col::Description));
    QCOMPARE(f.focus(), f.grid().cellEditor());
    f.key(Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(f.table().currentRow(), 1);
    // Home and End alone stay in the cell.
    f.key(Qt::Key_Home);
    QCOMPARE(f.table().currentRow(), 1);
    QCOMPARE(f.grid().cellEditor()->cursorPosition(), 0);
    f.key(Qt::Key_End);
    QCOMPARE(f.table().currentRow(), 1);
    QCOMPARE(f.grid().cellEditor()->cursorPosition(), 3);
}

// Past fifteen significant digits a number no longer holds what was typed.
void GridTest::amountStopsAtFifteenDigits() {
    MainWindowFixture f;
    f.clickCell(col::TransactionDate, 1);
    f.type(QStringLiteral("01032019"));
    f.clickCell(col::Drawn, 1);
    f.type(QStringLiteral("12345678901234567890"));
    QCOMPARE(f.editorText(), QStringLiteral("123.456.789.012.345"));
    f.clickCell(col::Repaid, 1);
    f.type(QStringLiteral("1234567890123,456"));
    QCOMPARE(f.editorText(), QStringLiteral("1.234.567.890.123,45"));
    f.clickCell(col::Description, 1);
    QCOMPARE(f.cell(col::Drawn, 1), QStringLiteral("123.456.789.012.345,00"));
    QCOMPARE(f.cell(col::CreditBalance, 1), QStringLiteral("122.222.221.122.221,55"));
}

// A figure is never shown with digits cut off: one too wide for its cell shows "###" and
// its tooltip gives it whole; a figure that fits, and a text, show as they are.
void GridTest::figuresTooWideForTheirCellShowAMarkAndATooltip() {
    MainWindowFixture f;
    f.calc().table().setRowCount(3);
    const struct {
        int column;
        QString text;
        bool marked;
    } cases[] = {
        {col::Drawn, QStringLiteral("987.654.321.098.765,99"), true},
        {col::CreditBalance, QStringLiteral("-100.000.004.956.000,01"), true},
        {col::InterestBalance, QStringLiteral("-1.000.004.956,01"), false},
        {col::Repaid, QStringLiteral("1.000,00"), false},
        {col::Description, QStringLiteral("Uzun bir açıklama metni, sütundan da uzun olan"), false},
    };
    for (const auto& c : cases) f.calc().table().setCell(c.column, 2, c.text);
    f.grid().showTable();
    f.clickCell(col::TransactionDate, 1);
    for (const auto& c : cases) {
        const QModelIndex index = f.grid().tableModel().indexOfCell(c.column, 2);
        const QRect rect = f.grid().visualRect(index);
        const auto alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
        const QString shown = ui::GridCellDelegate::shownText(c.text, QFontMetrics(f.grid().font()),
                                                              rect.width() - 4, alignment);
        QCOMPARE(shown.startsWith(QStringLiteral("###")), c.marked);
        if (!c.marked) QCOMPARE(shown, c.text);
        QHelpEvent help(QEvent::ToolTip, rect.center(),
                        f.grid().viewport()->mapToGlobal(rect.center()));
        QCoreApplication::sendEvent(f.grid().viewport(), &help);
        QCOMPARE(QToolTip::text() == c.text, c.marked);
    }
}

// Tab walks the cells, so Ctrl+Tab and Ctrl+Shift+Tab are the keyboard's way out of the grid
// to the controls after and before it; Tab from there goes on as usual.
void GridTest::ctrlTabLeavesTheGridBothWays() {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {Qt::Key_Tab, Qt::ControlModifier},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier},
    };
    for (const auto& c : cases) {
        MainWindowFixture f;
        f.clickCell(col::Description, 1);
        QWidget* inGrid = QApplication::focusWidget();
        QVERIFY(inGrid && (inGrid == &f.grid() || f.grid().isAncestorOf(inGrid)));
        QTest::keyClick(inGrid, c.key, c.modifiers);
        QWidget* now = QApplication::focusWidget();
        QVERIFY(now);
        QVERIFY2(now != &f.grid() && !f.grid().isAncestorOf(now), qPrintable(now->objectName()));
        QCOMPARE(f.calc().table().currentColumn(), col::Description);
    }
}

// Every column caption fits between its borders with a margin on each side.
void GridTest::headerCaptionsKeepClearOfTheirBorders() {
    MainWindowFixture f;
    QHeaderView* header = f.grid().horizontalHeader();
    for (int section = 0; section < header->count(); ++section) {
        if (header->isSectionHidden(section) || header->sectionSize(section) == 0) continue;
        const QString caption = f.grid().model()->headerData(section, Qt::Horizontal).toString();
        const int room = header->sectionSize(section) - 2 * ui::FixedCellHeader::kTextMargin;
        const QFont font = ui::FixedCellHeader::FontFitting(header->font(), caption, room);
        QVERIFY2(QFontMetrics(font).horizontalAdvance(caption) <= room, qPrintable(caption));
        const QFont usual = header->font();
        QVERIFY2(usual.pointSizeF() > 0 ? font.pointSizeF() >= usual.pointSizeF() - 1.5
                                        : font.pixelSize() >= usual.pixelSize() - 2,
                 qPrintable(caption));
    }
}

// F7 (or SIFIRLA) while a date cell is being typed in empties the table; the next date typed
// fills the emptied cell from its start instead of being dropped at the end of the mask.
void GridTest::dateTypedAfterResetFromADateCellIsTaken() {
    for (const char* before : {"15032019", "1503"}) {
        MainWindowFixture f;
        f.clickCell(col::TransactionDate, 1);
        f.type(QString::fromLatin1(before));
        f.dialogs().queueAnswer(core::DialogButton::Yes);
        f.key(Qt::Key_F7);
        QCOMPARE(f.cell(col::TransactionDate, 1), QString());
        QCOMPARE(f.table().currentColumn(), int(col::TransactionDate));
        f.type(QStringLiteral("01032019"));
        QCOMPARE(f.cell(col::TransactionDate, 1), QStringLiteral("01.03.2019"));
    }
}

QTEST_MAIN(GridTest)
#include "ui_grid_test.moc"
