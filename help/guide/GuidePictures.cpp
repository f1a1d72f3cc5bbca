#include "GuidePictures.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>

#include "core/TableCommands.h"
#include "ui/help/HelpWindow.h"
#include "ui/import/ImportWindow.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"

namespace guide {
namespace {

// Questions are shown as the program shows them, pictured, and answered Yes.
class PicturedDialogs : public core::UserDialogs {
  public:
    QImage lastQuestion;

    void notify(const core::Notice&) override {}
    core::DialogButton ask(const core::Question& question) override {
        QMessageBox box(QMessageBox::Question, question.caption, question.text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.show();
        QApplication::processEvents();
        lastQuestion = box.grab().toImage();
        return core::DialogButton::Yes;
    }
};

class NoFiles : public ui::FileChooser {
  public:
    std::optional<QString> chooseSavePath(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseOpenPath() override { return std::nullopt; }
};

// A movement of the worked example: transaction date, description, drawn, repaid, interest.
struct Movement {
    const char* date;
    QString description;
    const char* drawn;
    const char* repaid;
    const char* interestPaid;
};

const Movement kMovements[] = {
    {"01.03.2019", QStringLiteral("Kredi kullanımı"), "100000", "", ""},
    {"31.03.2019", QStringLiteral("Ek kullanım"), "50000", "", ""},
    {"30.04.2019", QStringLiteral("Anapara ve faiz ödemesi"), "", "30000", "5000"},
    {"31.05.2019", QString(), "", "", ""},
};

// Types the first `count` movements into the table, as the user would leave them, and
// recalculates as the window does.
void enterMovements(ui::MainWindow& window, int count) {
    core::TransactionTable& table = window.calculation().table();
    table.setRowCount(count + 2);  // an empty entry row below the movements
    for (int i = 0; i < count; ++i) {
        const Movement& m = kMovements[i];
        const int row = i + 1;
        table.setCell(core::col::TransactionDate, row, QString::fromLatin1(m.date));
        table.setCell(core::col::Description, row, m.description);
        table.setCell(core::col::Drawn, row, QString::fromLatin1(m.drawn));
        table.setCell(core::col::Repaid, row, QString::fromLatin1(m.repaid));
        table.setCell(core::col::InterestPaid, row, QString::fromLatin1(m.interestPaid));
    }
    table.renumber();
    window.recalculateAll();
    window.calculation().moveCurrentCell(core::col::TransactionDate, count + 1);
    window.grid().showTable();
    if (QLineEdit* editor = window.grid().cellEditor()) editor->deselect();
    QApplication::processEvents();
}

QImage picture(QWidget& widget, const QRect& area = QRect()) {
    QApplication::processEvents();
    return widget.grab(area.isValid() ? area : QRect(QPoint(0, 0), widget.size())).toImage();
}

QWidget& part(ui::MainWindow& window, const char* name) {
    auto* found = window.findChild<QWidget*>(QString::fromLatin1(name));
    if (!found) qFatal("the main window has no %s", name);
    return *found;
}

QRect areaIn(QWidget& window, QWidget& widget) {
    return QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size());
}

// The table's caption row and its first rows, as wide as its visible columns.
QImage tableTop(ui::MainWindow& window, int rows) {
    ui::TransactionGrid& grid = window.grid();
    const int frame = grid.frameWidth();
    int height = grid.horizontalHeader()->height();
    for (int row = 0; row < rows; ++row) height += grid.rowHeight(row);
    const int width = grid.horizontalHeader()->length() +
                      (grid.verticalHeader()->isVisible() ? grid.verticalHeader()->width() : 0);
    return picture(grid, QRect(0, 0, width + 2 * frame, height + 2 * frame));
}

// The import window with the guide's example statement read into its preview.
QImage importWindowPicture(ui::MainWindow& window, const QString& folder) {
    const QString sheet = folder + QStringLiteral("ekstre.csv");
    QFile file(sheet);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(sheet));
    file.write(QStringLiteral("HESAP EKSTRESİ;;;;\n"
                              "Valör;İşlem Tarihi;Açıklama;Kullanım;Ödeme\n"
                              "01.03.2019;01.03.2019;Kredi kullanımı;100000;\n"
                              "31.03.2019;31.03.2019;Ek kullanım;50000;\n"
                              "30.04.2019;29.04.2019;Anapara ödemesi;;30000\n")
                   .toUtf8());
    file.close();
    ui::ImportWindow import(&window,
                            {&window.calculation(), [] {}, [sheet](QWidget*) { return sheet; },
                             folder + QStringLiteral("Ayarlar.ini")});
    import.open();
    import.showNormal();
    import.resize(1100, 360);
    core::ImportSettings fields;
    fields.valueDateColumn = QStringLiteral("1");
    fields.transactionDateColumn = QStringLiteral("2");
    fields.descriptionColumn = QStringLiteral("3");
    fields.drawingColumn = QStringLiteral("4");
    fields.repaymentColumn = QStringLiteral("5");
    fields.firstRow = QStringLiteral("3");
    fields.lastRow = QStringLiteral("5");
    import.setFields(fields);
    import.readWorkbook();
    return picture(import);
}

}  // namespace

Pictures TakeGuidePictures(const QString& helpFolder) {
    Pictures pictures;
    QTemporaryDir programFolder;
    PicturedDialogs dialogs;
    NoFiles files;
    ui::MainWindowServices services;
    services.dialogs = &dialogs;
    services.files = &files;
    services.defaultPrinterName = [] { return QStringLiteral("PDF"); };
    services.programFolder = programFolder.path() + QLatin1Char('/');

    ui::MainWindow window(services);
    window.setAskBeforeClose(false);
    window.resize(1200, 700);
    window.show();
    QApplication::processEvents();

    core::TableInputs& inputs = window.calculation().inputs();
    inputs.creditLineName = QStringLiteral("Örnek Rotatif");
    inputs.companyName = QStringLiteral("Örnek Ticaret A.Ş.");
    inputs.calculationDate = QDate(2019, 5, 31);
    inputs.annualRate = QStringLiteral("24");
    inputs.monthlyRate = QStringLiteral("2");
    inputs.bsmvRate = QStringLiteral("5");
    inputs.daysInYear = QStringLiteral("360");
    window.showInputsAndTotals();
    pictures[QStringLiteral("adim1.png")] = picture(part(window, "parametersPanel"));

    enterMovements(window, 2);
    pictures[QStringLiteral("adim2.png")] = tableTop(window, 4);

    enterMovements(window, 4);
    pictures[QStringLiteral("adim3.png")] = tableTop(window, 6);
    pictures[QStringLiteral("anapencere.png")] = picture(window);
    QWidget& commands = part(window, "commandColumn");
    const QRect makerLink = areaIn(commands, part(window, "Label9"));
    pictures[QStringLiteral("komutlar.png")] =
        picture(commands, QRect(0, 0, commands.width(), makerLink.bottom() + 12));
    pictures[QStringLiteral("parametreler.png")] =
        picture(window, areaIn(window, part(window, "titleBar"))
                            .united(areaIn(window, part(window, "parametersPanel"))));
    pictures[QStringLiteral("toplamlar.png")] = picture(part(window, "totalsPanel"));

    QMenu& menu = window.popupMenu();
    menu.popup(window.mapToGlobal(QPoint(400, 300)));
    pictures[QStringLiteral("menu.png")] = picture(menu);
    menu.hide();

    inputs.targetTotalInterest = QStringLiteral("9.350,00");
    window.showInputsAndTotals();
    pictures[QStringLiteral("faizbul.png")] = picture(part(window, "totalsPanel"));
    window.findRate();
    pictures[QStringLiteral("faizbul_soru.png")] = dialogs.lastQuestion;
    pictures[QStringLiteral("faizbul_sonuc.png")] = picture(window);

    pictures[QStringLiteral("aktarim.png")] = importWindowPicture(window, services.programFolder);

    QString folder = helpFolder;
    if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    ui::HelpWindow help(&window, folder, dialogs);
    help.showTopic(ui::HelpTopic::Calculation);
    pictures[QStringLiteral("yardim.png")] = picture(help);
    help.hide();
    return pictures;
}

}  // namespace guide
