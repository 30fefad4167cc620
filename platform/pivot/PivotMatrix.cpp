#include "platform/pivot/PivotMatrix.h"

namespace morvane::pivot {

PivotMatrix::PivotMatrix(int rows, int columns, int headerRows, int headerColumns)
    : rows_(rows),
      columns_(columns),
      headerRows_(headerRows),
      headerColumns_(headerColumns),
      cells_(static_cast<size_t>(rows) * static_cast<size_t>(columns)) {}

std::vector<std::vector<QString>> PivotMatrix::texts() const {
    std::vector<std::vector<QString>> out(static_cast<size_t>(rows_));
    for (int r = 0; r < rows_; ++r) {
        auto& line = out[static_cast<size_t>(r)];
        line.reserve(static_cast<size_t>(columns_));
        for (int c = 0; c < columns_; ++c)
            line.push_back(at(r, c).text);
    }
    return out;
}

QString PivotMatrix::toTsv() const {
    QString out;
    for (int r = 0; r < rows_; ++r) {
        if (r > 0)
            out += QLatin1Char('\n');
        for (int c = 0; c < columns_; ++c) {
            if (c > 0)
                out += QLatin1Char('\t');
            QString t = at(r, c).text;
            for (QChar& ch : t)
                if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
                    ch = QLatin1Char(' ');
            out += t;
        }
    }
    return out;
}

}  // namespace morvane::pivot
