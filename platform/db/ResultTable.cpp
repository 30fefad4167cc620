#include "platform/db/ResultTable.h"

#include "platform/db/CellText.h"

#include <utility>

namespace morvane::db {

namespace {

void appendBytes(PodArray<char>& arena, std::string_view bytes) {
    arena.append(bytes.data(), bytes.size());
}

}  // namespace

const char* columnTypeName(ColumnType type) {
    switch (type) {
        case ColumnType::Unknown:
            return "unknown";
        case ColumnType::Integer:
            return "integer";
        case ColumnType::Boolean:
            return "boolean";
        case ColumnType::Real:
            return "real";
        case ColumnType::Text:
            return "text";
        case ColumnType::Date:
            return "date";
        case ColumnType::Blob:
            return "blob";
    }
    return "unknown";
}

Cell Column::storedCell(std::size_t row) const {
    if (isNull(row))
        return {};
    switch (type_) {
        case ColumnType::Integer:
        case ColumnType::Boolean:
            return {CellKind::Integer, integers_[row], 0, {}};
        case ColumnType::Real:
            return {CellKind::Real, 0, reals_[row], {}};
        case ColumnType::Text:
        case ColumnType::Date:
            return {CellKind::Text, 0, 0, bytesAt(row)};
        case ColumnType::Blob:
            return {CellKind::Blob, 0, 0, bytesAt(row)};
        case ColumnType::Unknown:
            break;
    }
    return {};
}

ResultTable::ResultTable(std::vector<Column> columns)
    : columns_(std::move(columns)), overrides_(columns_.size()) {}

Cell ResultTable::cell(std::size_t row, std::size_t column) const {
    const auto& overrides = overrides_[column];
    if (!overrides.empty()) {
        const auto found = overrides.find(row);
        if (found != overrides.end())
            return found->second.view();
    }
    return columns_[column].storedCell(row);
}

void ResultTable::setCell(std::size_t row, std::size_t column, const CellValue& value) {
    Column& col = columns_[column];
    auto& overrides = overrides_[column];
    auto& nullWord = col.nulls_[row >> 6];
    const std::uint64_t nullBit = std::uint64_t{1} << (row & 63);

    const bool numberColumn = col.type_ == ColumnType::Integer ||
                              col.type_ == ColumnType::Boolean || col.type_ == ColumnType::Real;
    const bool inPlace = value.kind == CellKind::Null ||
                         (value.kind == CellKind::Integer &&
                          (col.type_ == ColumnType::Integer || col.type_ == ColumnType::Boolean)) ||
                         (value.kind == CellKind::Real && col.type_ == ColumnType::Real);
    if (!inPlace) {
        overrides[row] = value;
        return;
    }
    overrides.erase(row);
    if (value.kind == CellKind::Null) {
        nullWord |= nullBit;
        // Keep the invariant that a NULL number reads as 0 in the raw vectors.
        if (col.type_ == ColumnType::Real)
            col.reals_[row] = 0;
        else if (numberColumn)
            col.integers_[row] = 0;
        else if (col.type_ != ColumnType::Unknown && col.bytesAt(row).size() != 0)
            overrides[row] = CellValue::null();  // the arena cannot shrink a cell in place
        return;
    }
    nullWord &= ~nullBit;
    if (value.kind == CellKind::Real)
        col.reals_[row] = value.real;
    else
        col.integers_[row] = value.integer;
}

std::size_t ResultTable::memoryBytes() const {
    std::size_t total = 0;
    for (const auto& col : columns_)
        total += col.integers_.capacity() * sizeof(std::int64_t) +
                 col.reals_.capacity() * sizeof(double) + col.arena_.capacity() +
                 col.offsets_.capacity() * sizeof(std::uint64_t) +
                 col.nulls_.capacity() * sizeof(std::uint64_t);
    return total;
}

ColumnBuilder::ColumnBuilder(std::string name, ColumnType declared) {
    col_.name_ = std::move(name);
    if (declared != ColumnType::Unknown)
        becomeType(declared);
}

void ColumnBuilder::reserve(std::size_t rows) {
    col_.nulls_.reserve(rows / 64 + 1);
    switch (col_.type_) {
        case ColumnType::Integer:
        case ColumnType::Boolean:
            col_.integers_.reserve(rows);
            break;
        case ColumnType::Real:
            col_.reals_.reserve(rows);
            break;
        case ColumnType::Text:
        case ColumnType::Date:
        case ColumnType::Blob:
            col_.offsets_.reserve(rows + 1);
            break;
        case ColumnType::Unknown:
            break;
    }
}

void ColumnBuilder::becomeType(ColumnType type) {
    col_.type_ = type;
    switch (type) {
        case ColumnType::Integer:
        case ColumnType::Boolean:
            col_.integers_.assign(col_.rows_, 0);
            break;
        case ColumnType::Real:
            col_.reals_.assign(col_.rows_, 0);
            break;
        case ColumnType::Text:
        case ColumnType::Date:
        case ColumnType::Blob:
            col_.offsets_.assign(col_.rows_ + 1, 0);
            break;
        case ColumnType::Unknown:
            break;
    }
}

void ColumnBuilder::toReal() {
    col_.reals_.reserve(col_.integers_.size());
    for (const std::int64_t value : col_.integers_)
        col_.reals_.push_back(static_cast<double>(value));
    col_.integers_.reset();
    col_.type_ = ColumnType::Real;
    rounded_ = true;
}

void ColumnBuilder::toText(ColumnType type) {
    const ColumnType from = col_.type_;
    col_.type_ = type;
    if (from == ColumnType::Text || from == ColumnType::Date || from == ColumnType::Blob)
        return;
    col_.arena_.clear();
    col_.offsets_.assign(1, 0);
    col_.offsets_.reserve(col_.rows_ + 1);
    for (std::size_t row = 0; row < col_.rows_; ++row) {
        if (!col_.isNull(row)) {
            if (from == ColumnType::Real)
                appendBytes(col_.arena_, formatReal(col_.reals_[row]));
            else if (from != ColumnType::Unknown)
                appendBytes(col_.arena_, std::to_string(col_.integers_[row]));
        }
        col_.offsets_.push_back(col_.arena_.size());
    }
    col_.integers_.reset();
    col_.reals_.reset();
}

void ColumnBuilder::appendIntegerSlow(std::int64_t value) {
    if (col_.type_ == ColumnType::Unknown) {
        becomeType(ColumnType::Integer);
        appendInteger(value);
        return;
    }
    // A number among texts is kept as its text.
    pushRow(false);
    appendBytes(col_.arena_, std::to_string(value));
    col_.offsets_.push_back(col_.arena_.size());
    if (col_.type_ == ColumnType::Date)
        col_.type_ = ColumnType::Text;
}

void ColumnBuilder::appendRealSlow(double value) {
    switch (col_.type_) {
        case ColumnType::Unknown:
            becomeType(ColumnType::Real);
            break;
        case ColumnType::Integer:
        case ColumnType::Boolean:
            toReal();
            break;
        default:
            pushRow(false);
            appendBytes(col_.arena_, formatReal(value));
            col_.offsets_.push_back(col_.arena_.size());
            if (col_.type_ == ColumnType::Date)
                col_.type_ = ColumnType::Text;
            return;
    }
    appendReal(value);
}

void ColumnBuilder::appendTextSlow(std::string_view bytes, bool blob) {
    if (col_.type_ == ColumnType::Unknown)
        becomeType(blob ? ColumnType::Blob : ColumnType::Text);
    else
        toText(blob ? ColumnType::Blob : ColumnType::Text);
    pushRow(false);
    appendBytes(col_.arena_, bytes);
    col_.offsets_.push_back(col_.arena_.size());
}

void ColumnBuilder::appendBlob(std::string_view bytes) {
    if (col_.type_ == ColumnType::Blob) {
        appendText(bytes);
        return;
    }
    appendTextSlow(bytes, true);
}

Column ColumnBuilder::finish() {
    // A column that only ever saw NULLs and had no declared type stays Unknown: all its cells
    // are NULL.
    if (col_.nulls_.empty())
        col_.nulls_.push_back(0);  // keeps isNull() free of a size check on empty tables
    return std::move(col_);
}

}  // namespace morvane::db
