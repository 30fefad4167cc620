// Random results of sizes on both sides of every point where the engine changes its way of
// working (one thread or several, tables by value or hashed, short and long texts, cells
// summed in place or bucketed, combinations in a table or hashed, huge pages), each cell
// checked against sums taken row by row.
#include "ReferencePivot.h"
#include "SampleRows.h"

#include "platform/pivot/MemorySource.h"

#include <gtest/gtest.h>

#include <QHash>

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <set>
#include <unordered_map>
#include <vector>

namespace morvane::pivot {
namespace {

// A code per grouping column and row: the value's number in its column, kNull for NULL
// (and NaN, which groups with NULL).
constexpr std::uint16_t kNull = 0xFFFF;
constexpr std::uint16_t kBeyond = 0xFFFE;  // a level below the cell's own

// The grouping columns, in this order: 短 short texts, 长 long texts (more than 8 bytes),
// 窄 integers of a narrow range, 宽 integers of a wide range, 实 reals (with -0 and NaN).
// Then the measures 数 (integer), 额 (real) and 注 (a text, counted).
struct Result {
    std::shared_ptr<MemorySource> source;
    std::vector<std::vector<std::uint16_t>> codes;  // [column][row]
    std::vector<std::optional<std::int64_t>> qty;
    std::vector<std::optional<double>> amount;     // NaN: none
    std::vector<bool> note;
    std::vector<QHash<QString, std::uint16_t>> textCodes;  // 短, 长
};

const char* const kGroups[] = {"短", "长", "窄", "宽", "实"};

QString shortText(int k) {
    return QStringLiteral("K%1").arg(k);
}
QString longText(int k) {
    return QStringLiteral("商品名称%1号").arg(k);
}
std::int64_t wideInteger(int k) {
    return std::int64_t{k} * 1000003 - 500000000;
}
double realValue(int k) {
    return k * 0.25 - 3.0;  // code 12 is 0
}

Result makeResult(int rows, const int (&card)[5], unsigned seed) {
    std::mt19937 rng(seed);
    Result res;
    auto& s = res.source = std::make_shared<MemorySource>();
    const ValueType types[] = {ValueType::Text, ValueType::Text, ValueType::Integer,
                               ValueType::Integer, ValueType::Real};
    for (int c = 0; c < 5; ++c)
        s->addColumn(QString::fromUtf8(kGroups[c]), types[c]);
    s->addColumn(QString::fromUtf8("数"), ValueType::Integer);
    s->addColumn(QString::fromUtf8("额"), ValueType::Real);
    s->addColumn(QString::fromUtf8("注"), ValueType::Text);
    s->reserve(rows);
    res.codes.assign(5, std::vector<std::uint16_t>(static_cast<size_t>(rows)));
    res.textCodes.resize(2);
    std::vector<QString> shorts, longs;
    for (int k = 0; k < card[0]; ++k)
        res.textCodes[0].insert(shorts.emplace_back(shortText(k)), static_cast<std::uint16_t>(k));
    for (int k = 0; k < card[1]; ++k)
        res.textCodes[1].insert(longs.emplace_back(longText(k)), static_cast<std::uint16_t>(k));
    auto pick = [&](int c) { return static_cast<int>(rng() % static_cast<unsigned>(card[c])); };
    for (int r = 0; r < rows; ++r) {
        const auto ur = static_cast<size_t>(r);
        // A text column: one row in `nullOdds` NULL.
        auto text = [&](int c, unsigned nullOdds, const std::vector<QString>& texts) {
            const int k = pick(c);
            if (rng() % nullOdds == 0) {
                s->pushNull(c);
                res.codes[c][ur] = kNull;
            } else {
                s->pushText(c, texts[static_cast<size_t>(k)]);
                res.codes[c][ur] = static_cast<std::uint16_t>(k);
            }
        };
        text(0, 40, shorts);
        text(1, 50, longs);
        int k = pick(2);
        s->pushInteger(2, k + 1);
        res.codes[2][ur] = static_cast<std::uint16_t>(k);
        k = pick(3);
        if (rng() % 60 == 0) {
            s->pushNull(3);
            res.codes[3][ur] = kNull;
        } else {
            s->pushInteger(3, wideInteger(k));
            res.codes[3][ur] = static_cast<std::uint16_t>(k);
        }
        k = pick(4);
        const unsigned odd = rng() % 70;
        if (odd == 0) {
            s->pushReal(4, std::nan(""));
            res.codes[4][ur] = kNull;
        } else {
            s->pushReal(4, odd == 1 && realValue(k) == 0.0 ? -0.0 : realValue(k));
            res.codes[4][ur] = static_cast<std::uint16_t>(k);
        }
        if (rng() % 10 == 0) {
            s->pushNull(5);
            res.qty.emplace_back();
        } else {
            const auto q = static_cast<std::int64_t>(rng() % 2001) - 1000;
            s->pushInteger(5, q);
            res.qty.emplace_back(q);
        }
        const unsigned a = rng() % 100;
        if (a == 0) {
            s->pushNull(6);
            res.amount.emplace_back();
        } else if (a == 1) {
            s->pushReal(6, std::nan(""));
            res.amount.emplace_back();
        } else {
            const double v = static_cast<double>(rng() % 100000) / 100.0 - 300.0;
            s->pushReal(6, v);
            res.amount.emplace_back(v);
        }
        const bool note = rng() % 3 != 0;
        if (note)
            s->pushText(7, QStringLiteral("x"));
        else
            s->pushNull(7);
        res.note.push_back(note);
    }
    return res;
}

// The code of a group value of grouping column c.
std::uint16_t codeOf(const Result& res, int c, const Value& v) {
    if (v.isNull())
        return kNull;
    switch (c) {
        case 0:
        case 1:
            return res.textCodes[static_cast<size_t>(c)].value(v.textValue(), kBeyond);
        case 2:
            return static_cast<std::uint16_t>(v.toInteger() - 1);
        case 3:
            return static_cast<std::uint16_t>((v.toInteger() + 500000000) / 1000003);
        default:
            return static_cast<std::uint16_t>(std::lround((v.toReal() + 3.0) / 0.25));
    }
}

struct Arrangement {
    std::vector<int> rows, cols;  // grouping columns, at most two each
    int descending = -1;          // a grouping column sorted downwards
    int filtered = -1;            // a grouping column in the filter area, with two codes left out
};

struct Expected {
    std::int64_t qty = 0, qtyCount = 0, notes = 0;
    double amount = 0;
    std::int64_t amountCount = 0;
};

// Cell key: the row codes then the column codes, kBeyond past the cell's own levels.
std::uint64_t keyOf(const std::uint16_t (&codes)[4]) {
    return std::uint64_t{codes[0]} | std::uint64_t{codes[1]} << 16 |
           std::uint64_t{codes[2]} << 32 | std::uint64_t{codes[3]} << 48;
}

void check(const Result& res, const Arrangement& a, unsigned seed) {
    PivotEngine grid;
    grid.setSource(res.source);
    grid.beginUpdate();
    grid.createAllFields();
    auto field = [&](int c) { return grid.fieldByName(QString::fromUtf8(kGroups[c])); };
    for (int c : a.rows)
        field(c)->setArea(Area::Row);
    for (int c : a.cols)
        field(c)->setArea(Area::Column);
    for (const char* m : {"数", "额", "注"})
        grid.fieldByName(QString::fromUtf8(m))->setArea(Area::Data);
    if (a.descending >= 0)
        field(a.descending)->setSortOrder(SortOrder::Descending);
    // Left out: the group of code 1 and NULL.
    std::vector<Value> cut{Value()};
    if (a.filtered >= 0) {
        const int c = a.filtered;
        cut.push_back(c == 0   ? Value::text(shortText(1))
                      : c == 1 ? Value::text(longText(1))
                      : c == 2 ? Value::integer(2)
                      : c == 3 ? Value::integer(wideInteger(1))
                               : Value::real(realValue(1)));
        field(c)->setArea(Area::Filter);
        field(c)->setFilter({FieldFilter::Mode::Excluded, cut});
    }
    grid.endUpdate();

    // The cells checked: every row and column of a small view, else a random choice of them
    // and the grand totals.
    std::mt19937 rng(seed);
    auto choose = [&](int n, int most) {
        std::set<int> picked;
        if (n <= most) {
            for (int i = 0; i < n; ++i)
                picked.insert(i);
        } else {
            while (static_cast<int>(picked.size()) < most)
                picked.insert(static_cast<int>(rng() % static_cast<unsigned>(n)));
            picked.insert(n - 1);
        }
        return picked;
    };
    const auto rowFields = grid.fieldsInArea(Area::Row);
    const auto colFields = grid.fieldsInArea(Area::Column);
    const auto dataFields = grid.fieldsInArea(Area::Data);
    struct Cell {
        int row, column, data;
        std::uint64_t key;
    };
    std::vector<Cell> cells;
    std::unordered_map<std::uint64_t, Expected> expected;
    for (const int r : choose(grid.rowCount(), 120))
        for (const int c : choose(grid.columnCount(), 40)) {
            std::uint16_t codes[4] = {kBeyond, kBeyond, kBeyond, kBeyond};
            for (size_t f = 0; f < rowFields.size(); ++f)
                if (const auto v = grid.rowGroupValue(r, *rowFields[f]))
                    codes[f] = codeOf(res, a.rows[f], *v);
            for (size_t f = 0; f < colFields.size(); ++f)
                if (const auto v = grid.columnGroupValue(c, *colFields[f]))
                    codes[2 + f] = codeOf(res, a.cols[f], *v);
            const PivotField* df = grid.cellDataField(r, c);
            const int d = static_cast<int>(std::find(dataFields.begin(), dataFields.end(), df) -
                                           dataFields.begin());
            cells.push_back({r, c, d, keyOf(codes)});
            expected[cells.back().key];
        }

    // Every passing row into every (row prefix, column prefix) cell it belongs to.
    const auto n = static_cast<size_t>(res.source->rowCount());
    const std::uint16_t cutCode = 1;
    for (size_t r = 0; r < n; ++r) {
        if (a.filtered >= 0) {
            const std::uint16_t k = res.codes[static_cast<size_t>(a.filtered)][r];
            if (k == kNull || k == cutCode)
                continue;
        }
        for (size_t i = 0; i <= a.rows.size(); ++i)
            for (size_t j = 0; j <= a.cols.size(); ++j) {
                std::uint16_t codes[4] = {kBeyond, kBeyond, kBeyond, kBeyond};
                for (size_t f = 0; f < i; ++f)
                    codes[f] = res.codes[static_cast<size_t>(a.rows[f])][r];
                for (size_t f = 0; f < j; ++f)
                    codes[2 + f] = res.codes[static_cast<size_t>(a.cols[f])][r];
                const auto it = expected.find(keyOf(codes));
                if (it == expected.end())
                    continue;
                Expected& e = it->second;
                if (res.qty[r]) {
                    e.qty += *res.qty[r];
                    ++e.qtyCount;
                }
                if (res.amount[r]) {
                    e.amount += *res.amount[r];
                    ++e.amountCount;
                }
                e.notes += res.note[r] ? 1 : 0;
            }
    }

    // The laid-out matrix shows the same values (its body is made on several threads).
    std::optional<PivotMatrix> matrix;
    if (static_cast<long long>(grid.rowCount()) * grid.columnCount() <= 2'000'000)
        matrix = grid.layoutMatrix();
    int checked = 0;
    for (const Cell& cell : cells) {
        SCOPED_TRACE(testing::Message() << "cell " << cell.row << "," << cell.column << " data "
                                        << cell.data << " key " << std::hex << cell.key);
        const Expected& e = expected.at(cell.key);
        const Value got = grid.cellValue(cell.row, cell.column);
        if (matrix) {
            EXPECT_EQ(matrix->at(matrix->headerRowCount() + cell.row,
                                 matrix->headerColumnCount() + cell.column)
                          .value,
                      got);
        }
        switch (cell.data) {
            case 0:
                EXPECT_EQ(got, e.qtyCount ? Value::integer(e.qty) : Value());
                break;
            case 1:
                if (e.amountCount == 0) {
                    EXPECT_TRUE(got.isNull());
                } else {
                    ASSERT_EQ(got.type(), ValueType::Real);
                    EXPECT_NEAR(got.toReal(), e.amount, 1e-6 * (1 + std::fabs(e.amount)));
                }
                break;
            default:
                EXPECT_EQ(got, e.notes ? Value::integer(e.notes) : Value());
                break;
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
    if (grid.rowCount() <= 20000)
        test::checkRowOrder(grid);
}

struct Size {
    int rows;
    int card[5];  // of 短, 长, 窄, 宽, 实
};

void PrintTo(const Size& size, std::ostream* os) {
    *os << size.rows << " rows";
}

class LargeResult : public ::testing::TestWithParam<Size> {};

// On each size: few cells for many rows (summed in place), many cells for few rows each
// (bucketed; at the largest size with more combinations than a table holds), numbers and
// reals as groups, filters, a field sorted downwards.
TEST_P(LargeResult, EveryCellHasTheSumsOfItsRows) {
    const Size& size = GetParam();
    const Result res = makeResult(size.rows, size.card, static_cast<unsigned>(size.rows));
    const Arrangement arrangements[] = {
        {{0, 2}, {4}, 0, 3},
        {{1, 3}, {0}, 1, -1},
        {{2, 4}, {3}, 3, 1},
        {{3}, {0, 2}, -1, 4},
    };
    unsigned seed = 1;
    for (const Arrangement& a : arrangements) {
        SCOPED_TRACE(testing::Message() << "arrangement " << seed);
        check(res, a, seed++);
    }
}

// 3,000 rows: one thread, most pivots summed in place. 120,000: several threads, runs of rows
// merged, layout values on several threads, most pivots bucketed. 1,050,000: arrays in huge
// pages (each layout after the first in blocks an earlier one released, holding its values),
// 20,000 long texts (more than a table kept a quarter full holds), 20,000 x 500 row
// combinations hashed rather than tabled.
INSTANTIATE_TEST_SUITE_P(Sizes, LargeResult,
                         ::testing::Values(Size{3000, {5, 400, 7, 9, 6}},
                                           Size{120000, {25, 3000, 31, 50, 20}},
                                           Size{1050000, {60, 20000, 366, 500, 40}}),
                         [](const auto& info) { return std::to_string(info.param.rows); });

}  // namespace
}  // namespace morvane::pivot
