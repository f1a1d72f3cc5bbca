#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;

namespace ui {

// The report text window: holds the report's text buffer, the body of the last report printed,
// in the report's monospaced font; never shown.
// Created hidden at start-up; lives as long as the main window.
class ReportTextWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ReportTextWindow(QWidget* owner);

    // Replaces the whole buffer, so printing twice never doubles it.
    void setLines(const QStringList& lines);
    QStringList lines() const;

  private:
    QPlainTextEdit* buffer_ = nullptr;
};

}  // namespace ui
