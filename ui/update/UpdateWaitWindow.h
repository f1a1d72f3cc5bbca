#pragma once

#include <QWidget>

class QProgressBar;
class QPushButton;

namespace ui {

// The wait window shown while the program update downloads: a caption, no title-bar
// buttons, a progress bar that follows the download. Created hidden at start-up; lives as
// long as the main window.
class UpdateWaitWindow : public QWidget {
    Q_OBJECT
  public:
    explicit UpdateWaitWindow(QWidget* owner);

    // Shows it, not modal, in the middle of the screen, its bar at the start.
    void showCentred();
    // The bytes received of the total; a total not known (< 1) keeps the bar busy.
    void showProgress(qint64 received, qint64 total);

    QProgressBar& progressBar() { return *progressBar_; }

  signals:
    // The user gave up waiting: the download stops and the program stays as it is.
    void cancelRequested();

  private:
    QProgressBar* progressBar_ = nullptr;
};

}  // namespace ui
