// Printing a pivot grid: pagination, title and footer, shading, page set-up, PDF, preview.
#include "GridTestSupport.h"

#include "platform/pivot/MemorySource.h"
#include "platform/ui/ComponentPrinter.h"
#include "platform/ui/ErrorDisplay.h"
#include "platform/ui/HostInterface.h"
#include "platform/ui/HostServices.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/PivotGrid.h"
#include "platform/ui/PivotGridStyles.h"
#include "platform/ui/PivotReportLink.h"
#include "platform/ui/TcxStyle.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

using morvane::pivot::MatrixCell;
using morvane::pivot::MemorySource;
using morvane::pivot::PivotMatrix;
using morvane::pivot::Value;
using morvane::pivot::ValueType;
using morvane::ui::PrintedCell;

namespace {

// `goods` goods in the rows (code and name), `shops` shops in the columns, three data fields.
std::shared_ptr<MemorySource> goodsByShop(int goods, int shops) {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(u("货号"), ValueType::Text);
    src->addColumn(u("品名"), ValueType::Text);
    src->addColumn(u("店铺"), ValueType::Text);
    src->addColumn(u("数量"), ValueType::Integer);
    src->addColumn(u("金额"), ValueType::Real);
    src->addColumn(u("成本"), ValueType::Real);
    for (int g = 0; g < goods; ++g) {
        for (int s = 0; s < shops; ++s) {
            if ((g + s) % 3 == 2)
                continue;
            src->appendRow({Value::text(QStringLiteral("HX%1").arg(g, 4, 10, QChar('0'))),
                            Value::text(u("女装连衣裙") + QString::number(g % 7)),
                            Value::text(u("王府井旗舰店") + QString::number(s + 1)),
                            Value::integer(g % 5 + s), Value::real(100.5 * (g + 1)),
                            Value::real(60.25 * (s + 1))});
        }
    }
    return src;
}

QString tool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class PrintTest : public ::testing::Test {
  protected:
    void Build(int goods, int shops) {
        grid = std::make_unique<TcxDBPivotGrid>();
        grid->resize(1000, 600);
        grid->SetSource(goodsByShop(goods, shops));
        grid->BeginUpdate();
        grid->CreateAllFields();
        place(*grid, {"货号", "品名"}, {"店铺"}, {"数量", "金额", "成本"});
        grid->EndUpdate();
        grid->ApplyBestFit();
        link = std::make_unique<TcxPivotGridReportLink>();
        link->SetComponent(grid.get());
    }
    PivotMatrix Matrix() { return grid->ViewData().layoutMatrix(); }
    // The texts of the cells of one kind on a page, in reading order.
    QStringList Texts(int page, PrintedCell::Kind kind) {
        QStringList out;
        for (const PrintedCell& c : link->Page(page).cells) {
            if (c.kind == kind)
                out << c.text;
        }
        return out;
    }

    std::unique_ptr<TcxDBPivotGrid> grid;
    std::unique_ptr<TcxPivotGridReportLink> link;
};

TEST_F(PrintTest, WideAndLongPivotCoversEveryCellOnceWithHeadersRepeated) {
    Build(150, 8);  // 150 goods: several sheets down; 8 shops x 3 fields: several across
    const PivotMatrix m = Matrix();
    const int pages = link->PageCount();
    ASSERT_GT(pages, 4);

    std::set<std::pair<int, int>> bands;
    std::map<int, std::set<int>> rowsPerBand;
    for (int p = 0; p < pages; ++p) {
        const auto& page = link->Page(p);
        SCOPED_TRACE(p);
        bands.insert({page.firstColumn, page.lastColumn});
        for (int r = page.firstRow; r <= page.lastRow; ++r)
            EXPECT_TRUE(rowsPerBand[page.firstColumn].insert(r).second) << "row twice " << r;

        // The column header rows and the row headers of the page's rows are repeated as the
        // grid shows them: the shops of the page's columns, the goods of its rows.
        const QStringList columnHeaders = Texts(p, PrintedCell::Kind::ColumnHeader);
        for (int c = page.firstColumn; c <= page.lastColumn; ++c) {
            const MatrixCell& caption = m.at(m.headerRowCount() - 1, c);
            ASSERT_FALSE(caption.covered);
            EXPECT_TRUE(columnHeaders.contains(caption.text)) << caption.text.toStdString();
        }
        const QStringList rowHeaders = Texts(p, PrintedCell::Kind::RowHeader);
        for (int r = page.firstRow; r <= page.lastRow; ++r) {
            // Each page names the goods of its first row even when its group began before.
            if (r == page.firstRow || !m.at(r, 0).covered) {
                int a = r;
                while (m.at(a, 0).covered)
                    --a;
                EXPECT_TRUE(rowHeaders.contains(m.at(a, 0).text)) << m.at(a, 0).text.toStdString();
            }
        }
        EXPECT_TRUE(Texts(p, PrintedCell::Kind::Corner).contains(u("货号")));

        // Cells inside the body area of their sheet, none overlapping.
        const QRectF body = link->BodyRectPt(p);
        for (const PrintedCell& c : page.cells) {
            EXPECT_LE(c.rect.right(), body.width() + 0.01);
            EXPECT_LE(c.rect.bottom(), body.height() + 0.01);
        }
        // Every column is wide enough for its texts: nothing is cut.
        for (const PrintedCell& c : page.cells)
            EXPECT_FALSE(c.text.endsWith(u("…"))) << c.text.toStdString();
    }
    // Down first, then across: the first pages share the first band of columns.
    EXPECT_EQ(link->Page(1).firstColumn, link->Page(0).firstColumn);
    ASSERT_GT(bands.size(), 1u);
    // The bands cover every body column once, and each band every body row once.
    int next = m.headerColumnCount();
    for (const auto& [first, last] : bands) {
        EXPECT_EQ(first, next);
        next = last + 1;
    }
    EXPECT_EQ(next, m.columnCount());
    for (const auto& [band, rows] : rowsPerBand) {
        EXPECT_EQ(static_cast<int>(rows.size()), m.rowCount() - m.headerRowCount());
        EXPECT_EQ(*rows.begin(), m.headerRowCount());
        EXPECT_EQ(*rows.rbegin(), m.rowCount() - 1);
    }
    // The last page of the first band ends with the grand total row.
    int lastDown = 0;
    while (lastDown + 1 < pages &&
           link->Page(lastDown + 1).firstColumn == link->Page(0).firstColumn)
        ++lastDown;
    EXPECT_EQ(link->Page(lastDown).lastRow, m.rowCount() - 1);
    EXPECT_TRUE(Texts(lastDown, PrintedCell::Kind::RowHeader).contains(u("Grand Total")));
}

TEST_F(PrintTest, TitleOnFirstPageOnlyAndPageNumbersInFooter) {
    Build(150, 2);
    const int withoutTitle = link->Page(0).lastRow - link->Page(0).firstRow;
    link->SetReportTitle(u("生产状况表\r\n床次:12     款号:HX0001"));
    const int pages = link->PageCount();
    ASSERT_GE(pages, 3);

    const QStringList first = link->PageTexts(0);
    ASSERT_GE(first.size(), 3);
    EXPECT_EQ(first[0], u("生产状况表"));
    EXPECT_EQ(first[1], u("床次:12     款号:HX0001"));
    EXPECT_EQ(first.last(), QStringLiteral("第 1 页 / 共 %1 页").arg(pages));
    const QStringList second = link->PageTexts(1);
    EXPECT_FALSE(second.contains(u("生产状况表")));
    EXPECT_EQ(second.last(), QStringLiteral("第 2 页 / 共 %1 页").arg(pages));
    // The title takes room from the first page only.
    EXPECT_LT(link->Page(0).lastRow - link->Page(0).firstRow, withoutTitle);
    EXPECT_EQ(link->Page(1).lastRow - link->Page(1).firstRow, withoutTitle);
    EXPECT_LT(link->BodyRectPt(0).height(), link->BodyRectPt(1).height());
    EXPECT_TRUE(link->PageTexts(pages).isEmpty());
}

TEST_F(PrintTest, TotalsBoldInTheirColourAndHeadersShaded) {
    Build(6, 2);
    TcxStyle totals;
    totals.SetColor(0x0099E0FF);  // blue-green-red, as the windows give it
    grid->Styles()->SetTotal(&totals);
    link->Invalidate();
    ASSERT_EQ(link->PageCount(), 1);
    bool sawTotal = false, sawData = false;
    for (const PrintedCell& c : link->Page(0).cells) {
        if (c.kind == PrintedCell::Kind::ColumnHeader || c.kind == PrintedCell::Kind::RowHeader) {
            EXPECT_NE(c.fill, 0xFFFFFFFFu) << c.text.toStdString();
        }
        if (c.kind != PrintedCell::Kind::Cell)
            continue;
        // Data cells print numbers on the right, in white.
        const bool total = c.bold;
        if (total) {
            sawTotal = true;
            EXPECT_EQ(QColor::fromRgba(c.fill), QColor(0xFF, 0xE0, 0x99)) << c.text.toStdString();
        } else if (!c.text.isEmpty()) {
            sawData = true;
            EXPECT_EQ(c.fill, 0xFFFFFFFFu);
            EXPECT_TRUE(c.rightAligned);
        }
    }
    EXPECT_TRUE(sawTotal);
    EXPECT_TRUE(sawData);
}

TEST_F(PrintTest, OnlyAColumnWiderThanThePageIsCutAndMarked) {
    auto src = std::make_shared<MemorySource>();
    src->addColumn(u("说明"), ValueType::Text);
    src->addColumn(u("数量"), ValueType::Integer);
    const QString longText = QString(u("很长的备注文字")).repeated(40);
    src->appendRow({Value::text(longText), Value::integer(1)});
    src->appendRow({Value::text(u("短")), Value::integer(123456789)});
    grid = std::make_unique<TcxDBPivotGrid>();
    grid->SetSource(src);
    grid->BeginUpdate();
    grid->CreateAllFields();
    place(*grid, {"说明"}, {}, {"数量"});
    grid->EndUpdate();
    grid->SetColumnWidth(0, 20);  // narrower than its texts on screen
    link = std::make_unique<TcxPivotGridReportLink>();
    link->SetComponent(grid.get());

    ASSERT_EQ(link->PageCount(), 1);
    const QStringList rows = Texts(0, PrintedCell::Kind::RowHeader);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0].endsWith(u("…")));
    EXPECT_TRUE(longText.startsWith(rows[0].chopped(1)));
    EXPECT_EQ(rows[1], u("短"));
    // The narrow column is widened for its number instead of cutting it.
    EXPECT_TRUE(Texts(0, PrintedCell::Kind::Cell).contains(u("123456789")));
}

TEST_F(PrintTest, PageSetUpChangesPagination) {
    Build(150, 8);
    const auto columnBands = [&] {
        std::set<int> firsts;
        for (int p = 0; p < link->PageCount(); ++p)
            firsts.insert(link->Page(p).firstColumn);
        return firsts.size();
    };
    const std::size_t portrait = columnBands();
    const int portraitRows = link->Page(1).lastRow - link->Page(1).firstRow;
    TdxPrinterPage page = link->PrinterPage();
    EXPECT_EQ(page.PaperCode, 9);
    EXPECT_EQ(page.PaperSizeMM, QSizeF(210, 297));
    page.Orientation = QPageLayout::Landscape;
    link->SetPrinterPage(page);
    EXPECT_LT(columnBands(), portrait);
    EXPECT_LT(link->Page(1).lastRow - link->Page(1).firstRow, portraitRows);
    EXPECT_NEAR(link->PaperSizePt().width(), 841.89, 0.01);

    // A page set-up coming back from the printer keeps the header and footer distances.
    QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    page.SetPageLayout(letter);
    EXPECT_EQ(page.PaperCode, 1);
    EXPECT_EQ(page.Orientation, QPageLayout::Portrait);
    EXPECT_DOUBLE_EQ(page.HeaderMM, 6.35);
    EXPECT_NEAR(page.MarginsMM.left(), 20.0, 0.01);
}

TEST_F(PrintTest, AWideReportStartsInLandscapeAndFitToWidthPutsItAcrossOnePage) {
    const auto columnBands = [&] {
        std::set<int> firsts;
        for (int p = 0; p < link->PageCount(); ++p)
            firsts.insert(link->Page(p).firstColumn);
        return firsts.size();
    };
    Build(20, 1);  // one shop: narrower than a portrait page
    link->ChooseOrientation();
    EXPECT_EQ(link->PrinterPage().Orientation, QPageLayout::Portrait);
    EXPECT_EQ(columnBands(), 1u);

    Build(40, 8);
    link->ChooseOrientation();
    EXPECT_EQ(link->PrinterPage().Orientation, QPageLayout::Landscape);
    ASSERT_GT(columnBands(), 1u);
    const int pages = link->PageCount();
    link->SetFitToWidth(true);
    EXPECT_EQ(columnBands(), 1u);
    EXPECT_LT(link->PageCount(), pages);
    EXPECT_LT(link->BodyScale(), 1.0);
    // Every printed cell of the shrunk page still shows its whole text.
    for (const PrintedCell& c : link->Page(0).cells)
        EXPECT_FALSE(c.text.endsWith(u("…"))) << c.text.toStdString();
    EXPECT_TRUE(Texts(0, PrintedCell::Kind::ColumnHeader).contains(u("王府井旗舰店8")));
}

TEST_F(PrintTest, PdfIsA4WithTheChineseTextsOnTheirPages) {
    Build(150, 8);
    link->SetReportTitle(u("商品销售汇总\n年份:2026    月度:3"));
    const int pages = link->PageCount();
    QTemporaryDir dir;
    const QString file = dir.filePath(u("打印.pdf"));
    link->ExportPdf(file);

    const QString info = tool(u("pdfinfo"), {file});
    EXPECT_TRUE(info.contains(
        QRegularExpression(u("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));

    const auto pageText = [&](int p) {
        return tool(u("pdftotext"), {u("-f"), QString::number(p + 1), u("-l"),
                                     QString::number(p + 1), u("-layout"), file, u("-")});
    };
    const QString first = pageText(0);
    EXPECT_TRUE(first.contains(u("商品销售汇总"))) << first.toStdString();
    EXPECT_TRUE(first.contains(u("年份:2026")));
    EXPECT_TRUE(first.contains(u("王府井旗舰店1")));
    EXPECT_TRUE(first.contains(u("HX0000")));
    EXPECT_TRUE(first.contains(QStringLiteral("第 1 页 / 共 %1 页").arg(pages)));
    const QString last = pageText(pages - 1);
    EXPECT_FALSE(last.contains(u("商品销售汇总")));
    EXPECT_TRUE(last.contains(u("Grand Total")));
    EXPECT_TRUE(last.contains(u("货号")));  // the corner repeats the row fields
    EXPECT_TRUE(last.contains(QStringLiteral("第 %1 页 / 共 %1 页").arg(pages)));
}

TEST_F(PrintTest, DetachedLinkPrintsNothingAndUnwritableFileFailsClearly) {
    Build(3, 2);
    EXPECT_EQ(link->PageCount(), 1);
    link->SetComponent(nullptr);
    EXPECT_EQ(link->Component(), nullptr);
    EXPECT_EQ(link->PageCount(), 0);
    EXPECT_TRUE(link->PageTexts(0).isEmpty());

    link->SetComponent(grid.get());
    QTemporaryDir dir;
    const QString bad = dir.filePath(u("没有的目录/报表.pdf"));
    try {
        link->ExportPdf(bad);
        FAIL() << "no error for an unwritable file";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(bad)) << e.what();
    }
    EXPECT_THROW(link->ExportPdf(dir.path()), std::runtime_error);
}

// The host's side of the preview, as the scripted hosts answer it: record and lay out.
class RecordingRunner : public morvane::ui::ModalRunner {
  public:
    int RunModal(morvane::ui::TForm&) override { return 0; }
    int MessageBox(const QString&, const QString&, morvane::ui::MsgIcon, int) override {
        return morvane::ui::mbOK;
    }
    QString SaveFileName(const QString&, const QString&, const QString&) override { return {}; }
    void Launch(const QString&) override {}
    void PrintPreview(TBasedxReportLink& link) override {
        shown.push_back({link.ReportTitle.Text, link.PageCount()});
    }
    std::vector<std::pair<QString, int>> shown;
};

class NoErrors : public morvane::ui::ErrorDisplay {
  public:
    void ShowException(const QString&) override {}
};

class TestApplication : public THostApplication {
  public:
    QObject* Owner() override { return &owner; }
    QString ExeName() const override { return {}; }
    morvane::ui::ModalRunner& Runner() override { return runner; }
    morvane::ui::ErrorDisplay& Errors() override { return errors; }
    QObject owner;
    RecordingRunner runner;
    NoErrors errors;
};

TEST_F(PrintTest, PrinterPreviewsItsCurrentLinkAsTheGridShowsItNow) {
    Build(3, 2);
    TestApplication app;
    THostApplication* previous = morvane::ui::SetApplication(&app);
    TdxComponentPrinter printer;
    printer.Preview();  // no link: nothing shown
    EXPECT_TRUE(app.runner.shown.empty());

    TcxPivotGridReportLink other;
    printer.AddLink(link.get());
    printer.AddLink(&other);
    EXPECT_EQ(printer.CurrentLink(), link.get());
    EXPECT_EQ(printer.LinkCount(), 2);
    link->SetReportTitle(u("标题"));
    EXPECT_EQ(link->PageCount(), 1);

    // The grid grows after the link paginated; the preview shows the grid as it is now.
    grid->SetSource(goodsByShop(150, 2));
    printer.Preview();
    ASSERT_EQ(app.runner.shown.size(), 1u);
    EXPECT_EQ(app.runner.shown[0].first, u("标题"));
    EXPECT_GT(app.runner.shown[0].second, 1);

    printer.SetCurrentLink(&other);  // detached: previewed with no pages
    printer.Preview(false);
    ASSERT_EQ(app.runner.shown.size(), 2u);
    EXPECT_EQ(app.runner.shown[1].second, 0);
    morvane::ui::SetApplication(previous);
}

}  // namespace

int main(int argc, char** argv) {
    return runQtTests(argc, argv);
}
