#pragma once
// frm_ShopGoodsTotal: per shop, per goods item and colour (or per category), the quantities
// received, sold, returned and in stock by size, with totals over all shops, shares and ratios.
// The pivot grid stays hidden and aggregates the rows; the window shows the finished workbook
// in Total_cxSpreadSheetBook. The workbook goes through the working file, the caption + ".xls"
// in the program's folder (or in the user's data folder when the program's folder cannot be
// written); the user's own copy is the caption + "1.xls" beside it. A sheet wider than an .xls
// sheet holds (256 columns: four shops or more with ten sizes) uses ".xlsx" for both.

#include "framework/unt_BaseOLAPreport.h"
#include "reports/shopgoods/ShopGoodsWorkbook.h"

namespace morvane::workbook {
class Workbook;
}

class QComboBox;
class QMenu;
class QProgressBar;
class TcxSpreadSheetBook;

class Tfrm_ShopGoodsTotal : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    explicit Tfrm_ShopGoodsTotal(QWidget* parent = nullptr);

    void FormCreate(QObject* Sender) override;
    // The sheet is cleared, then the base's close.
    void FormClose(QObject* Sender, TCloseAction& Action) override;
    // F7 is the sheet's own (Total_cxSpreadSheetBookKeyDown); the hidden pivot offers none.
    void FormKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift) override;
    virtual void cxCheckBox1Click(QObject* Sender);
    // The "占比" cells of the pivot: the share of the cell to their left in the grand total.
    void OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                      morvane::pivot::CellDrawInfo& AViewInfo) override;
    // SaveDialog1, then the sheet as the user sees it into the chosen file.
    void ac_ExcelExecute(QObject* Sender) override;

    // The pivot as laid out, exported to the working file.
    virtual void toexcelClick(QObject* Sender);
    // The user's copy: open it with its program, load it, save the sheet into it.
    virtual void EXCEL1Click(QObject* Sender);
    virtual void EXCEL2Click(QObject* Sender);
    virtual void EXCEL_SAVEClick(QObject* Sender);
    // The format-cells dialog for the selection.
    virtual void N2Click(QObject* Sender);
    // F7: the picture of the goods number in the first column of the active row.
    virtual void Total_cxSpreadSheetBookKeyDown(QObject* Sender, int& Key,
                                                Qt::KeyboardModifiers Shift);

    // The workbook built from the laid-out pivot into the sheet.
    void BuildWorkbook();

    // The sheet as shown, tab-separated; a null text while UDPDB_Report is closed.
    QString ResultText() const override;

    // The working file and the user's copy (.xlsx after a sheet too large for .xls).
    QString WorkingFile() const;
    QString UserFile() const;

    TcxSpreadSheetBook* Total_cxSpreadSheetBook;
    morvane::shopgoods::TStringGrid StringGrid1;
    QPushButton* toexcel;  // hidden
    QFrame* RzPanel3;
    QProgressBar* RzProgressStatus1;
    TRemoteUdpDataSet* ads_temp;   // the size list
    TRemoteUdpDataSet* ads_temp1;  // category lookup, shop count
    QCheckBox* cxCheckBox1;
    QComboBox* com_sort;
    QMenu* PopupMenu1;
    QAction* EXCEL1;
    QAction* EXCEL2;
    QAction* EXCEL_SAVE;
    QAction* N1;
    QAction* N2;

    // The block layout of the last workbook built.
    const morvane::shopgoods::TShopGoodsLayout& Layout() const { return layout_; }

  protected:
    QString GetDataSQL() override;
    void SetFieldAreas() override;
    // The base's layout, the minimum widths, then the workbook.
    void LayoutPivot() override;

  private:
    // " and S in(...)" for the shops, the goods and the user's shops, each on its line.
    QString ShopFilter(const QString& shopColumn, const QString& goodsColumn) const;
    void advanceProgress();
    // The pivot as laid out (header areas off, zeros as values), written to the working file;
    // the grid gets its look back afterwards, also when writing fails.
    morvane::workbook::Workbook ExportPivot();

    QStringList sizeNames_;  // the sizes of this run, in display order
    QString sortColumn_;     // the goods column of the chosen category label (not used yet)
    QString workingExtension_ = QStringLiteral(".xls");
    morvane::shopgoods::TShopGoodsLayout layout_;
};

extern Tfrm_ShopGoodsTotal* frm_ShopGoodsTotal;
