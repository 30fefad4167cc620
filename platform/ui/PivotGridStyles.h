#pragma once
// The styles table of the pivot grid: numbered slots, each holding a shared TcxStyle or nothing.
// A slot without a style (or whose style has no colour) paints in the grid's default colour.
// Styles are not owned; a style that is destroyed leaves its slot empty.

#include <QColor>
#include <QObject>
#include <QPointer>

#include <array>

class TcxStyle;

class TcxPivotGridStyles : public QObject {
    Q_OBJECT
  public:
    // Slot numbers as the windows address them (the totals style is slot 13).
    enum Slot {
        psBackground = 0,
        psColumnHeader = 1,
        psColumnHeaderArea = 2,
        psContent = 3,
        psDataHeaderArea = 4,
        psFieldHeader = 5,
        psFilterHeaderArea = 6,
        psFilterSeparator = 7,
        psHeaderBackground = 8,
        psInactive = 9,
        psRowHeader = 10,
        psRowHeaderArea = 11,
        psSelected = 12,
        psTotal = 13,
        psGrandTotal = 14,  // falls back to the totals style when empty
        psSlotCount = 15
    };

    explicit TcxPivotGridStyles(QObject* owner = nullptr);

    TcxStyle* GetValue(int slot) const;
    void SetValue(int slot, TcxStyle* style);

    TcxStyle* Background() const { return GetValue(psBackground); }
    void SetBackground(TcxStyle* s) { SetValue(psBackground, s); }
    TcxStyle* ColumnHeader() const { return GetValue(psColumnHeader); }
    void SetColumnHeader(TcxStyle* s) { SetValue(psColumnHeader, s); }
    TcxStyle* ColumnHeaderArea() const { return GetValue(psColumnHeaderArea); }
    void SetColumnHeaderArea(TcxStyle* s) { SetValue(psColumnHeaderArea, s); }
    TcxStyle* Content() const { return GetValue(psContent); }
    void SetContent(TcxStyle* s) { SetValue(psContent, s); }
    TcxStyle* RowHeader() const { return GetValue(psRowHeader); }
    void SetRowHeader(TcxStyle* s) { SetValue(psRowHeader, s); }
    TcxStyle* Total() const { return GetValue(psTotal); }
    void SetTotal(TcxStyle* s) { SetValue(psTotal, s); }
    TcxStyle* GrandTotal() const { return GetValue(psGrandTotal); }
    void SetGrandTotal(TcxStyle* s) { SetValue(psGrandTotal, s); }

    // The colour a slot paints with: its style's colour, the totals style for an empty grand-total
    // slot, else the grid's default for the slot.
    QColor Color(int slot) const;
    static QColor DefaultColor(int slot);

  signals:
    void changed();

  private:
    std::array<QPointer<TcxStyle>, psSlotCount> slots_;
};
