#pragma once
// TdxComponentPrinter: holds the report links of a window and shows the print preview of the
// current one. The preview is the host's (through the modal runner): printing and page set-up
// are reached from it.

#include <QObject>
#include <QPointer>

#include <vector>

class TBasedxReportLink;

class TdxComponentPrinter : public QObject {
    Q_OBJECT
  public:
    explicit TdxComponentPrinter(QObject* owner = nullptr);

    // Adds a link (not owned; usually a child of the same window). The first link added becomes
    // the current one.
    void AddLink(TBasedxReportLink* link);
    int LinkCount() const { return static_cast<int>(links_.size()); }
    // A link by index, or nullptr when it no longer exists.
    TBasedxReportLink* Links(int index) const;

    // The link that Preview and Print use; nullptr when none.
    TBasedxReportLink* CurrentLink() const { return current_; }
    // Makes a link current, adding it when it is not yet held.
    void SetCurrentLink(TBasedxReportLink* link);

    // Shows the preview of the current link and returns when it is closed. The host's preview is
    // always modal, so `modal` = false shows it modally as well. Without a current link nothing
    // is shown.
    void Preview(bool modal = true);

  private:
    std::vector<QPointer<TBasedxReportLink>> links_;
    QPointer<TBasedxReportLink> current_;
};
