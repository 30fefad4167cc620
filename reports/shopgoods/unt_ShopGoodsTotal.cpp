#include "reports/shopgoods/unt_ShopGoodsTotal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <ctime>

#include "forms/WindowClasses.h"
#include "framework/OlapPainting.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/SpreadSheetBook.h"
#include "platform/ui/TRzLauncher.h"
#include "platform/ui/TSaveDialog.h"
#include "platform/ui/TcxButtonEdit.h"
#include "platform/workbook/PivotExport.h"
#include "platform/workbook/WorkbookFile.h"
#include "platform/workbook/XlsWriter.h"
#include "session/Analyse_Dm1.h"
#include "session/StatementText.h"
#include "session/totalpub1.h"

using namespace morvane::sql;
using namespace morvane::shopgoods;
using morvane::ui::Guarded;

MORVANE_WINDOW(Tfrm_ShopGoodsTotal, frm_ShopGoodsTotal)

// Step times of a get data (statement, pivot, workbook, view), for the timing script:
// QT_LOGGING_RULES="morvane.shopgoods.info=true".
Q_LOGGING_CATEGORY(lcShopGoods, "morvane.shopgoods", QtWarningMsg)

namespace {

template <class W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A size name as a bracketed column alias: a "]" inside it is doubled, as T-SQL reads it.
QString Bracketed(const QString& name) {
    return "[" + QString(name).replace(QLatin1Char(']'), QStringLiteral("]]")) + "]";
}

// Where a get data spent its time, wall and processor, logged when it ends.
struct StepClock {
    struct Lap {
        qint64 wall = 0, cpu = 0;
    };
    QElapsedTimer timer;
    std::clock_t cpuStart = 0;
    Lap statement, pivot, workbook, view;
    void start() {
        timer.start();
        cpuStart = std::clock();
    }
    // The time since the last lap, added to `into`.
    void lap(Lap& into) {
        into.wall += timer.restart();
        const std::clock_t now = std::clock();
        into.cpu += qint64(now - cpuStart) * 1000 / CLOCKS_PER_SEC;
        cpuStart = now;
    }
};
StepClock g_clock;

}  // namespace

Tfrm_ShopGoodsTotal::Tfrm_ShopGoodsTotal(QWidget* parent) : Tbase_OLAPreport(parent) {
    // Shops and types across, so that each shop's four type blocks lie side by side: the
    // workbook's arithmetic counts on them, with no total columns in between. Rows and
    // measures depend on the switches (SetFieldAreas).
    SetDesign({.columns = {"店铺简称", "数据类别"}});
    TcxPivotGridOptionsView view = OLAP_PivotGrid->OptionsView();
    view.ColumnTotals = false;
    view.ColumnGrandTotals = false;
    OLAP_PivotGrid->SetOptionsView(view);

    ads_temp = Named(new TRemoteUdpDataSet(this), "ads_temp");
    ads_temp1 = Named(new TRemoteUdpDataSet(this), "ads_temp1");

    // The filter panel: shops, goods, the sale dates and the category switch.
    cxGroupBox1->setFixedHeight(79);
    RzLabel1->setText(QStringLiteral("店铺选择："));
    oderdate_check->setText(QStringLiteral("销售日期:"));
    for (QWidget* w :
         std::initializer_list<QWidget*>{RzLabel5, edit_house, modidate_check, input_date1,
                                         RzLabel4, input_date2, postedcheck, sizecheck})
        w->setVisible(false);
    sizecheck->setChecked(true);
    cxCheckBox1 = Named(new QCheckBox(QStringLiteral("大类统计"), cxGroupBox1), "cxCheckBox1");
    com_sort = Named(new QComboBox(cxGroupBox1), "com_sort");
    com_sort->setVisible(false);
    com_sort->setEnabled(false);
    auto* grid = static_cast<QGridLayout*>(cxGroupBox1->layout());
    grid->addWidget(cxCheckBox1, 1, 4);
    grid->addWidget(com_sort, 1, 5);
    connect(cxCheckBox1, &QCheckBox::clicked, this,
            [this] { Guarded([this] { cxCheckBox1Click(cxCheckBox1); }); });

    // The sheet takes the grid's place; the grid works unseen.
    Total_cxSpreadSheetBook = Named(new TcxSpreadSheetBook(this), "Total_cxSpreadSheetBook");
    QFont sheetFont(QStringLiteral("MS Sans Serif"));
    sheetFont.setPointSize(8);
    Total_cxSpreadSheetBook->SetDefaultFont(sheetFont);
    Total_cxSpreadSheetBook->SetDefaultAlignment(Qt::AlignHCenter);
    Total_cxSpreadSheetBook->SetDefaultRowHeight(25 * 72.0 / 96.0);
    PlaceGrid(Total_cxSpreadSheetBook);
    OLAP_PivotGrid->setVisible(false);
    Total_cxSpreadSheetBook->SetOnKeyDown([this](int& key, Qt::KeyboardModifiers shift) {
        Guarded([&] { Total_cxSpreadSheetBookKeyDown(Total_cxSpreadSheetBook, key, shift); });
    });

    PopupMenu1 = Named(new QMenu(this), "PopupMenu1");
    EXCEL1 = Named(PopupMenu1->addAction(QStringLiteral("打开对应的EXCEL表")), "EXCEL1");
    EXCEL2 = Named(PopupMenu1->addAction(QStringLiteral("重新加载EXCEL")), "EXCEL2");
    EXCEL_SAVE = Named(PopupMenu1->addAction(QStringLiteral("保存到EXCEL")), "EXCEL_SAVE");
    N1 = Named(PopupMenu1->addSeparator(), "N1");
    N2 = Named(PopupMenu1->addAction(QStringLiteral("设置格式")), "N2");
    Total_cxSpreadSheetBook->SetPopupMenu(PopupMenu1);
    connect(EXCEL1, &QAction::triggered, this,
            [this] { Guarded([this] { EXCEL1Click(EXCEL1); }); });
    connect(EXCEL2, &QAction::triggered, this,
            [this] { Guarded([this] { EXCEL2Click(EXCEL2); }); });
    connect(EXCEL_SAVE, &QAction::triggered, this,
            [this] { Guarded([this] { EXCEL_SAVEClick(EXCEL_SAVE); }); });
    connect(N2, &QAction::triggered, this, [this] { Guarded([this] { N2Click(N2); }); });

    toexcel = Named(new QPushButton(QStringLiteral("toexcel"), this), "toexcel");
    toexcel->setVisible(false);
    connect(toexcel, &QPushButton::clicked, this,
            [this] { Guarded([this] { toexcelClick(toexcel); }); });

    // Progress of the workbook build, at the left of the bottom panel.
    RzPanel3 = Named(new QFrame(RzPanel1), "RzPanel3");
    RzProgressStatus1 = Named(new QProgressBar(RzPanel3), "RzProgressStatus1");
    RzProgressStatus1->setRange(0, 1);
    RzProgressStatus1->setValue(0);
    auto* progressLayout = new QHBoxLayout(RzPanel3);
    progressLayout->setContentsMargins(2, 2, 2, 2);
    progressLayout->addWidget(RzProgressStatus1);
    static_cast<QHBoxLayout*>(RzPanel1->layout())->insertWidget(0, RzPanel3, 1);
}

void Tfrm_ShopGoodsTotal::FormCreate(QObject* Sender) {
    Tbase_OLAPreport::FormCreate(Sender);
    // clang-format off
    OpenQuery(ads_temp1, "select * from ba_fieldremark where fTableName='goods' and visiblebit=1 and fid not in(1002,1003,1004) order by fid");
    // clang-format on
    for (ads_temp1->First(); !ads_temp1->Eof(); ads_temp1->Next())
        com_sort->addItem(ads_temp1->FieldByName(QStringLiteral("fFieldremark"))->AsString());
    com_sort->setCurrentIndex(-1);
}

void Tfrm_ShopGoodsTotal::FormClose(QObject* Sender, TCloseAction& Action) {
    Total_cxSpreadSheetBook->ClearAll();
    Tbase_OLAPreport::FormClose(Sender, Action);
}

void Tfrm_ShopGoodsTotal::FormKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift) {}

void Tfrm_ShopGoodsTotal::cxCheckBox1Click(QObject* Sender) {
    com_sort->setEnabled(cxCheckBox1->isChecked());
}

QString Tfrm_ShopGoodsTotal::ShopFilter(const QString& shopColumn,
                                        const QString& goodsColumn) const {
    return InList(shopColumn, sel_client) + InList(goodsColumn, sel_goods) +
           ScopeClause(shopColumn, Scope::Client);
}

QString Tfrm_ShopGoodsTotal::GetDataSQL() {
    g_clock = {};
    g_clock.start();
    Total_cxSpreadSheetBook->ClearAll();
    StringGrid1.SetSize(1, 1);

    if (cxCheckBox1->isChecked()) {
        // The category's column is looked up, but the rows always go by the goods' category.
        // clang-format off
        OpenQuery(ads_temp1, "select * from ba_fieldremark where ftablename='goods' and ffieldremark=" + Quoted(com_sort->currentText()));
        // clang-format on
        sortColumn_ = ads_temp1->IsEmpty()
                          ? QString()
                          : ads_temp1->FieldByName(QStringLiteral("fname"))->AsString();
    }

    if (sel_client.isEmpty()) {
        morvane::ui::Runner().MessageBox(QStringLiteral("系统提示"),
                                         QStringLiteral("请选择店铺进行分析统计!"),
                                         morvane::ui::MsgIcon::Information, morvane::ui::mbOK);
        edit_client->setFocus();
        return QString();
    }

    // The sizes of the size class that owns the highest display index, in display order.
    // clang-format off
    OpenQuery(ads_temp, "select * from ba_size where size_class in(select top 1 size_class from ba_size order by displayindex desc) order by displayindex");
    // clang-format on
    sizeNames_.clear();
    QStringList selectList, sumList, zeroList;
    for (ads_temp->First(); !ads_temp->Eof(); ads_temp->Next()) {
        const QString i = QString::number(sizeNames_.size() + 1);
        const QString name = ads_temp->FieldByName(QStringLiteral("size_name"))->AsString();
        sizeNames_ << name;
        selectList << "isnull(a.s" + i + ",0) as " + Bracketed(name);
        sumList << "sum(isnull(a.s" + i + ",0)) as s" + i;
        zeroList << "s" + i + "=0";
    }
    const bool sizes = sizecheck->isChecked();
    const QString dates =
        oderdate_check->isChecked()
            ? " and b.fbilldate>=" + Quoted(bill_date1->date().toString("yyyy-MM-dd")) +
                  " and b.fbilldate<=" + Quoted(bill_date2->date().toString("yyyy-MM-dd")) + CR
            : QString();
    const QString sizeSums = sizes ? "," + sumList.join(',') + CR : QString();

    struct Branch {
        const char* type;
        const char* from;
        const char* joiner;
    };
    // clang-format off
    static const Branch kDocuments[] = {
        {"1进", " from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid where 1=1 ", "union all"},
        {"1进", " from d_s_folddetail a join d_s_fold b on a.fbillid=b.fbillid where 1=1 ", " union all"},
        {"2销", " from d_s_saledetail a join d_s_sale b on a.fbillid=b.fbillid where 1=1 ", " union all"},
        {"3退", " from d_s_pureturndetail a join d_s_pureturn b on a.fbillid=b.fbillid where 1=1 ", "union all"},
        {"3退", " from d_s_transferdetail a join d_s_transfer b on a.fbillid=b.fbillid where 1=1 ", "union all"},
    };

    QString sql = "select b.fabbrev 店铺简称,b.fmathod 店铺性质,c.goodsname 货品名称,c.sort 类别,c.unitprice 吊牌价,c.colorname_ch as 颜色名称,d.fmindate 上市日期,d.fdatecount 到货天数," + CR +
                  "a.fclientcode 店铺编号,a.ftype 数据类别,a.fgoodsid 货号,a.fcolorid 颜色编号,a.qty 合计,占比=NULL,动销率=NULL,比例=NULL" + CR;
    if (sizes)
        sql += "," + selectList.join(',') + CR;
    sql += " from (" + CR;
    for (const Branch& b : kDocuments)
        sql += "select ftype=" + Quoted(QString::fromUtf8(b.type)) + ",b.fclientcode,a.fgoodsid,a.fcolorid,sum(isnull(a.qty,0)) qty" + CR +
               sizeSums +
               QString::fromUtf8(b.from) + CR +
               dates + ShopFilter("b.fclientcode", "a.fgoodsid") +
               " group by b.fclientcode,a.fgoodsid,a.fcolorid" + CR +
               QString::fromUtf8(b.joiner) + CR;
    // Current stock: no date range.
    sql += "select ftype=" + Quoted("4存") + ",fclientcode,fgoodsid,fcolorid,sum(isnull(qty,0)) qty" + CR +
           sizeSums +
           " from s_stock a where 1=1 " + CR +
           ShopFilter("fclientcode", "fgoodsid") +
           " group by fclientcode,fgoodsid,fcolorid" + CR;
    // A zero row of every type for every chosen shop, so that each shop shows its four blocks.
    for (const QString& type : kTypes)
        sql += " union all" + CR +
               "select  ftype=" + Quoted(type) + ",a.fcode,b.goodsid,b.colorid,qty=0" + (sizes ? "," + zeroList.join(',') : QString()) + CR +
               " from dt_client a,(select top 1 goodsid,colorid from vgoodscolor)b where 1=1" + CR +
               ShopFilter("a.fcode", "b.goodsid");
    sql += " )a" + CR +
           "left join dt_client b on a.fclientcode=b.fcode" + CR +
           "join vgoodscolor c on a.fgoodsid=c.goodsid and a.fcolorid=c.colorid" + CR +
           "left join (select ftype=" + Quoted("进") + ",a.fgoodsid,a.fcolorid,min(b.fbilldate) fmindate,datediff(day,min(b.fbilldate),getdate()) fdatecount" + CR +
           "from d_s_recevingdetail a join d_s_receving b on a.fbillid=b.fbillid where 1=1 " + CR +
           ShopFilter("b.fclientcode", "a.fgoodsid") +
           " group by a.fgoodsid,a.fcolorid)d on a.fgoodsid=d.fgoodsid and a.fcolorid=d.fcolorid";
    // clang-format on
    return sql;
}

void Tfrm_ShopGoodsTotal::SetFieldAreas() {
    if (cxCheckBox1->isChecked()) {
        SetFieldArea(QStringLiteral("类别"), 1);
    } else {
        for (const char* name : {"货号", "颜色名称", "上市日期", "到货天数"})
            SetFieldArea(QString::fromUtf8(name), 1);
    }
    if (sizecheck->isChecked())
        for (const QString& size : sizeNames_)
            SetFieldArea(size, 3);
    for (const QString& measure : kMeasures)
        SetFieldArea(measure, 3);
}

void Tfrm_ShopGoodsTotal::LayoutPivot() {
    g_clock.lap(g_clock.statement);
    OLAP_PivotGrid->BeginUpdate();
    Tbase_OLAPreport::LayoutPivot();
    const QString rowField =
        cxCheckBox1->isChecked() ? QStringLiteral("类别") : QStringLiteral("货号");
    if (auto* f = OLAP_PivotGrid->GetFieldByName(rowField))
        f->setMinWidth(120);
    for (int i = 1; i < kMeasures.size(); ++i)
        if (auto* f = OLAP_PivotGrid->GetFieldByName(kMeasures[i]))
            f->setMinWidth(60);
    OLAP_PivotGrid->EndUpdate();
    OLAP_PivotGrid->ApplyBestFit();
    g_clock.lap(g_clock.pivot);
    BuildWorkbook();
}

void Tfrm_ShopGoodsTotal::OLAP_PivotGridCustomDrawCell(morvane::pivot::PivotEngine& Sender,
                                                       morvane::pivot::CellDrawInfo& AViewInfo) {
    if (!UDPDB_Report->Active() || !AViewInfo.dataField ||
        AViewInfo.dataField->caption() != kMeasures[1])
        return;
    AViewInfo.color = 0xFFF8DAF8;
    const int last = Sender.rowCount() - 1;
    if (AViewInfo.column < 1 || last < 0)
        return;
    const QString total = Sender.cellText(last, AViewInfo.column - 1);
    if (total.isEmpty())
        return;
    const QString own = Sender.cellText(AViewInfo.row, AViewInfo.column - 1);
    if (own.isEmpty())
        return;
    // A zero grand total gives no share: the cell stays empty.
    if (auto share = morvane::framework::ShareText(own, total))
        AViewInfo.text = *share;
}

QString Tfrm_ShopGoodsTotal::WorkingFile() const {
    // The program's folder when it can be written, else the user's data folder. The folder's
    // name keeps its case: file names here tell case apart.
    QString folder = TAnalyse_Dm::ProgramFolder();
    if (!QFileInfo(folder).isWritable()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
    }
    return QDir(folder).filePath(Caption() + workingExtension_);
}

QString Tfrm_ShopGoodsTotal::UserFile() const {
    QString file = WorkingFile();
    file.chop(workingExtension_.size());
    return file + "1" + workingExtension_;
}

void Tfrm_ShopGoodsTotal::toexcelClick(QObject* Sender) {
    ExportPivot();
}

morvane::workbook::Workbook Tfrm_ShopGoodsTotal::ExportPivot() {
    const TcxPivotGridOptionsView remembered = OLAP_PivotGrid->OptionsView();
    TcxPivotGridOptionsView bare = remembered;
    bare.FilterFields = bare.RowFields = bare.DataFields = bare.ColumnFields = false;
    OLAP_PivotGrid->SetOptionsView(bare);
    for (int i = 0; i < OLAP_PivotGrid->FieldCount(); ++i)
        OLAP_PivotGrid->Fields(i)->setOnGetDisplayText(nullptr);
    auto restore = [this, &remembered] {
        OLAP_PivotGrid->SetOptionsView(remembered);
        for (int i = 0; i < OLAP_PivotGrid->FieldCount(); ++i)
            AttachZeroBlanking(*OLAP_PivotGrid->Fields(i));
    };
    morvane::workbook::Workbook book;
    try {
        morvane::pivot::PivotEngine& pivot = OLAP_PivotGrid->ViewData();
        book = morvane::workbook::pivotWorkbook(pivot);
        ShowTotalCaptions(book.sheet(0), int(pivot.fieldsInArea(morvane::pivot::Area::Row).size()));
        morvane::workbook::saveWorkbook(book, WorkingFile());
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return book;
}

void Tfrm_ShopGoodsTotal::advanceProgress() {
    RzProgressStatus1->setValue(RzProgressStatus1->value() + 1);
    // Repaints only: a click during the build must not start another one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Tfrm_ShopGoodsTotal::BuildWorkbook() {
    using namespace morvane::workbook;
    morvane::pivot::PivotEngine& pivot = OLAP_PivotGrid->ViewData();
    const bool categoryMode = cxCheckBox1->isChecked();

    layout_ = {};
    layout_.headerColumns = int(pivot.fieldsInArea(morvane::pivot::Area::Row).size());
    layout_.sizeCount = sizecheck->isChecked() ? int(sizeNames_.size()) : 0;
    layout_.firstTotalsColumn = pivot.columnCount() + layout_.headerColumns;

    // An .xls sheet holds 256 columns and 65,536 rows: four shops with ten sizes are already
    // wider. A sheet that does not fit goes through an .xlsx working file (and user's copy).
    const bool fitsXls =
        layout_.lastTotalsColumn() < kXlsMaxColumns && pivot.rowCount() + 3 <= kXlsMaxRows;
    workingExtension_ = fitsXls ? QStringLiteral(".xls") : QStringLiteral(".xlsx");

    OLAP_PivotGrid->setVisible(false);
    Total_cxSpreadSheetBook->setVisible(true);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } cursorBack;

    // The pivot goes to the working file as it is laid out, then the file is completed.
    Workbook book = ExportPivot();
    Sheet& sheet = book.sheet(0);
    const int usedRows = CompleteHeaders(book, sheet, layout_, sizeNames_, categoryMode);

    OpenQuery(ads_temp1, "select fcode from dt_client where fcode in(" + sel_client + ")" +
                             (ScopeCodes(Scope::Client).isEmpty()
                                  ? QString()
                                  : " and fcode in(" + ScopeCodes(Scope::Client) + ")" + CR));
    layout_.shopCount = ads_temp1->RecordCount();
    saveWorkbook(book, WorkingFile());
    g_clock.lap(g_clock.workbook);

    Total_cxSpreadSheetBook->LoadFromFile(WorkingFile());
    RzProgressStatus1->setRange(0, std::max(1, (usedRows - 4) * 3));
    RzProgressStatus1->setValue(1);
    g_clock.lap(g_clock.view);

    Workbook& shown = Total_cxSpreadSheetBook->Book();
    Sheet& active = Total_cxSpreadSheetBook->ActiveSheet();
    CopySheet(shown, active, usedRows, layout_.lastTotalsColumn(), StringGrid1);
    const RowProgress progress = [this] { advanceProgress(); };
    AddShopTotals(StringGrid1, layout_, progress);
    ComputeShares(StringGrid1, progress);
    ComputeRatios(StringGrid1, layout_, progress);
    EmptyZeros(StringGrid1);

    Total_cxSpreadSheetBook->BeginUpdate();
    PasteMatrix(shown, active, StringGrid1);
    Total_cxSpreadSheetBook->EndUpdate();
    RzProgressStatus1->setValue(RzProgressStatus1->maximum());
    g_clock.lap(g_clock.workbook);
    const StepClock& t = g_clock;
    qCInfo(lcShopGoods,
           "get data ms: statement %lld pivot %lld workbook %lld view %lld rows %d; "
           "cpu ms: statement %lld pivot %lld workbook %lld view %lld",
           t.statement.wall, t.pivot.wall, t.workbook.wall, t.view.wall, usedRows,
           t.statement.cpu, t.pivot.cpu, t.workbook.cpu, t.view.cpu);
}

void Tfrm_ShopGoodsTotal::ac_ExcelExecute(QObject* Sender) {
    if (!SaveDialog1->Execute())
        return;
    Total_cxSpreadSheetBook->SaveToFile(SaveDialog1->FileName());
}

void Tfrm_ShopGoodsTotal::EXCEL1Click(QObject* Sender) {
    RzLauncher1->SetFileName(UserFile());
    RzLauncher1->Launch();
}

void Tfrm_ShopGoodsTotal::EXCEL2Click(QObject* Sender) {
    Total_cxSpreadSheetBook->LoadFromFile(UserFile());
}

void Tfrm_ShopGoodsTotal::EXCEL_SAVEClick(QObject* Sender) {
    Total_cxSpreadSheetBook->SaveToFile(UserFile());
}

void Tfrm_ShopGoodsTotal::N2Click(QObject* Sender) {
    Total_cxSpreadSheetBook->ShowFormatCellsDialog();
}

void Tfrm_ShopGoodsTotal::Total_cxSpreadSheetBookKeyDown(QObject* Sender, int& Key,
                                                         Qt::KeyboardModifiers Shift) {
    if (Key != Qt::Key_F7 || !UDPDB_Report->Active())
        return;
    const int row = Total_cxSpreadSheetBook->ActiveRow();
    if (row < 0)
        return;
    // A goods number merged over its colours' rows shows in the range's first row.
    const morvane::workbook::CellRange* merged =
        Total_cxSpreadSheetBook->ActiveSheet().mergeAt(row, 0);
    QString goodsNo = Total_cxSpreadSheetBook->CellText(merged ? merged->firstRow : row, 0);
    goodsNo.remove(QLatin1Char('\''));
    ShowGoodsPicture(goodsNo);
}

QString Tfrm_ShopGoodsTotal::ResultText() const {
    if (!UDPDB_Report->Active())
        return QString();
    return Total_cxSpreadSheetBook->SheetText();
}
