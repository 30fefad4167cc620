#include "platform/db/Field.h"

#include "platform/db/CellText.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/RemoteUdpDataSet.h"

#include <QByteArray>

#include <cmath>
#include <limits>

using morvane::db::Cell;
using morvane::db::CellKind;
using morvane::db::CellValue;
using morvane::db::ColumnType;

namespace morvane::db {

QString cellToString(const Cell& cell, ColumnType type) {
    switch (cell.kind) {
        case CellKind::Null:
            return QString();
        case CellKind::Integer:
            if (type == ColumnType::Boolean)
                return cell.integer != 0 ? QStringLiteral("True") : QStringLiteral("False");
            return QString::number(cell.integer);
        case CellKind::Real:
            return QString::fromStdString(formatReal(cell.real));
        case CellKind::Text:
        case CellKind::Blob:
            return QString::fromUtf8(cell.bytes.data(), static_cast<qsizetype>(cell.bytes.size()));
    }
    return QString();
}

}  // namespace morvane::db

namespace {

[[noreturn]] void invalid(const Cell& cell, const char* what) {
    throw EDatabaseError("'" + std::string(cell.bytes) + "' is not a valid " + what);
}

[[noreturn]] void invalidText(const std::string& text, const char* what) {
    throw EDatabaseError("'" + text + "' is not a valid " + what);
}

std::int64_t roundToInteger(double value) {
    const double rounded = std::nearbyint(value);  // ties to even, as dataset fields round
    if (!(rounded >= -9.2233720368547758e18 && rounded < 9.2233720368547758e18))
        throw EDatabaseError(morvane::db::formatReal(value) + " is out of the integer range");
    return static_cast<std::int64_t>(rounded);
}

}  // namespace

TField::TField(TRemoteUdpDataSet* dataSet, int index, QString name)
    : dataSet_(dataSet), index_(index), name_(std::move(name)) {}

Cell TField::cell() const {
    return dataSet_->fieldCell(index_);
}

void TField::assign(const CellValue& value) {
    dataSet_->setFieldValue(index_, value);
}

TFieldType TField::DataType() const {
    switch (dataSet_->table().columnType(index_)) {
        case ColumnType::Unknown:
            return ftUnknown;
        case ColumnType::Integer:
            return ftLargeint;
        case ColumnType::Boolean:
            return ftBoolean;
        case ColumnType::Real:
            return ftFloat;
        case ColumnType::Text:
            return ftWideString;
        case ColumnType::Date:
            return ftDateTime;
        case ColumnType::Blob:
            return ftBlob;
    }
    return ftUnknown;
}

bool TField::IsNull() const {
    return cell().isNull();
}

QString TField::AsString() const {
    return morvane::db::cellToString(cell(), dataSet_->table().columnType(index_));
}

std::int64_t TField::AsLargeInt() const {
    const Cell value = cell();
    switch (value.kind) {
        case CellKind::Null:
            return 0;
        case CellKind::Integer:
            return value.integer;
        case CellKind::Real:
            return roundToInteger(value.real);
        case CellKind::Text:
            if (const auto number = morvane::db::parseInteger(value.bytes))
                return *number;
            if (const auto number = morvane::db::parseReal(value.bytes))
                return roundToInteger(*number);
            if (const auto flag = morvane::db::parseBoolean(value.bytes))
                return *flag ? 1 : 0;
            invalid(value, "integer value");
        case CellKind::Blob:
            break;
    }
    throw EDatabaseError("field '" + name_.toStdString() + "' cannot be read as an integer");
}

int TField::AsInteger() const {
    const std::int64_t value = AsLargeInt();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw EDatabaseError(std::to_string(value) + " is out of the integer range");
    return static_cast<int>(value);
}

bool TField::AsBoolean() const {
    const Cell value = cell();
    switch (value.kind) {
        case CellKind::Null:
            return false;
        case CellKind::Integer:
            return value.integer != 0;
        case CellKind::Real:
            return value.real != 0;
        case CellKind::Text:
            if (const auto flag = morvane::db::parseBoolean(value.bytes))
                return *flag;
            invalid(value, "boolean value");
        case CellKind::Blob:
            break;
    }
    throw EDatabaseError("field '" + name_.toStdString() + "' cannot be read as a boolean");
}

double TField::AsFloat() const {
    const Cell value = cell();
    switch (value.kind) {
        case CellKind::Null:
            return 0;
        case CellKind::Integer:
            return static_cast<double>(value.integer);
        case CellKind::Real:
            return value.real;
        case CellKind::Text:
            if (const auto number = morvane::db::parseReal(value.bytes))
                return *number;
            invalid(value, "floating point value");
        case CellKind::Blob:
            break;
    }
    throw EDatabaseError("field '" + name_.toStdString() + "' cannot be read as a number");
}

QVariant TField::Value() const {
    const Cell value = cell();
    switch (value.kind) {
        case CellKind::Null:
            return QVariant();
        case CellKind::Integer:
            if (dataSet_->table().columnType(index_) == ColumnType::Boolean)
                return QVariant(value.integer != 0);
            return QVariant(static_cast<qlonglong>(value.integer));
        case CellKind::Real:
            return QVariant(value.real);
        case CellKind::Text:
            return QVariant(AsString());
        case CellKind::Blob:
            return QVariant(
                QByteArray(value.bytes.data(), static_cast<qsizetype>(value.bytes.size())));
    }
    return QVariant();
}

void TField::SetAsString(const QString& value) {
    const std::string bytes = value.toStdString();
    switch (dataSet_->table().columnType(index_)) {
        case ColumnType::Integer:
            if (value.trimmed().isEmpty())
                return Clear();
            if (const auto number = morvane::db::parseInteger(bytes))
                return assign(CellValue::ofInteger(*number));
            if (const auto number = morvane::db::parseReal(bytes))
                return assign(CellValue::ofReal(*number));
            invalidText(bytes, "integer value");
        case ColumnType::Boolean:
            if (value.trimmed().isEmpty())
                return Clear();
            if (const auto flag = morvane::db::parseBoolean(bytes))
                return assign(CellValue::ofInteger(*flag ? 1 : 0));
            invalidText(bytes, "boolean value");
        case ColumnType::Real:
            if (value.trimmed().isEmpty())
                return Clear();
            if (const auto number = morvane::db::parseReal(bytes))
                return assign(CellValue::ofReal(*number));
            invalidText(bytes, "floating point value");
        case ColumnType::Blob:
            return assign(CellValue::ofBlob(bytes));
        case ColumnType::Unknown:
        case ColumnType::Text:
        case ColumnType::Date:
            break;
    }
    assign(CellValue::ofText(bytes));
}

void TField::SetAsLargeInt(std::int64_t value) {
    switch (dataSet_->table().columnType(index_)) {
        case ColumnType::Boolean:
            return assign(CellValue::ofInteger(value != 0 ? 1 : 0));
        case ColumnType::Real:
            return assign(CellValue::ofReal(static_cast<double>(value)));
        case ColumnType::Text:
        case ColumnType::Date:
            return assign(CellValue::ofText(std::to_string(value)));
        case ColumnType::Blob:
            return assign(CellValue::ofBlob(std::to_string(value)));
        case ColumnType::Unknown:
        case ColumnType::Integer:
            break;
    }
    assign(CellValue::ofInteger(value));
}

void TField::SetAsBoolean(bool value) {
    // Number columns take 1/0 and text columns "1"/"0", so that a filter such as checkid=1
    // selects the ticked rows whatever the column's type.
    SetAsLargeInt(value ? 1 : 0);
}

void TField::SetAsFloat(double value) {
    switch (dataSet_->table().columnType(index_)) {
        case ColumnType::Integer:
            if (value == std::trunc(value) && std::fabs(value) < 9.0e18)
                return assign(CellValue::ofInteger(static_cast<std::int64_t>(value)));
            return assign(CellValue::ofReal(value));
        case ColumnType::Boolean:
            return assign(CellValue::ofInteger(value != 0 ? 1 : 0));
        case ColumnType::Text:
        case ColumnType::Date:
            return assign(CellValue::ofText(morvane::db::formatReal(value)));
        case ColumnType::Blob:
            return assign(CellValue::ofBlob(morvane::db::formatReal(value)));
        case ColumnType::Unknown:
        case ColumnType::Real:
            break;
    }
    assign(CellValue::ofReal(value));
}

void TField::SetValue(const QVariant& value) {
    if (value.isNull())
        return Clear();
    switch (value.metaType().id()) {
        case QMetaType::Bool:
            return SetAsBoolean(value.toBool());
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::Char:
            return SetAsLargeInt(value.toLongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return SetAsFloat(value.toDouble());
        case QMetaType::QByteArray:
            if (dataSet_->table().columnType(index_) == ColumnType::Blob) {
                const QByteArray bytes = value.toByteArray();
                return assign(CellValue::ofBlob(std::string(bytes.constData(), bytes.size())));
            }
            return SetAsString(QString::fromUtf8(value.toByteArray()));
        default:
            return SetAsString(value.toString());
    }
}

void TField::Clear() {
    assign(CellValue::null());
}
