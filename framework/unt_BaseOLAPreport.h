#pragma once
// Tbase_OLAPreport: the ancestor of the report windows that show one query result in a pivot
// grid. It holds the filter panel (client, goods, supplier and warehouse button edits filled
// through the pickers, the business-date and entry-date ranges, the posted, size-detail and
// finished switches), the filter state the concrete windows build their statements from, the
// pivot grid OLAP_PivotGrid over UDPDB_Report with the shared painting rules, and F7 for the
// picture of the focused goods.
//
// A concrete window shows the extra controls it needs and supplies its statement (GetDataSQL)
// and its pivot as a table (SetDesign; SetFieldAreas or LayoutPivot where a table does not
// say enough). Its caption comes from the window table.
// The get-data action ac_GetData runs ac_GetDataExecute: build the statement, open it on
// UDPDB_Report with OpenQuery, lay the pivot out. A statement that fails leaves the filter
// state and the pivot's fields as they were and UDPDB_Report closed; the error reaches the
// host's error display.
//
// Under the grid, ac_Excel writes the pivot as laid out to a workbook the user names in
// SaveDialog1 (.xls or .xlsx by the name's extension) and opens it with RzLauncher1; ac_print
// shows the print preview of the grid through Grid_PrintCompot.
//
// The window registers its caption in the open-window list of pub_mainform when it is created
// and removes it when it is destroyed.

#include <QString>

#include "forms/unt_basefrm.h"
#include "framework/PivotDesign.h"
#include "platform/pivot/PivotTypes.h"

class QAction;
class QCheckBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class TcxButtonEdit;
class TcxDBPivotGrid;
class TcxStyle;
class TRemoteUdpDataSet;
class TRzLauncher;
class TSaveDialog;
class TcxPivotGridReportLink;
class TGetDataRun;
class TdxComponentPrinter;
class Tbase_frmTop;

namespace morvane::pivot {
class PivotEngine;
class PivotField;
}  // namespace morvane::pivot

class Tbase_OLAPreport : public Tbase_frm {
    Q_OBJECT
  public:
    // Caption "base_OLAPreport", MDI child, the controls with their design-time states.
    explicit Tbase_OLAPreport(QWidget* parent = nullptr);
    ~Tbase_OLAPreport() override;

    // ---- handlers (replaced by name; a replacement calls the base first where it extends it)
    void FormCreate(QObject* Sender) override;
    // Base close, then the grid lets go of its dataset; the window is freed.
    void FormClose(QObject* Sender, TCloseAction& Action) override;
    // Removes the caption from the open-window list of pub_mainform. Runs when the window goes.
    virtual void FormDestroy(QObject* Sender);
    virtual void FormKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);

    virtual void oderdate_checkClick(QObject* Sender);
    virtual void modidate_checkClick(QObject* Sender);
    virtual void edit_clientPropertiesButtonClick(QObject* Sender, int AButtonIndex);
    virtual void edit_goodsPropertiesButtonClick(QObject* Sender, int AButtonIndex);
    virtual void edit_supplierPropertiesButtonClick(QObject* Sender, int AButtonIndex);
    virtual void edit_housePropertiesButtonClick(QObject* Sender, int AButtonIndex);
    virtual void ac_closeExecute(QObject* Sender);

    // The Excel action: SaveDialog1 (cancel: nothing changes); the grid's four header areas
    // off and the zero-blanking handler off every field; the pivot written to the chosen file
    // (every group expanded, zeros as 0; .xlsx for a name ending in ".xlsx", else .xls);
    // RzLauncher1 opens it and returns when the spreadsheet program has ended; the header
    // areas back as they were and the zero-blanking handler on every field. The last two
    // steps run also when writing or launching fails; the error then goes on to the host.
    virtual void ac_ExcelExecute(QObject* Sender);
    // The print action: Grid_PrintCompotLink1 gets OLAP_PivotGrid as its component, the
    // preview of Grid_PrintCompot's current link runs modally, and the link lets go of the
    // grid again when the preview is closed (also when it fails).
    virtual void ac_printExecute(QObject* Sender);

    // The get-data action: GetDataSQL; a null statement ends here (the window has told the
    // user what is missing); otherwise the statement runs through GetDataRun (off the
    // user-interface thread, cancellable), then UDPDB_Report is closed, opened on the rows with
    // OpenQuery and the pivot laid out with LayoutPivot. A cancelled statement changes nothing.
    virtual void ac_GetDataExecute(QObject* Sender);

    // The heading of printouts and workbooks, a line each: the caption, the period
    // (PeriodText, when there is one) and the filters in force (FilterText). The result shown
    // keeps the heading of the get data that made it, whatever the controls say since.
    virtual QStringList ReportHeading() const;
    // The period of the report as the user reads it: the business- and entry-date ranges in
    // force ("业务日期：2026-03-01 至 2026-03-31"); "" when none is.
    virtual QString PeriodText() const;
    // The filters in force: each picker's choice by name ("客户：上海久光、南京新百"), the
    // posted and finished switches; "过滤条件：全部" when nothing narrows the report.
    virtual QString FilterText() const;

    // Shows the picture of the goods whose "货号" row group holds the focused cell; nothing
    // without open data or without a "货号" field.
    virtual void ShowGoodsImage();

    // 0 column, 1 row, 2 filter, 3 data; the field goes after those already in the area.
    void SetFieldArea(const QString& FieldName, int Area);
    // The window's pivot design (see SetDesign).
    const TPivotDesign& Design() const { return design_; }

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

    // The pivot as laid out (display texts after the painting rules) as tab-separated lines;
    // a null text while UDPDB_Report is closed.
    QString ResultText() const override;

    // ---- filter state (an empty text means no filter)
    QString sel_client;
    QString sel_goods;
    QString sel_supplier;
    QString sel_house;
    // sum(isnull(a.s1,0)) as [尺码1],... for pub_sizecount size columns; built by FormCreate.
    QString size_columns;

    // ---- controls
    QGroupBox* cxGroupBox1;
    QLabel* RzLabel1;
    TcxButtonEdit* edit_client;
    QLabel* RzLabel2;
    TcxButtonEdit* edit_goods;
    TcxButtonEdit* edit_supplier;
    QLabel* RzLabel5;
    TcxButtonEdit* edit_house;
    QCheckBox* oderdate_check;
    QDateEdit* bill_date1;
    QLabel* RzLabel3;
    QDateEdit* bill_date2;
    QCheckBox* modidate_check;
    QDateEdit* input_date1;
    QLabel* RzLabel4;
    QDateEdit* input_date2;
    QCheckBox* postedcheck;
    QCheckBox* sizecheck;
    QCheckBox* flagcheck;
    QPushButton* bit_run;
    TcxDBPivotGrid* OLAP_PivotGrid;
    QFrame* RzPanel1;
    QFrame* RzPanel2;
    QPushButton* bit_print;
    QPushButton* bit_excel;
    QPushButton* RzBitBtn1;

    // ---- non-visual components (children of the window)
    TRemoteUdpDataSet* UDPDB_Report;    // the report's rows; OLAP_PivotGrid reads them
    TRemoteUdpDataSet* ads_GoodsImage;  // one goods picture for F7
    QAction* ac_close;
    QAction* ac_Excel;
    QAction* ac_GetData;
    QAction* ac_print;
    TSaveDialog* SaveDialog1;  // default extension "xls"; .xls and .xlsx offered
    TRzLauncher* RzLauncher1;  // opens the written workbook
    TdxComponentPrinter* Grid_PrintCompot;
    // Its one link: A4, margins 12.7 mm, header and footer 6.35 mm. It has a component only
    // while the preview is open.
    TcxPivotGridReportLink* Grid_PrintCompotLink1;
    TcxStyle* cxStyle1;  // white: background, headers and content of the grid
    // Runs the statement of ac_GetData off the user-interface thread (wait cursor, state line
    // lab_GetDataState, cancel button bit_cancel in the bottom panel).
    TGetDataRun* GetDataRun;

  protected:
    void DoKeyDown(int& key, Qt::KeyboardModifiers shift) override {
        FormKeyDown(this, key, shift);
    }

    // The report's statement from the filter state; a null text when the action must stop
    // without a query (a required choice is missing and the user has been told).
    virtual QString GetDataSQL() = 0;
    // The window's pivot: the grid options of the design, and its listed fields in their
    // areas (so that the empty grid shows them before the first get data).
    void SetDesign(const TPivotDesign& design);
    // Lays the pivot out for a new result, in one update of the grid: for recreated fields one
    // field per result column placed by the design, then SetFieldAreas; every field gets the
    // zero-blanking handler; then best fit.
    virtual void LayoutPivot();
    // Placement beyond the design table, after it (SetFieldArea calls).
    virtual void SetFieldAreas() {}
    // Gives a field the zero-blanking handler of this window.
    void AttachZeroBlanking(morvane::pivot::PivotField& field);

  private:
    // The exchange with a picker already created: show it modally; on OK collect the code
    // column of its ticked rows into `list` and tell the user through the edit's text, and
    // through its tooltip which codes (with their names from `nameColumn`) that text means.
    static void RunPicker(Tbase_frmTop& picker, TRemoteUdpDataSet* table, TcxButtonEdit* edit,
                          QString& list, const QString& column, const QString& nameColumn);
    void buildFilterPanel();
    void buildBottomPanel();
    // The design's fields into their areas: rows, columns, data, filter.
    void placeDesignFields();

    TPivotDesign design_;
    // ReportHeading of the last get data that showed a result.
    QStringList resultHeading_;
};
