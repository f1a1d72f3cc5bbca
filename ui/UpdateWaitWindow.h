#pragma once

#include <QWidget>

namespace ui {

// The wait window shown while the program update downloads.
// Created hidden at start-up; lives as long as the main window.
class UpdateWaitWindow : public QWidget {
    Q_OBJECT
  public:
    explicit UpdateWaitWindow(QWidget* owner);
};

}  // namespace ui
