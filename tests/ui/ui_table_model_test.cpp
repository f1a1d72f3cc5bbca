// The table model tells the view precisely what each command changed: the item-model
// contract holds throughout, a copy of the table kept only from the model's signals equals
// the table after every command, and only opening a file resets the model.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "MainWindowFixture.h"
#include "core/CellEntry.h"
#include "core/TransactionTable.h"
#include "storage/CalculationFile.h"
#include "ui/mainwindow/GridCellDelegate.h"

using testing_ui::MainWindowFixture;
namespace col = core::col;

namespace {

// What a view keeps of the model, brought up to date by the model's signals alone; also
// the names of the signals in the order they came, repeats folded.
class SignalShadow : public QObject {
  public:
    explicit SignalShadow(QAbstractItemModel& model) : model_(model) {
        readAll();
        connect(&model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                    note(QStringLiteral("dataChanged"));
                    for (int r = topLeft.row(); r <= bottomRight.row(); ++r) {
                        for (int c = topLeft.column(); c <= bottomRight.column(); ++c) {
                            cells_[r][c] = text(r, c);
                        }
                    }
                    changedRows.push_back({topLeft.row(), bottomRight.row()});
                    changedCells += (bottomRight.row() - topLeft.row() + 1) *
                                    (bottomRight.column() - topLeft.column() + 1);
                });
        connect(&model, &QAbstractItemModel::headerDataChanged, this,
                [this](Qt::Orientation orientation, int first, int last) {
                    note(QStringLiteral("headerDataChanged"));
                    auto& texts = orientation == Qt::Vertical ? numbers_ : captions_;
                    for (int s = first; s <= last; ++s) texts[s] = header(orientation, s);
                });
        connect(&model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int last) {
                    note(QStringLiteral("rowsInserted"));
                    for (int r = first; r <= last; ++r) {
                        cells_.insert(r, readRow(r));
                        numbers_.insert(r, header(Qt::Vertical, r));
                    }
                });
        connect(&model, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex&, int first, int last) {
                    note(QStringLiteral("rowsRemoved"));
                    cells_.remove(first, last - first + 1);
                    numbers_.remove(first, last - first + 1);
                });
        connect(&model, &QAbstractItemModel::rowsMoved, this,
                [this](const QModelIndex&, int start, int end, const QModelIndex&, int row) {
                    note(QStringLiteral("rowsMoved"));
                    moveBlock(cells_, start, end, row);
                    moveBlock(numbers_, start, end, row);
                });
        connect(&model, &QAbstractItemModel::columnsMoved, this,
                [this](const QModelIndex&, int start, int end, const QModelIndex&, int column) {
                    note(QStringLiteral("columnsMoved"));
                    for (auto& row : cells_) moveBlock(row, start, end, column);
                    moveBlock(captions_, start, end, column);
                });
        connect(&model, &QAbstractItemModel::modelReset, this, [this] {
            note(QStringLiteral("modelReset"));
            readAll();
        });
        connect(&model, &QAbstractItemModel::layoutChanged, this,
                [this] { note(QStringLiteral("layoutChanged")); });
    }

    // True when the kept copy equals the model as it is now.
    bool matchesModel() const {
        SignalShadow fresh(model_);
        return fresh.cells_ == cells_ && fresh.numbers_ == numbers_ && fresh.captions_ == captions_;
    }

    void clear() {
        names.clear();
        changedRows.clear();
        changedCells = 0;
    }

    QStringList names;
    QList<std::pair<int, int>> changedRows;  // the rows of each dataChanged
    long changedCells = 0;

  private:
    QString text(int row, int column) const {
        return model_.data(model_.index(row, column)).toString();
    }
    QString header(Qt::Orientation orientation, int section) const {
        return model_.headerData(section, orientation).toString();
    }
    QStringList readRow(int row) const {
        QStringList texts;
        for (int c = 0; c < model_.columnCount(); ++c) texts.push_back(text(row, c));
        return texts;
    }
    void readAll() {
        cells_.clear();
        numbers_.clear();
        captions_.clear();
        for (int r = 0; r < model_.rowCount(); ++r) {
            cells_.push_back(readRow(r));
            numbers_.push_back(header(Qt::Vertical, r));
        }
        for (int c = 0; c < model_.columnCount(); ++c) {
            captions_.push_back(header(Qt::Horizontal, c));
        }
    }
    void note(const QString& name) {
        if (names.isEmpty() || names.back() != name) names.push_back(name);
    }
    template <typename List>
    static void moveBlock(List& list, int start, int end, int destination) {
        const List block = list.mid(start, end - start + 1);
        list.remove(start, end - start + 1);
        const int at = destination > start ? destination - int(block.size()) : destination;
        for (int i = 0; i < block.size(); ++i) list.insert(at + i, block[i]);
    }

    QAbstractItemModel& model_;
    QList<QStringList> cells_;
    QStringList numbers_;
    QStringList captions_;
};

// `rows` movements on scattered dates, one drawing, repayment or interest payment each.
void fillTable(core::Calculation& calc, int rows) {
    calc.inputs().annualRate = QStringLiteral("24");
    calc.inputs().bsmvRate = QStringLiteral("5");
    calc.inputs().daysInYear = QStringLiteral("360");
    auto& table = calc.table();
    table.setRowCount(rows + 2);
    const QDate first(2019, 1, 1);
    const QString amounts[] = {QStringLiteral("1.000,00"), QStringLiteral("400,50"),
                               QStringLiteral("25,00")};
    for (int r = 1; r <= rows + 1; ++r) table.setCell(col::Number, r, QString::number(r));
    for (int r = 1; r <= rows; ++r) {
        const QString date = first.addDays((r * 37) % rows).toString(QStringLiteral("dd.MM.yyyy"));
        table.setCell(col::TransactionDate, r, date);
        table.setCell(col::ValueDate, r, date);
        table.setCell(col::Description, r, QStringLiteral("Hareket %1").arg(r));
        table.setCell(col::Drawn + r % 3, r, amounts[r % 3]);
    }
}

// The window with a recalculated table of `rows` movements and an entry row.
void openWindowOn(MainWindowFixture& f, int rows) {
    fillTable(f.calc(), rows);
    f.window().recalculateAll();
}

using Command = std::function<void(MainWindowFixture&)>;

}  // namespace

Q_DECLARE_METATYPE(Command)

class TableModelTest : public QObject {
    Q_OBJECT
  private slots:
    void commandsSignalWhatChanged_data();
    void commandsSignalWhatChanged();
    void messageBoxDuringCommandSeesTheTableAsItIs();
    void keystrokeInLongTableTouchesOneCell();
    void answersOnlyForTheTable();
};

void TableModelTest::commandsSignalWhatChanged_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<QStringList>("expected");
    const auto signalsOf = [](const char* names) {
        return QString::fromLatin1(names).split(QLatin1Char(' '));
    };
    QTest::newRow("typing") << Command([](MainWindowFixture& f) {
        f.goToCell(col::Description, 3);
        f.type(QStringLiteral("abc"));
    }) << signalsOf("dataChanged");
    QTest::newRow("row move recalculates the row left") << Command([](MainWindowFixture& f) {
        f.goToCell(col::Repaid, 3);
        f.type(QStringLiteral("7"));
        f.key(Qt::Key_Down);
    }) << signalsOf("dataChanged");
    QTest::newRow("entry row") << Command([](MainWindowFixture& f) {
        f.goToCell(col::TransactionDate, 11);
        f.type(QStringLiteral("01032019"));
        f.key(Qt::Key_Return);
        f.key(Qt::Key_Return);
        f.type(QStringLiteral("x"));
    }) << signalsOf("dataChanged rowsInserted dataChanged headerDataChanged");
    QTest::newRow("insert row") << Command([](MainWindowFixture& f) {
        f.goToCell(col::Description, 4);
        f.key(Qt::Key_Insert, Qt::ShiftModifier);
    }) << signalsOf("rowsInserted rowsMoved dataChanged headerDataChanged");
    QTest::newRow("delete row") << Command([](MainWindowFixture& f) {
        f.goToCell(col::Description, 4);
        f.dialogs().queueAnswer(core::DialogButton::Yes);
        f.key(Qt::Key_Delete, Qt::ShiftModifier);
    }) << signalsOf("rowsRemoved dataChanged headerDataChanged");
    QTest::newRow("sort") << Command([](MainWindowFixture& f) { f.window().sortRows(); })
                          << signalsOf("dataChanged headerDataChanged");
    QTest::newRow("recalculate all") << Command([](MainWindowFixture& f) {
        f.focusOn(f.field("yildakigunEdit"));
        f.field("yildakigunEdit")->selectAll();
        f.type(QStringLiteral("365"));
        f.window().recalculateAll();
    }) << signalsOf("dataChanged");
    QTest::newRow("open") << Command([](MainWindowFixture& f) {
        core::RecordingDialogs dialogs;
        core::Calculation other(dialogs);
        fillTable(other, 25);
        f.files().openPath = f.folder() + QStringLiteral("other.fdr");
        QVERIFY(storage::WriteCalculationFile(other, *f.files().openPath).ok);
        f.window().openCalculation();
        QCOMPARE(f.table().rowCount(), 27);
    }) << signalsOf("modelReset dataChanged");
    QTest::newRow("column move") << Command([](MainWindowFixture& f) {
        f.grid().horizontalHeader()->moveSection(col::Description - 1, col::Repaid - 1);
    }) << signalsOf("columnsMoved");
    QTest::newRow("row drag") << Command([](MainWindowFixture& f) {
        f.grid().verticalHeader()->moveSection(1, 6);
    }) << signalsOf("rowsMoved");
    QTest::newRow("reset") << Command([](MainWindowFixture& f) {
        f.dialogs().queueAnswer(core::DialogButton::Yes);
        f.key(Qt::Key_F7);
        QCOMPARE(f.table().rowCount(), 2);
    }) << signalsOf("rowsRemoved dataChanged headerDataChanged");
}

void TableModelTest::commandsSignalWhatChanged() {
    QFETCH(Command, command);
    QFETCH(QStringList, expected);
    MainWindowFixture f;
    openWindowOn(f, 10);
    auto& model = f.grid().tableModel();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    SignalShadow shadow(model);

    command(f);
    if (QTest::currentTestFailed()) return;

    QCOMPARE(shadow.names, expected);
    QVERIFY(shadow.matchesModel());
    QCOMPARE(f.grid().verticalHeader()->count(), f.table().rowCount() - 1);
    const int column = f.table().currentColumn();
    if (core::TakesInput(column) && f.grid().cellEditor()) {
        QCOMPARE(ui::GridCellDelegate::cellTextOf(*f.grid().cellEditor()),
                 f.cell(column, f.table().currentRow()));
    }
}

// A message box shown in the middle of a command, after the table lost a row: the view
// already has one row fewer while the box is up, and paints from the table as it is.
void TableModelTest::messageBoxDuringCommandSeesTheTableAsItIs() {
    MainWindowFixture f;
    openWindowOn(f, 10);
    auto& model = f.grid().tableModel();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    SignalShadow shadow(model);
    f.goToCell(col::Description, 11);      // the empty entry row goes without a question
    f.calc().inputs().daysInYear.clear();  // the recalculation that follows fails
    f.answerMessageBoxesWith(Qt::Key_Return);

    int rowsShownDuringBox = -1;
    bool shadowMatchedDuringBox = false;
    QTimer::singleShot(0, [&] {
        if (!QApplication::activeModalWidget()) return;
        f.grid().viewport()->repaint();
        rowsShownDuringBox = f.grid().verticalHeader()->count();
        shadowMatchedDuringBox = shadow.matchesModel();
    });
    f.key(Qt::Key_Delete, Qt::ShiftModifier);

    QCOMPARE(f.dialogs().texts().size(), qsizetype(1));
    QCOMPARE(f.table().rowCount(), 11);
    QCOMPARE(rowsShownDuringBox, 10);
    QVERIFY(shadowMatchedDuringBox);
    QVERIFY(shadow.matchesModel());
    QVERIFY(!shadow.names.contains(QStringLiteral("modelReset")));
}

// A keystroke and a row move in a long table tell the view of the cells they changed; the
// rows are never reset.
void TableModelTest::keystrokeInLongTableTouchesOneCell() {
    MainWindowFixture f;
    openWindowOn(f, 6500);
    SignalShadow shadow(f.grid().tableModel());
    f.goToCell(col::Repaid, 3000);
    shadow.clear();

    f.type(QStringLiteral("5"));
    QCOMPARE(shadow.names, QStringList{QStringLiteral("dataChanged")});
    QCOMPARE(shadow.changedCells, 1L);

    shadow.clear();
    f.key(Qt::Key_Down);
    QCOMPARE(shadow.names, QStringList{QStringLiteral("dataChanged")});
    for (const auto& [first, last] : shadow.changedRows) {
        QVERIFY(first >= 2998 && last <= 3000);
    }
    QVERIFY(shadow.matchesModel());
}

void TableModelTest::answersOnlyForTheTable() {
    MainWindowFixture f;
    const auto& model = f.grid().tableModel();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.columnCount(), 14);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("İşlem Tarihi"));
    QCOMPARE(model.headerData(13, Qt::Horizontal).toString(), QStringLiteral("Index"));
    QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
    // The model's rows follow the table's at once, without a command showing it again.
    f.calc().table().setRowCount(5);
    QCOMPARE(model.rowCount(), 4);
    f.calc().table().setRowCount(2);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.headerData(3, Qt::Vertical), QVariant());
    QVERIFY(!(model.flags(model.index(0, col::Days - 1)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(0, col::Rate - 1)) & Qt::ItemIsEditable);
}

QTEST_MAIN(TableModelTest)
#include "ui_table_model_test.moc"
