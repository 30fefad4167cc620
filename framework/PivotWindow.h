#pragma once
// Tbase_PivotWindow: what the two pivot bases share, written once. Tbase_OLAPreport (the pivot
// report window) and Tbase_SaleOlAP (the sales pivot window) derive from it and add only their
// own differences: the names of their grid, printer, link and style, where the grid sits, the
// bottom panel's height, the fonts set at creation and their keys (TPivotWindowKind).
//
// It holds the filter panel (client, goods, supplier and warehouse button edits filled through
// the pickers, the business-date and entry-date ranges, the posted, size-detail and finished
// switches), the filter state the concrete windows build their statements from, the pivot
// grid over UDPDB_Report with the shared painting rules, and the output actions under it.
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
// shows the print preview of the grid through the window's component printer.
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
class QVBoxLayout;
class TcxButtonEdit;
class TcxDBPivotGrid;
class TcxStyle;
class TRemoteUdpDataSet;
class TRzLauncher;
class TSaveDialog;
class TcxPivotGridReportLink;
class TdxComponentPrinter;
class Tbase_frmTop;

namespace morvane::pivot {
class PivotEngine;
class PivotField;
}  // namespace morvane::pivot

// What sets one pivot base apart from the other.
struct TPivotWindowKind {
    const char* caption;  // the design caption
    // Object names of the grid, the component printer, its pivot link and the grid's style.
    const char* grid;
    const char* printer;
    const char* printLink;
    const char* style;
    int bottomPanelHeight;
    // FormCreate sets the window's font size to pub_fontsize and the filter box's to 10.
    bool creationFonts;
};

class Tbase_PivotWindow : public Tbase_frm {
    Q_OBJECT
  public:
    // The design caption, MDI child, the controls with their design-time states. The grid is
    // made here; the base places it (PlaceGrid) in its constructor.
    explicit Tbase_PivotWindow(const TPivotWindowKind& kind, QWidget* parent = nullptr);
    ~Tbase_PivotWindow() override;

    // ---- handlers (replaced by name; a replacement calls the base first where it extends it)
    void FormCreate(QObject* Sender) override;
    // Base close, then the grid lets go of its dataset; the window is freed.
    void FormClose(QObject* Sender, TCloseAction& Action) override;
    // Removes the caption from the open-window list of pub_mainform. Runs when the window goes.
    virtual void FormDestroy(QObject* Sender);

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
    // The print action: the print link gets the grid as its component, the preview of the
    // printer's current link runs modally, and the link lets go of the grid again when the
    // preview is closed (also when it fails).
    virtual void ac_printExecute(QObject* Sender);

    // The get-data action: GetDataSQL; a null statement ends here (the window has told the
    // user what is missing); otherwise UDPDB_Report is closed, the statement opened on it with
    // OpenQuery and the pivot laid out with LayoutPivot.
    virtual void ac_GetDataExecute(QObject* Sender);

    // 0 column, 1 row, 2 filter, 3 data; the field goes after those already in the area.
    void SetFieldArea(const QString& FieldName, int Area);
    // The window's pivot design (see SetDesign).
    const TPivotDesign& Design() const { return design_; }

    // The pivot grid, its printer and its print link, whatever the base names them.
    TcxDBPivotGrid* PivotGrid() const { return grid_; }
    TdxComponentPrinter* PivotPrinter() const { return printer_; }
    TcxPivotGridReportLink* PivotPrintLink() const { return printLink_; }
    TcxStyle* PivotStyle() const { return style_; }  // white: background, headers, content

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
    QFrame* RzPanel1;
    QFrame* RzPanel2;
    QPushButton* bit_print;
    QPushButton* bit_excel;
    QPushButton* RzBitBtn1;

    // ---- non-visual components (children of the window)
    TRemoteUdpDataSet* UDPDB_Report;    // the report's rows; the pivot grid reads them
    TRemoteUdpDataSet* ads_GoodsImage;  // one goods picture
    QAction* ac_close;
    QAction* ac_Excel;
    QAction* ac_GetData;
    QAction* ac_print;
    TSaveDialog* SaveDialog1;  // default extension "xls"; .xls and .xlsx offered
    TRzLauncher* RzLauncher1;  // opens the written workbook

  protected:
    // Puts the grid (or the page control holding it) between the filter panel and the bottom
    // panel, taking the room left.
    void PlaceGrid(QWidget* centre);

    // The base's named painting handlers: the zero blanking of one field's cells, the cell
    // painting and the two header paintings. The grid's events and LayoutPivot reach them.
    virtual void GridGetDisplayText(const morvane::pivot::PivotField& Sender,
                                    const morvane::pivot::DisplayTextInfo& ACell,
                                    QString& AText) = 0;
    virtual void GridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                    morvane::pivot::CellDrawInfo& AViewInfo) = 0;
    virtual void GridCustomDrawColumnHeader(morvane::pivot::PivotEngine& Sender,
                                            morvane::pivot::HeaderDrawInfo& AViewInfo) = 0;
    virtual void GridCustomDrawRowHeader(morvane::pivot::PivotEngine& Sender,
                                         morvane::pivot::HeaderDrawInfo& AViewInfo) = 0;

    // The bodies of those handlers as the bases give them.
    // Cells only: a group value 0 (a size, a month) is a header and keeps its text.
    static void BlankZeroCell(const morvane::pivot::DisplayTextInfo& ACell, QString& AText);
    // The share rule, unless the design switches it off.
    void PaintShareCell(morvane::pivot::PivotEngine& Sender,
                        morvane::pivot::CellDrawInfo& AViewInfo);
    static void PaintTotalCaption(morvane::pivot::HeaderDrawInfo& AViewInfo);

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
    // column of its ticked rows into `list` and tell the user through the edit's text.
    static void RunPicker(Tbase_frmTop& picker, TRemoteUdpDataSet* table, TcxButtonEdit* edit,
                          QString& list, const QString& column);
    void buildFilterPanel();
    void buildBottomPanel(int height);
    // The design's fields into their areas: rows, columns, data, filter.
    void placeDesignFields();

    TPivotWindowKind kind_;
    TcxDBPivotGrid* grid_;
    TdxComponentPrinter* printer_;
    // Its one link: A4, margins 12.7 mm, header and footer 6.35 mm. It has a component only
    // while the preview is open.
    TcxPivotGridReportLink* printLink_;
    TcxStyle* style_;
    QVBoxLayout* layout_;
    TPivotDesign design_;
};
