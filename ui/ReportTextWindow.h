#pragma once

#include <QWidget>

namespace ui {

// The report text window: holds the report's text buffer; never shown.
// Created hidden at start-up; lives as long as the main window.
class ReportTextWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ReportTextWindow(QWidget* owner);
};

}  // namespace ui
