#include "platform/workbook/XlsxReader.h"

#include "platform/workbook/WorkbookError.h"

#include <QByteArray>
#include <QHash>
#include <QXmlStreamReader>

#include <unzip.h>

#include <array>
#include <map>
#include <memory>
#include <vector>

namespace morvane::workbook {

namespace {

[[noreturn]] void damaged(const QString& what) {
    throw WorkbookError("The .xlsx file is damaged (" + what.toStdString() + ")");
}

// The parts of the zip package, read on demand.
class Package {
  public:
    explicit Package(const QString& path) {
        const QByteArray name = path.toLocal8Bit();
        zip_ = unzOpen64(name.constData());
        if (!zip_)
            throw WorkbookError("Cannot open " + path.toStdString() +
                                ": not an .xlsx workbook or not readable");
    }
    ~Package() { unzClose(zip_); }
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    bool has(const QString& part) {
        return unzLocateFile(zip_, part.toUtf8().constData(), 0) == UNZ_OK;
    }
    QByteArray read(const QString& part) {
        if (!has(part))
            damaged("no part " + part);
        if (unzOpenCurrentFile(zip_) != UNZ_OK)
            damaged("part " + part);
        QByteArray out;
        char buffer[65536];
        int n;
        while ((n = unzReadCurrentFile(zip_, buffer, sizeof buffer)) > 0)
            out.append(buffer, n);
        const int closed = unzCloseCurrentFile(zip_);
        if (n < 0 || closed != UNZ_OK)
            damaged("part " + part);
        return out;
    }

  private:
    unzFile zip_;
};

// The spreadsheet programs' 64 indexed colours (the first 8 basic, 8-63 the default palette).
Color IndexedColor(int index) {
    static constexpr std::array<Color, 64> kIndexed = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
        0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
        0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
        0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
        0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
        0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};
    return index >= 0 && index < 64 ? kIndexed[static_cast<size_t>(index)] : kAutoColor;
}

// A <color> element's colour: rgb="AARRGGBB" or indexed; theme colours are automatic.
Color ColorOf(const QXmlStreamAttributes& a) {
    if (a.hasAttribute(QLatin1String("rgb"))) {
        bool ok = false;
        const uint v = a.value(QLatin1String("rgb")).toUInt(&ok, 16);
        return ok ? (v & 0xFFFFFF) : kAutoColor;
    }
    if (a.hasAttribute(QLatin1String("indexed")))
        return IndexedColor(a.value(QLatin1String("indexed")).toInt());
    return kAutoColor;
}

BorderStyle BorderOf(QStringView style) {
    if (style.isEmpty() || style == u"none")
        return BorderStyle::None;
    if (style == u"medium" || style == u"thick" || style == u"mediumDashed" ||
        style == u"mediumDashDot" || style == u"mediumDashDotDot" || style == u"slantDashDot")
        return BorderStyle::Medium;
    return BorderStyle::Thin;
}

std::string BuiltinFormat(int id) {
    static const std::map<int, std::string> m = {{0, "General"},
                                                 {1, "0"},
                                                 {2, "0.00"},
                                                 {3, "#,##0"},
                                                 {4, "#,##0.00"},
                                                 {9, "0%"},
                                                 {10, "0.00%"},
                                                 {11, "0.00E+00"},
                                                 {12, "# ?/?"},
                                                 {13, "# ?\?/?\?"},
                                                 {14, "yyyy-mm-dd"},
                                                 {15, "d-mmm-yy"},
                                                 {16, "d-mmm"},
                                                 {17, "mmm-yy"},
                                                 {18, "h:mm AM/PM"},
                                                 {19, "h:mm:ss AM/PM"},
                                                 {20, "h:mm"},
                                                 {21, "h:mm:ss"},
                                                 {22, "yyyy-mm-dd h:mm"},
                                                 {45, "mm:ss"},
                                                 {46, "[h]:mm:ss"},
                                                 {47, "mm:ss.0"},
                                                 {48, "##0.0E+0"},
                                                 {49, "@"}};
    auto it = m.find(id);
    return it == m.end() ? "General" : it->second;
}

bool Truth(QStringView v) {
    return v == u"1" || v == u"true";
}

// "AB12" -> row 11, column 27 (0-based). False for a reference that is not a cell.
bool CellRef(QStringView ref, int& row, int& column) {
    int c = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref[i].isLetter(); ++i)
        c = c * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (i == 0 || !ok || r < 1)
        return false;
    row = r - 1;
    column = c - 1;
    return true;
}

// The text of an <si> or <is>: its <t> elements, rich-text runs included, phonetic runs not.
QString InlineText(QXmlStreamReader& x) {
    const QString end = x.name().toString();
    QString text;
    int phonetic = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement() && x.name() == u"rPh")
            ++phonetic;
        else if (x.isEndElement() && x.name() == u"rPh")
            --phonetic;
        else if (x.isStartElement() && x.name() == u"t" && phonetic == 0)
            text += x.readElementText();
        else if (x.isEndElement() && x.name() == end)
            break;
    }
    return text;
}

class Reader {
  public:
    explicit Reader(const QString& path) : zip_(path) {}

    Workbook run() {
        if (!zip_.has(QStringLiteral("xl/workbook.xml")))
            throw WorkbookError("The file is not an .xlsx workbook");
        readStrings();
        readStyles();
        const QHash<QString, QString> targets = relationships();
        Workbook wb;
        wb_ = &wb;
        QXmlStreamReader x(zip_.read(QStringLiteral("xl/workbook.xml")));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"sheet") {
                const QXmlStreamAttributes a = x.attributes();
                QString id;
                for (const QXmlStreamAttribute& at : a)
                    if (at.name() == u"id")
                        id = at.value().toString();
                QString target = targets.value(id);
                if (target.isEmpty())
                    damaged("sheet without a part");
                target = target.startsWith(QLatin1Char('/')) ? target.mid(1)
                                                             : QStringLiteral("xl/") + target;
                readSheet(wb.addSheet(a.value(QLatin1String("name")).toString()), target);
            }
        }
        if (x.hasError())
            damaged("xl/workbook.xml");
        formatOfXf_.clear();
        return wb;
    }

  private:
    QHash<QString, QString> relationships() {
        QHash<QString, QString> out;
        QXmlStreamReader x(zip_.read(QStringLiteral("xl/_rels/workbook.xml.rels")));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"Relationship")
                out.insert(x.attributes().value(QLatin1String("Id")).toString(),
                           x.attributes().value(QLatin1String("Target")).toString());
        }
        return out;
    }

    void readStrings() {
        if (!zip_.has(QStringLiteral("xl/sharedStrings.xml")))
            return;
        QXmlStreamReader x(zip_.read(QStringLiteral("xl/sharedStrings.xml")));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == u"si")
                strings_.push_back(InlineText(x).toStdString());
        }
        if (x.hasError())
            damaged("shared strings");
    }

    void readStyles() {
        if (!zip_.has(QStringLiteral("xl/styles.xml")))
            return;
        QXmlStreamReader x(zip_.read(QStringLiteral("xl/styles.xml")));
        QString section;  // numFmts, fonts, fills, borders, cellXfs (others are skipped)
        while (!x.atEnd()) {
            x.readNext();
            if (x.isEndElement() && x.name() == section) {
                section.clear();
                continue;
            }
            if (!x.isStartElement())
                continue;
            const QStringView n = x.name();
            const QXmlStreamAttributes a = x.attributes();
            if (n == u"numFmts" || n == u"fonts" || n == u"fills" || n == u"borders" ||
                n == u"cellXfs" || n == u"cellStyleXfs" || n == u"dxfs") {
                section = n.toString();
            } else if (n == u"numFmt" && section == u"numFmts") {
                numberFormats_[a.value(QLatin1String("numFmtId")).toInt()] =
                    a.value(QLatin1String("formatCode")).toString().toStdString();
            } else if (section == u"fonts") {
                if (n == u"font")
                    fonts_.emplace_back();
                else if (fonts_.empty())
                    continue;
                else if (n == u"b")
                    fonts_.back().bold = !a.hasAttribute(QLatin1String("val")) ||
                                         Truth(a.value(QLatin1String("val")));
                else if (n == u"i")
                    fonts_.back().italic = !a.hasAttribute(QLatin1String("val")) ||
                                           Truth(a.value(QLatin1String("val")));
                else if (n == u"sz")
                    fonts_.back().size = a.value(QLatin1String("val")).toDouble();
                else if (n == u"name")
                    fonts_.back().name = a.value(QLatin1String("val")).toString().toStdString();
                else if (n == u"color")
                    fonts_.back().color = ColorOf(a);
            } else if (section == u"fills") {
                if (n == u"fill")
                    fills_.push_back(kAutoColor);
                else if (n == u"patternFill")
                    solid_ = a.value(QLatin1String("patternType")) == u"solid";
                else if (n == u"fgColor" && solid_ && !fills_.empty())
                    fills_.back() = ColorOf(a);
            } else if (section == u"borders") {
                if (n == u"border")
                    borders_.emplace_back();
                else if (!borders_.empty()) {
                    const BorderStyle s = BorderOf(a.value(QLatin1String("style")));
                    Borders& b = borders_.back();
                    if (n == u"left" || n == u"start")
                        b.left = s;
                    else if (n == u"right" || n == u"end")
                        b.right = s;
                    else if (n == u"top")
                        b.top = s;
                    else if (n == u"bottom")
                        b.bottom = s;
                }
            } else if (section == u"cellXfs") {
                if (n == u"xf") {
                    Xf xf;
                    xf.numFmt = a.value(QLatin1String("numFmtId")).toInt();
                    xf.font = a.value(QLatin1String("fontId")).toInt();
                    xf.fill = a.value(QLatin1String("fillId")).toInt();
                    xf.border = a.value(QLatin1String("borderId")).toInt();
                    xfs_.push_back(xf);
                } else if (n == u"alignment" && !xfs_.empty()) {
                    const QStringView h = a.value(QLatin1String("horizontal"));
                    const QStringView v = a.value(QLatin1String("vertical"));
                    Xf& xf = xfs_.back();
                    xf.halign = h == u"left"                                 ? HAlign::Left
                                : h == u"center" || h == u"centerContinuous" ? HAlign::Center
                                : h == u"right"                              ? HAlign::Right
                                                                             : HAlign::General;
                    xf.valign = v == u"top"      ? VAlign::Top
                                : v == u"center" ? VAlign::Center
                                                 : VAlign::Bottom;
                    xf.wrap = Truth(a.value(QLatin1String("wrapText")));
                }
            }
        }
        if (x.hasError())
            damaged("styles");
    }

    FormatId formatOf(int index) {
        if (index <= 0 || index >= static_cast<int>(xfs_.size()))
            return index == 0 && !xfs_.empty() ? make(0) : 0;
        return make(index);
    }
    FormatId make(int index) {
        auto it = formatOfXf_.find(index);
        if (it != formatOfXf_.end())
            return it->second;
        const Xf& xf = xfs_[static_cast<size_t>(index)];
        CellFormat f;
        if (xf.font >= 0 && xf.font < static_cast<int>(fonts_.size()))
            f.font = fonts_[static_cast<size_t>(xf.font)];
        if (xf.fill >= 0 && xf.fill < static_cast<int>(fills_.size()))
            f.fill = fills_[static_cast<size_t>(xf.fill)];
        if (xf.border >= 0 && xf.border < static_cast<int>(borders_.size()))
            f.borders = borders_[static_cast<size_t>(xf.border)];
        auto custom = numberFormats_.find(xf.numFmt);
        f.numberFormat = custom != numberFormats_.end() ? custom->second : BuiltinFormat(xf.numFmt);
        f.halign = xf.halign;
        f.valign = xf.valign;
        f.wrap = xf.wrap;
        const FormatId id = wb_->addFormat(f);
        formatOfXf_.emplace(index, id);
        return id;
    }

    void readSheet(Sheet& sheet, const QString& part) {
        QXmlStreamReader x(zip_.read(part));
        int row = -1, column = -1, nextRow = 0, nextColumn = 0;
        QString type;
        FormatId format = 0;
        bool haveValue = false;
        QString value;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isEndElement() && x.name() == u"c") {
                putCell(sheet, row, column, type, value, haveValue, format);
                continue;
            }
            if (!x.isStartElement())
                continue;
            const QStringView n = x.name();
            const QXmlStreamAttributes a = x.attributes();
            if (n == u"col") {
                const int first = a.value(QLatin1String("min")).toInt() - 1;
                const int last =
                    std::min(a.value(QLatin1String("max")).toInt() - 1, Sheet::kMaxColumns - 1);
                if (a.hasAttribute(QLatin1String("width")) && first >= 0)
                    for (int c = first; c <= last; ++c)
                        sheet.setColumnWidth(
                            c, characters(a.value(QLatin1String("width")).toDouble()));
            } else if (n == u"sheetFormatPr" && a.hasAttribute(QLatin1String("defaultColWidth"))) {
                sheet.setDefaultColumnWidth(
                    characters(a.value(QLatin1String("defaultColWidth")).toDouble()));
            } else if (n == u"row") {
                nextRow = a.hasAttribute(QLatin1String("r"))
                              ? a.value(QLatin1String("r")).toInt() - 1
                              : nextRow;
                row = nextRow++;
                nextColumn = 0;
                if (Truth(a.value(QLatin1String("customHeight"))) && row >= 0)
                    sheet.setRowHeight(row, a.value(QLatin1String("ht")).toDouble());
            } else if (n == u"c") {
                int r = row, c = nextColumn;
                if (a.hasAttribute(QLatin1String("r")) &&
                    !CellRef(a.value(QLatin1String("r")), r, c))
                    damaged("cell reference");
                row = r;
                column = c;
                nextColumn = c + 1;
                type = a.value(QLatin1String("t")).toString();
                format = formatOf(a.value(QLatin1String("s")).toInt());
                haveValue = false;
                value.clear();
            } else if (n == u"v") {
                value = x.readElementText();
                haveValue = true;
            } else if (n == u"is") {
                value = InlineText(x);
                haveValue = true;
            } else if (n == u"mergeCell") {
                const QStringList ends =
                    a.value(QLatin1String("ref")).toString().split(QLatin1Char(':'));
                CellRange m;
                if (ends.size() != 2 || !CellRef(ends[0], m.firstRow, m.firstColumn) ||
                    !CellRef(ends[1], m.lastRow, m.lastColumn))
                    damaged("merged range");
                sheet.merge(m);
            }
        }
        if (x.hasError())
            damaged(part + ": " + x.errorString());
    }

    void putCell(Sheet& sheet, int row, int column, const QString& type, const QString& value,
                 bool haveValue, FormatId format) {
        if (row < 0 || column < 0)
            damaged("cell outside a row");
        if (!haveValue) {
            sheet.setBlank(row, column, format);
        } else if (type == u"s") {
            bool ok = false;
            const int i = value.toInt(&ok);
            if (!ok || i < 0 || i >= static_cast<int>(strings_.size()))
                damaged("shared string index");
            sheet.setText(row, column, strings_[static_cast<size_t>(i)], format);
        } else if (type == u"str" || type == u"inlineStr" || type == u"e") {
            sheet.setText(row, column, value, format);
        } else if (type == u"b") {
            sheet.setNumber(row, column, Truth(value) ? 1 : 0, format);
        } else {
            bool ok = false;
            const double v = value.toDouble(&ok);
            if (!ok)
                damaged("number " + value);
            sheet.setNumber(row, column, v, format);
        }
    }

    // A width as stored (the column's pixels over a 7-pixel digit, with 5 pixels of padding
    // from a width of one character up) in characters, as the workbook keeps it. The file
    // keeps whole pixels, so a width comes back to within a seventh of a character.
    static double characters(double stored) {
        const double pixels = std::round(stored * 7);
        const double chars = pixels >= 12 ? (pixels - 5) / 7 : pixels / 12;
        return std::round(chars * 100) / 100;
    }

    struct Xf {
        int numFmt = 0, font = 0, fill = 0, border = 0;
        HAlign halign = HAlign::General;
        VAlign valign = VAlign::Bottom;
        bool wrap = false;
    };

    Package zip_;
    Workbook* wb_ = nullptr;
    std::vector<std::string> strings_;
    std::map<int, std::string> numberFormats_;
    std::vector<Font> fonts_;
    std::vector<Color> fills_;
    std::vector<Borders> borders_;
    std::vector<Xf> xfs_;
    std::map<int, FormatId> formatOfXf_;
    bool solid_ = false;
};

}  // namespace

Workbook readXlsx(const QString& path) {
    return Reader(path).run();
}

}  // namespace morvane::workbook
