#pragma once
// A button edit: a read-only text with an ellipsis button ("…") drawn at its right end. The
// text tells what the button chose; the user does not type it. Pressing the button (a click,
// F4 or Alt+Down while the edit has the focus, or PressButton) emits PropertiesButtonClick; the
// window's handler does the rest. The tooltip may list what the text stands for (the chosen
// codes with their names).

#include <QLineEdit>
#include <QStringList>

class QToolButton;

class TcxButtonEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TcxButtonEdit(QWidget* parent = nullptr);

    // Presses the button with the given index (there is one, index 0). Scripts and the
    // headless host use it in place of a click. Nothing happens while the edit is disabled.
    Q_INVOKABLE void PressButton(int index = 0);

    // What the text stands for: the codes chosen and their names (same order). Shown as the
    // tooltip ("code  name" lines, the first twenty, then the count); none chosen: "不限（全部）".
    void SetChosen(const QStringList& codes, const QStringList& names);
    QStringList ChosenCodes() const { return codes_; }
    QStringList ChosenNames() const { return names_; }

    // The drawn button (for tools and tests).
    QToolButton* Button() const { return button_; }

  signals:
    void PropertiesButtonClick(int buttonIndex);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void placeButton();

    QToolButton* button_;
    QStringList codes_, names_;
};
