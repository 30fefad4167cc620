#pragma once
// TBasedxReportLink: a report link lays out one component on printed pages and paints them.
// The page is described in millimetres as the windows set it at design time (A4, margins,
// header and footer distances); layout happens in points (1/72 inch) on that paper, so the same
// pages come out on the preview, the printer and a PDF file.
//
// Every page carries the page-number footer ("第 1 页 / 共 3 页"); the first page carries the
// report title, centred above the report, one line per line break of the title text: the first
// line in the title font (bold), the others (the period, the filters) in the body's font.
// With FitToWidth on, a body wider than the page is printed smaller, so that it fits across.
// Descendants lay out their component's body in the space left (CreateBodyPages) and paint one
// body page at a time (PaintBodyPage). Pagination is lazy and cached; a change of the page or the
// title, or Invalidate() after the component changed, makes the next read paginate again.

#include <QFont>
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QPainter;
class QPagedPaintDevice;
class QRectF;

// The printed page of a link, in millimetres.
struct TdxPrinterPage {
    // Paper code of the host platform's printer drivers (9 = A4); only the code and the paper
    // size it names are kept together, other codes keep the size they are given.
    int PaperCode = 9;
    QSizeF PaperSizeMM{210.0, 297.0};  // portrait width x height
    QMarginsF MarginsMM{12.7, 12.7, 12.7, 12.7};
    double HeaderMM = 6.35;  // from the paper's top edge to the top of the page header
    double FooterMM = 6.35;  // from the paper's bottom edge to the bottom of the page footer
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;

    // The paper as Qt describes it: size, orientation and margins (millimetres).
    QPageLayout PageLayout() const;
    // Takes size, orientation and margins from a Qt page layout (the printer's page set-up);
    // header and footer distances stay.
    void SetPageLayout(const QPageLayout& layout);
    // Paper width and height as oriented, in millimetres.
    QSizeF OrientedSizeMM() const;

    bool operator==(const TdxPrinterPage&) const = default;
};

// The report title: printed once, above the report on the first page.
struct TdxReportTitle {
    QString Text;  // may hold line breaks ("\n" or "\r\n")
    QFont Font;    // bold by default; its point size is used as printed points
    TdxReportTitle();
    bool operator==(const TdxReportTitle&) const = default;
};

class TBasedxReportLink : public QObject {
    Q_OBJECT
  public:
    explicit TBasedxReportLink(QObject* owner = nullptr);
    ~TBasedxReportLink() override;

    // The page settings. Assigning different settings re-paginates on the next read.
    const TdxPrinterPage& PrinterPage() const { return page_; }
    void SetPrinterPage(const TdxPrinterPage& page);

    // The title; set it through SetReportTitle (or change ReportTitle and call Invalidate()).
    TdxReportTitle ReportTitle;
    void SetReportTitle(const QString& text);

    // Shrink a body wider than the page so that it fits across (its rows may still run over
    // several pages). Off by default.
    bool FitToWidth() const { return fitToWidth_; }
    void SetFitToWidth(bool on);
    // The width the body needs at full size, in points; 0 when the link cannot tell.
    virtual double ContentWidthPt() { return 0.0; }
    // Landscape when the body is wider than a portrait page's body, portrait otherwise.
    void ChooseOrientation();
    // The factor the body is printed at (1, or less with FitToWidth).
    double BodyScale();

    // The caption the preview window shows (defaults to "打印预览").
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; }

    // Number of pages (at least 1 while the link has something to print, 0 otherwise).
    virtual int PageCount();
    // Paints one page (0-based) onto a painter; paperRect is the whole sheet in the painter's
    // coordinates. Out-of-range pages paint nothing.
    virtual void RenderPage(QPainter& painter, int page, const QRectF& paperRect);
    // The texts of a page in reading order (title lines, body texts, page footer), as printed.
    virtual QStringList PageTexts(int page);

    // Prints every page onto the device (a QPrinter, a QPdfWriter): the device takes the link's
    // page layout and paints from the sheet's edge.
    void Print(QPagedPaintDevice& device);
    // Writes every page to a PDF file. Throws std::runtime_error naming the file when it cannot be
    // written.
    void ExportPdf(const QString& file);

    // The component's content changed: paginate again on the next read.
    virtual void Invalidate() { paginated_ = false; }
    // The page-number text of a page (0-based): "第 1 页 / 共 3 页".
    QString PageNumberText(int page);

    // Layout metrics, in points on the oriented paper.
    QSizeF PaperSizePt() const;
    // The body's area below the title on the first page and on every other page.
    QRectF BodyRectPt(int page);

  protected:
    // Lays out the body on pages whose body area is firstBody (first page, below the title) and
    // otherBody (the rest), both in points; returns the number of body pages (0: nothing to
    // print).
    virtual int CreateBodyPages(const QSizeF& firstBody, const QSizeF& otherBody) = 0;
    // Paints a body page; the painter's unit is one point and its origin the body's top-left.
    virtual void PaintBodyPage(QPainter& painter, int page) = 0;
    // The texts of a body page in reading order.
    virtual QStringList BodyPageTexts(int page) = 0;

    // The font body texts are printed with, and the font of the footer.
    static QFont PrintFont(double pointSize);

  private:
    void paginate();
    void printOn(QPagedPaintDevice& device, const QString& failure);
    QStringList titleLines() const;
    double titleHeightPt() const;

    TdxPrinterPage page_;
    QString caption_;
    bool paginated_ = false;
    bool fitToWidth_ = false;
    double scale_ = 1.0;
    int pageCount_ = 0;
};
