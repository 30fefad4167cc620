// The Excel and print actions both pivot bases share, run against each (Tbase_OLAPreport and
// Tbase_SaleOlAP): the workbook written (.xlsx read back with openpyxl), the grid's look during
// and after, cancel, failed writes, the right, the print link.

#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "framework/unt_BaseOLAPreport.h"
#include "framework/unt_SaleOlAP.h"
#include "hostkit/HostApplication.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/ui/ComponentPrinter.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotReportLink.h"
#include "platform/ui/TRzLauncher.h"
#include "platform/ui/TSaveDialog.h"
#include "platform/workbook/XlsReader.h"
#include "session/totalpub1.h"
#include "tests/support/SpineFixture.h"

namespace {

using morvane::pivot::Area;

// Two shops; 乙/B1 sells 0, which the screen shows empty and the workbook as 0.
const QString kRowsSQL = QStringLiteral(
    "select '甲' 店铺,'A1' 货号,'红' 颜色,3 数量\r"
    "union all select '甲','A1','蓝',1\r"
    "union all select '甲','A2','红',4\r"
    "union all select '乙','B1','红',0\r"
    "union all select '乙','B2','蓝',2\r");

// The workbook of kRowsSQL: no header areas, every group expanded, zeros as 0.
const char* const kWorkbookText =
    "\t\t红\t蓝\tGrand Total\n"
    "乙\tB1\t0\t\t0\n"
    "\tB2\t\t2\t2\n"
    "乙 Total\t\t0\t2\t2\n"
    "甲\tA1\t3\t1\t4\n"
    "\tA2\t4\t\t4\n"
    "甲 Total\t\t7\t1\t8\n"
    "Grand Total\t\t7\t3\t10\n";

template <class Base>
class ExportReport : public Base {
  public:
    ExportReport() { this->SetCaption(QStringLiteral("导出测试")); }
    QString sql = kRowsSQL;

  protected:
    QString GetDataSQL() override { return sql; }
    void SetFieldAreas() override {
        this->SetFieldArea(QStringLiteral("店铺"), 1);
        this->SetFieldArea(QStringLiteral("货号"), 1);
        this->SetFieldArea(QStringLiteral("颜色"), 0);
        this->SetFieldArea(QStringLiteral("数量"), 3);
    }
};

class WatchingRunner : public morvane::host::ScriptedRunner {
  public:
    QString SaveFileName(const QString& initialName, const QString& filter,
                         const QString& defaultExt) override {
        askedFilter = filter;
        askedExt = defaultExt;
        return ScriptedRunner::SaveFileName(initialName, filter, defaultExt);
    }
    void Launch(const QString& file) override {
        ScriptedRunner::Launch(file);
        if (whileOpen)
            whileOpen(file);
    }
    void PrintPreview(TBasedxReportLink& link) override {
        if (duringPreview)
            duringPreview(link);
        ScriptedRunner::PrintPreview(link);
    }
    QString askedFilter, askedExt;
    std::function<void(const QString&)> whileOpen;
    std::function<void(TBasedxReportLink&)> duringPreview;
};

// What the export must leave as it found it.
struct GridState {
    bool filterFields, dataFields, rowFields, columnFields, rowTotals;
    QStringList fields;  // name:area:index:handler
    bool active;
    int records;
    QString sql;
    QString screen;

    static GridState Of(Tbase_PivotWindow& w) {
        GridState s;
        TcxDBPivotGrid* grid = w.PivotGrid();
        const TcxPivotGridOptionsView v = grid->OptionsView();
        s.filterFields = v.FilterFields;
        s.dataFields = v.DataFields;
        s.rowFields = v.RowFields;
        s.columnFields = v.ColumnFields;
        s.rowTotals = v.RowTotals;
        for (int i = 0; i < grid->FieldCount(); ++i) {
            const morvane::pivot::PivotField* f = grid->Fields(i);
            s.fields << QStringLiteral("%1:%2:%3:%4")
                            .arg(f->name())
                            .arg(int(f->area()))
                            .arg(f->areaIndex())
                            .arg(f->onGetDisplayText() ? 1 : 0);
        }
        s.active = w.UDPDB_Report->Active();
        s.records = s.active ? w.UDPDB_Report->GetRecordCount() : -1;
        s.sql = w.UDPDB_Report->SQL();
        s.screen = w.ResultText();
        return s;
    }
    bool operator==(const GridState&) const = default;
};

void PrintTo(const GridState& s, std::ostream* os) {
    *os << "headers " << s.filterFields << s.dataFields << s.rowFields << s.columnFields
        << " fields " << s.fields.join(' ').toStdString() << "\n"
        << s.screen.toStdString();
}

// A sheet as lines of tab-separated cells: numbers in their shortest form, texts as they are.
QString SheetText(const morvane::workbook::Sheet& sheet) {
    QString out;
    int columns = 0;
    for (int r = 0; r < sheet.rowCount(); ++r)
        for (const auto& c : sheet.row(r))
            columns = std::max(columns, c.column + 1);
    for (int r = 0; r < sheet.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c) {
            const morvane::workbook::Cell* cell = sheet.cell(r, c);
            if (!cell || cell->kind == morvane::workbook::Cell::Kind::Blank)
                cells << QString();
            else if (cell->kind == morvane::workbook::Cell::Kind::Number)
                cells << QString::number(cell->number, 'g', 15);
            else
                cells << sheet.textAt(r, c);
        }
        out += cells.join('\t') + '\n';
    }
    return out;
}

template <class Base>
class PivotExport : public ::testing::Test {
  protected:
    using Window = ExportReport<Base>;

    void SetUp() override {
        host = std::make_unique<morvane::test::SpineHost>(morvane::test::DemoDb());
        app = std::make_unique<morvane::host::HostApplication>(runner, host->errors);
        morvane::ui::SetApplication(app.get());
        morvane::session::ResetSession();
        pub_connection = host->connection.get();
        pub_mainform = host->mainForm.get();
        pub_userno = QStringLiteral("001");
        // A list the demo rights know: user 001 may export it, user 004 only browse it.
        const std::vector<QString> lists =
            host->Column(QStringLiteral("select listname from dr_right order by autoid"));
        ASSERT_FALSE(lists.empty());
        pub_listname = lists.front();
        pub_fontsize = 9;
        pub_sizecount = 3;
        LoadUserScope();
    }
    void TearDown() override {
        window.reset();
        morvane::session::ResetSession();
        morvane::ui::SetApplication(nullptr);
        app.reset();
        host.reset();
    }
    Window* OpenWithData() {
        window = std::make_unique<Window>();
        window->Create();
        window->ac_GetData->trigger();
        EXPECT_TRUE(window->UDPDB_Report->Active());
        return window.get();
    }
    QString Errors() const { return host->errors.messages.join('\n'); }

    QTemporaryDir dir;
    WatchingRunner runner;
    std::unique_ptr<morvane::test::SpineHost> host;
    std::unique_ptr<morvane::host::HostApplication> app;
    std::unique_ptr<Window> window;
};

using Bases = ::testing::Types<Tbase_OLAPreport, Tbase_SaleOlAP>;
class BaseNames {
  public:
    template <class T>
    static std::string GetName(int) {
        return std::is_same_v<T, Tbase_OLAPreport> ? "OLAPreport" : "SaleOlAP";
    }
};
TYPED_TEST_SUITE(PivotExport, Bases, BaseNames);

TYPED_TEST(PivotExport, WritesTheLaidOutPivotAndShowsTheGridAsBeforeOnceTheProgramEnds) {
    auto* w = this->OpenWithData();
    // The user's own look: no filter fields or row totals, shops collapsed, 数量 unblanked.
    TcxPivotGridOptionsView view = w->PivotGrid()->OptionsView();
    view.FilterFields = false;
    view.RowTotals = false;
    w->PivotGrid()->SetOptionsView(view);
    w->PivotGrid()->GetFieldByName(QStringLiteral("店铺"))->setExpanded(false);
    w->PivotGrid()->GetFieldByName(QStringLiteral("数量"))->setOnGetDisplayText(nullptr);
    GridState before = GridState::Of(*w);
    ASSERT_FALSE(before.screen.contains("B1"));

    GridState whileOpen{};
    bool fileWritten = false;
    this->runner.whileOpen = [&](const QString& file) {
        whileOpen = GridState::Of(*w);
        fileWritten = QFile::exists(file);
    };
    const QString file = this->dir.filePath(QStringLiteral("透视.xls"));
    this->runner.QueueSaveName(file);
    w->bit_excel->click();
    ASSERT_TRUE(this->Errors().isEmpty()) << this->Errors().toStdString();

    EXPECT_EQ(this->runner.askedExt, "xls");
    EXPECT_TRUE(this->runner.askedFilter.startsWith("excel(*.xls)|*.xls|"))
        << this->runner.askedFilter.toStdString();
    EXPECT_TRUE(this->runner.askedFilter.contains("|*.xlsx"))
        << this->runner.askedFilter.toStdString();
    EXPECT_EQ(this->runner.launched, QStringList{file});
    EXPECT_TRUE(fileWritten);
    EXPECT_EQ(w->RzLauncher1->FileName(), file);

    // While open: no header areas, no zero blanking.
    EXPECT_FALSE(whileOpen.filterFields || whileOpen.dataFields || whileOpen.rowFields ||
                 whileOpen.columnFields);
    EXPECT_FALSE(whileOpen.rowTotals);
    for (const QString& f : whileOpen.fields)
        EXPECT_TRUE(f.endsWith(":0")) << f.toStdString();
    EXPECT_EQ(whileOpen.records, before.records);

    // Afterwards: the header areas back, every field blanking zeros (数量 too), the rest as is.
    const GridState after = GridState::Of(*w);
    for (QString& f : before.fields)
        f.replace(QRegularExpression(":0$"), QStringLiteral(":1"));
    EXPECT_EQ(after.fields, before.fields);
    EXPECT_FALSE(after.filterFields);
    EXPECT_TRUE(after.dataFields && after.rowFields && after.columnFields);
    EXPECT_FALSE(after.rowTotals);
    EXPECT_EQ(after.active, before.active);
    EXPECT_EQ(after.records, before.records);
    EXPECT_EQ(after.sql, before.sql);
    EXPECT_FALSE(after.screen.contains("B1"));
    EXPECT_TRUE(w->PivotGrid()->GetFieldByName(QStringLiteral("数量"))->onGetDisplayText());

    // Laid out as the grid (no subtotals), every group expanded, the zero as 0.
    const morvane::workbook::Workbook book = morvane::workbook::readXls(file);
    ASSERT_EQ(book.sheetCount(), 1);
    EXPECT_EQ(SheetText(book.sheet(0)).toStdString(),
              "\t\t红\t蓝\tGrand Total\n"
              "乙\tB1\t0\t\t0\n"
              "\tB2\t\t2\t2\n"
              "甲\tA1\t3\t1\t4\n"
              "\tA2\t4\t\t4\n"
              "Grand Total\t\t7\t3\t10\n");
}

// Also: a zero shows empty on screen, as 0 while the workbook is open, and as the number 0 in it.
TYPED_TEST(PivotExport, AnXlsxNameGivesAnXlsxWorkbookAndANameWithoutExtensionAnXls) {
    auto* w = this->OpenWithData();
    const auto b1Line = [&](const QString& screen) {
        return screen.split('\n').filter(QRegularExpression("^乙\tB1\t")).value(0);
    };
    const QString b1 = b1Line(w->ResultText());
    ASSERT_FALSE(b1.isEmpty()) << w->ResultText().toStdString();
    EXPECT_EQ(b1.count('0'), 0) << b1.toStdString();
    QString seenWhileOpen;
    this->runner.whileOpen = [&](const QString&) { seenWhileOpen = b1Line(w->ResultText()); };
    const QString xlsx = this->dir.filePath(QStringLiteral("透视.xlsx"));
    this->runner.QueueSaveName(xlsx);
    w->ac_Excel->trigger();
    ASSERT_TRUE(this->Errors().isEmpty()) << this->Errors().toStdString();

    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import openpyxl,sys\n"
                                 "ws=openpyxl.load_workbook(sys.argv[1]).active\n"
                                 "for r in ws.iter_rows(values_only=True):\n"
                                 "  print('\\t'.join('' if v is None else (str(int(v)) if "
                                 "isinstance(v,(int,float)) and v==int(v) else str(v)) for v "
                                 "in r))\n"),
                  xlsx});
    ASSERT_TRUE(python.waitForFinished(60000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(python.readAllStandardOutput()).toStdString(), kWorkbookText);

    // A name typed without an extension gets the dialog's default one.
    this->runner.QueueSaveName(this->dir.filePath(QStringLiteral("plain")));
    w->ac_Excel->trigger();
    ASSERT_TRUE(this->Errors().isEmpty()) << this->Errors().toStdString();
    const QString xls = this->dir.filePath(QStringLiteral("plain.xls"));
    EXPECT_EQ(this->runner.launched, (QStringList{xlsx, xls}));
    EXPECT_TRUE(seenWhileOpen.startsWith("乙\tB1\t0\t")) << seenWhileOpen.toStdString();
    EXPECT_EQ(b1Line(w->ResultText()), b1);
    const morvane::workbook::Workbook book = morvane::workbook::readXls(xls);
    EXPECT_EQ(SheetText(book.sheet(0)).toStdString(), kWorkbookText);
    const morvane::workbook::Cell* zero = book.sheet(0).cell(1, 2);
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(zero->kind, morvane::workbook::Cell::Kind::Number);
}

TYPED_TEST(PivotExport, CancelInTheSaveDialogChangesNothing) {
    auto* w = this->OpenWithData();
    w->PivotGrid()->GetFieldByName(QStringLiteral("数量"))->setOnGetDisplayText(nullptr);
    TcxPivotGridOptionsView view = w->PivotGrid()->OptionsView();
    view.ColumnFields = false;
    w->PivotGrid()->SetOptionsView(view);
    const GridState before = GridState::Of(*w);

    this->runner.QueueSaveName(QString());
    w->ac_Excel->trigger();
    EXPECT_TRUE(this->Errors().isEmpty()) << this->Errors().toStdString();
    EXPECT_TRUE(this->runner.launched.isEmpty());
    EXPECT_EQ(GridState::Of(*w), before);
    EXPECT_TRUE(QDir(this->dir.path()).isEmpty());
}

TYPED_TEST(PivotExport, AFailedWriteReachesTheErrorDisplayAndTheGridGetsItsLookBack) {
    auto* w = this->OpenWithData();
    w->PivotGrid()->GetFieldByName(QStringLiteral("颜色"))->setOnGetDisplayText(nullptr);
    GridState before = GridState::Of(*w);
    for (QString& f : before.fields)
        f.replace(QRegularExpression(":0$"), QStringLiteral(":1"));

    // A folder that does not exist.
    this->runner.QueueSaveName(this->dir.filePath(QStringLiteral("nosuch/透视.xls")));
    w->ac_Excel->trigger();
    ASSERT_EQ(this->host->errors.messages.size(), 1);
    EXPECT_TRUE(this->host->errors.messages[0].contains("nosuch")) << this->Errors().toStdString();
    EXPECT_TRUE(this->runner.launched.isEmpty());
    EXPECT_EQ(GridState::Of(*w), before);

    // More columns than an .xls sheet holds: the writer says to save as .xlsx, and .xlsx works.
    const QString digits = QStringLiteral(
        "(select 0 d union all select 1 union all select 2 union all select 3 union all select 4 "
        "union all select 5 union all select 6 union all select 7 union all select 8 union all "
        "select 9)");
    w->sql = QStringLiteral("select '甲' 店铺,'A1' 货号,a.d*100+b.d*10+c.d 颜色,1 数量 from ") +
             digits + " a," + digits + " b,(select 0 d union all select 1 union all select 2) c";
    w->ac_GetData->trigger();
    ASSERT_EQ(this->host->errors.messages.size(), 1) << this->Errors().toStdString();
    ASSERT_EQ(w->UDPDB_Report->GetRecordCount(), 300);
    before = GridState::Of(*w);
    this->runner.QueueSaveName(this->dir.filePath(QStringLiteral("wide.xls")));
    w->ac_Excel->trigger();
    ASSERT_EQ(this->host->errors.messages.size(), 2);
    EXPECT_TRUE(this->host->errors.messages[1].contains(".xlsx")) << this->Errors().toStdString();
    EXPECT_EQ(GridState::Of(*w), before);
    EXPECT_TRUE(this->runner.launched.isEmpty());

    this->runner.QueueSaveName(this->dir.filePath(QStringLiteral("wide.xlsx")));
    w->ac_Excel->trigger();
    EXPECT_EQ(this->host->errors.messages.size(), 2) << this->Errors().toStdString();
    EXPECT_EQ(this->runner.launched.size(), 1);
}

TYPED_TEST(PivotExport, TheExcelButtonNeedsTheExcelRight) {
    this->window = std::make_unique<typename TestFixture::Window>();
    this->window->Create();
    EXPECT_TRUE(this->window->bit_excel->isEnabled());

    pub_userno = QStringLiteral("004");
    this->window = std::make_unique<typename TestFixture::Window>();
    this->window->Create();
    EXPECT_FALSE(this->window->bit_excel->isEnabled());
    EXPECT_TRUE(this->window->bit_print->isEnabled());
    this->window->ac_GetData->trigger();
    this->runner.QueueSaveName(this->dir.filePath(QStringLiteral("none.xls")));
    this->window->bit_excel->click();  // a disabled button does nothing
    EXPECT_TRUE(this->runner.askedExt.isNull());
    EXPECT_TRUE(this->runner.launched.isEmpty());
    EXPECT_TRUE(this->Errors().isEmpty()) << this->Errors().toStdString();
}

TYPED_TEST(PivotExport, PrintAttachesTheLinkToTheGridOnlyWhileThePreviewRuns) {
    this->window = std::make_unique<typename TestFixture::Window>();
    this->window->PivotPrintLink()->SetComponent(this->window->PivotGrid());
    this->window->Create();
    auto* w = this->window.get();
    EXPECT_EQ(w->PivotPrintLink()->Component(), nullptr);
    EXPECT_EQ(w->PivotPrinter()->CurrentLink(), w->PivotPrintLink());
    const TdxPrinterPage& page = w->PivotPrintLink()->PrinterPage();
    EXPECT_EQ(page.PaperCode, 9);
    EXPECT_EQ(page.PaperSizeMM, QSizeF(210.0, 297.0));
    EXPECT_EQ(page.MarginsMM, QMarginsF(12.7, 12.7, 12.7, 12.7));
    EXPECT_EQ(page.HeaderMM, 6.35);
    EXPECT_EQ(page.FooterMM, 6.35);
    w->ac_GetData->trigger();

    TcxDBPivotGrid* attached = nullptr;
    QStringList printed;
    this->runner.duringPreview = [&](TBasedxReportLink& link) {
        attached = static_cast<TcxPivotGridReportLink&>(link).Component();
        printed = link.PageTexts(0);
    };
    const GridState before = GridState::Of(*w);
    w->bit_print->click();
    ASSERT_TRUE(this->Errors().isEmpty()) << this->Errors().toStdString();
    ASSERT_EQ(this->runner.previews.size(), 1u);
    EXPECT_EQ(attached, w->PivotGrid());
    EXPECT_EQ(w->PivotPrintLink()->Component(), nullptr);
    EXPECT_EQ(GridState::Of(*w), before);
    // The pages carry what the grid shows: painted captions, the zero blanked.
    EXPECT_TRUE(printed.contains("乙 小计") && printed.contains("合计") && !printed.contains("0"))
        << printed.join('|').toStdString();

    // A failing preview still leaves the link detached.
    this->runner.duringPreview = nullptr;
    this->runner.QueuePreviewPdf(this->dir.filePath(QStringLiteral("nosuch/pages.pdf")));
    w->ac_print->trigger();
    ASSERT_EQ(this->host->errors.messages.size(), 1);
    EXPECT_TRUE(this->host->errors.messages[0].contains("pages.pdf"))
        << this->Errors().toStdString();
    EXPECT_EQ(w->PivotPrintLink()->Component(), nullptr);
}

}  // namespace
