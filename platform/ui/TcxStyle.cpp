#include "platform/ui/TcxStyle.h"

TcxStyle::TcxStyle(QObject* owner) : QObject(owner) {}

void TcxStyle::SetColor(morvane::ui::TColor color) {
    if (color == color_)
        return;
    color_ = color;
    emit changed();
}
