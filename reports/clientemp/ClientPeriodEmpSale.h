#pragma once
// Tbase_EmpSaleReport: what the two shop-assistant windows (frm_OLAPEmpSaleYear,
// frm_OLAPEmpSaleMonth) share. No base picker is shown; RzLabel1 reads "店铺选择：" and stands
// before the shop box Com_client, a lookup combo over ads_client (the shops with retail
// documents, within the user's client scope, loaded once at creation), followed by the
// read-only cxDBTextEdit5 showing the short name of ads_client's current row.
//
// Get data stops with "请选择店铺!" (caption "系统提示") and the focus in Com_client while the box
// is empty. The pivot: the period down the rows, the assistants across the columns, quantity,
// amount and the share "比例" as data, no filter area; the base painting draws the share.

#include <QString>

#include "framework/PeriodReport.h"

class QLineEdit;
class TRemoteUdpDataSet;

class TcxLookupComboBox;

class Tbase_EmpSaleReport : public Tbase_PeriodReport {
    Q_OBJECT
  public:
    // `periodField` is the result column of the period labels (月份 or 日期).
    Tbase_EmpSaleReport(TPeriod period, const QString& periodField, QWidget* parent = nullptr);
    ~Tbase_EmpSaleReport() override;

    // Base creation, then the shop list into ads_client, then the year (and month) from
    // today's date.
    void FormCreate(QObject* Sender) override;
    // Moves ads_client to the shop whose code equals the value, ignoring case; a value with no
    // such shop leaves the row where it is (and stays the box's text).
    virtual void Com_clientPropertiesValidate(QObject* Sender, const QString& DisplayValue);

    TRemoteUdpDataSet* ads_client;  // fcode, fabbrev, fmathod of the listed shops
    TcxLookupComboBox* Com_client;
    QLineEdit* cxDBTextEdit5;  // fabbrev of ads_client's current row, read-only

  protected:
    // The shop code in Com_client, or a null text after telling the user to choose one.
    QString ChosenShop();

  private:
    void showCurrentShop();
};
