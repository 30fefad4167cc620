#include "platform/pivot/MemorySource.h"

#include <stdexcept>

namespace morvane::pivot {

int MemorySource::addColumn(const QString& name, ValueType type) {
    if (!columns_.empty() && !columns_.front().nulls.empty())
        throw std::logic_error("MemorySource: columns must be added before rows");
    columns_.push_back(Column{name, type, {}, {}, {}, {}});
    return static_cast<int>(columns_.size()) - 1;
}

std::int64_t MemorySource::rowCount() const {
    return columns_.empty() ? 0 : static_cast<std::int64_t>(columns_.front().nulls.size());
}

void MemorySource::reserve(std::int64_t rows) {
    for (auto& c : columns_) {
        c.nulls.reserve(static_cast<size_t>(rows));
        switch (c.type) {
            case ValueType::Integer:
                c.ints.reserve(static_cast<size_t>(rows));
                break;
            case ValueType::Real:
                c.reals.reserve(static_cast<size_t>(rows));
                break;
            case ValueType::Text:
                c.texts.reserve(static_cast<size_t>(rows));
                break;
            case ValueType::Null:
                break;
        }
    }
}

void MemorySource::pushNull(int column) {
    auto& c = columns_[column];
    c.nulls.push_back(1);
    switch (c.type) {
        case ValueType::Integer:
            c.ints.push_back(0);
            break;
        case ValueType::Real:
            c.reals.push_back(0);
            break;
        case ValueType::Text:
            c.texts.emplace_back();
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
    c.nulls.push_back(0);
    c.ints.push_back(v);
}

void MemorySource::pushReal(int column, double v) {
    auto& c = columns_[column];
    if (c.type != ValueType::Real)
        throw std::invalid_argument("MemorySource: not a real column");
    c.nulls.push_back(0);
    c.reals.push_back(v);
}

void MemorySource::pushText(int column, const QString& v) {
    auto& c = columns_[column];
    if (c.type != ValueType::Text)
        throw std::invalid_argument("MemorySource: not a text column");
    c.nulls.push_back(0);
    c.texts.push_back(v.toStdString());
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
