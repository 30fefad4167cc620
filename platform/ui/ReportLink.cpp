#include "platform/ui/ReportLink.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "platform/io/AtomicFile.h"

#include <algorithm>

#include <stdexcept>

namespace {

constexpr double kPointsPerMM = 72.0 / 25.4;
// Space between the title and the report, and the footer's text size.
constexpr double kTitleGapPt = 8.0;
constexpr double kFooterPointSize = 8.0;
// The title's lines after the first (the period, the filters).
constexpr double kSubtitlePointSize = 9.0;

// Paper codes of the printer drivers the windows were designed with, for the sizes Qt names.
struct PaperCode {
    int code;
    QPageSize::PageSizeId id;
};
constexpr PaperCode kPaperCodes[] = {
    {1, QPageSize::Letter}, {5, QPageSize::Legal}, {8, QPageSize::A3},
    {9, QPageSize::A4},     {11, QPageSize::A5},   {13, QPageSize::B5},
};

}  // namespace

QPageLayout TdxPrinterPage::PageLayout() const {
    const QPageSize size(PaperSizeMM, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, Orientation, MarginsMM, QPageLayout::Millimeter);
}

void TdxPrinterPage::SetPageLayout(const QPageLayout& layout) {
    const QPageSize size = layout.pageSize();
    PaperSizeMM = size.size(QPageSize::Millimeter);
    PaperCode = 0;
    for (const auto& known : kPaperCodes) {
        if (known.id == size.id())
            PaperCode = known.code;
    }
    Orientation = layout.orientation();
    MarginsMM = layout.margins(QPageLayout::Millimeter);
}

QSizeF TdxPrinterPage::OrientedSizeMM() const {
    return Orientation == QPageLayout::Landscape ? PaperSizeMM.transposed() : PaperSizeMM;
}

TdxReportTitle::TdxReportTitle() {
    Font.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    Font.setPointSizeF(12.0);
    Font.setBold(true);
}

TBasedxReportLink::TBasedxReportLink(QObject* owner)
    : QObject(owner), caption_(QStringLiteral("打印预览")) {}

TBasedxReportLink::~TBasedxReportLink() = default;

void TBasedxReportLink::SetPrinterPage(const TdxPrinterPage& page) {
    if (page == page_)
        return;
    page_ = page;
    paginated_ = false;
}

void TBasedxReportLink::SetReportTitle(const QString& text) {
    ReportTitle.Text = text;
    paginated_ = false;
}

void TBasedxReportLink::SetFitToWidth(bool on) {
    if (on == fitToWidth_)
        return;
    fitToWidth_ = on;
    paginated_ = false;
}

void TBasedxReportLink::ChooseOrientation() {
    TdxPrinterPage portrait = page_;
    portrait.Orientation = QPageLayout::Portrait;
    const QMarginsF m = portrait.MarginsMM * kPointsPerMM;
    const double room = portrait.OrientedSizeMM().width() * kPointsPerMM - m.left() - m.right();
    TdxPrinterPage chosen = portrait;
    if (ContentWidthPt() > room)
        chosen.Orientation = QPageLayout::Landscape;
    SetPrinterPage(chosen);
}

double TBasedxReportLink::BodyScale() {
    paginate();
    return scale_;
}

QFont TBasedxReportLink::PrintFont(double pointSize) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei")});
    // Layout runs in points with no device behind it, so a "pixel" is one point here.
    font.setPixelSize(qMax(1, qRound(pointSize)));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QSizeF TBasedxReportLink::PaperSizePt() const {
    return page_.OrientedSizeMM() * kPointsPerMM;
}

QStringList TBasedxReportLink::titleLines() const {
    QString text = ReportTitle.Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
    if (text.trimmed().isEmpty())
        return {};
    return text.split('\n');
}

namespace {

QFont titleFont(const TdxReportTitle& title) {
    QFont font = title.Font;
    const double size = title.Font.pointSizeF() > 0 ? title.Font.pointSizeF() : 12.0;
    font.setPixelSize(qMax(1, qRound(size)));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace

double TBasedxReportLink::titleHeightPt() const {
    const QStringList lines = titleLines();
    if (lines.isEmpty())
        return 0.0;
    const QFontMetricsF fm(titleFont(ReportTitle));
    const QFontMetricsF sub(PrintFont(kSubtitlePointSize));
    return fm.lineSpacing() + (lines.size() - 1) * sub.lineSpacing() + kTitleGapPt;
}

QRectF TBasedxReportLink::BodyRectPt(int page) {
    const QSizeF paper = PaperSizePt();
    const QMarginsF m = page_.MarginsMM * kPointsPerMM;
    QRectF body(m.left(), m.top(), paper.width() - m.left() - m.right(),
                paper.height() - m.top() - m.bottom());
    if (page == 0)
        body.setTop(body.top() + titleHeightPt());
    return body;
}

void TBasedxReportLink::paginate() {
    if (paginated_)
        return;
    const QSizeF first = BodyRectPt(0).size();
    const QSizeF other = BodyRectPt(1).size();
    scale_ = 1.0;
    if (fitToWidth_) {
        const double need = ContentWidthPt();
        const double room = std::min(first.width(), other.width());
        if (need > room && room > 0)
            scale_ = room / need;
    }
    // A smaller body is laid out on a page as much larger as it is printed smaller.
    pageCount_ = CreateBodyPages(first / scale_, other / scale_);
    paginated_ = true;
}

int TBasedxReportLink::PageCount() {
    paginate();
    return pageCount_;
}

QString TBasedxReportLink::PageNumberText(int page) {
    return QStringLiteral("第 %1 页 / 共 %2 页").arg(page + 1).arg(PageCount());
}

QStringList TBasedxReportLink::PageTexts(int page) {
    if (page < 0 || page >= PageCount())
        return {};
    QStringList texts;
    if (page == 0)
        texts << titleLines();
    texts << BodyPageTexts(page);
    texts << PageNumberText(page);
    return texts;
}

void TBasedxReportLink::RenderPage(QPainter& painter, int page, const QRectF& paperRect) {
    if (page < 0 || page >= PageCount())
        return;
    const QSizeF paper = PaperSizePt();
    painter.save();
    painter.translate(paperRect.topLeft());
    painter.scale(paperRect.width() / paper.width(), paperRect.height() / paper.height());
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF body = BodyRectPt(page);
    const QStringList lines = page == 0 ? titleLines() : QStringList();
    if (!lines.isEmpty()) {
        const QFont title = titleFont(ReportTitle);
        const QFont sub = PrintFont(kSubtitlePointSize);
        painter.setPen(Qt::black);
        double y = BodyRectPt(1).top();
        for (int i = 0; i < lines.size(); ++i) {
            const QFont& font = i == 0 ? title : sub;
            const double height = QFontMetricsF(font).lineSpacing();
            painter.setFont(font);
            painter.drawText(QRectF(body.left(), y, body.width(), height),
                             Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, lines[i]);
            y += height;
        }
    }

    painter.save();
    painter.translate(body.topLeft());
    painter.scale(scale_, scale_);
    painter.setClipRect(QRectF(QPointF(0, 0), body.size() / scale_).adjusted(-1, -1, 1, 1));
    PaintBodyPage(painter, page);
    painter.restore();

    // The footer sits between the bottom margin and the footer distance from the paper's edge.
    const double footerBottom = paper.height() - page_.FooterMM * kPointsPerMM;
    const double footerTop = paper.height() - page_.MarginsMM.bottom() * kPointsPerMM;
    const QFont footerFont = PrintFont(kFooterPointSize);
    painter.setFont(footerFont);
    painter.setPen(Qt::black);
    const double height = qMax(footerBottom - footerTop, QFontMetricsF(footerFont).height());
    painter.drawText(QRectF(body.left(), footerBottom - height, body.width(), height),
                     Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, PageNumberText(page));
    painter.restore();
}

void TBasedxReportLink::Print(QPagedPaintDevice& device) {
    printOn(device, QStringLiteral("打印机无法开始打印"));
}

void TBasedxReportLink::printOn(QPagedPaintDevice& device, const QString& failure) {
    QPageLayout layout = page_.PageLayout();
    layout.setMode(QPageLayout::FullPageMode);
    device.setPageLayout(layout);
    const int pages = PageCount();
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error(failure.toStdString());
    // In full-page mode the painter's origin is the sheet's corner.
    const QRectF paperRect = device.pageLayout().fullRectPixels(device.logicalDpiX());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            throw std::runtime_error(failure.toStdString());
        RenderPage(painter, page, QRectF(QPointF(0, 0), paperRect.size()));
    }
    // Ending writes what the engine still holds (the PDF's last page and trailer).
    if (!painter.end())
        throw std::runtime_error(failure.toStdString());
}

void TBasedxReportLink::ExportPdf(const QString& file) {
    // The pages go to a temporary file that replaces the target only when all of it is on the
    // disk: a failure leaves the earlier file as it was (io::AtomicFile).
    morvane::io::AtomicFile out(file);
    {
        QPdfWriter writer(&out.Device());
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("Morvane"));
        writer.setTitle(titleLines().join(' '));
        try {
            printOn(writer, QStringLiteral("无法写入 PDF 文件：%1").arg(file));
        } catch (const std::runtime_error&) {
            // A write that failed says why better than the painter can.
            out.CheckWrites();
            throw;
        }
    }
    out.Commit();
}
