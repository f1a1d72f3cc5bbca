// The holiday calendar chosen beside "Dorud Geri Ödeme Tatil Ekle".
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "MainWindowFixture.h"
#include "core/TableCommands.h"
#include "core/TransactionTable.h"

using testing_ui::MainWindowFixture;
namespace col = core::col;

class HolidayCalendarWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void choiceFollowsTheSettingsAndIsSaved();
    void movedValueDateTellsWhy();
};

namespace {

QComboBox* choice(MainWindowFixture& f) {
    auto* found = f.window().findChild<QComboBox*>(QStringLiteral("TatilTakvimiComboBox"));
    if (!found) qFatal("no holiday calendar choice");
    return found;
}

QByteArray savedSettings(MainWindowFixture& f) {
    f.window().findChild<QPushButton*>(QStringLiteral("BitBtn31"))->click();
    QFile file(f.folder() + QStringLiteral("Ayarlar.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

void HolidayCalendarWindowTest::choiceFollowsTheSettingsAndIsSaved() {
    MainWindowFixture f{QStringLiteral("PDF"), "[Vovirer]\r\nRtatiltakvimi=1\r\n"};
    QCOMPARE(choice(f)->currentText(), QStringLiteral("Resmî tatiller"));
    QCOMPARE(f.calc().holidays().kind(), core::HolidayCalendar::Kind::Official);
    // Beside the tick box, on its line.
    auto* tick = f.window().findChild<QCheckBox*>(QStringLiteral("CheckBox9"));
    QVERIFY(choice(f)->geometry().right() < tick->geometry().left());
    QVERIFY(choice(f)->geometry().contains(choice(f)->geometry().left() + 1,
                                           tick->geometry().center().y()));

    choice(f)->setCurrentIndex(0);
    QCOMPARE(f.calc().holidays().kind(), core::HolidayCalendar::Kind::ProgramTable);
    QVERIFY(savedSettings(f).contains("Rtatiltakvimi=2"));
    choice(f)->setCurrentIndex(1);
    QVERIFY(savedSettings(f).contains("Rtatiltakvimi=1"));
}

void HolidayCalendarWindowTest::movedValueDateTellsWhy() {
    MainWindowFixture f{
        QStringLiteral("PDF"),
        "[Vovirer]\r\nRyilgun=360\r\nRayfaiz=24\r\nRtatiltakvimi=1\r\nRalacakCheck=1\r\n"};
    core::TransactionTable& table = f.calc().table();
    table.setRowCount(3);
    table.setCell(col::Number, 2, QStringLiteral("2"));
    table.setCell(col::TransactionDate, 1, QStringLiteral("20.05.2026"));
    table.setCell(col::Drawn, 1, QStringLiteral("1000"));
    table.setCell(col::TransactionDate, 2, QStringLiteral("27.05.2026"));
    table.setCell(col::Repaid, 2, QStringLiteral("100"));
    core::RecalculateAll(f.calc());
    QCOMPARE(f.cell(col::ValueDate, 2), QStringLiteral("01.06.2026"));

    const QAbstractItemModel* model = f.grid().model();
    const auto tip = [&](int column, int row) {
        return model->index(row - 1, column - 1).data(Qt::ToolTipRole).toString();
    };
    QCOMPARE(tip(col::ValueDate, 2), QStringLiteral("Kurban Bayramı 1. gün → 01.06.2026"));
    QCOMPARE(tip(col::ValueDate, 1), QString());
    QCOMPARE(tip(col::TransactionDate, 2), QString());
}

QTEST_MAIN(HolidayCalendarWindowTest)
#include "ui_holiday_calendar_test.moc"
