#include "framework/PivotWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

#include "framework/OlapPainting.h"
#include "pickers/unt_selectClient.h"
#include "pickers/unt_selectHouse.h"
#include "pickers/unt_selectSupplier.h"
#include "pickers/unt_selectgoods.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/ComponentPrinter.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/HostInterface.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotGridStyles.h"
#include "platform/ui/PivotReportLink.h"
#include "platform/ui/TRzLauncher.h"
#include "platform/ui/TSaveDialog.h"
#include "platform/ui/TcxButtonEdit.h"
#include "platform/ui/TcxStyle.h"
#include "platform/workbook/PivotExport.h"
#include "session/StatementText.h"
#include "session/totalpub1.h"

using morvane::ui::Guarded;

namespace {

template <class W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    return Named(new QLabel(text, parent), name);
}

TcxButtonEdit* MakeButtonEdit(QWidget* parent, const char* name) {
    auto* edit = Named(new TcxButtonEdit(parent), name);
    edit->setText(QStringLiteral("全部"));
    return edit;
}

QDateEdit* MakeDateEdit(QWidget* parent, const char* name) {
    auto* edit = Named(new QDateEdit(parent), name);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    return edit;
}

QPushButton* ActionButton(QWidget* parent, const char* name, QAction* action) {
    auto* button = Named(new QPushButton(action->text(), parent), name);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    // Only the caption follows the action: a button's enabled state is the window's own
    // (bit_excel follows the Excel right).
    QObject::connect(action, &QAction::changed, button,
                     [button, action] { button->setText(action->text()); });
    return button;
}

}  // namespace

Tbase_PivotWindow::Tbase_PivotWindow(const TPivotWindowKind& kind, QWidget* parent)
    : Tbase_frm(parent), kind_(kind) {
    SetCaption(QString::fromLatin1(kind.caption));
    SetFormStyle(morvane::ui::fsMDIChild);

    UDPDB_Report = Named(new TRemoteUdpDataSet(this), "UDPDB_Report");
    ads_GoodsImage = Named(new TRemoteUdpDataSet(this), "ads_GoodsImage");
    style_ = Named(new TcxStyle(this), kind.style);
    style_->SetColor(morvane::ui::clWhite);

    ac_close = Named(new QAction(QStringLiteral("关闭"), this), "ac_close");
    ac_Excel = Named(new QAction(QStringLiteral("Excel"), this), "ac_Excel");
    ac_GetData = Named(new QAction(QStringLiteral("统计"), this), "ac_GetData");
    ac_print = Named(new QAction(QStringLiteral("打印"), this), "ac_print");

    SaveDialog1 = Named(new TSaveDialog(this), "SaveDialog1");
    SaveDialog1->SetDefaultExt(QStringLiteral("xls"));
    SaveDialog1->SetFilter(QStringLiteral("excel(*.xls)|*.xls|excel 2007(*.xlsx)|*.xlsx"));
    RzLauncher1 = Named(new TRzLauncher(this), "RzLauncher1");
    printer_ = Named(new TdxComponentPrinter(this), kind.printer);
    // The link's page is the default one: A4 (paper code 9), margins 12.7 mm, header and
    // footer 6.35 mm.
    printLink_ = Named(new TcxPivotGridReportLink(this), kind.printLink);
    printer_->AddLink(printLink_);

    buildFilterPanel();

    grid_ = Named(new TcxDBPivotGrid(this), kind.grid);
    grid_->SetDataSet(UDPDB_Report);
    grid_->SetFilterDropDownItemCount(150);
    TcxPivotGridStyles* styles = grid_->Styles();
    styles->SetBackground(style_);
    styles->SetColumnHeader(style_);
    styles->SetColumnHeaderArea(style_);
    styles->SetContent(style_);
    grid_->SetOnCustomDrawCell(
        [this](morvane::pivot::PivotEngine& g, morvane::pivot::CellDrawInfo& i) {
            GridCustomDrawCell(g, i);
        });
    grid_->SetOnCustomDrawColumnHeader(
        [this](morvane::pivot::PivotEngine& g, morvane::pivot::HeaderDrawInfo& i) {
            GridCustomDrawColumnHeader(g, i);
        });
    grid_->SetOnCustomDrawRowHeader(
        [this](morvane::pivot::PivotEngine& g, morvane::pivot::HeaderDrawInfo& i) {
            GridCustomDrawRowHeader(g, i);
        });

    buildBottomPanel(kind.bottomPanelHeight);

    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(cxGroupBox1);
    layout_->addWidget(RzPanel1);

    connect(oderdate_check, &QCheckBox::clicked, this,
            [this] { Guarded([this] { oderdate_checkClick(oderdate_check); }); });
    connect(modidate_check, &QCheckBox::clicked, this,
            [this] { Guarded([this] { modidate_checkClick(modidate_check); }); });
    connect(edit_client, &TcxButtonEdit::PropertiesButtonClick, this, [this](int i) {
        Guarded([this, i] { edit_clientPropertiesButtonClick(edit_client, i); });
    });
    connect(edit_goods, &TcxButtonEdit::PropertiesButtonClick, this, [this](int i) {
        Guarded([this, i] { edit_goodsPropertiesButtonClick(edit_goods, i); });
    });
    connect(edit_supplier, &TcxButtonEdit::PropertiesButtonClick, this, [this](int i) {
        Guarded([this, i] { edit_supplierPropertiesButtonClick(edit_supplier, i); });
    });
    connect(edit_house, &TcxButtonEdit::PropertiesButtonClick, this, [this](int i) {
        Guarded([this, i] { edit_housePropertiesButtonClick(edit_house, i); });
    });
    connect(ac_close, &QAction::triggered, this,
            [this] { Guarded([this] { ac_closeExecute(ac_close); }); });
    connect(ac_GetData, &QAction::triggered, this,
            [this] { Guarded([this] { ac_GetDataExecute(ac_GetData); }); });
    connect(ac_Excel, &QAction::triggered, this,
            [this] { Guarded([this] { ac_ExcelExecute(ac_Excel); }); });
    connect(ac_print, &QAction::triggered, this,
            [this] { Guarded([this] { ac_printExecute(ac_print); }); });

    resize(727, 490);
}

Tbase_PivotWindow::~Tbase_PivotWindow() {
    FormDestroy(this);
}

void Tbase_PivotWindow::PlaceGrid(QWidget* centre) {
    layout_->insertWidget(1, centre, 1);
}

void Tbase_PivotWindow::buildFilterPanel() {
    cxGroupBox1 = Named(new QGroupBox(QStringLiteral("过滤条件"), this), "cxGroupBox1");
    cxGroupBox1->setFixedHeight(101);
    QWidget* box = cxGroupBox1;

    RzLabel1 = MakeLabel(box, "RzLabel1", QStringLiteral("客户选择："));
    edit_client = MakeButtonEdit(box, "edit_client");
    RzLabel2 = MakeLabel(box, "RzLabel2", QStringLiteral("货品选择："));
    edit_goods = MakeButtonEdit(box, "edit_goods");
    edit_supplier = MakeButtonEdit(box, "edit_supplier");
    edit_supplier->setVisible(false);
    RzLabel5 = MakeLabel(box, "RzLabel5", QStringLiteral("仓库选择："));
    edit_house = MakeButtonEdit(box, "edit_house");

    oderdate_check = Named(new QCheckBox(QStringLiteral("业务日期:"), box), "oderdate_check");
    oderdate_check->setChecked(true);
    bill_date1 = MakeDateEdit(box, "bill_date1");
    RzLabel3 = MakeLabel(box, "RzLabel3", QStringLiteral("至"));
    bill_date2 = MakeDateEdit(box, "bill_date2");
    modidate_check = Named(new QCheckBox(QStringLiteral("制单日期:"), box), "modidate_check");
    input_date1 = MakeDateEdit(box, "input_date1");
    RzLabel4 = MakeLabel(box, "RzLabel4", QStringLiteral("至"));
    input_date2 = MakeDateEdit(box, "input_date2");
    input_date1->setEnabled(false);
    input_date2->setEnabled(false);

    postedcheck = Named(new QCheckBox(QStringLiteral("审核否"), box), "postedcheck");
    sizecheck = Named(new QCheckBox(QStringLiteral("显示尺码明细"), box), "sizecheck");
    flagcheck = Named(new QCheckBox(QStringLiteral("完成否"), box), "flagcheck");
    flagcheck->setVisible(false);
    bit_run = ActionButton(box, "bit_run", ac_GetData);

    // Three lines: the pickers, the two date ranges, the switches and the run button. The
    // supplier edit shares the client's cell; windows that show it hide the client edit.
    auto* grid = new QGridLayout(cxGroupBox1);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(4);
    grid->addWidget(RzLabel1, 0, 0);
    grid->addWidget(edit_client, 0, 1, 1, 3);
    grid->addWidget(edit_supplier, 0, 1, 1, 3);
    grid->addWidget(RzLabel2, 0, 4);
    grid->addWidget(edit_goods, 0, 5, 1, 3);
    grid->addWidget(RzLabel5, 0, 8);
    grid->addWidget(edit_house, 0, 9, 1, 2);
    grid->addWidget(oderdate_check, 1, 0);
    grid->addWidget(bill_date1, 1, 1);
    grid->addWidget(RzLabel3, 1, 2);
    grid->addWidget(bill_date2, 1, 3);
    grid->addWidget(modidate_check, 1, 4);
    grid->addWidget(input_date1, 1, 5);
    grid->addWidget(RzLabel4, 1, 6);
    grid->addWidget(input_date2, 1, 7);
    grid->addWidget(postedcheck, 2, 0);
    grid->addWidget(sizecheck, 2, 1);
    grid->addWidget(flagcheck, 2, 3);
    grid->addWidget(bit_run, 1, 9, 2, 2);
    grid->setColumnStretch(11, 1);
}

void Tbase_PivotWindow::buildBottomPanel(int height) {
    RzPanel1 = Named(new QFrame(this), "RzPanel1");
    RzPanel1->setFixedHeight(height);
    RzPanel2 = Named(new QFrame(RzPanel1), "RzPanel2");
    RzPanel2->setFixedWidth(274);
    bit_print = ActionButton(RzPanel2, "bit_print", ac_print);
    bit_excel = ActionButton(RzPanel2, "bit_excel", ac_Excel);
    RzBitBtn1 = ActionButton(RzPanel2, "RzBitBtn1", ac_close);
    auto* buttons = new QHBoxLayout(RzPanel2);
    buttons->setContentsMargins(2, 1, 2, 1);
    buttons->addWidget(bit_print);
    buttons->addWidget(bit_excel);
    buttons->addWidget(RzBitBtn1);
    auto* bottom = new QHBoxLayout(RzPanel1);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->addStretch(1);
    bottom->addWidget(RzPanel2);
}

void Tbase_PivotWindow::FormCreate(QObject* Sender) {
    Tbase_frm::FormCreate(Sender);

    if (kind_.creationFonts) {
        QFont f = font();
        if (pub_fontsize > 0)
            f.setPointSize(pub_fontsize);
        setFont(f);
        QFont boxFont = cxGroupBox1->font();
        boxFont.setPointSize(10);
        cxGroupBox1->setFont(boxFont);
    }

    printLink_->SetComponent(nullptr);

    if (pub_sizecount == 1) {
        sizecheck->setChecked(false);
        sizecheck->setVisible(false);
    }
    if (pub_mainform)
        pub_mainform->OpenWindows().Add(Caption());

    const QDate today = QDate::currentDate();
    const QDate firstOfMonth(today.year(), today.month(), 1);
    input_date2->setDate(today);
    bill_date2->setDate(today);
    input_date1->setDate(firstOfMonth);
    bill_date1->setDate(firstOfMonth);

    bit_excel->setEnabled(UserRight.b_excel);
    // The size is the window's outer size: the MDI frame's when the window has one.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->resize(727, 490);
    else
        resize(727, 490);

    QStringList pieces;
    for (int i = 1; i <= pub_sizecount; ++i)
        pieces << "sum(isnull(a.s" + QString::number(i) + ",0)) as [尺码" + QString::number(i) +
                      "]";
    size_columns = pieces.join(QLatin1Char(','));

    grid_->Styles()->SetValue(TcxPivotGridStyles::psTotal, pub_gridstyle);
}

void Tbase_PivotWindow::FormClose(QObject* Sender, TCloseAction& Action) {
    Tbase_frm::FormClose(Sender, Action);
    grid_->SetDataSet(nullptr);
    Action = morvane::ui::caFree;
}

void Tbase_PivotWindow::FormDestroy(QObject* Sender) {
    if (!pub_mainform)
        return;
    THostWindowList& list = pub_mainform->OpenWindows();
    const int i = list.IndexOf(Caption());
    if (i >= 0)
        list.Delete(i);
}

void Tbase_PivotWindow::oderdate_checkClick(QObject* Sender) {
    bill_date1->setEnabled(oderdate_check->isChecked());
    bill_date2->setEnabled(oderdate_check->isChecked());
}

void Tbase_PivotWindow::modidate_checkClick(QObject* Sender) {
    input_date1->setEnabled(modidate_check->isChecked());
    input_date2->setEnabled(modidate_check->isChecked());
}

void Tbase_PivotWindow::RunPicker(Tbase_frmTop& picker, TRemoteUdpDataSet* table,
                                  TcxButtonEdit* edit, QString& list, const QString& column) {
    // A picker whose own creation failed still opens, as it would in the host; its list may
    // then be empty.
    picker.Create();
    if (picker.ShowModal() != morvane::ui::mrOk)
        return;
    table->SetFiltered(false);
    table->SetFilter(QStringLiteral("checkid=1"));
    table->SetFiltered(true);
    table->First();
    table->DisableControls();
    edit->setText(table->GetRecordCount() > 0 ? QStringLiteral("部分条件")
                                              : QStringLiteral("全部条件"));
    list.clear();
    for (; !table->Eof(); table->Next())
        list += morvane::sql::Quoted(table->FieldByName(column)->AsString()) + ",";
    if (list.endsWith(QLatin1Char(',')))
        list.chop(1);
    table->EnableControls();
}

void Tbase_PivotWindow::edit_clientPropertiesButtonClick(QObject* Sender, int AButtonIndex) {
    auto picker = std::make_unique<Tfrm_selectClient>();
    RunPicker(*picker, picker->Goods_Table, edit_client, sel_client, QStringLiteral("fcode"));
}

void Tbase_PivotWindow::edit_goodsPropertiesButtonClick(QObject* Sender, int AButtonIndex) {
    auto picker = std::make_unique<Tfrm_selectgoods>();
    RunPicker(*picker, picker->Goods_Table, edit_goods, sel_goods, QStringLiteral("goodsid"));
}

void Tbase_PivotWindow::edit_supplierPropertiesButtonClick(QObject* Sender, int AButtonIndex) {
    auto picker = std::make_unique<Tfrm_selectSupplier>();
    RunPicker(*picker, picker->Goods_Table, edit_supplier, sel_supplier, QStringLiteral("fcode"));
}

void Tbase_PivotWindow::edit_housePropertiesButtonClick(QObject* Sender, int AButtonIndex) {
    auto picker = std::make_unique<Tfrm_selectHouse>();
    RunPicker(*picker, picker->Goods_Table, edit_house, sel_house, QStringLiteral("fcode"));
}

void Tbase_PivotWindow::ac_closeExecute(QObject* Sender) {
    close();
}

void Tbase_PivotWindow::ac_ExcelExecute(QObject* Sender) {
    if (!SaveDialog1->Execute())
        return;

    const TcxPivotGridOptionsView remembered = grid_->OptionsView();
    TcxPivotGridOptionsView bare = remembered;
    bare.FilterFields = false;
    bare.DataFields = false;
    bare.RowFields = false;
    bare.ColumnFields = false;
    grid_->SetOptionsView(bare);
    for (int i = 0; i < grid_->FieldCount(); ++i)
        grid_->Fields(i)->setOnGetDisplayText(nullptr);

    // The grid keeps this look while the spreadsheet program is open, and gets its own back
    // whatever happened: a file that cannot be written must not leave it without headers.
    auto restore = [this, &remembered] {
        TcxPivotGridOptionsView view = grid_->OptionsView();
        view.FilterFields = remembered.FilterFields;
        view.DataFields = remembered.DataFields;
        view.RowFields = remembered.RowFields;
        view.ColumnFields = remembered.ColumnFields;
        grid_->SetOptionsView(view);
        for (int i = 0; i < grid_->FieldCount(); ++i)
            AttachZeroBlanking(*grid_->Fields(i));
    };
    try {
        morvane::workbook::exportPivotToFile(grid_->ViewData(), SaveDialog1->FileName());
        RzLauncher1->SetFileName(SaveDialog1->FileName());
        RzLauncher1->Launch();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void Tbase_PivotWindow::ac_printExecute(QObject* Sender) {
    printLink_->SetComponent(grid_);
    try {
        printer_->Preview(true);
    } catch (...) {
        printLink_->SetComponent(nullptr);
        throw;
    }
    printLink_->SetComponent(nullptr);
}

void Tbase_PivotWindow::ac_GetDataExecute(QObject* Sender) {
    const QString sql = GetDataSQL();
    if (sql.isNull())
        return;
    UDPDB_Report->Close();
    OpenQuery(UDPDB_Report, sql);
    LayoutPivot();
}

void Tbase_PivotWindow::SetDesign(const TPivotDesign& design) {
    design_ = design;
    TcxDBPivotGrid* grid = grid_;
    grid->BeginUpdate();
    placeDesignFields();
    TcxPivotGridOptionsView view = grid->OptionsView();
    view.FilterFields = design_.filterArea;
    grid->SetOptionsView(view);
    TcxPivotGridOptionsDataField dataField = grid->OptionsDataField();
    dataField.Area = design_.dataInRows ? dfaRow : dfaColumn;
    dataField.AreaIndex = design_.dataAreaIndex;
    dataField.Caption = QStringLiteral("项目");
    grid->SetOptionsDataField(dataField);
    grid->EndUpdate();
}

void Tbase_PivotWindow::placeDesignFields() {
    using morvane::pivot::Area;
    morvane::pivot::PivotEngine& engine = grid_->ViewData();
    const std::pair<const QStringList*, Area> areas[] = {{&design_.rows, Area::Row},
                                                         {&design_.columns, Area::Column},
                                                         {&design_.data, Area::Data},
                                                         {&design_.filter, Area::Filter}};
    for (const auto& [names, area] : areas) {
        for (const QString& name : *names) {
            engine.addField(name);
            engine.setFieldArea(name, area);
        }
    }
}

void Tbase_PivotWindow::LayoutPivot() {
    TcxDBPivotGrid* grid = grid_;
    grid->BeginUpdate();
    if (design_.fields == TPivotDesign::Recreated) {
        grid->DeleteAllFields();
        grid->CreateAllFields();
        placeDesignFields();
        SetFieldAreas();
        // What is placed nowhere waits in the filter area, after the listed filter fields.
        for (int i = 0; i < grid->FieldCount(); ++i) {
            morvane::pivot::PivotField* f = grid->Fields(i);
            if (f->area() == morvane::pivot::Area::None)
                f->setArea(morvane::pivot::Area::Filter);
        }
    }
    for (int i = 0; i < grid->FieldCount(); ++i)
        AttachZeroBlanking(*grid->Fields(i));
    grid->EndUpdate();
    grid->ApplyBestFit();
}

void Tbase_PivotWindow::AttachZeroBlanking(morvane::pivot::PivotField& field) {
    field.setOnGetDisplayText([this](const morvane::pivot::PivotField& f,
                                     const morvane::pivot::DisplayTextInfo& info,
                                     QString& text) { GridGetDisplayText(f, info, text); });
}

void Tbase_PivotWindow::SetFieldArea(const QString& FieldName, int Area) {
    grid_->SetFieldArea(FieldName, morvane::pivot::AreaOfCode(Area));
}

// Cells only: a group value 0 (a size, a month) is a header and keeps its text.
void Tbase_PivotWindow::BlankZeroCell(const morvane::pivot::DisplayTextInfo& ACell,
                                      QString& AText) {
    if (ACell.target == morvane::pivot::DisplayTextInfo::Target::Cell)
        morvane::framework::BlankZeroText(AText);
}

void Tbase_PivotWindow::PaintShareCell(morvane::pivot::PivotEngine& Sender,
                                       morvane::pivot::CellDrawInfo& AViewInfo) {
    if (!design_.shareCells)
        return;
    TRemoteUdpDataSet* data = grid_->DataSet();
    morvane::framework::ApplyShareRule(Sender, AViewInfo, data && data->Active());
}

void Tbase_PivotWindow::PaintTotalCaption(morvane::pivot::HeaderDrawInfo& AViewInfo) {
    morvane::framework::ApplyCaptionRule(AViewInfo);
}

QString Tbase_PivotWindow::ResultText() const {
    if (!UDPDB_Report->Active())
        return QString();
    return grid_->ViewData().layoutMatrix().toTsv();
}
