#pragma once

#include <QString>

#include <cstdint>
#include <variant>

class QCollator;

namespace morvane::pivot {

// Type of a result column and of the values the pivot handles. Booleans are
// integers; dates arrive as their text.
enum class ValueType { Null, Integer, Real, Text };

// One value of a result column, a group or a summary: NULL, a whole number, a
// real number or a text.
class Value {
  public:
    Value() = default;
    static Value integer(std::int64_t v) { return Value(Storage(std::in_place_index<1>, v)); }
    static Value real(double v) { return Value(Storage(std::in_place_index<2>, v)); }
    static Value text(QString v) { return Value(Storage(std::in_place_index<3>, std::move(v))); }

    ValueType type() const { return static_cast<ValueType>(data_.index()); }
    bool isNull() const { return data_.index() == 0; }
    bool isNumber() const { return data_.index() == 1 || data_.index() == 2; }

    // Accessors convert between the two number kinds; a text or NULL gives 0.
    std::int64_t toInteger() const;
    double toReal() const;
    // The text of a Text value; empty for the other kinds.
    const QString& textValue() const;

    // The value as the grid shows it by default (see ValueFormat.h).
    QString toString() const;

    // Same kind and same value (1 and 1.0 differ; NULL equals NULL).
    friend bool operator==(const Value& a, const Value& b) { return a.data_ == b.data_; }

  private:
    using Storage = std::variant<std::monostate, std::int64_t, double, QString>;
    explicit Value(Storage s) : data_(std::move(s)) {}
    Storage data_;
};

// The order of group values: NULL first, then numbers by magnitude, then texts
// by the collator (or by code units when none is given). Returns <0, 0, >0.
int compareValues(const Value& a, const Value& b, const QCollator* collator);

}  // namespace morvane::pivot
