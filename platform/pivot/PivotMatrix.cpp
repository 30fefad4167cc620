#include "platform/pivot/PivotMatrix.h"

#include "platform/pivot/LargeVector.h"
#include "platform/pivot/Parallel.h"

#include <new>

namespace morvane::pivot {

namespace {

// Below this many cells one thread makes and releases them.
constexpr std::size_t kParallelCells = 100'000;

// Calls f(first, last) over [0, count) in one part per thread.
template <class F>
void inParts(std::size_t count, F&& f) {
    const int threads = count >= kParallelCells ? detail::workerCount() : 1;
    const auto parts = static_cast<std::size_t>(threads);
    detail::parallelFor(parts, threads, [&](std::size_t part) {
        const detail::RowRange range = detail::rowRange(static_cast<std::int64_t>(count), part, parts);
        f(static_cast<std::size_t>(range.begin), static_cast<std::size_t>(range.end));
    });
}

}  // namespace

PivotMatrix::Cells::Cells(std::size_t count)
    : data_(static_cast<MatrixCell*>(detail::allocateLarge(count * sizeof(MatrixCell)))),
      count_(count) {
    // Making a cell cannot fail (no allocation).
    inParts(count_, [this](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i)
            ::new (static_cast<void*>(data_ + i)) MatrixCell;
    });
}

PivotMatrix::Cells::Cells(const Cells& other)
    : data_(static_cast<MatrixCell*>(detail::allocateLarge(other.count_ * sizeof(MatrixCell)))) {
    try {
        for (; count_ < other.count_; ++count_)
            ::new (static_cast<void*>(data_ + count_)) MatrixCell(other.data_[count_]);
    } catch (...) {
        this->~Cells();
        throw;
    }
}

PivotMatrix::Cells::~Cells() {
    if (!data_)
        return;
    auto release = [this](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i)
            data_[i].~MatrixCell();
    };
    try {
        inParts(count_, release);
    } catch (...) {
        // Only handing out the work can fail, before any cell is released.
        release(0, count_);
    }
    detail::releaseLarge(data_, count_ * sizeof(MatrixCell));
}

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
