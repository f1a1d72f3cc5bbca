#include "ui/mainwindow/MainWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "commands/HolidayCalendarChoice.h"
#include "commands/StartingState.h"
#include "core/CommandEnding.h"
#include "core/FieldCatalogue.h"
#include "output/workbook/PreparedWorkbook.h"
#include "storage/OfficialCalendarFile.h"
#include "storage/ProgramLocations.h"
#include "storage/Settings.h"
#include "ui/common/AppInfo.h"
#include "ui/common/FieldBehaviour.h"
#include "ui/desktop/DesktopDefaults.h"
#include "ui/mainwindow/RecoveryKeeper.h"
#include "ui/mainwindow/TransactionGrid.h"

namespace ui {
namespace {

// Without a printer the report still prints to a PDF file and "Sakla" saves it; the notice
// is for a system where neither works.
const QString kNothingCanPrint = QStringLiteral(
    "Bu bilgisayarda yazıcı tanımlı değil ve PDF dosyasına yazdırma da yapılamıyor.\n"
    "Rapor önizlemede görünür, ancak yazdırılamaz ve PDF olarak saklanamaz;\n"
    "programın diğer işlemleri çalışır.\n"
    "\n"
    "Yazdırmak için sisteminizin yazıcı ayarlarından (CUPS) bir yazıcı ekleyip\n"
    "varsayılan yazıcı olarak seçin.");

const QString kCloseQuestion = QStringLiteral("Programı kapatmak istediğinize eminmisiniz?");

// A text the program sets shows from its start (a long rate would otherwise show its end).
void showText(QLineEdit* field, const QString& text) {
    if (field->text() == text) return;
    field->setText(text);
    if (!field->hasFocus()) field->setCursorPosition(0);
}

}  // namespace

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      calc_(*services_.dialogs),
      recent_(services_.recentFilesList),
      desktop_(std::make_unique<DesktopDefaults>()),
      preparedExport_(std::make_unique<output::PreparedWorkbook>()) {
    startRecoveryCopies();
    setAcceptDrops(true);
    buildWindow();
    bindInputs();
    applyFieldBehaviour();
    loadStartingState();
    grid_->setFocus();
}

// The controls go first: they show the calculation, which the window's own members hold and
// which would otherwise be gone before them.
MainWindow::~MainWindow() { delete takeCentralWidget(); }

// The start-up steps, in order.
void MainWindow::loadStartingState() {
    warnWhenNothingCanPrint();
    commands::EnterStartingState(calc_, settingsPath(), services_.today());
    grid_->showTable();
    targetTotalInterestField->setReadOnly(false);
    askBeforeClose_ = true;
    showInputsAndTotals();
    // An untouched new table counts as saved.
    takeAsSaved(QString());
    afterLastStep_ = core::CalculationSnapshot::wholeTable(calc_);
}

void MainWindow::warnWhenNothingCanPrint() {
    if (services_.defaultPrinterName && !services_.defaultPrinterName().isEmpty()) return;
    if (services_.canPrintToFile && services_.canPrintToFile()) return;
    calc_.dialogs().notify(
        core::Notice{kNothingCanPrint, core::kProgramCaption, core::DialogIcon::Error});
}

QString MainWindow::settingsPath() const {
    return storage::SettingsFile(storage::ProgramLocations::of(services_.programFolder));
}

// --- Fields and the table inputs ------------------------------------------------------------

void MainWindow::bindInputs() {
    // The layout paired each text field with its input as it made it.
    for (const TextBinding& binding : textBindings_) {
        QLineEdit* field = binding.field;
        connect(field, &QLineEdit::textEdited, this, [this, field] { writeFieldToInputs(field); });
        connect(field, &QLineEdit::editingFinished, this, &MainWindow::commitTyping);
    }
    connect(calculationDateField, &QDateEdit::dateChanged, this, [this](QDate date) {
        calc_.inputs().calculationDate = date;
        typed();
    });
    connect(calculationDateField, &QDateEdit::editingFinished, this, &MainWindow::commitTyping);
    // A tick is a step of its own.
    connect(moveRepaymentsPastHolidaysField, &QCheckBox::toggled, this, [this](bool ticked) {
        calc_.inputs().moveRepaymentsPastHolidays = ticked;
        typed();
        commitTyping();
    });
    connect(moveDrawingsPastHolidaysField, &QCheckBox::toggled, this, [this](bool ticked) {
        calc_.inputs().moveDrawingsPastHolidays = ticked;
        typed();
        commitTyping();
    });
    // Typing in a cell is one step once the current cell moves on.
    connect(grid_, &TransactionGrid::cellEdited, this, &MainWindow::typed);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::commitTyping);
    connect(holidayCalendarField, &QComboBox::currentIndexChanged, this,
            &MainWindow::chooseHolidayCalendar);
    connect(grid_, &TransactionGrid::recalculated, this, &MainWindow::showInputsAndTotals);
}

void MainWindow::chooseHolidayCalendar(int choice) {
    commands::UseHolidayCalendar(calc_,
                                 choice == 1 ? core::HolidayCalendar::Kind::Official
                                             : core::HolidayCalendar::Kind::ProgramTable,
                                 storage::HolidayAdditionsFile(settingsPath()));
    grid_->viewport()->update();  // the value dates' tooltips follow the calendar
}

// A change of a field's text by the user; a rate field drives the other while the focus
// direction says so.
void MainWindow::writeFieldToInputs(QLineEdit* field) {
    typed();
    const QString text = field->text();
    core::RunReportingFailure(calc_.dialogs(), [&] {
        for (const TextBinding& binding : textBindings_) {
            if (binding.field == field) calc_.setInputText(binding.input, text);
        }
    });
    showInputsAndTotals();
}

void MainWindow::showCalculation() {
    grid_->showTable();
    showInputsAndTotals();
    prepareExportSoon(std::chrono::milliseconds(0));
}

void MainWindow::showInputsAndTotals() {
    const core::TableInputs& inputs = calc_.inputs();
    for (const TextBinding& binding : textBindings_) showText(binding.field, inputs.*binding.input);
    for (const TotalBinding& binding : totalBindings_) {
        showText(binding.field, calc_.totals().*binding.total);
    }
    {
        const QSignalBlocker blocker(calculationDateField);
        if (inputs.calculationDate.isValid()) calculationDateField->setDate(inputs.calculationDate);
    }
    {
        const QSignalBlocker blocker(moveRepaymentsPastHolidaysField);
        moveRepaymentsPastHolidaysField->setChecked(inputs.moveRepaymentsPastHolidays);
    }
    {
        const QSignalBlocker blocker(moveDrawingsPastHolidaysField);
        moveDrawingsPastHolidaysField->setChecked(inputs.moveDrawingsPastHolidays);
    }
    {
        const QSignalBlocker blocker(holidayCalendarField);
        holidayCalendarField->setCurrentIndex(
            calc_.holidays().kind() == core::HolidayCalendar::Kind::Official ? 1 : 0);
    }
    prepareExportSoon(services_.exportPreparationDelay);
}

void MainWindow::applyFieldBehaviour() {
    using Keys = FieldRules::Keys;
    const auto seps = calc_.separators();
    auto& dialogs = calc_.dialogs();
    const auto rules = [](Keys keys, int maxLength, bool colour) {
        FieldRules r;
        r.keys = keys;
        r.maxTypedLength = maxLength;
        r.focusColour = colour;
        return r;
    };
    new FieldBehaviour(creditLineNameField, rules(Keys::Free, 0, true), seps, dialogs);
    new FieldBehaviour(companyNameField, rules(Keys::Free, 0, true), seps, dialogs);
    new FieldBehaviour(daysInYearField, rules(Keys::Day, 3, true), seps, dialogs);
    new FieldBehaviour(repaymentExtraDaysField, rules(Keys::Day, 3, false), seps, dialogs);
    new FieldBehaviour(drawingExtraDaysField, rules(Keys::Day, 3, true), seps, dialogs);

    // The rate fields' focus sets which of them drives the other.
    FieldRules annual = rules(Keys::Rate, 8, true);
    annual.onEnter = [this] { calc_.setRateDirection(core::RateDirection::AnnualDrives); };
    annual.onLeave = [this] { calc_.setRateDirection(core::RateDirection::MonthlyDrives); };
    new FieldBehaviour(annualRateField, annual, seps, dialogs);
    FieldRules monthly = rules(Keys::Rate, 8, true);
    monthly.onEnter = [this] { calc_.setRateDirection(core::RateDirection::MonthlyDrives); };
    monthly.onLeave = [this] { calc_.setRateDirection(core::RateDirection::AnnualDrives); };
    new FieldBehaviour(monthlyRateField, monthly, seps, dialogs);

    // The target interest takes any amount a bank can charge; the rates stay short.
    for (QLineEdit* field : {bsmvRateField, vergi2RateField, targetTotalInterestField}) {
        const int maxLength =
            field == targetTotalInterestField ? 0 : (field == vergi2RateField ? 3 : 8);
        FieldRules grouped = rules(Keys::Grouped, maxLength, true);
        grouped.onTextReplaced = [this, field] { writeFieldToInputs(field); };
        new FieldBehaviour(field, grouped, seps, dialogs);
    }
    for (const TotalBinding& binding : totalBindings_) {
        new FieldBehaviour(binding.field, rules(Keys::ReadOnly, 0, true), seps, dialogs);
    }
    new EnterMovesOn(moveRepaymentsPastHolidaysField);
    new EnterMovesOn(moveDrawingsPastHolidaysField);
    new EnterMovesOn(calculationDateField);
    new OneTabStop(calculationDateField);
}

// --- Closing ------------------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!askBeforeClose_) {
        event->accept();
        return;
    }
    recordTyping();
    // The program's own question first, as always; with unsaved changes the save question
    // follows once the user has said the program is to close.
    const core::Question question{kCloseQuestion, core::kProgramCaption,
                                  int(core::DialogButton::Yes) | int(core::DialogButton::No) |
                                      int(core::DialogButton::Cancel),
                                  core::DialogIcon::Question};
    if (calc_.dialogs().ask(question) == core::DialogButton::Yes && mayDiscardChanges()) {
        // A normal close: nothing is left to recover.
        recovery_->discard();
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace ui
