#include "platform/ui/ComponentPrinter.h"

#include <algorithm>

#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/ReportLink.h"

TdxComponentPrinter::TdxComponentPrinter(QObject* owner) : QObject(owner) {}

void TdxComponentPrinter::AddLink(TBasedxReportLink* link) {
    if (!link)
        return;
    const bool held = std::any_of(links_.begin(), links_.end(),
                                  [link](const auto& held) { return held == link; });
    if (!held)
        links_.emplace_back(link);
    if (!current_)
        current_ = link;
}

TBasedxReportLink* TdxComponentPrinter::Links(int index) const {
    if (index < 0 || index >= LinkCount())
        return nullptr;
    return links_[static_cast<std::size_t>(index)];
}

void TdxComponentPrinter::SetCurrentLink(TBasedxReportLink* link) {
    AddLink(link);
    current_ = link;
}

void TdxComponentPrinter::Preview(bool /*modal*/) {
    if (!current_)
        return;
    // The link lays out what its component shows now, not what it showed at the last preview.
    current_->Invalidate();
    morvane::ui::Runner().PrintPreview(*current_);
}
