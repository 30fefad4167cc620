#pragma once
// TcxGridReportLink: prints a table grid as the user sees it: the column captions (centred,
// shaded) at the top of every page, one line per row with the grid's display texts, and the
// footer line (shaded) after the last row. Columns take the width their widest text needs;
// when they are wider together than the page, all are narrowed in proportion and texts that
// no longer fit end in "…". Rows run down the pages.
//
// The link reads the grid when it paginates and holds nothing of it after SetComponent(nullptr).

#include <QPointer>
#include <QStringList>

#include <vector>

#include "platform/ui/DBTickGrid.h"
#include "platform/ui/ReportLink.h"


class TcxGridReportLink : public TBasedxReportLink {
    Q_OBJECT
  public:
    explicit TcxGridReportLink(QObject* owner = nullptr);

    // The grid printed (not owned); nullptr detaches. Setting it re-paginates.
    morvane::ui::DBTickGrid* Component() const { return component_; }
    void SetComponent(morvane::ui::DBTickGrid* grid);

  protected:
    int CreateBodyPages(const QSizeF& firstBody, const QSizeF& otherBody) override;
    void PaintBodyPage(QPainter& painter, int page) override;
    QStringList BodyPageTexts(int page) override;

  private:
    struct Page {
        int firstRow = 0, lastRow = -1;  // rows of the table (inclusive)
        bool footer = false;             // the footer line follows the rows
    };
    // Texts of the page's lines: captions, rows, footer.
    std::vector<QStringList> pageLines(int page) const;

    QPointer<morvane::ui::DBTickGrid> component_;
    QStringList captions_, footer_;
    std::vector<QStringList> rows_;
    std::vector<double> widths_;  // points
    std::vector<bool> numeric_;   // right-aligned columns
    double rowHeight_ = 0;
    std::vector<Page> pages_;
};
