#pragma once
// Tbase_SaleOlAP: the sales pivot window, ancestor of the ranking, price, stock-ratio,
// sale-versus-purchase, charges and new-goods windows. It behaves as the pivot report window
// (Tbase_PivotWindow holds that behaviour for both); its own are:
//   - the grid SaLp_PivotGrid on page TabSheet1 of the page control PageControl1, whose tabs
//     are never shown; TabSheet2 is an empty page for descendants that show a second view
//     (they fill it and make it PageControl1's current page);
//   - ads_temp, a scratch dataset for descendants' auxiliary statements;
//   - the printer Cxgrid_pring with its link Cxgrid_pringLink1, the style cxStyle_White;
//   - a 31-pixel bottom panel, the fonts left as designed at creation, no key handling.
// Its painting handlers are the SaLp_PivotGrid* ones; a descendant replaces them by name.
//
// Descendants that group by a goods category the user chooses add the category box com_sort
// (AddCategoryBox, framework/CategoryBox.h): creation fills it, get data resolves its label
// (CategoryColumn).

#include "framework/PivotWindow.h"

class QComboBox;
class QStackedWidget;

class Tbase_SaleOlAP : public Tbase_PivotWindow {
    Q_OBJECT
  public:
    // Caption "base_SaleOlAP", MDI child, the controls with their design-time states.
    explicit Tbase_SaleOlAP(QWidget* parent = nullptr);

    // Base creation; then, in a window with the category box, the box filled on ads_temp.
    void FormCreate(QObject* Sender) override;

    // ---- painting (the shared rules; a window may replace a handler with its own)
    // Zero blanking of data cells, given to every field by LayoutPivot.
    virtual void SaLp_PivotGridField1GetDisplayText(const morvane::pivot::PivotField& Sender,
                                                    const morvane::pivot::DisplayTextInfo& ACell,
                                                    QString& AText);
    virtual void SaLp_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                              morvane::pivot::CellDrawInfo& AViewInfo);
    virtual void SaLp_PivotGridCustomDrawColumnHeader(morvane::pivot::PivotEngine& Sender,
                                                      morvane::pivot::HeaderDrawInfo& AViewInfo);
    virtual void SaLp_PivotGridCustomDrawRowHeader(morvane::pivot::PivotEngine& Sender,
                                                   morvane::pivot::HeaderDrawInfo& AViewInfo);

    QStackedWidget* PageControl1;
    QWidget* TabSheet1;  // holds SaLp_PivotGrid; the current page
    QWidget* TabSheet2;  // empty
    TcxDBPivotGrid* SaLp_PivotGrid;
    TRemoteUdpDataSet* ads_temp;
    TdxComponentPrinter* Cxgrid_pring;
    // Its one link: A4, margins 12.7 mm, header and footer 6.35 mm. It has a component only
    // while the preview is open.
    TcxPivotGridReportLink* Cxgrid_pringLink1;
    TcxStyle* cxStyle_White;  // white: background, headers and content of the grid

    // The category box and its label "大类名称：", in windows that add them (else nullptr).
    QLabel* RzLabel6 = nullptr;
    QComboBox* com_sort = nullptr;

  protected:
    // Adds com_sort, editable, with its label to the filter panel, in the place of the hidden
    // entry-date range. Creation fills it from `listSql` and selects `preselect` if listed.
    void AddCategoryBox(const QString& listSql, const QString& preselect = QString());
    // The goods column com_sort names, for the statement; a null text when the get data must
    // stop (the user has been told why).
    QString CategoryColumn();

    void GridGetDisplayText(const morvane::pivot::PivotField& Sender,
                            const morvane::pivot::DisplayTextInfo& ACell, QString& AText) final {
        SaLp_PivotGridField1GetDisplayText(Sender, ACell, AText);
    }
    void GridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                            morvane::pivot::CellDrawInfo& AViewInfo) final {
        SaLp_PivotGridCustomDrawCell(Sender, AViewInfo);
    }
    void GridCustomDrawColumnHeader(morvane::pivot::PivotEngine& Sender,
                                    morvane::pivot::HeaderDrawInfo& AViewInfo) final {
        SaLp_PivotGridCustomDrawColumnHeader(Sender, AViewInfo);
    }
    void GridCustomDrawRowHeader(morvane::pivot::PivotEngine& Sender,
                                 morvane::pivot::HeaderDrawInfo& AViewInfo) final {
        SaLp_PivotGridCustomDrawRowHeader(Sender, AViewInfo);
    }

  private:
    QString categoryList_, categoryPreselect_;
};
