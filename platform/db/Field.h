#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

class TRemoteUdpDataSet;

namespace morvane::db {
struct Cell;
struct CellValue;
enum class ColumnType : std::uint8_t;
}  // namespace morvane::db

enum TFieldType { ftUnknown, ftBoolean, ftLargeint, ftFloat, ftWideString, ftDateTime, ftBlob };

// One column of an open dataset, read and written at the dataset's current row. Fields are
// owned by their dataset and live until it closes.
//
// Reads convert as dataset fields do: NULL reads as "", 0, false, 0.0 and an invalid QVariant;
// a number as string is its shortest round-trip decimal; a text as number or boolean must read
// as one ("12", "3.5", "1", "0", "True", "false") or EDatabaseError is raised.
//
// Writes (SetAs..., Clear) need the dataset in edit state (Edit()) and are kept in the
// dataset's local rows on Post(); they are never sent to the database. A written value takes
// the column's type where it can (SetAsBoolean(true) on an integer column stores 1).
class TField {
  public:
    TField(TRemoteUdpDataSet* dataSet, int index, QString name);

    QString FieldName() const { return name_; }
    int Index() const { return index_; }
    TFieldType DataType() const;
    TRemoteUdpDataSet* DataSet() const { return dataSet_; }

    bool IsNull() const;
    QString AsString() const;
    int AsInteger() const;
    std::int64_t AsLargeInt() const;
    bool AsBoolean() const;
    double AsFloat() const;
    QVariant Value() const;

    void SetAsString(const QString& value);
    void SetAsInteger(int value) { SetAsLargeInt(value); }
    void SetAsLargeInt(std::int64_t value);
    void SetAsBoolean(bool value);
    void SetAsFloat(double value);
    void SetValue(const QVariant& value);
    void Clear();

  private:
    morvane::db::Cell cell() const;
    void assign(const morvane::db::CellValue& value);

    TRemoteUdpDataSet* dataSet_;
    int index_;
    QString name_;
};

namespace morvane::db {
// The text of a cell as fields show it: "" for NULL, decimal numbers, True/False for a
// boolean column, the UTF-8 bytes of texts and blobs.
QString cellToString(const Cell& cell, ColumnType type);
}  // namespace morvane::db
