#pragma once
// frm_SaLp_SalePurchase: per goods item the posted warehouse receipts beside the posted
// wholesale shipments and the current warehouse stock, with the ratio of shipped to received.
// Every goods item is listed, also one without any movement. A client filter narrows only the
// shipments; a warehouse filter narrows shipments, receipts and stock alike.
//
// Unlike the other sales pivot windows it shows a flat table, cxGrid1 on TabSheet2: read-only,
// centred captions, alternate rows in the shared grid style, footer with the row count
// ("合计") and the sums of the quantities and the amount. The ratio shows as a percentage
// (1.25 as 125%). Print, Excel and the result text all give this table as the user sees it;
// the pivot on the hidden first page is not used.

#include "framework/unt_SaleOlAP.h"

namespace morvane::ui {
class DBTickGrid;
}
class TcxGridReportLink;

class Tfrm_SaLp_SalePurchase : public Tbase_SaleOlAP {
    Q_OBJECT
  public:
    explicit Tfrm_SaLp_SalePurchase(QWidget* parent = nullptr);

    // Base creation, then pub_gridstyle becomes the colour of the table's even rows.
    void FormCreate(QObject* Sender) override;
    // The table written to the workbook the user names: captions, every row as shown, the
    // footer; then opened with RzLauncher1.
    void ac_ExcelExecute(QObject* Sender) override;
    // The preview of the table on A4 through Cxgrid_pringLink2; the pivot link stays detached.
    void ac_printExecute(QObject* Sender) override;

    // The table as tab-separated lines: captions, rows, footer; null while no result is open.
    QString ResultText() const override;

    // "产/销比" as shown: the value times 100 and "%", shortest decimal; empty stays empty.
    static QString RatioText(const QString& value);

    morvane::ui::DBTickGrid* cxGrid1;
    TcxGridReportLink* Cxgrid_pringLink2;

  protected:
    QString GetDataSQL() override;
    // The table follows the dataset by itself; the hidden pivot is left alone.
    void LayoutPivot() override {}

  private:
    // Each line of the table as shown: captions, rows, footer.
    std::vector<QStringList> TableLines() const;
};

extern Tfrm_SaLp_SalePurchase* frm_SaLp_SalePurchase;
