#include "bench/support/LongCreditLine.h"

#include <QDate>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "core/RecordingDialogs.h"
#include "storage/CalculationFile.h"

namespace benchsupport {

void SetLongCreditLineInputs(core::TableInputs& inputs) {
    inputs.calculationDate = QDate(2016, 1, 1);
    inputs.annualRate = QStringLiteral("24");
    inputs.bsmvRate = QStringLiteral("5");
    inputs.vergi2Rate = QStringLiteral("1");
    inputs.daysInYear = QStringLiteral("365");
    inputs.moveRepaymentsPastHolidays = true;
}

QString WriteLongCreditLine(const QDir& folder, int rows) {
    using namespace core::col;
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    core::TableInputs& in = calc.inputs();
    SetLongCreditLineInputs(in);
    in.creditLineName = QStringLiteral("Uzun Dorud %1").arg(rows);
    in.monthlyRate = QStringLiteral("2");
    core::TransactionTable& table = calc.table();
    table.setRowCount(rows + 1);
    QDate date(2016, 1, 4);
    for (int r = 1; r <= rows; ++r) {
        date = date.addDays(1 + r % 2);
        table.setCell(Number, r, QString::number(r));
        table.setCell(TransactionDate, r, date.toString(QStringLiteral("dd.MM.yyyy")));
        table.setCell(Description, r, QStringLiteral("Hareket %1, şube ödemesi").arg(r));
        if (r % 5 == 1) table.setCell(Drawn, r, QStringLiteral("1.000"));
        if (r % 7 == 0) table.setCell(Repaid, r, QStringLiteral("500,5"));
        if (r % 11 == 0) table.setCell(InterestPaid, r, QStringLiteral("25"));
        if (r % 50 == 0) table.setCell(Rate, r, QString::number(18 + r % 13));
    }
    const QString path = folder.filePath(QStringLiteral("rows%1.fdr").arg(rows));
    if (!storage::WriteCalculationFile(calc, path).ok) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    return path;
}

QDir BenchFolder() {
    static QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        std::exit(1);
    }
    return QDir(folder.path());
}

const QString& LongCreditLineFile(int rows) {
    static std::map<int, QString> files;
    auto it = files.find(rows);
    if (it == files.end()) it = files.emplace(rows, WriteLongCreditLine(BenchFolder(), rows)).first;
    return it->second;
}

}  // namespace benchsupport
