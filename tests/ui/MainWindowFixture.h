#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "core/RecordingDialogs.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/TransactionGrid.h"

namespace testing_ui {

// File dialogs answered by the test: nothing means Cancel.
class ScriptedFiles : public ui::FileChooser {
  public:
    std::optional<QString> savePath;
    std::optional<QString> openPath;
    QString proposedName;

    std::optional<QString> chooseSavePath(const QString& proposed) override {
        proposedName = proposed;
        return savePath;
    }
    std::optional<QString> chooseOpenPath() override { return openPath; }
};

// Records every message and question; when told to, also shows each as the program does, in
// a modal message box over the window, answered with a key pressed in the box.
class BoxDialogs : public core::UserDialogs {
  public:
    core::RecordingDialogs recorder{core::DialogButton::No};
    std::optional<Qt::Key> answerKey;
    QWidget* parent = nullptr;

    void notify(const core::Notice& notice) override;
    core::DialogButton ask(const core::Question& question) override;
};

// The main window in a program folder of its own, its messages recorded, shown and active,
// with helpers that type into whatever has the focus, as a user does.
class MainWindowFixture {
  public:
    // `programFolder` empty: a folder of the fixture's own, written as a portable program's.
    // `today` invalid: the system's date.
    explicit MainWindowFixture(const QString& printerName = QStringLiteral("PDF"),
                               const QByteArray& settings = {}, const QString& programFolder = {},
                               const QDate& today = {});
    ~MainWindowFixture();

    ui::MainWindow& window() { return *window_; }
    ui::TransactionGrid& grid() { return window_->grid(); }
    core::Calculation& calc() { return window_->calculation(); }
    const core::TransactionTable& table() { return calc().table(); }
    core::RecordingDialogs& dialogs() { return dialogs_.recorder; }
    // From now on messages also come up in real message boxes, answered with this key.
    void answerMessageBoxesWith(Qt::Key key) { dialogs_.answerKey = key; }
    ScriptedFiles& files() { return files_; }
    QString folder() const { return folder_.path() + QLatin1Char('/'); }
    // The user's list of recent files and the folder of recovery copies, the fixture's own.
    QString recentFilesList() const { return folder() + QStringLiteral("config/son-dosyalar.txt"); }
    QString recoveryFolder() const { return folder() + QStringLiteral("kurtarma/"); }

    QLineEdit* field(const char* name);
    QString text(const char* name) { return field(name)->text(); }
    QString cell(int column, int row) { return table().cell(column, row); }
    QString editorText();

    static QWidget* focus();
    // One key pressed and released where the focus is, as the keyboard delivers it.
    static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void type(const QString& text);
    // Puts the focus into a field or the grid.
    void focusOn(QWidget* widget);
    void goToCell(int column, int row);
    // Clicks a cell of the grid with the mouse.
    void clickCell(int column, int row);
    // Types the worked example: annual rate 24, 360 days, BSMV 5; a drawing of 100 on
    // 01.03.2019 and a date row on 31.03.2019.
    void typeWorkedExample();

    // The reports the print commands would have shown in the preview.
    std::vector<report::LaidOutReport> previews;

  private:
    BoxDialogs dialogs_;
    ScriptedFiles files_;
    QTemporaryDir folder_;
    std::unique_ptr<ui::MainWindow> window_;
};

}  // namespace testing_ui
