#include "platform/pivot/Value.h"

#include "platform/pivot/ValueFormat.h"

#include <QCollator>

namespace morvane::pivot {

std::int64_t Value::toInteger() const {
    switch (data_.index()) {
        case 1:
            return std::get<1>(data_);
        case 2:
            return static_cast<std::int64_t>(std::get<2>(data_));
        default:
            return 0;
    }
}

double Value::toReal() const {
    switch (data_.index()) {
        case 1:
            return static_cast<double>(std::get<1>(data_));
        case 2:
            return std::get<2>(data_);
        default:
            return 0.0;
    }
}

const QString& Value::textValue() const {
    static const QString empty;
    return data_.index() == 3 ? std::get<3>(data_) : empty;
}

QString Value::toString() const {
    return formatValue(*this);
}

int compareValues(const Value& a, const Value& b, const QCollator* collator) {
    const int ra = a.isNull() ? 0 : a.isNumber() ? 1 : 2;
    const int rb = b.isNull() ? 0 : b.isNumber() ? 1 : 2;
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 0)
        return 0;
    if (ra == 1) {
        if (a.type() == ValueType::Integer && b.type() == ValueType::Integer) {
            const auto x = a.toInteger(), y = b.toInteger();
            return x < y ? -1 : x > y ? 1 : 0;
        }
        const double x = a.toReal(), y = b.toReal();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (collator) {
        const int c = collator->compare(a.textValue(), b.textValue());
        if (c != 0)
            return c;
    }
    // Texts the collator finds equal still differ as groups; the code units
    // decide, so that the order is total and stable.
    return QString::compare(a.textValue(), b.textValue(), Qt::CaseSensitive);
}

}  // namespace morvane::pivot
