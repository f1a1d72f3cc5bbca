#pragma once

#include <QWidget>

namespace ui {

// The import window: reads a spreadsheet and transfers its movements into the table.
// Created hidden at start-up; lives as long as the main window.
class ImportWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ImportWindow(QWidget* owner);
};

}  // namespace ui
