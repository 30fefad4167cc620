#pragma once
// A text edit with an ellipsis button at its right end. Pressing the button (with the mouse or
// through PressButton) emits PropertiesButtonClick; the window's handler does the rest.

#include <QLineEdit>

class QAction;

class TcxButtonEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TcxButtonEdit(QWidget* parent = nullptr);

    // Presses the button with the given index (there is one, index 0). Scripts and the
    // headless host use it in place of a click.
    Q_INVOKABLE void PressButton(int index = 0);

  signals:
    void PropertiesButtonClick(int buttonIndex);

  private:
    QAction* button_;
};
