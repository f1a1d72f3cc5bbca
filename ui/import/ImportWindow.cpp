#include "ui/import/ImportWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "commands/ImportTransfer.h"
#include "core/CommandEnding.h"
#include "core/FieldCatalogue.h"
#include "sheets/WorkbookReader.h"
#include "ui/common/AppInfo.h"
#include "ui/common/FieldBehaviour.h"
#include "ui/common/GridPalette.h"
#include "ui/common/PictureIcons.h"
#include "ui/common/WindowFont.h"
#include "ui/import/SheetGridView.h"
#include "ui/import/SheetTableModel.h"

namespace ui {
namespace {

constexpr int kBandHeight = 137;
constexpr int kInitialColumnWidth = 64;
constexpr int kColumnWidth = 80;
constexpr int kHeaderColumnWidth = 30;
constexpr int kRowHeight = 24;

// The notice names what the window reads: the first sheet of the workbook kinds it knows.
const QString kTopNotice = QStringLiteral(
    "AKTARILACAK DOSYANIN YALNIZCA İLK SAYFASI OKUNUR: EXCEL (.XLS, .XLSX), OPENDOCUMENT (.ODS) "
    "VE CSV (.CSV) DOSYALARI AKTARILABİLİR.");
const QString kBottomNotice = QStringLiteral(
    "Tabloda üstte yer alan numaralar \"Sütun\" numarası, sol yanda yer alan numaralarda "
    "\"Satır\" numaralarıdır.");

// Where each column and row field stands and how long a text it takes.
struct FieldPlacement {
    QString core::ImportSettings::*setting;
    int maxLength;
    QPoint at;  // the field's top left in the band
};

const FieldPlacement kFields[] = {
    {&core::ImportSettings::valueDateColumn, 2, {150, 30}},
    {&core::ImportSettings::transactionDateColumn, 2, {150, 56}},
    {&core::ImportSettings::descriptionColumn, 2, {150, 82}},
    {&core::ImportSettings::drawingColumn, 2, {370, 30}},
    {&core::ImportSettings::repaymentColumn, 2, {370, 56}},
    {&core::ImportSettings::firstRow, 5, {540, 30}},
    {&core::ImportSettings::lastRow, 5, {540, 56}},
};
constexpr int kFieldWidth = 45;
constexpr int kFieldHeight = 21;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(WindowFont(11, bold));
    label->adjustSize();
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(WindowFont(11, true));
    button->setGeometry(geometry);
    return button;
}

}  // namespace

QString WorkbookDialogFilters() {
    return QStringLiteral(
        "Excel Dosyaları (*.xls *.xlsx *.ods *.csv);;"
        "2000-2003 Excel Dosyaları (*.xls);;"
        "2007 -2010 Excel Dosyaları (*.xlsx);;"
        "OpenDocument Dosyaları (*.ods);;"
        "CSV Dosyaları (*.csv)");
}

QString ChooseWorkbookWithDialog(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Aç"), QDir::homePath(),
                                        WorkbookDialogFilters());
}

ImportWindow::ImportWindow(QWidget* owner, ImportWindowServices services)
    : QWidget(owner, Qt::Window), services_(std::move(services)) {
    setObjectName(QStringLiteral("aktarexcelRF"));
    setWindowTitle(sheets::kImportWindowCaption);
    setFont(WindowFont(11));
    buildWindow();
    hide();
}

ImportWindow::~ImportWindow() = default;

void ImportWindow::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildBand());

    model_ = new SheetTableModel(this);
    grid_ = new SheetGridView(this);
    grid_->setObjectName(QStringLiteral("StringGrid1"));
    grid_->setModel(model_);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    grid_->setTabKeyNavigation(true);
    grid_->setWordWrap(false);
    grid_->setTextElideMode(Qt::ElideNone);  // long texts are cut at the cell's edge
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->verticalHeader()->setHighlightSections(false);
    const QString header = palette::kSheetHeader.name();
    grid_->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; border: 1px solid "
                       "#a0a0a0; border-top: none; border-left: none; padding-top: 2px; }"
                       "QTableCornerButton::section { background-color: %1; border: 1px "
                       "solid #a0a0a0; border-top: none; border-left: none; }")
            .arg(header));
    showPreviewSizes(kInitialColumnWidth, kInitialColumnWidth);
    layout->addWidget(grid_, 1);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    auto* firstPanel = new QLabel(status);
    firstPanel->setFixedWidth(350);
    versionPanel_ = new QLabel(status);
    versionPanel_->setObjectName(QStringLiteral("versionPanel"));
    versionPanel_->setMinimumWidth(50);
    status->addWidget(firstPanel);
    status->addWidget(versionPanel_);
    layout->addWidget(status);
}

QWidget* ImportWindow::buildBand() {
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("band"));
    band->setFixedHeight(kBandHeight);

    QLabel* top = makeLabel(band, QStringLiteral("Label25"), kTopNotice, true);
    top->setStyleSheet(QStringLiteral("color: navy;"));
    top->move(8, 6);

    for (const FieldPlacement& placement : kFields) {
        const core::ImportField& entry = core::Field(placement.setting);
        auto* field = new QLineEdit(band);
        field->setObjectName(core::Key(entry));
        field->setGeometry(QRect(placement.at, QSize(kFieldWidth, kFieldHeight)));
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field->setMaxLength(placement.maxLength);
        FieldRules rules;
        rules.keys = FieldRules::Keys::Day;  // digits and Backspace; Enter moves on
        rules.maxTypedLength = placement.maxLength;
        rules.focusColour = false;
        new FieldBehaviour(field, rules, services_.calculation->separators(),
                           services_.calculation->dialogs());
        QLabel* label =
            makeLabel(band, core::Key(entry) + QStringLiteral("Label"), core::Label(entry));
        label->move(placement.at.x() - 6 - label->width(),
                    placement.at.y() + (kFieldHeight - label->height()) / 2);
        fieldBindings_.push_back({field, placement.setting});
    }
    const core::ImportField& tick = core::Field(&core::ImportSettings::valueDateIsTransactionDate);
    valueDateIsTransactionDateBox_ = new QCheckBox(core::Label(tick), band);
    valueDateIsTransactionDateBox_->setObjectName(core::Key(tick));
    valueDateIsTransactionDateBox_->setFont(WindowFont(11));
    valueDateIsTransactionDateBox_->adjustSize();
    valueDateIsTransactionDateBox_->move(370, 84);
    new EnterMovesOn(valueDateIsTransactionDateBox_);

    QPushButton* read = makeButton(band, "JvXPButton1", QStringLiteral("Excel Dosyası Aç"),
                                   QRect(650, 28, 160, 25));
    QPushButton* transfer = makeButton(band, "JvXPButton2", QStringLiteral("Vovirer Krediye Aktar"),
                                       QRect(650, 56, 160, 25));
    QPushButton* clear =
        makeButton(band, "JvXPButton7", QStringLiteral("Yeni Dosya"), QRect(820, 28, 100, 25));
    QPushButton* close =
        makeButton(band, "JvXPButton3", QStringLiteral("Kapat"), QRect(820, 56, 100, 25));
    auto* help = new QToolButton(band);
    help->setObjectName(QStringLiteral("tfXPButton2"));
    help->setIcon(HelpIcon());
    help->setIconSize(QSize(32, 32));
    help->setGeometry(930, 28, 53, 53);
    help->setToolTip(QStringLiteral("Yardım"));
    connect(read, &QPushButton::clicked, this, &ImportWindow::readWorkbook);
    connect(transfer, &QPushButton::clicked, this, &ImportWindow::transferToTable);
    connect(clear, &QPushButton::clicked, this, &ImportWindow::clearPreview);
    connect(close, &QPushButton::clicked, this, &ImportWindow::closeWindow);
    connect(help, &QToolButton::clicked, this, &ImportWindow::helpRequested);

    QLabel* bottom = makeLabel(band, QStringLiteral("Label5"), kBottomNotice, true);
    bottom->move(8, kBandHeight - bottom->height() - 6);

    // Tab order: the fields in reading order, then the tick box and the buttons.
    QWidget* previous = nullptr;
    for (const FieldBinding& binding : fieldBindings_) {
        if (previous) setTabOrder(previous, binding.field);
        previous = binding.field;
    }
    for (QWidget* next : std::initializer_list<QWidget*>{valueDateIsTransactionDateBox_, read,
                                                         transfer, clear, help, close}) {
        setTabOrder(previous, next);
        previous = next;
    }
    return band;
}

void ImportWindow::showPreviewSizes(int columnWidth, int headerColumnWidth) {
    grid_->horizontalHeader()->setDefaultSectionSize(columnWidth);
    grid_->horizontalHeader()->setMinimumSectionSize(8);
    grid_->verticalHeader()->setFixedWidth(headerColumnWidth);
    grid_->horizontalHeader()->setFixedHeight(kRowHeight);
}

core::ImportSettings ImportWindow::fields() const {
    core::ImportSettings settings;
    for (const FieldBinding& b : fieldBindings_) settings.*(b.setting) = b.field->text();
    settings.valueDateIsTransactionDate = valueDateIsTransactionDateBox_->isChecked();
    return settings;
}

void ImportWindow::setFields(const core::ImportSettings& settings) {
    for (const FieldBinding& b : fieldBindings_) b.field->setText(settings.*(b.setting));
    valueDateIsTransactionDateBox_->setChecked(settings.valueDateIsTransactionDate);
}

void ImportWindow::open() {
    if (isVisible()) {
        if (isMinimized()) showMaximized();
        raise();
        activateWindow();
        return;
    }
    showMaximized();
    raise();
    activateWindow();
    setFields(storage::ReadImportSettings(services_.settingsPath));
    versionPanel_->setText(QStringLiteral("Version") + kVersionText);
}

void ImportWindow::readWorkbook() {
    // The dialog over this window, so the main window does not come up between them.
    const QString path = services_.chooseWorkbook ? services_.chooseWorkbook(this) : QString();
    if (path.isEmpty()) return;
    core::UserDialogs& dialogs = services_.calculation->dialogs();
    try {
        QString caption;
        model_->change([&](sheets::PreviewGrid& grid) {
            caption = sheets::ReadIntoPreview(grid, path, services_.xlsContainment);
        });
        setWindowTitle(caption);
        showPreviewSizes(kColumnWidth, kHeaderColumnWidth);
        dialogs.message(sheets::kSheetReadMessage);
    } catch (const sheets::ReadError& error) {
        core::ReportFailure(dialogs, error.message());  // the preview stays emptied
    }
}

void ImportWindow::transferToTable() {
    core::Calculation& calc = *services_.calculation;
    const core::ImportSettings settings = fields();
    const auto transfer = [&] {
        core::RunReportingFailure(calc.dialogs(), [&] {
            if (commands::TransferToTable(preview(), settings, calc, services_.mayReplaceTable) !=
                commands::TransferOutcome::Done)
                return;
            storage::WriteImportSettings(settings, services_.settingsPath);
            hide();
        });
    };
    if (services_.recordChange) {
        services_.recordChange(transfer);
    } else {
        transfer();
    }
    // What the transfer wrote before it stopped stays, and shows.
    if (services_.tableChanged) services_.tableChanged();
}

void ImportWindow::clearPreview() {
    model_->change([](sheets::PreviewGrid& grid) { grid.clearRows(); });
}

const sheets::PreviewGrid& ImportWindow::preview() const { return model_->grid(); }

void ImportWindow::closeWindow() { hide(); }

}  // namespace ui
