#pragma once
// The filter drop-down of a pivot field: the field's distinct values with tick boxes, a page of
// them at a time ("更多..." loads the next page), a tick for all values, OK and cancel. OK sets
// the field's value filter; values never loaded keep the state the filter gave them, unless the
// all-values tick was used, which sets every value. Deletes itself when closed.

#include "platform/pivot/PivotEngine.h"

#include <QFrame>

#include <vector>

class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QLabel;

namespace morvane::ui {

class PivotFilterPopup : public QFrame {
    Q_OBJECT
  public:
    PivotFilterPopup(morvane::pivot::PivotEngine& engine, morvane::pivot::PivotField& field,
                     int pageSize, QWidget* parent = nullptr);

    morvane::pivot::PivotField& Field() const { return *field_; }
    int LoadedCount() const { return static_cast<int>(values_.size()); }
    int ValueCount() const { return total_; }
    // Loads the next page of values.
    void LoadMore();
    // Ticks or clears every value, loaded or not.
    void SetAllChecked(bool checked);
    // Ticks or clears the loaded value at `index`.
    void SetChecked(int index, bool checked);
    bool IsChecked(int index) const;
    // The filter OK would set.
    morvane::pivot::FieldFilter Result() const;
    // OK: sets the filter and closes. Cancel: closes.
    void Accept();
    void Reject();

    QListWidget* List() const { return list_; }
    QCheckBox* AllBox() const { return all_; }
    QPushButton* MoreButton() const { return more_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

  signals:
    void accepted();

  private:
    enum class Base { Filter, AllOn, AllOff };
    bool baseAllows(const morvane::pivot::Value& v) const;
    void itemChanged(QListWidgetItem* item);
    void syncControls();

    morvane::pivot::PivotEngine* engine_;
    morvane::pivot::PivotField* field_;
    int pageSize_;
    int total_ = 0;
    Base base_ = Base::Filter;
    std::vector<morvane::pivot::Value> values_;
    QCheckBox* all_;
    QListWidget* list_;
    QLabel* count_;
    QPushButton* more_;
    QPushButton* ok_;
    QPushButton* cancel_;
    bool syncing_ = false;
};

}  // namespace morvane::ui
