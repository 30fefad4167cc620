#pragma once
// The platform's form class: a top-level window (or MDI child) with the life cycle the windows
// rely on. Construction builds the design-time layout; Create() then runs the creation event;
// closing asks for a close action (hide, free, or refuse); a modal run ends when a modal result
// is set. Descendants receive these events through the Do* hooks.

#include <QFont>
#include <QWidget>

class QEventLoop;

namespace morvane::ui {

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStyle { fsNormal, fsMDIChild, fsStayOnTop };
enum TFormBorderStyle { bsSizeable, bsDialog };
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

// The font at a size as the platform reads one: a positive size in points, a negative one a
// height in pixels, 0 the platform's default height (that of the application's font).
QFont FontOfSize(QFont font, int size);

class TForm : public QWidget {
    Q_OBJECT
  public:
    explicit TForm(QWidget* parent = nullptr);
    ~TForm() override;

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);

    // With KeyPreview on, the form sees key presses before the focused control does.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on);

    // Runs the creation event once; an exception that leaves it is shown on the host's error
    // display and the form stays created. Returns false when the event failed.
    bool Create();

    int ModalResult() const { return modalResult_; }
    // A non-zero result ends a running modal loop.
    void SetModalResult(int result);
    // Shows the form modally through the host's modal runner; returns the modal result.
    int ShowModal();
    // The real modal loop (used by the GUI runner): shows the form application-modal and
    // waits until a modal result is set or the form is closed, then ends it with CloseModal.
    int ExecModal();
    // Ends a modal run with the result: runs the close event (a close action of caNone keeps
    // the form and gives result 0; caFree schedules its deletion) and hides the form. Returns
    // the final modal result.
    int CloseModal(int result);

    // Schedules the deletion of the form (and of its MDI frame) once control returns to the
    // event loop.
    void Release();

  protected:
    virtual void DoCreate() {}
    // `action` starts as caHide (caFree is what report windows set).
    virtual void DoClose(TCloseAction& action) {}
    // Key events, seen first when KeyPreview is on. Setting `key` to 0 consumes the key.
    virtual void DoKeyDown(int& key, Qt::KeyboardModifiers shift) {}
    virtual void DoKeyPress(QChar& key) {}

    // Moves the focus to the next control in tab order.
    void SelectNextControl() { focusNextPrevChild(true); }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Runs DoKeyDown / DoKeyPress for the event; true when the key was consumed.
    bool dispatchKey(QKeyEvent* event);
    bool runClose(TCloseAction& action);

    TFormStyle formStyle_ = fsNormal;
    TFormBorderStyle borderStyle_ = bsSizeable;
    bool keyPreview_ = false;
    bool created_ = false;
    int modalResult_ = mrNone;
    QEventLoop* modalLoop_ = nullptr;
};

}  // namespace morvane::ui
