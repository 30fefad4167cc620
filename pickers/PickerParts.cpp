#include "pickers/PickerParts.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/DBTickGrid.h"

namespace morvane::pickers {

QFrame* MakePanel(QWidget* parent, const QString& name, int height, ui::TColor color) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    if (height > 0)
        panel->setFixedHeight(height);
    if (color != ui::clDefault)
        SetFormColor(panel, color);
    return panel;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

ConfirmBar MakeConfirmBar(QWidget* form, const QString& tickAllName) {
    ConfirmBar bar;
    bar.panel = MakePanel(form, QStringLiteral("RzPanel2"), 31);
    bar.tickAll = new QCheckBox(QStringLiteral("全选"), bar.panel);
    bar.tickAll->setObjectName(tickAllName);
    bar.ok = MakeButton(bar.panel, QStringLiteral("RzBitBtn6"), QStringLiteral("确定"));
    bar.cancel = MakeButton(bar.panel, QStringLiteral("RzBitBtn7"), QStringLiteral("取消"));
    auto* row = new QHBoxLayout(bar.panel);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(bar.tickAll);
    row->addStretch();
    row->addWidget(bar.ok);
    row->addWidget(bar.cancel);
    return bar;
}

void StackPickerLayout(QWidget* form, QWidget* searchPanel, QWidget* grid, QWidget* bar) {
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (searchPanel)
        layout->addWidget(searchPanel);
    layout->addWidget(grid, 1);
    layout->addWidget(bar);
}

ui::DBTickGrid* MakePickerGrid(QWidget* parent, const QString& name) {
    auto* grid = new ui::DBTickGrid(parent);
    grid->setObjectName(name);
    grid->SetRowHeight(22);
    grid->SetGridLineColor(8421440);
    grid->SetIncrementalSearch(true);
    grid->SetRowIndicator(true);
    return grid;
}

void SetFormColor(QWidget* form, ui::TColor color) {
    QPalette pal = form->palette();
    pal.setColor(QPalette::Window, ui::ToQColor(color));
    form->setPalette(pal);
    form->setAutoFillBackground(true);
}

}  // namespace morvane::pickers
