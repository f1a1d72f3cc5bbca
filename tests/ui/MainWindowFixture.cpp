#include "MainWindowFixture.h"

#include <QFile>
#include <QTest>
#include <QTimer>

#include "ui/common/MessageBoxDialogs.h"

namespace testing_ui {
namespace {

// The key goes to the modal box that is about to come up, once its event loop runs.
void pressInNextModalBox(Qt::Key key) {
    QTimer::singleShot(0, [key] {
        if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, key);
    });
}

}  // namespace

void BoxDialogs::notify(const core::Notice& notice) {
    recorder.notify(notice);
    if (!answerKey) return;
    ui::MessageBoxDialogs boxes;
    boxes.setParentWidget(parent);
    pressInNextModalBox(*answerKey);
    boxes.notify(notice);
}

core::DialogButton BoxDialogs::ask(const core::Question& question) {
    const core::DialogButton recorded = recorder.ask(question);
    if (!answerKey) return recorded;
    ui::MessageBoxDialogs boxes;
    boxes.setParentWidget(parent);
    pressInNextModalBox(*answerKey);
    return boxes.ask(question);
}

MainWindowFixture::MainWindowFixture(const QString& printerName, const QByteArray& settings,
                                     const QString& programFolder, const QDate& today) {
    if (!settings.isEmpty()) {
        QFile file(folder() + QStringLiteral("Ayarlar.ini"));
        file.open(QIODevice::WriteOnly);
        file.write(settings);
    }
    ui::MainWindowServices services;
    services.dialogs = &dialogs_;
    services.files = &files_;
    services.defaultPrinterName = [printerName] { return printerName; };
    services.programFolder = programFolder.isEmpty() ? folder() : programFolder;
    if (today.isValid()) services.today = [today] { return today; };
    services.recentFilesList = recentFilesList();
    services.recoveryFolder = recoveryFolder();
    // The export's workbook is made ahead at every pause of a test, to show it stays unseen.
    services.exportPreparationDelay = std::chrono::milliseconds(20);
    services.showReportPreview = [this](report::LaidOutReport shown) {
        previews.push_back(std::move(shown));
    };
    window_ = std::make_unique<ui::MainWindow>(services);
    dialogs_.parent = window_.get();
    window_->resize(1200, 700);
    window_->show();
    window_->activateWindow();
    QApplication::setActiveWindow(window_.get());
    if (!QTest::qWaitForWindowActive(window_.get())) qWarning("window not active");
    window_->grid().setFocus();
    QApplication::processEvents();
}

MainWindowFixture::~MainWindowFixture() {
    window_->setAskBeforeClose(false);
    window_->close();
}

QWidget* MainWindowFixture::focus() {
    QWidget* widget = QApplication::focusWidget();
    if (!widget) qFatal("nothing has the focus");
    return widget;
}

QLineEdit* MainWindowFixture::field(const char* name) {
    auto* found = window_->findChild<QLineEdit*>(QString::fromLatin1(name));
    if (!found) qFatal("no field %s", name);
    return found;
}

QString MainWindowFixture::editorText() {
    return grid().cellEditor() ? grid().cellEditor()->text() : QString();
}

void MainWindowFixture::key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyPress(focus(), key, modifiers);
    // The release goes where the focus is now, as the keyboard's does; after a message box
    // the window may not have it back yet.
    if (QWidget* now = QApplication::focusWidget()) QTest::keyRelease(now, key, modifiers);
}

void MainWindowFixture::type(const QString& text) {
    for (const QChar character : text) {
        const QString one(character);
        const auto code = character == QLatin1Char(',')   ? Qt::Key_Comma
                          : character == QLatin1Char('.') ? Qt::Key_Period
                          : character == QLatin1Char('-') ? Qt::Key_Minus
                          : character == QLatin1Char(' ') ? Qt::Key_Space
                          : character.isDigit() ? Qt::Key(Qt::Key_0 + character.digitValue())
                                                : Qt::Key(character.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, focus(), code, one, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, focus(), code, one, Qt::NoModifier);
    }
}

void MainWindowFixture::focusOn(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

void MainWindowFixture::goToCell(int column, int row) { clickCell(column, row); }

void MainWindowFixture::clickCell(int column, int row) {
    const QModelIndex index = grid().tableModel().indexOfCell(column, row);
    grid().scrollTo(index);
    const QPoint centre = grid().visualRect(index).center();
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    // The click lands on the view; the editor of the cell it chose takes the focus.
    QApplication::processEvents();
}

void MainWindowFixture::typeWorkedExample() {
    focusOn(field("yillikfaizNetEdit"));
    type(QStringLiteral("24"));
    focusOn(field("yildakigunEdit"));
    type(QStringLiteral("360"));
    focusOn(field("KKDFNetEdit"));
    type(QStringLiteral("5"));
    clickCell(1, 1);
    type(QStringLiteral("01032019"));
    key(Qt::Key_Return);  // to the value date
    key(Qt::Key_Return);  // to the description: the value date was copied
    type(QStringLiteral("Kullanim"));
    key(Qt::Key_Return);
    type(QStringLiteral("100"));
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    key(Qt::Key_Return);  // column 7 to column 1 of row 2
    key(Qt::Key_Return);  // to the value date of row 2
    type(QStringLiteral("31032019"));
    key(Qt::Key_Return);  // to the description: row 2 is recalculated
}

}  // namespace testing_ui
