#include "WorkbookTestSupport.h"

#include "platform/workbook/WorkbookError.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cmath>

#ifndef WORKBOOK_TEST_DIR
#error "WORKBOOK_TEST_DIR must name the folder of the test scripts"
#endif

namespace morvane::workbook::test {

namespace {

QJsonObject runDump(const char* reader, const QString& path, bool formats, const QString& cells) {
    QProcess p;
    QStringList args{QStringLiteral(WORKBOOK_TEST_DIR "/dump_workbook.py"),
                     QString::fromLatin1(reader), path};
    if (formats)
        args << QStringLiteral("--formats");
    if (!cells.isEmpty())
        args << QStringLiteral("--cells") << cells;
    p.start(QStringLiteral("/usr/bin/python3"), args);
    if (!p.waitForFinished(120000)) {
        ADD_FAILURE() << reader << " did not finish";
        return {};
    }
    const QByteArray out = p.readAllStandardOutput();
    if (p.exitCode() != 0) {
        ADD_FAILURE() << reader << " failed on " << path.toStdString() << ":\n"
                      << p.readAllStandardError().toStdString();
        return {};
    }
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(out, &err);
    if (err.error != QJsonParseError::NoError) {
        ADD_FAILURE() << "unreadable output of " << reader << ": "
                      << err.errorString().toStdString();
        return {};
    }
    return doc.object();
}

QJsonArray rgb(Color c) {
    if (c == kAutoColor)
        return {};
    return QJsonArray{static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                      static_cast<int>(c & 0xFF)};
}

QJsonValue colourValue(Color c) {
    return c == kAutoColor ? QJsonValue() : QJsonValue(rgb(c));
}

QJsonObject expectedFormat(const CellFormat& f) {
    auto line = [](BorderStyle s) {
        return s == BorderStyle::Thin ? 1 : s == BorderStyle::Medium ? 2 : 0;
    };
    QJsonObject o;
    o["font"] = QJsonArray{QString::fromStdString(f.font.name), f.font.size, f.font.bold,
                           f.font.italic, colourValue(f.font.color)};
    o["border"] = QJsonArray{line(f.borders.left), line(f.borders.right), line(f.borders.top),
                             line(f.borders.bottom)};
    o["h"] = static_cast<int>(f.halign);
    o["v"] = static_cast<int>(f.valign);
    o["wrap"] = f.wrap;
    o["fill"] = colourValue(f.fill);
    o["num"] = QString::fromStdString(f.numberFormat);
    return o;
}

std::string compact(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

QString key(int r, int c) {
    return QStringLiteral("%1,%2").arg(r).arg(c);
}

}  // namespace

QJsonObject readWithXlrd(const QString& path, bool formats, const QString& cells) {
    return runDump("xlrd", path, formats, cells);
}

QJsonObject readWithOpenpyxl(const QString& path, bool formats, const QString& cells) {
    return runDump("openpyxl", path, formats, cells);
}

void expectSheetMatches(const Workbook& source, int sheetIndex, const QJsonObject& dumped,
                        bool formats, double widthTolerance) {
    const QJsonArray sheets = dumped["sheets"].toArray();
    ASSERT_GT(sheets.size(), sheetIndex);
    const QJsonObject js = sheets[sheetIndex].toObject();
    const Sheet& s = source.sheet(sheetIndex);
    EXPECT_EQ(js["name"].toString(), s.name());

    const QJsonObject cells = js["cells"].toObject();
    int expectedCells = 0;
    for (int r = 0; r < s.rowCount(); ++r)
        for (const Cell& c : s.row(r)) {
            if (c.kind == Cell::Kind::Blank && !formats)
                continue;
            ++expectedCells;
            const QJsonObject got = cells[key(r, c.column)].toObject();
            SCOPED_TRACE("cell " + key(r, c.column).toStdString());
            if (got.isEmpty()) {
                ADD_FAILURE() << "missing";
                continue;
            }
            switch (c.kind) {
                case Cell::Kind::Number:
                    EXPECT_EQ(got["t"].toString(), "n");
                    EXPECT_EQ(got["v"].toDouble(), c.number);
                    break;
                case Cell::Kind::Text:
                    EXPECT_EQ(got["t"].toString(), "s");
                    EXPECT_EQ(got["v"].toString(), QString::fromStdString(s.text(c)));
                    break;
                case Cell::Kind::Blank:
                    EXPECT_EQ(got["t"].toString(), "b");
                    break;
            }
            if (formats && !got["merged"].toBool()) {
                const QJsonObject want = expectedFormat(source.formats().at(c.format));
                EXPECT_EQ(compact(got["fmt"].toObject()), compact(want));
            }
        }
    // Readers may list the covered cells of a merged range that the sheet
    // leaves empty.
    int listed = 0;
    for (auto it = cells.begin(); it != cells.end(); ++it) {
        const QStringList rc = it.key().split(QLatin1Char(','));
        if (!it.value().toObject()["merged"].toBool() || s.cell(rc[0].toInt(), rc[1].toInt()))
            ++listed;
    }
    EXPECT_EQ(listed, expectedCells);

    QJsonArray merges;
    std::vector<CellRange> sorted = s.merges();
    std::sort(sorted.begin(), sorted.end(), [](const CellRange& a, const CellRange& b) {
        return std::tie(a.firstRow, a.firstColumn) < std::tie(b.firstRow, b.firstColumn);
    });
    for (const CellRange& m : sorted)
        merges.append(QJsonArray{m.firstRow, m.firstColumn, m.lastRow, m.lastColumn});
    EXPECT_EQ(js["merges"].toArray(), merges);

    const QJsonObject widths = js["widths"].toObject();
    for (int c = 0; c < s.columnWidthCount(); ++c)
        if (s.columnWidth(c) > 0) {
            ASSERT_TRUE(widths.contains(QString::number(c))) << "width of column " << c;
            EXPECT_NEAR(widths[QString::number(c)].toDouble(), s.columnWidth(c), widthTolerance)
                << "column " << c;
        }
    const QJsonObject heights = js["heights"].toObject();
    for (int r = 0; r < s.rowCount(); ++r)
        if (s.rowHeight(r) > 0) {
            EXPECT_NEAR(heights[QString::number(r)].toDouble(), s.rowHeight(r), 0.05)
                << "height of row " << r;
        }
}

void expectSameContent(const Sheet& expected, const Sheet& actual) {
    EXPECT_EQ(actual.name(), expected.name());
    EXPECT_EQ(actual.merges(), expected.merges());
    for (int c = 0; c < expected.columnWidthCount(); ++c)
        if (expected.columnWidth(c) > 0) {
            EXPECT_NEAR(actual.columnWidth(c), expected.columnWidth(c), 1.0 / 256)
                << "column " << c;
        }
    int rows = std::max(expected.rowCount(), actual.rowCount());
    for (int r = 0; r < rows; ++r) {
        EXPECT_NEAR(actual.rowHeight(r), expected.rowHeight(r), 0.05) << "height of row " << r;
        std::vector<const Cell*> e, a;
        for (const Cell& c : expected.row(r))
            if (c.kind != Cell::Kind::Blank)
                e.push_back(&c);
        for (const Cell& c : actual.row(r))
            if (c.kind != Cell::Kind::Blank)
                a.push_back(&c);
        ASSERT_EQ(a.size(), e.size()) << "cells of row " << r;
        for (size_t k = 0; k < e.size(); ++k) {
            SCOPED_TRACE("row " + std::to_string(r) + " column " + std::to_string(e[k]->column));
            ASSERT_EQ(a[k]->column, e[k]->column);
            ASSERT_EQ(a[k]->kind, e[k]->kind);
            if (e[k]->kind == Cell::Kind::Number)
                EXPECT_EQ(a[k]->number, e[k]->number);
            else
                EXPECT_EQ(actual.text(*a[k]), expected.text(*e[k]));
        }
    }
}

void expectWorkbookError(const std::function<void()>& run,
                         std::initializer_list<const char*> parts) {
    try {
        run();
        ADD_FAILURE() << "no error";
    } catch (const WorkbookError& e) {
        for (const char* part : parts)
            EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    }
}

QString renderSheet(const Sheet& s, QChar separator, bool tagged) {
    QString out;
    for (int r = 0; r < s.rowCount(); ++r) {
        QStringList line;
        for (int c = 0; c < s.columnCount(); ++c) {
            const Cell* cell = s.cell(r, c);
            if (!cell || cell->kind == Cell::Kind::Blank)
                line << QString();
            else if (cell->kind == Cell::Kind::Number)
                line << (tagged ? QStringLiteral("n:") : QString()) +
                            QString::number(cell->number, 'g', 15);
            else
                line << (tagged ? QStringLiteral("s:") : QString()) +
                            QString::fromStdString(s.text(*cell));
        }
        out += line.join(separator) + QLatin1Char('\n');
    }
    return out;
}

QString sofficePath() {
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

Workbook sampleWorkbook() {
    Workbook wb;
    const FormatId titleId = wb.addFormat({.font = {"宋体", 14, true, false, 0xC00000},
                                           .borders = Borders::all(BorderStyle::Medium),
                                           .halign = HAlign::Center,
                                           .valign = VAlign::Center});
    const FormatId moneyId = wb.addFormat(
        {.borders = {BorderStyle::Thin, BorderStyle::None, BorderStyle::Thin, BorderStyle::Medium},
         .halign = HAlign::Right,
         .numberFormat = "#,##0.00"});
    const FormatId percentId =
        wb.addFormat({.font = {.italic = true}, .fill = 0xFFFF99, .numberFormat = "0%"});
    const FormatId customId = wb.addFormat({.font = {.color = 0x00AA00},
                                            .valign = VAlign::Top,
                                            .wrap = true,
                                            .fill = 0x123456,  // not in the default palette
                                            .numberFormat = "0.000\"件\""});
    const FormatId leftId = wb.addFormat({.halign = HAlign::Left, .numberFormat = "0.00"});

    Sheet& s = wb.addSheet(QStringLiteral("店铺货品"));
    s.setText(0, 0, QStringLiteral("店铺货品综合分析表"), titleId);
    for (int c = 1; c <= 5; ++c)
        s.setBlank(0, c, titleId);
    s.merge({0, 0, 0, 5});
    const QStringList headers = {"货号", "颜色", "Amount", "占比", "件数", "Ratio"};
    for (int c = 0; c < headers.size(); ++c)
        s.setText(1, c, headers[c]);
    const double amounts[] = {0, 1, -7, 0.1, 1234567.891, 1e20, -0.000125, 536870912, 2.5};
    for (int i = 0; i < 9; ++i) {
        const int r = 2 + i;
        s.setText(r, 0, QStringLiteral("00%1").arg(i));  // goods numbers with leading zeros
        s.setText(r, 1, i % 2 ? QStringLiteral("红色") : QStringLiteral("Blue"));
        s.setNumber(r, 2, amounts[i], moneyId);
        s.setNumber(r, 3, i / 8.0, percentId);
        s.setNumber(r, 4, i * 3, customId);
        s.setNumber(r, 5, i == 4 ? 0.01 : i * 0.25, leftId);
    }
    s.setText(11, 0, QStringLiteral("合计"));
    s.setBlank(12, 0, 0);
    s.merge({11, 0, 12, 1});
    s.setColumnWidth(0, 12.5);
    s.setColumnWidth(1, 4);
    s.setColumnWidth(3, 30);
    s.setRowHeight(0, 20);
    s.setRowHeight(5, 33.75);

    Sheet& second = wb.addSheet(QStringLiteral("Second"));
    second.setNumber(0, 0, 42);
    second.setText(3, 255, QStringLiteral("last column"));
    return wb;
}

}  // namespace morvane::workbook::test
