#include "pickers/PickerParts.h"

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

QString QuotedText(QString text) {
    return text.replace(QLatin1Char('\''), QStringLiteral("''"));
}

}  // namespace morvane::pickers
