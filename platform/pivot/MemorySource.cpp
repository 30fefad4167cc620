#include "platform/pivot/MemorySource.h"

#include <stdexcept>

namespace morvane::pivot {

int MemorySource::addColumn(const QString& name, ValueType type) {
    if (!columns_.empty() && columns_.front().rows > 0)
        throw std::logic_error("MemorySource: columns must be added before rows");
    Column c;
    c.name = name;
    c.type = type;
    if (type == ValueType::Text)
        c.offsets.push_back(0);
    columns_.push_back(std::move(c));
    return static_cast<int>(columns_.size()) - 1;
}

std::int64_t MemorySource::rowCount() const {
    return columns_.empty() ? 0 : static_cast<std::int64_t>(columns_.front().rows);
}

bool MemorySource::columnData(int column, ColumnData& out) const {
    const Column& c = columns_[static_cast<size_t>(column)];
    out = ColumnData{};
    out.nullBits = c.nulls.data();
    switch (c.type) {
        case ValueType::Integer:
            out.integers = c.ints.data();
            break;
        case ValueType::Real:
            out.reals = c.reals.data();
            break;
        case ValueType::Text:
            out.arena = c.arena.data();
            out.offsets = c.offsets.data();
            break;
        case ValueType::Null:
            break;
    }
    return true;
}

void MemorySource::reserve(std::int64_t rows) {
    const auto n = static_cast<size_t>(rows);
    for (auto& c : columns_) {
        c.nulls.reserve((n + 63) / 64);
        switch (c.type) {
            case ValueType::Integer:
                c.ints.reserve(n);
                break;
            case ValueType::Real:
                c.reals.reserve(n);
                break;
            case ValueType::Text:
                c.offsets.reserve(n + 1);
                break;
            case ValueType::Null:
                break;
        }
    }
}

void MemorySource::pushRow(Column& c, bool null) {
    if ((c.rows & 63) == 0)
        c.nulls.push_back(0);
    if (null)
        c.nulls.back() |= std::uint64_t{1} << (c.rows & 63);
    ++c.rows;
}

void MemorySource::pushNull(int column) {
    auto& c = columns_[column];
    pushRow(c, true);
    switch (c.type) {
        case ValueType::Integer:
            c.ints.push_back(0);
            break;
        case ValueType::Real:
            c.reals.push_back(0);
            break;
        case ValueType::Text:
            c.offsets.push_back(c.arena.size());
            break;
        case ValueType::Null:
            break;
    }
}

void MemorySource::pushInteger(int column, std::int64_t v) {
    auto& c = columns_[column];
    if (c.type == ValueType::Real)
        return pushReal(column, static_cast<double>(v));
    if (c.type != ValueType::Integer)
        throw std::invalid_argument("MemorySource: not an integer column");
    pushRow(c, false);
    c.ints.push_back(v);
}

void MemorySource::pushReal(int column, double v) {
    auto& c = columns_[column];
    if (c.type != ValueType::Real)
        throw std::invalid_argument("MemorySource: not a real column");
    pushRow(c, false);
    c.reals.push_back(v);
}

void MemorySource::pushText(int column, const QString& v) {
    auto& c = columns_[column];
    if (c.type != ValueType::Text)
        throw std::invalid_argument("MemorySource: not a text column");
    pushRow(c, false);
    c.arena += v.toStdString();
    c.offsets.push_back(c.arena.size());
}

void MemorySource::push(int column, const Value& v) {
    switch (v.type()) {
        case ValueType::Null:
            return pushNull(column);
        case ValueType::Integer:
            return pushInteger(column, v.toInteger());
        case ValueType::Real:
            return pushReal(column, v.toReal());
        case ValueType::Text:
            return pushText(column, v.textValue());
    }
}

void MemorySource::appendRow(std::initializer_list<Value> values) {
    appendRow(std::vector<Value>(values));
}

void MemorySource::appendRow(const std::vector<Value>& values) {
    if (values.size() != columns_.size())
        throw std::invalid_argument("MemorySource: row has the wrong number of values");
    for (size_t i = 0; i < values.size(); ++i)
        push(static_cast<int>(i), values[i]);
}

}  // namespace morvane::pivot
