#pragma once
// Building blocks shared by the picker dialogs: panels, labels, buttons and the grid set-up
// every picker gives its list (row indicator, grid lines, rows 22 pixels high, even rows in
// pub_gridstyle), and the connection of a control's signal to a named handler under the
// error guard.

#include <QFrame>
#include <QString>

#include "platform/ui/Colors.h"
#include "platform/ui/ErrorDisplay.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace morvane::ui {
class DBTickGrid;
}

namespace morvane::pickers {

// A panel (named) of fixed height when `height` > 0; the colour clDefault keeps the parent's.
QFrame* MakePanel(QWidget* parent, const QString& name, int height,
                  ui::TColor color = ui::clDefault);
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption);
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption);
// A grid named `name` with the settings all the pickers' lists share.
ui::DBTickGrid* MakePickerGrid(QWidget* parent, const QString& name);
// The bottom bar of the list pickers (RzPanel2, 31 high): the tick-all box "全选" on the left,
// "确定" (RzBitBtn6) and "取消" (RzBitBtn7) on the right.
struct ConfirmBar {
    QFrame* panel;
    QCheckBox* tickAll;
    QPushButton* ok;
    QPushButton* cancel;
};
ConfirmBar MakeConfirmBar(QWidget* form, const QString& tickAllName);
// Stacks the dialog: the search panel (if any) on top, the grid taking the free height, the bar.
void StackPickerLayout(QWidget* form, QWidget* searchPanel, QWidget* grid, QWidget* bar);

// Gives the window its background colour.
void SetFormColor(QWidget* form, ui::TColor color);

// Runs `handler` for each emission of `signal`; an exception that leaves it reaches the
// host's error display and goes no further.
template <class Sender, class Signal, class Handler>
void Bind(Sender* sender, Signal signal, QObject* context, Handler handler) {
    QObject::connect(sender, signal, context, [handler] { ui::Guarded(handler); });
}

}  // namespace morvane::pickers
