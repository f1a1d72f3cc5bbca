#pragma once

#include <QWidget>

#include "core/UserDialogs.h"

class QComboBox;
class QTextEdit;

namespace ui {

// The two help topics, in the order of the topic list.
enum class HelpTopic { Calculation = 0, Import = 1 };

// The help window: a topic list over a read-only viewer of the help texts. Created hidden at
// start-up, shown without being modal, only hidden when closed; the viewer keeps the last
// text loaded and the topic list its choice.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    // The texts are read from `programFolder`; a text that cannot be read is reported
    // through `dialogs`.
    HelpWindow(QWidget* owner, QString programFolder, core::UserDialogs& dialogs);

    // A help button: shows the window (brought to the front when it is already open) with
    // the topic's text. The topic list is left as it is, so it may name the other topic.
    void showTopic(HelpTopic topic);

    QComboBox& topicList() { return *topicList_; }
    QTextEdit& viewer() { return *viewer_; }

  private:
    void chooseTopic(int index);
    // Replaces the viewer's content with the topic's file; a missing file leaves it as it is.
    void loadTopic(HelpTopic topic);
    void buildWindow();
    void centreOnScreen();

    QString programFolder_;
    core::UserDialogs& dialogs_;
    QComboBox* topicList_ = nullptr;
    QTextEdit* viewer_ = nullptr;
};

// The help button of a window of the program: the help window that lives with the main
// window shows the topic. Nothing happens when there is none.
void ShowHelp(QWidget* mainWindow, HelpTopic topic);

}  // namespace ui
