#pragma once
// frm_KnufeFlagDay: the output per day of one month (Edit_Year, Edit_Month) by cut number,
// style and process, from piece tickets and counts together, for the cutting bills ticked in
// the cutting-bill picker (sel_knufe) or all. Every day of the month yields a row: a day
// without output carries the cut number, style and process of the month's first output record
// with quantity 0, so that it shows as a column of an existing row. The print carries the year
// and month under the window's caption.

#include <QString>

#include "framework/unt_BaseOLAPreport.h"

class QLabel;
class QSpinBox;

class Tfrm_KnufeFlagDay : public Tbase_OLAPreport {
    Q_OBJECT
  public:
    explicit Tfrm_KnufeFlagDay(QWidget* parent = nullptr);

    // Base creation, then the year and month from today's date.
    void FormCreate(QObject* Sender) override;
    // The cutting-bill picker with ticks: after OK sel_knufe holds the ticked bills (none
    // ticked: all bills). The edit reads "部分条件" whatever the answer.
    void edit_clientPropertiesButtonClick(QObject* Sender, int AButtonIndex) override;

    // The statement of the month's first output record, whose values stand in for days
    // without output.
    QString SampleSQL() const;
    QString PrintTitle() const override;

    // The report's year and month; a text still being typed counts.
    int ReportYear() const;
    int ReportMonth() const;

    QLabel* RzLabel7;             // "年份："
    QSpinBox* Edit_Year;          // 1901 .. 9999
    QLabel* RzLabel8;             // "月度："
    QSpinBox* Edit_Month;         // 1 .. 12
    TRemoteUdpDataSet* ads_temp;  // the month's first output record
    // Code list of the chosen cutting bills; empty for all.
    QString sel_knufe;

  protected:
    QString GetDataSQL() override;
};

extern Tfrm_KnufeFlagDay* frm_KnufeFlagDay;
