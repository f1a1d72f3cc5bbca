#include "ui/TrotatifF.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalBlocker>

#include "storage/Settings.h"
#include "ui/AppInfo.h"
#include "ui/ErrorBoundary.h"
#include "ui/FieldBehaviour.h"
#include "ui/StringGrid3.h"

namespace ui {
namespace {

const QString kNoDefaultPrinter = QStringLiteral(
    "Default yazıcı ayarı olmadığı için çalışmayacaktır.\n"
    "Programı çalıştırmak için \"Denetim Masası\" ve \"Yazıcılar\"\n"
    "seçeneğinden bir yazıcıyı default olarak ayarladıktan sonra\n"
    "programı çalıştırın.\n"
    "\n"
    "Sisteminize bağlı yazıcı yoksa \"Microsoft Print to PDF\" veya\n"
    "\"Microsoft XPS Document Writer\" ı default yazıcı olarak ayarlayabilirsiniz.");

const QString kCloseQuestion = QStringLiteral("Programı kapatmak istediğinize eminmisiniz?");

void showText(QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
}

}  // namespace

TrotatifF::TrotatifF(TrotatifFServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), calc_(*services_.dialogs) {
    buildWindow();
    bindInputs();
    applyFieldBehaviour();
    FormCreate();
    StringGrid3_->setFocus();
}

// The controls go first: they show the calculation, which the window's own members hold and
// which would otherwise be gone before them.
TrotatifF::~TrotatifF() { delete takeCentralWidget(); }

// The start-up steps, in order.
void TrotatifF::FormCreate() {
    warnWithoutDefaultPrinter();
    Guarded(calc_.dialogs(), [&] { storage::hafizadanoku(calc_, settingsPath()); });
    calc_.inputs().kredikullanimekEdit.clear();
    calc_.inputs().CheckBox8 = false;
    setWindowTitle(core::kProgramCaption + kVersionText);
    calc_.inputs().DateTimePicker61 = QDate::currentDate();
    StringGrid3_->showTable();
    toplamfaizNetEdit->setReadOnly(false);
    askBeforeClose_ = true;
    showInputsAndTotals();
}

void TrotatifF::warnWithoutDefaultPrinter() {
    const QString printer =
        services_.defaultPrinterName ? services_.defaultPrinterName() : QString();
    if (!printer.isEmpty()) return;
    calc_.dialogs().notify(
        core::Notice{kNoDefaultPrinter, core::kProgramCaption, core::DialogIcon::Error});
}

QString TrotatifF::settingsPath() const {
    return storage::SettingsFilePath(services_.programFolder);
}

// --- Fields and the table inputs ------------------------------------------------------------

void TrotatifF::bindInputs() {
    using I = core::TableInputs;
    textBindings_ = {
        {rotatifadiEdit, &I::rotatifadiEdit},
        {firmaadiEdit, &I::firmaadiEdit},
        {KKDFNetEdit, &I::KKDFNetEdit},
        {vergi2NetEdit, &I::vergi2NetEdit},
        {yildakigunEdit, &I::yildakigunEdit},
        {kredigeriodemeekEdit, &I::kredigeriodemeekEdit},
        {kredikullanimekEdit, &I::kredikullanimekEdit},
        {toplamfaizNetEdit, &I::toplamfaizNetEdit},
        {yillikfaizNetEdit, &I::yillikfaizNetEdit},
        {aylikfaizNetEdit, &I::aylikfaizNetEdit},
    };
    for (const TextBinding& binding : textBindings_) {
        QLineEdit* field = binding.field;
        connect(field, &QLineEdit::textEdited, this, [this, field] { writeFieldToInputs(field); });
    }
    connect(DateTimePicker61, &QDateEdit::dateChanged, this,
            [this](QDate date) { calc_.inputs().DateTimePicker61 = date; });
    connect(CheckBox9, &QCheckBox::toggled, this,
            [this](bool ticked) { calc_.inputs().CheckBox9 = ticked; });
    connect(CheckBox8, &QCheckBox::toggled, this,
            [this](bool ticked) { calc_.inputs().CheckBox8 = ticked; });
    connect(StringGrid3_, &StringGrid3::recalculated, this, &TrotatifF::showInputsAndTotals);
}

// A change of a field's text by the user; a rate field drives the other while the focus
// direction says so.
void TrotatifF::writeFieldToInputs(QLineEdit* field) {
    const QString text = field->text();
    Guarded(calc_.dialogs(), [&] {
        if (field == yillikfaizNetEdit) {
            calc_.setAnnualRateText(text);
        } else if (field == aylikfaizNetEdit) {
            calc_.setMonthlyRateText(text);
        } else {
            for (const TextBinding& binding : textBindings_) {
                if (binding.field == field) calc_.inputs().*binding.input = text;
            }
        }
    });
    showInputsAndTotals();
}

void TrotatifF::showInputsAndTotals() {
    const core::TableInputs& inputs = calc_.inputs();
    for (const TextBinding& binding : textBindings_) showText(binding.field, inputs.*binding.input);
    for (const TotalBinding& binding : totalBindings_) {
        showText(binding.field, calc_.totals().*binding.total);
    }
    {
        const QSignalBlocker blocker(DateTimePicker61);
        if (inputs.DateTimePicker61.isValid()) DateTimePicker61->setDate(inputs.DateTimePicker61);
    }
    {
        const QSignalBlocker blocker(CheckBox9);
        CheckBox9->setChecked(inputs.CheckBox9);
    }
    {
        const QSignalBlocker blocker(CheckBox8);
        CheckBox8->setChecked(inputs.CheckBox8);
    }
}

void TrotatifF::applyFieldBehaviour() {
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
    new FieldBehaviour(rotatifadiEdit, rules(Keys::Free, 0, true), seps, dialogs);
    new FieldBehaviour(firmaadiEdit, rules(Keys::Free, 0, true), seps, dialogs);
    new FieldBehaviour(yildakigunEdit, rules(Keys::Day, 3, true), seps, dialogs);
    new FieldBehaviour(kredigeriodemeekEdit, rules(Keys::Day, 3, false), seps, dialogs);
    new FieldBehaviour(kredikullanimekEdit, rules(Keys::Day, 3, true), seps, dialogs);

    // The rate fields' focus sets which of them drives the other.
    FieldRules annual = rules(Keys::Rate, 8, true);
    annual.onEnter = [this] { calc_.setRateDirection(core::RateDirection::AnnualDrives); };
    annual.onLeave = [this] { calc_.setRateDirection(core::RateDirection::MonthlyDrives); };
    new FieldBehaviour(yillikfaizNetEdit, annual, seps, dialogs);
    FieldRules monthly = rules(Keys::Rate, 8, true);
    monthly.onEnter = [this] { calc_.setRateDirection(core::RateDirection::MonthlyDrives); };
    monthly.onLeave = [this] { calc_.setRateDirection(core::RateDirection::AnnualDrives); };
    new FieldBehaviour(aylikfaizNetEdit, monthly, seps, dialogs);

    for (QLineEdit* field : {KKDFNetEdit, vergi2NetEdit, toplamfaizNetEdit}) {
        FieldRules grouped = rules(Keys::Grouped, field == vergi2NetEdit ? 3 : 8, true);
        grouped.onTextReplaced = [this, field] { writeFieldToInputs(field); };
        new FieldBehaviour(field, grouped, seps, dialogs);
    }
    for (const TotalBinding& binding : totalBindings_) {
        new FieldBehaviour(binding.field, rules(Keys::ReadOnly, 0, true), seps, dialogs);
    }
    new EnterMovesOn(CheckBox9);
    new EnterMovesOn(CheckBox8);
    new EnterMovesOn(DateTimePicker61);
}

// --- Closing ------------------------------------------------------------------------------------

void TrotatifF::closeEvent(QCloseEvent* event) {
    if (!askBeforeClose_) {
        event->accept();
        return;
    }
    const core::Question question{kCloseQuestion, core::kProgramCaption,
                                  int(core::DialogButton::Yes) | int(core::DialogButton::No) |
                                      int(core::DialogButton::Cancel),
                                  core::DialogIcon::Question};
    if (calc_.dialogs().ask(question) == core::DialogButton::Yes) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace ui
