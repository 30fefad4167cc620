#include "platform/ui/PivotFilterPopup.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace morvane::ui {

using morvane::pivot::FieldFilter;
using morvane::pivot::Value;

PivotFilterPopup::PivotFilterPopup(morvane::pivot::PivotEngine& engine,
                                   morvane::pivot::PivotField& field, int pageSize, QWidget* parent)
    : QFrame(parent, Qt::Popup),
      engine_(&engine),
      field_(&field),
      pageSize_(std::max(1, pageSize)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    setObjectName(QStringLiteral("PivotFilterPopup"));
    total_ = engine.distinctValueCount(field);

    all_ = new QCheckBox(QStringLiteral("(全部)"), this);
    list_ = new QListWidget(this);
    list_->setUniformItemSizes(true);
    count_ = new QLabel(this);
    more_ = new QPushButton(QStringLiteral("更多..."), this);
    ok_ = new QPushButton(QStringLiteral("确定"), this);
    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    ok_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(all_);
    layout->addWidget(list_, 1);
    auto* moreRow = new QHBoxLayout;
    moreRow->addWidget(count_, 1);
    moreRow->addWidget(more_);
    layout->addLayout(moreRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    resize(240, 320);

    connect(all_, &QCheckBox::clicked, this, [this](bool on) { SetAllChecked(on); });
    connect(list_, &QListWidget::itemChanged, this, &PivotFilterPopup::itemChanged);
    connect(more_, &QPushButton::clicked, this, &PivotFilterPopup::LoadMore);
    connect(ok_, &QPushButton::clicked, this, &PivotFilterPopup::Accept);
    connect(cancel_, &QPushButton::clicked, this, &PivotFilterPopup::Reject);
    LoadMore();
}

bool PivotFilterPopup::baseAllows(const Value& v) const {
    switch (base_) {
        case Base::AllOn:
            return true;
        case Base::AllOff:
            return false;
        case Base::Filter:
            break;
    }
    return field_->filter().allows(v);
}

void PivotFilterPopup::LoadMore() {
    const int first = LoadedCount();
    if (first >= total_)
        return;
    const std::vector<Value> page = engine_->distinctValues(*field_, first, pageSize_);
    syncing_ = true;
    for (const Value& v : page) {
        QString text = field_->displayText(v);
        if (text.isEmpty())
            text = morvane::pivot::kBlankCaption;
        auto* item = new QListWidgetItem(text, list_);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(baseAllows(v) ? Qt::Checked : Qt::Unchecked);
        values_.push_back(v);
    }
    syncing_ = false;
    syncControls();
}

void PivotFilterPopup::SetAllChecked(bool checked) {
    base_ = checked ? Base::AllOn : Base::AllOff;
    syncing_ = true;
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    syncing_ = false;
    syncControls();
}

void PivotFilterPopup::SetChecked(int index, bool checked) {
    if (index < 0 || index >= list_->count())
        return;
    list_->item(index)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool PivotFilterPopup::IsChecked(int index) const {
    return index >= 0 && index < list_->count() && list_->item(index)->checkState() == Qt::Checked;
}

void PivotFilterPopup::itemChanged(QListWidgetItem*) {
    if (!syncing_)
        syncControls();
}

FieldFilter PivotFilterPopup::Result() const {
    const std::vector<Value> all = engine_->distinctValues(*field_, 0, total_);
    std::vector<Value> on, off;
    for (size_t i = 0; i < all.size(); ++i) {
        const bool allowed =
            i < values_.size() ? IsChecked(static_cast<int>(i)) : baseAllows(all[i]);
        (allowed ? on : off).push_back(all[i]);
    }
    FieldFilter f;
    // The shorter list keeps the filter small: a few kept values or a few left out.
    if (!off.empty() && on.size() < off.size()) {
        f.mode = FieldFilter::Mode::Included;
        f.values = std::move(on);
    } else {
        f.values = std::move(off);
    }
    return f;
}

void PivotFilterPopup::syncControls() {
    int checked = 0;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->checkState() == Qt::Checked)
            ++checked;
    const int loaded = list_->count();
    bool anyOn = checked > 0, anyOff = checked < loaded;
    if (loaded < total_) {
        // Values not loaded yet count as the base says.
        anyOn = anyOn || base_ == Base::AllOn ||
                (base_ == Base::Filter && field_->filter().mode == FieldFilter::Mode::Excluded);
        anyOff =
            anyOff || base_ == Base::AllOff || (base_ == Base::Filter && field_->filter().active());
    }
    all_->setCheckState(anyOn && anyOff ? Qt::PartiallyChecked
                        : anyOn         ? Qt::Checked
                                        : Qt::Unchecked);
    count_->setText(QStringLiteral("%1 / %2").arg(loaded).arg(total_));
    more_->setEnabled(loaded < total_);
    ok_->setEnabled(anyOn);
}

void PivotFilterPopup::Accept() {
    FieldFilter f = Result();
    field_->setFilter(std::move(f));
    emit accepted();
    close();
}

void PivotFilterPopup::Reject() {
    close();
}

}  // namespace morvane::ui
