#include "platform/ui/PivotGridStyles.h"

#include "platform/ui/TcxStyle.h"

TcxPivotGridStyles::TcxPivotGridStyles(QObject* owner) : QObject(owner) {}

TcxStyle* TcxPivotGridStyles::GetValue(int slot) const {
    if (slot < 0 || slot >= psSlotCount)
        return nullptr;
    return slots_[static_cast<size_t>(slot)];
}

void TcxPivotGridStyles::SetValue(int slot, TcxStyle* style) {
    if (slot < 0 || slot >= psSlotCount)
        return;
    auto& s = slots_[static_cast<size_t>(slot)];
    if (s == style)
        return;
    if (s)
        disconnect(s, nullptr, this, nullptr);
    s = style;
    if (style) {
        connect(style, &TcxStyle::changed, this, &TcxPivotGridStyles::changed);
        connect(style, &QObject::destroyed, this, &TcxPivotGridStyles::changed);
    }
    emit changed();
}

QColor TcxPivotGridStyles::Color(int slot) const {
    if (const TcxStyle* s = GetValue(slot)) {
        const QColor c = s->QtColor();
        if (c.isValid())
            return c;
    }
    if (slot == psGrandTotal)
        return Color(psTotal);
    return DefaultColor(slot);
}

QColor TcxPivotGridStyles::DefaultColor(int slot) {
    switch (slot) {
        case psBackground:
        case psContent:
        case psInactive:
            return QColor(255, 255, 255);
        case psColumnHeader:
        case psRowHeader:
        case psFieldHeader:
            return QColor(0xF3, 0xF4, 0xF6);
        case psColumnHeaderArea:
        case psDataHeaderArea:
        case psFilterHeaderArea:
        case psRowHeaderArea:
        case psHeaderBackground:
            return QColor(0xE6, 0xE9, 0xEE);
        case psFilterSeparator:
            return QColor(0xB8, 0xBE, 0xC8);
        case psSelected:
            return QColor(0x33, 0x78, 0xD7);
        case psTotal:
        case psGrandTotal:
            return QColor(0xF2, 0xF6, 0xFC);
    }
    return QColor(255, 255, 255);
}
