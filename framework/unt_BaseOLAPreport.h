#pragma once
// Tbase_OLAPreport: the ancestor of the report windows that show one query result in a pivot
// grid, OLAP_PivotGrid, directly under the filter panel. Everything it shares with the sales
// pivot window (filter panel and state, pickers, get data, painting, Excel and print) is
// Tbase_PivotWindow's; its own are the names of its components and painting handlers, the
// fonts it sets at creation, and F7 for the picture of the focused goods.

#include "framework/PivotWindow.h"

class Tbase_OLAPreport : public Tbase_PivotWindow {
    Q_OBJECT
  public:
    // Caption "base_OLAPreport", MDI child, the controls with their design-time states.
    explicit Tbase_OLAPreport(QWidget* parent = nullptr);

    virtual void FormKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    // Shows the picture of the goods whose "货号" row group holds the focused cell; nothing
    // without open data or without a "货号" field.
    virtual void ShowGoodsImage();

    // ---- painting (the shared rules; a window may replace a handler with its own)
    // Zero blanking of data cells, given to every field by LayoutPivot.
    virtual void OLAP_PivotGridField1GetDisplayText(const morvane::pivot::PivotField& Sender,
                                                    const morvane::pivot::DisplayTextInfo& ACell,
                                                    QString& AText);
    virtual void OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                              morvane::pivot::CellDrawInfo& AViewInfo);
    virtual void OLAP_PivotGridCustomDrawColumnHeader(morvane::pivot::PivotEngine& Sender,
                                                      morvane::pivot::HeaderDrawInfo& AViewInfo);
    virtual void OLAP_PivotGridCustomDrawRowHeader(morvane::pivot::PivotEngine& Sender,
                                                   morvane::pivot::HeaderDrawInfo& AViewInfo);

    TcxDBPivotGrid* OLAP_PivotGrid;
    TdxComponentPrinter* Grid_PrintCompot;
    // Its one link: A4, margins 12.7 mm, header and footer 6.35 mm. It has a component only
    // while the preview is open.
    TcxPivotGridReportLink* Grid_PrintCompotLink1;
    TcxStyle* cxStyle1;  // white: background, headers and content of the grid

  protected:
    void DoKeyDown(int& key, Qt::KeyboardModifiers shift) override {
        FormKeyDown(this, key, shift);
    }

    void GridGetDisplayText(const morvane::pivot::PivotField& Sender,
                            const morvane::pivot::DisplayTextInfo& ACell, QString& AText) final {
        OLAP_PivotGridField1GetDisplayText(Sender, ACell, AText);
    }
    void GridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                            morvane::pivot::CellDrawInfo& AViewInfo) final {
        OLAP_PivotGridCustomDrawCell(Sender, AViewInfo);
    }
    void GridCustomDrawColumnHeader(morvane::pivot::PivotEngine& Sender,
                                    morvane::pivot::HeaderDrawInfo& AViewInfo) final {
        OLAP_PivotGridCustomDrawColumnHeader(Sender, AViewInfo);
    }
    void GridCustomDrawRowHeader(morvane::pivot::PivotEngine& Sender,
                                 morvane::pivot::HeaderDrawInfo& AViewInfo) final {
        OLAP_PivotGridCustomDrawRowHeader(Sender, AViewInfo);
    }
};
