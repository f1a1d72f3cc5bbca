#include "ui/help/HelpWindow.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "core/CommandEnding.h"
#include "ui/common/AppInfo.h"
#include "ui/common/WindowFont.h"
#include "ui/help/HelpFiles.h"
#include "ui/help/HelpText.h"

namespace ui {
namespace {

const QColor kTopicBandColour(215, 174, 255);
const QColor kViewerColour(251, 232, 210);

const QString& topicFile(HelpTopic topic) {
    return topic == HelpTopic::Import ? kImportHelpFile : kCalculationHelpFile;
}

QPalette withBackground(QPalette palette, QPalette::ColorRole role, const QColor& colour) {
    palette.setColor(role, colour);
    return palette;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* owner, QString programFolder, core::UserDialogs& dialogs)
    : QWidget(owner, Qt::Window), programFolder_(std::move(programFolder)), dialogs_(dialogs) {
    setObjectName(QStringLiteral("yardimF"));
    setWindowTitle(QStringLiteral("Durvex Vovirer Dorud Zizevarev Yardım"));
    setFont(WindowFont(11));
    buildWindow();
    resize(870, 500);
    centreOnScreen();
    hide();
}

void HelpWindow::buildWindow() {
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("topicBand"));
    band->setFixedHeight(41);
    band->setAutoFillBackground(true);
    band->setPalette(withBackground(band->palette(), QPalette::Window, kTopicBandColour));
    auto* bandRow = new QHBoxLayout(band);
    bandRow->setContentsMargins(8, 0, 8, 0);
    auto* label = new QLabel(QStringLiteral("Yardım Alınacak Konuyu Seçin"), band);
    label->setObjectName(QStringLiteral("Label1"));
    label->setFont(WindowFont(13, true));
    bandRow->addWidget(label);
    topicList_ = new QComboBox(band);
    topicList_->setObjectName(QStringLiteral("ComboBox1"));
    topicList_->setFont(WindowFont(13, true));
    topicList_->addItems({QStringLiteral("Vovirer Dorud Zizevarev İşlemleri"),
                          QStringLiteral("Excel'den Aktarım İşlemleri")});
    topicList_->setCurrentIndex(0);
    topicList_->setMinimumWidth(300);
    bandRow->addWidget(topicList_);
    bandRow->addStretch(1);
    connect(topicList_, &QComboBox::activated, this, &HelpWindow::chooseTopic);

    viewer_ = new QTextEdit(this);
    viewer_->setObjectName(QStringLiteral("RichEdit1"));
    viewer_->setReadOnly(true);
    viewer_->setTabChangesFocus(false);
    viewer_->document()->setDefaultFont(WindowFont(13));
    viewer_->document()->setDocumentMargin(10);
    QPalette palette = withBackground(viewer_->palette(), QPalette::Base, kViewerColour);
    // The selection stays visible while another control has the focus.
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    viewer_->setPalette(palette);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    auto* makerPanel = new QLabel(kMakerLine, status);
    makerPanel->setFixedWidth(300);
    status->addWidget(makerPanel);
    auto* versionPanel = new QLabel(QStringLiteral("Version") + kVersionText, status);
    versionPanel->setObjectName(QStringLiteral("versionPanel"));
    versionPanel->setMinimumWidth(50);
    status->addWidget(versionPanel, 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(band);
    column->addWidget(viewer_, 1);
    column->addWidget(status);
}

void HelpWindow::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void HelpWindow::chooseTopic(int index) {
    if (index == 0 || index == 1) loadTopic(static_cast<HelpTopic>(index));
}

void HelpWindow::showTopic(HelpTopic topic) {
    show();
    raise();
    activateWindow();
    loadTopic(topic);
}

void HelpWindow::loadTopic(HelpTopic topic) {
    core::RunReportingFailure(dialogs_, [&] {
        const auto help = ReadHelpFile(HelpFilePath(programFolder_, topicFile(topic)));
        if (help) ShowHelpText(*viewer_, *help);
    });
}

void ShowHelp(QWidget* mainWindow, HelpTopic topic) {
    if (!mainWindow) return;
    if (auto* help = mainWindow->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly)) {
        help->showTopic(topic);
    }
}

}  // namespace ui
