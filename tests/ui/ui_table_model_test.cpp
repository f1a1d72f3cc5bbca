// The table model keeps the item-model contract through everything the grid and the
// commands do to the table.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTest>

#include "MainWindowFixture.h"
#include "core/TransactionTable.h"

using testing_ui::MainWindowFixture;
namespace col = core::col;

class TableModelTest : public QObject {
    Q_OBJECT
  private slots:
    void keepsTheModelContract();
    void answersOnlyForTheTable();
};

void TableModelTest::keepsTheModelContract() {
    MainWindowFixture f;
    QAbstractItemModelTester tester(&f.grid().tableModel(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.typeWorkedExample();
    f.type(QStringLiteral("x"));  // a new entry row
    f.key(Qt::Key_Insert, Qt::ShiftModifier);
    f.grid().verticalHeader()->moveSection(0, 1);
    f.grid().horizontalHeader()->moveSection(col::Description - 1, col::Repaid - 1);
    f.dialogs().queueAnswer(core::DialogButton::Yes);
    f.key(Qt::Key_F7);
    QCOMPARE(f.grid().tableModel().rowCount(), 1);
}

void TableModelTest::answersOnlyForTheTable() {
    MainWindowFixture f;
    const auto& model = f.grid().tableModel();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.columnCount(), 14);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("İşlem Tarihi"));
    QCOMPARE(model.headerData(13, Qt::Horizontal).toString(), QStringLiteral("Index"));
    QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
    // The core shrank under the view: the old rows answer nothing rather than read past it.
    f.calc().table().setRowCount(5);
    f.grid().showTable();
    f.calc().table().setRowCount(2);
    QCOMPARE(model.data(model.index(3, 0)), QVariant());
    QCOMPARE(model.headerData(3, Qt::Vertical), QVariant());
    QVERIFY(!(model.flags(model.index(0, col::Days - 1)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(0, col::Rate - 1)) & Qt::ItemIsEditable);
}

QTEST_MAIN(TableModelTest)
#include "ui_table_model_test.moc"
