// The main window's controls and where they stand: positions in pixels within their panel.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/FieldCatalogue.h"
#include "ui/common/AppInfo.h"
#include "ui/common/PictureIcons.h"
#include "ui/common/QtTranslations.h"
#include "ui/common/WindowFont.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"

namespace ui {
namespace {

const QColor kMoneyGreen(192, 220, 192);
constexpr int kCommandColumnWidth = 156;
constexpr int kParameterFieldHeight = 21;
constexpr int kLabelGap = 5;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int pixels = 13,
                  bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(WindowFont(pixels, bold));
    label->adjustSize();
    return label;
}

// A label standing left of its field, its end a few pixels before the field, centred on it.
void placeLeftOf(QLabel* label, const QWidget* field) {
    const QRect g = field->geometry();
    label->move(g.left() - kLabelGap - label->width(), g.center().y() - label->height() / 2);
}

void placeRightOf(QLabel* label, const QWidget* field) {
    const QRect g = field->geometry();
    label->move(g.right() + 1 + kLabelGap, g.center().y() - label->height() / 2);
}

QLineEdit* makeField(QWidget* parent, const QString& name, QRect geometry,
                     Qt::Alignment alignment = Qt::AlignLeft) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setAlignment(alignment | Qt::AlignVCenter);
    field->setFont(WindowFont(11));
    return field;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        QRect geometry, int pixels = 13) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(WindowFont(pixels, true));
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(geometry);
    return button;
}

QToolButton* makePictureButton(QWidget* parent, const QString& name, const QIcon& icon,
                               QRect geometry, const QString& tooltip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(40, 40));
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(geometry);
    button->setToolTip(tooltip);
    return button;
}

// Controls of one line of a panel, left to right: where this font makes a label wider than
// the room left for it, it and everything after it on the line move right, so no text is
// cut or covered.
void keepApart(const QList<QWidget*>& line) {
    int shift = 0;
    for (int i = 0; i < line.size(); ++i) {
        QWidget* widget = line[i];
        widget->move(widget->x() + shift, widget->y());
        if (i == 0) continue;
        const int room = widget->x() - (line[i - 1]->geometry().right() + 1);
        if (room < kLabelGap - 2) {
            shift += kLabelGap - 2 - room;
            widget->move(widget->x() + kLabelGap - 2 - room, widget->y());
        }
    }
}

// Buttons too narrow for their caption in this font grow to fit it, keeping their centre.
void widenToFit(QPushButton* button) {
    const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 12;
    if (needed <= button->width()) return;
    const QRect g = button->geometry();
    button->setGeometry(g.center().x() - needed / 2, g.top(), needed, g.height());
}

}  // namespace

void MainWindow::buildWindow() {
    setObjectName(QStringLiteral("rotatifF"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kMoneyGreen);
    setPalette(palette);
    setFont(WindowFont(11));
    resize(1126, 633);

    auto* content = new QWidget;
    content->setAutoFillBackground(true);
    // Smaller windows scroll rather than squeeze the panels.
    content->setMinimumSize(1100, 578);
    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(buildCommandColumn());

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(buildTitleBar());
    right->addWidget(buildParametersPanel());
    grid_ = new TransactionGrid(calc_, content);
    grid_->setFont(WindowFont(12));
    right->addWidget(grid_, 1);
    right->addWidget(buildTotalsPanel());
    columns->addLayout(right, 1);

    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("scrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    setCentralWidget(scroll);

    buildPopupMenu();
    buildStatusBar();
    setTabOrders();
}

QWidget* MainWindow::buildCommandColumn() {
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("commandColumn"));
    column->setFixedWidth(kCommandColumnWidth);
    struct Command {
        const char* name;
        QString caption;
        int top;
        void (MainWindow::*handler)();
    };
    const Command commands[] = {
        {"BitBtn45", QStringLiteral("İŞLEMİ KAYDET"), 8, &MainWindow::saveCalculation},
        {"BitBtn46", QStringLiteral("KAYITTAN AÇ"), 44, &MainWindow::openCalculation},
        {"BitBtn26", QStringLiteral("EXCEL'E VERİ AKTAR"), 84, &MainWindow::exportWorkbook},
        {"BitBtn23", QStringLiteral("EXCEL'DEN VERİ AL"), 120, &MainWindow::importRequested},
        {"BitBtn28", QStringLiteral("YAZDIR"), 156, &MainWindow::printReport},
        {"BitBtn7", QStringLiteral("GENİŞ YAZDIR"), 192, &MainWindow::printWideReport},
        {"BitBtn31", QStringLiteral("ORANLARI SAKLA"), 228, &MainWindow::saveRates},
        {"BitBtn1", QStringLiteral("YENİDEN HESAPLA"), 268, &MainWindow::recalculateAll},
        {"BitBtn4", QStringLiteral("SIFIRLA"), 304, &MainWindow::resetTable},
        {"BitBtn2", QStringLiteral("KAYITLARI SIRALA"), 344, &MainWindow::sortRows},
        {"BitBtn3", QStringLiteral("FAİZLERİ DEĞİŞTİR"), 380, &MainWindow::changeRates},
        {"BitBtn6", QStringLiteral("PROGRAMI\nGÜNCELLE"), 418, &MainWindow::updateProgram},
    };
    for (const Command& command : commands) {
        auto* button = makeButton(column, QString::fromLatin1(command.name), command.caption,
                                  QRect(3, command.top, 150, 36));
        if (command.handler) connect(button, &QPushButton::clicked, this, command.handler);
        if (command.handler == &MainWindow::openCalculation) buildRecentFilesButton(button);
        commandButtons_.push_back(button);
        if (command.handler == &MainWindow::printWideReport) wideReportButton_ = button;
    }

    auto* link = new QPushButton(kMakerName, column);
    link->setObjectName(QStringLiteral("Label9"));
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    link->setFocusPolicy(Qt::NoFocus);
    link->setGeometry(40, 520, 93, 50);
    link->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    auto* linkText = new QLabel(link);
    linkText->setText(kMakerName);
    linkText->setWordWrap(true);
    QFont linkFont = WindowFont(21, true);
    linkFont.setUnderline(true);
    linkText->setFont(linkFont);
    linkText->setStyleSheet(QStringLiteral("color: blue;"));
    linkText->setGeometry(0, 0, 93, 50);
    linkText->setAttribute(Qt::WA_TransparentForMouseEvents);
    link->setText(QString());
    connect(link, &QPushButton::clicked, this, &MainWindow::openMakerHomePage);
    return column;
}

QWidget* MainWindow::buildTitleBar() {
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("titleBar"));
    bar->setFixedHeight(34);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* title = makeLabel(bar, QStringLiteral("Label1"),
                            QStringLiteral("ROTATİF KREDİ HESAPLAMA TABLOSU"), 32, true);
    title->setAlignment(Qt::AlignCenter);
    row->addWidget(title, 1);
    auto* guide = makeButton(bar, QStringLiteral("JvXPButton2"),
                             QStringLiteral("KULLANIM KILAVUZU"), QRect(0, 0, 246, 34), 19);
    guide->setFixedSize(246, 34);
    connect(guide, &QPushButton::clicked, this, &MainWindow::openUserGuide);
    row->addWidget(guide);
    return bar;
}

QWidget* MainWindow::buildParametersPanel() {
    using I = core::TableInputs;
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("parametersPanel"));
    panel->setFixedHeight(95);
    const int h = kParameterFieldHeight;
    const auto right = Qt::AlignRight;
    // A text field shows its input and writes the user's changes to it.
    const auto field = [this, panel](QString I::*member, QRect geometry,
                                     Qt::Alignment alignment = Qt::AlignLeft) {
        QLineEdit* edit = makeField(panel, core::Key(member), geometry, alignment);
        textBindings_.push_back({edit, member});
        return edit;
    };
    const auto label = [panel](const char* name, core::InputMember member, bool bold = false) {
        return makeLabel(panel, QString::fromLatin1(name), core::Label(member), 13, bold);
    };
    const auto tickBox = [panel](bool I::*member) {
        const core::InputField& entry = core::Field(member);
        auto* box = new QCheckBox(core::Label(entry), panel);
        box->setObjectName(core::Key(entry));
        return box;
    };

    // The shown text fields, each with its label on its left (bold on the first line).
    struct LabelledField {
        QLineEdit* MainWindow::*field;
        QString I::*member;
        const char* labelName;
        QRect geometry;
        Qt::Alignment alignment;
        bool boldLabel;
    };
    const LabelledField labelledFields[] = {
        {&MainWindow::creditLineNameField, &I::creditLineName, "Label61", QRect(104, 4, 265, h),
         Qt::AlignLeft, true},
        {&MainWindow::annualRateField, &I::annualRate, "Label203", QRect(104, 30, 81, h), right,
         false},
        {&MainWindow::monthlyRateField, &I::monthlyRate, "Label204", QRect(256, 30, 84, h), right,
         false},
        {&MainWindow::bsmvRateField, &I::bsmvRate, "Label2", QRect(390, 30, 54, h), right, false},
        {&MainWindow::daysInYearField, &I::daysInYear, "Label202", QRect(518, 30, 54, h), right,
         false},
        {&MainWindow::repaymentExtraDaysField, &I::repaymentExtraDays, "Label40",
         QRect(678, 30, 43, h), right, false},
        {&MainWindow::companyNameField, &I::companyName, "Label13", QRect(440, 4, 361, h),
         Qt::AlignLeft, true},
    };
    QList<QWidget*> firstLine;
    QList<QWidget*> secondLine;
    for (const LabelledField& entry : labelledFields) {
        QLineEdit* edit = field(entry.member, entry.geometry, entry.alignment);
        this->*entry.field = edit;
        QLabel* caption = label(entry.labelName, entry.member, entry.boldLabel);
        placeLeftOf(caption, edit);
        auto& line = entry.geometry.top() == 4 ? firstLine : secondLine;
        line << caption << edit;
    }

    calculationDateField = new QDateEdit(panel);
    calculationDateField->setObjectName(core::Key(&I::calculationDate));
    calculationDateField->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    calculationDateField->setCalendarPopup(true);
    // Month and day names of the calendar in Turkish.
    calculationDateField->setLocale(TurkishLocale());
    calculationDateField->setFont(WindowFont(11));
    calculationDateField->setGeometry(856, 4, 97, h);
    auto* calculationDateLabel = label("Label199", &I::calculationDate, true);
    placeLeftOf(calculationDateLabel, calculationDateField);
    firstLine << calculationDateLabel << calculationDateField;

    auto* repaymentExtraDaysUnit = makeLabel(panel, QStringLiteral("Label12"),
                                             core::LabelAfter(core::Field(&I::repaymentExtraDays)));
    placeRightOf(repaymentExtraDaysUnit, repaymentExtraDaysField);

    moveRepaymentsPastHolidaysField = tickBox(&I::moveRepaymentsPastHolidays);
    moveRepaymentsPastHolidaysField->setFont(WindowFont(11));
    moveRepaymentsPastHolidaysField->adjustSize();
    moveRepaymentsPastHolidaysField->move(592, 72);
    moveRepaymentsPastHolidaysField->resize(std::max(177, moveRepaymentsPastHolidaysField->width()),
                                            moveRepaymentsPastHolidaysField->height());
    makeHolidayCalendarChoice(panel);

    auto* print =
        makePictureButton(panel, QStringLiteral("YazdirButton"), PrinterIcon(),
                          QRect(780, 34, 57, 56), QStringLiteral("Yazıcı Önizlemeyi Göster"));
    print->setFocusPolicy(Qt::NoFocus);
    connect(print, &QAbstractButton::clicked, this, &MainWindow::printReport);
    auto* mail = makePictureButton(panel, QStringLiteral("mailgonder"), MailIcon(),
                                   QRect(838, 34, 57, 56), QStringLiteral("Mail Olarak Gönder"));
    mail->setFocusPolicy(Qt::NoFocus);
    connect(mail, &QToolButton::clicked, this, &MainWindow::mailWorkbook);

    makeLabel(panel, QStringLiteral("Label10"),
              QStringLiteral("*Faiz hesaplaması yapmak istediğiniz tarihi son işlemin bir alt "
                             "satırına girin."),
              15, true)
        ->move(16, 56);
    makeLabel(panel, QStringLiteral("Label6"),
              QStringLiteral("*\"Faiz Bakiye\" toplamına ve \"Faiz Ödeme\" tutarına BSMV "
                             "dahildir."),
              13, true)
        ->move(16, 74);

    // Kept in the files but never shown.
    makeLabel(panel, QStringLiteral("Label38"), QStringLiteral("Ek Süreler (Valörü öteleyecektir)"))
        ->hide();
    label("Label210", &I::drawingExtraDays)->hide();
    drawingExtraDaysField = field(&I::drawingExtraDays, QRect(0, 0, 43, h), right);
    drawingExtraDaysField->setEnabled(false);
    drawingExtraDaysField->setReadOnly(true);
    drawingExtraDaysField->hide();
    label("Label3", &I::vergi2Rate)->hide();
    vergi2RateField = field(&I::vergi2Rate, QRect(0, 0, 54, h), right);
    vergi2RateField->setEnabled(false);
    vergi2RateField->setReadOnly(true);
    vergi2RateField->hide();
    moveDrawingsPastHolidaysField = tickBox(&I::moveDrawingsPastHolidays);
    moveDrawingsPastHolidaysField->setEnabled(false);
    moveDrawingsPastHolidaysField->hide();

    secondLine << repaymentExtraDaysUnit << print << mail;
    keepApart(firstLine);
    keepApart(secondLine);
    return panel;
}

QWidget* MainWindow::buildTotalsPanel() {
    using T = core::TableTotals;
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("totalsPanel"));
    panel->setFixedHeight(100);
    // Where each shown total stands: its label's name, the line (top 2, 28 or 54) and x.
    struct Place {
        QString T::*total;
        const char* label;
        int line;
        int x;
    };
    const Place places[] = {
        {&T::totalDrawn, "Label41", 0, 160},    {&T::totalRepaid, "Label43", 1, 160},
        {&T::creditBalance, "Label44", 2, 160}, {&T::totalInterest, "Label42", 0, 440},
        {&T::interestPaid, "Label45", 1, 440},  {&T::interestUnpaid, "Label46", 2, 440},
        {&T::totalBsmv, "Label4", 0, 664},
    };
    constexpr int kLineTops[] = {2, 28, 54};
    QList<QWidget*> lines[std::size(kLineTops)];
    for (const Place& place : places) {
        const core::TotalField& entry = core::Field(place.total);
        auto* field = makeField(panel, core::Key(entry),
                                QRect(place.x, kLineTops[place.line], 114, 24), Qt::AlignRight);
        field->setReadOnly(true);
        auto* label = makeLabel(panel, QString::fromLatin1(place.label), core::Label(entry));
        placeLeftOf(label, field);
        lines[place.line] << label << field;
        totalBindings_.push_back({field, place.total});
    }
    const core::InputField& target = core::Field(&core::TableInputs::targetTotalInterest);
    targetTotalInterestField =
        makeField(panel, core::Key(target), QRect(664, 54, 114, 24), Qt::AlignRight);
    textBindings_.push_back({targetTotalInterestField, &core::TableInputs::targetTotalInterest});
    auto* targetLabel = makeLabel(panel, QStringLiteral("Label8"), core::Label(target));
    placeLeftOf(targetLabel, targetTotalInterestField);
    auto* targetHint = makeLabel(
        panel, QStringLiteral("Label7"),
        QStringLiteral("Faiz oranını bulmak için Faiz Tutarını aşağıya girin."), 13, true);
    targetHint->move(576, 30);
    findRateButton = makeButton(panel, QStringLiteral("BitBtn5"),
                                QStringLiteral("FAİZ ORANINI BUL"), QRect(795, 47, 150, 36));
    widenToFit(findRateButton);
    connect(findRateButton, &QPushButton::clicked, this, &MainWindow::findRate);
    auto* help = makePictureButton(panel, QStringLiteral("tfXPButton2"), HelpIcon(),
                                   QRect(954, 9, 50, 50), QString());
    help->setFocusPolicy(Qt::NoFocus);
    connect(help, &QToolButton::clicked, this, &MainWindow::showHelp);
    makeLabel(panel, QStringLiteral("Label11"),
              QStringLiteral("*Faiz oranı değiştiği zaman \"Yıllık Faiz\" oranını değiştirin ve "
                             "değiştiği tarihi bir alt satıra girin."),
              15, true)
        ->move(16, 80);

    makeLabel(panel, QStringLiteral("Label5"), QStringLiteral("( BSMV = Vergi2 + BSMV )"))->hide();
    auto* interestNumbers = makeField(panel, core::Key(core::Field(&T::totalInterestNumber)),
                                      QRect(0, 0, 114, 24), Qt::AlignRight);
    interestNumbers->setEnabled(false);
    interestNumbers->setReadOnly(true);
    interestNumbers->hide();
    totalBindings_.push_back({interestNumbers, &T::totalInterestNumber});

    lines[1] << targetHint;
    lines[2] << targetLabel << targetTotalInterestField << findRateButton;
    for (const QList<QWidget*>& line : lines) keepApart(line);
    return panel;
}

void MainWindow::buildPopupMenu() {
    tableMenu_ = new QMenu(this);
    tableMenu_->setObjectName(QStringLiteral("PopupMenu6"));
    struct Item {
        const char* name;
        QString caption;
        QKeySequence shortcut;
        void (MainWindow::*handler)();
    };
    const Item items[] = {
        {"MenuItem11", QStringLiteral("  Satır Ekle   "), QKeySequence(Qt::SHIFT | Qt::Key_Insert),
         &MainWindow::insertRow},
        {"MenuItem12", QStringLiteral("  Satır Sil   "), QKeySequence(Qt::SHIFT | Qt::Key_Delete),
         &MainWindow::deleteRow},
        {"MenuItem13", QStringLiteral("  Yeniden Hesapla"), QKeySequence(Qt::Key_F3),
         &MainWindow::recalculateAll},
        {"MenuItem14", QStringLiteral("  Sıfırla"), QKeySequence(Qt::Key_F7),
         &MainWindow::resetTable},
        {"KaytlarSrala1", QStringLiteral("  Kayıtları Sırala"), QKeySequence(),
         &MainWindow::sortRows},
    };
    for (const Item& item : items) {
        QAction* action = tableMenu_->addAction(item.caption);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(item.shortcut);
        connect(action, &QAction::triggered, this, item.handler);
    }
    buildHistoryActions();
    grid_->setPopupMenu(tableMenu_);
}

void MainWindow::buildStatusBar() {
    auto* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setFixedHeight(22);
    const auto panel = [bar](const QString& name, const QString& text, int width) {
        auto* label = new QLabel(text, bar);
        label->setObjectName(name);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (width > 0) label->setFixedWidth(width);
        bar->addWidget(label, width > 0 ? 0 : 1);
        return label;
    };
    panel(QStringLiteral("statusMaker"), kMakerLine, 220);
    panel(QStringLiteral("statusVersion"), QStringLiteral("Version") + kVersionText, 200);
    panel(QStringLiteral("statusSite"), kMakerSiteLine, 0);
}

// Which holidays the tick box beside it moves repayments past.
void MainWindow::makeHolidayCalendarChoice(QWidget* panel) {
    holidayCalendarField = new QComboBox(panel);
    holidayCalendarField->setObjectName(QStringLiteral("TatilTakvimiComboBox"));
    holidayCalendarField->setFont(WindowFont(11));
    holidayCalendarField->addItem(QStringLiteral("Program tablosu"));
    holidayCalendarField->addItem(QStringLiteral("Resmî tatiller"));
    holidayCalendarField->setToolTip(QStringLiteral(
        "Geri ödeme valörünün kaydırılacağı tatiller\n"
        "Program tablosu: programın kendi tablosu (sabit tatiller, 2016-2019 bayramları)\n"
        "Resmî tatiller: Türkiye'nin resmî tatil takvimi; valör tek adımda ilk iş gününe "
        "kaydırılır"));
    holidayCalendarField->adjustSize();
    const QRect tick = moveRepaymentsPastHolidaysField->geometry();
    holidayCalendarField->setGeometry(tick.left() - holidayCalendarField->width() - 6,
                                      tick.center().y() - holidayCalendarField->height() / 2,
                                      holidayCalendarField->width(),
                                      holidayCalendarField->height());
}

void MainWindow::setTabOrders() {
    // The parameters panel, the table, the totals panel, then the command column.
    const QList<QWidget*> order = {
        creditLineNameField,
        annualRateField,
        monthlyRateField,
        bsmvRateField,
        calculationDateField,
        daysInYearField,
        repaymentExtraDaysField,
        moveRepaymentsPastHolidaysField,
        companyNameField,
        holidayCalendarField,
        grid_,
        findRateButton,
    };
    QList<QWidget*> chain = order;
    for (const TotalBinding& total : totalBindings_) {
        if (!total.field->isHidden()) chain.push_back(total.field);
    }
    chain.push_back(targetTotalInterestField);
    // The command column's own order puts GENİŞ YAZDIR last.
    for (QPushButton* button : commandButtons_) {
        if (button != wideReportButton_) chain.push_back(button);
    }
    chain.push_back(wideReportButton_);
    for (int i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
}

}  // namespace ui
