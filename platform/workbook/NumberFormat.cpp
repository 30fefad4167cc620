#include "platform/workbook/NumberFormat.h"

#include "platform/workbook/Workbook.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace morvane::workbook {

namespace {

QString general(double v) {
    if (v == 0)
        return QStringLiteral("0");
    return QString::number(v, 'g', 15);
}

// The part of a code before its first ';' (the positive-number section), without quoted
// literals and bracketed colours, in lower case.
QString positiveSection(const std::string& code) {
    QString s = QString::fromStdString(code);
    const qsizetype semi = s.indexOf(QLatin1Char(';'));
    if (semi >= 0)
        s.truncate(semi);
    QString out;
    bool quoted = false, bracket = false;
    for (QChar c : s) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char('['))
            bracket = true;
        else if (!quoted && c == QLatin1Char(']'))
            bracket = false;
        else if (!quoted && !bracket)
            out += c.toLower();
    }
    return out;
}

}  // namespace

QString formatNumber(double value, const std::string& code) {
    if (code.empty() || code == "General" || code == "@")
        return general(value);
    const QString s = positiveSection(code);
    if (s.contains(QLatin1Char('y')) || s.contains(QLatin1Char('d')) ||
        s.contains(QLatin1Char('h')) || s.contains(QLatin1Char('s')) ||
        (s.contains(QLatin1Char('m')) && !s.contains(QLatin1Char('0')))) {
        const qint64 ms = std::llround(value * 86400000.0);
        const QDateTime t = QDateTime(QDate(1899, 12, 30), QTime(0, 0)).addMSecs(ms);
        const bool hasDate = s.contains(QLatin1Char('y')) || s.contains(QLatin1Char('d'));
        const bool hasTime = s.contains(QLatin1Char('h')) || s.contains(QLatin1Char('s'));
        if (hasDate && hasTime)
            return t.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        if (hasTime)
            return t.toString(s.contains(QLatin1Char('s')) ? QStringLiteral("hh:mm:ss")
                                                           : QStringLiteral("hh:mm"));
        return t.date().toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (!s.contains(QLatin1Char('0')) && !s.contains(QLatin1Char('#')))
        return general(value);
    const bool percent = s.contains(QLatin1Char('%'));
    const qsizetype point = s.indexOf(QLatin1Char('.'));
    int decimals = 0;
    if (point >= 0)
        for (qsizetype i = point + 1;
             i < s.size() && (s[i] == QLatin1Char('0') || s[i] == QLatin1Char('#')); ++i)
            ++decimals;
    const bool grouped = s.contains(QLatin1Char(','));
    const double shown = percent ? value * 100 : value;
    QString text =
        grouped ? QLocale(QLocale::English, QLocale::UnitedStates).toString(shown, 'f', decimals)
                : QString::number(shown, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) +
                                                     text.count(QLatin1Char('.')) +
                                                     text.count(QLatin1Char(',')) ==
                                                 text.size() - 1)
        text.remove(0, 1);  // no "-0"
    return percent ? text + QLatin1Char('%') : text;
}

std::string percentFormatFor(const QString& text) {
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const qsizetype end = text.indexOf(QLatin1Char('%'));
    const qsizetype decimals = point >= 0 && end > point ? end - point - 1 : 0;
    return decimals > 0 ? "0." + std::string(static_cast<size_t>(decimals), '0') + "%" : "0%";
}

QString shownText(const Workbook& workbook, const Sheet& sheet, int row, int column) {
    const Cell* c = sheet.cell(row, column);
    if (!c)
        return QString();
    switch (c->kind) {
        case Cell::Kind::Blank:
            return QString();
        case Cell::Kind::Text:
            return QString::fromStdString(sheet.text(*c));
        case Cell::Kind::Number:
            return formatNumber(c->number, workbook.formats().at(c->format).numberFormat);
    }
    return QString();
}

}  // namespace morvane::workbook
