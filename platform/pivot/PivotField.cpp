#include "platform/pivot/PivotField.h"

#include "platform/pivot/EngineState.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/pivot/ValueFormat.h"

#include <algorithm>

namespace morvane::pivot {

bool FieldFilter::allows(const Value& v) const {
    const bool listed = std::find(values.begin(), values.end(), v) != values.end();
    return mode == Mode::Included ? listed : !listed;
}

int PivotField::index() const {
    const auto& fs = grid_->d_->fields;
    for (size_t i = 0; i < fs.size(); ++i)
        if (fs[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

void PivotField::setCaption(const QString& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    grid_->fieldChanged(false);
}

void PivotField::setArea(Area area) {
    if (area == area_)
        return;
    area_ = area;
    areaOrder_ = grid_->d_->nextOrder++;
    toggled_.clear();
    grid_->fieldChanged(true);
}

int PivotField::areaIndex() const {
    if (area_ == Area::None)
        return -1;
    const auto list = grid_->fieldsInArea(area_);
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void PivotField::setAreaIndex(int index) {
    if (area_ == Area::None)
        return;
    auto list = grid_->fieldsInArea(area_);
    list.erase(std::find(list.begin(), list.end(), this));
    index = std::clamp(index, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + index, this);
    for (PivotField* f : list)
        f->areaOrder_ = grid_->d_->nextOrder++;
    grid_->fieldChanged(true);
}

void PivotField::setSortOrder(SortOrder order) {
    if (order == sortOrder_)
        return;
    sortOrder_ = order;
    grid_->fieldChanged(true);
}

void PivotField::setFilter(FieldFilter filter) {
    filter_ = std::move(filter);
    grid_->fieldChanged(true);
}

void PivotField::setMinWidth(int w) {
    minWidth_ = std::max(0, w);
    grid_->fieldChanged(false);
}

void PivotField::setWidth(int w) {
    width_ = std::max(0, w);
    grid_->fieldChanged(false);
}

void PivotField::setExpanded(bool expanded) {
    expanded_ = expanded;
    toggled_.clear();
    grid_->d_->axisDirty = true;
    grid_->changed();
}

void PivotField::setTotalsVisible(bool visible) {
    if (visible == totals_)
        return;
    totals_ = visible;
    grid_->d_->axisDirty = true;
    grid_->changed();
}

void PivotField::setOnGetDisplayText(DisplayTextHandler handler) {
    onGetDisplayText_ = std::move(handler);
    grid_->fieldChanged(false);
}

QString PivotField::displayText(const Value& v) const {
    QString text = formatValue(v);
    if (onGetDisplayText_) {
        DisplayTextInfo info;
        info.target = DisplayTextInfo::Target::GroupValue;
        info.value = v;
        onGetDisplayText_(*this, info, text);
    }
    return text;
}

}  // namespace morvane::pivot
