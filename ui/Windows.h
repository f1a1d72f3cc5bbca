#pragma once

#include <QWidget>

namespace ui {

// The program's other windows, created hidden at start-up and living as long as the main
// window. Their contents come with their own commands.

// The import window.
class TaktarexcelRF : public QWidget {
    Q_OBJECT
  public:
    explicit TaktarexcelRF(QWidget* owner);
};

// The help window.
class TyardimF : public QWidget {
    Q_OBJECT
  public:
    explicit TyardimF(QWidget* owner);
};

// The report text window, never shown.
class TraporF : public QWidget {
    Q_OBJECT
  public:
    explicit TraporF(QWidget* owner);
};

// The wait window of the program update.
class TForm2 : public QWidget {
    Q_OBJECT
  public:
    explicit TForm2(QWidget* owner);
};

}  // namespace ui
