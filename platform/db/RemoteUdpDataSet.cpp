#include "platform/db/RemoteUdpDataSet.h"

#include "platform/db/CellText.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/RemoteUdpConnection.h"

#include <numeric>

using morvane::db::Cell;
using morvane::db::CellKind;
using morvane::db::CellValue;

namespace {

bool numericVariant(const QVariant& value) {
    switch (value.metaType().id()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::Double:
        case QMetaType::Float:
            return true;
        default:
            return false;
    }
}

bool locateMatch(const Cell& cell, morvane::db::ColumnType type, const QVariant& value,
                 TLocateOptions options) {
    if (value.isNull())
        return cell.isNull();
    if (cell.isNull())
        return false;
    if (numericVariant(value)) {
        std::optional<double> number;
        if (cell.kind == CellKind::Integer)
            number = static_cast<double>(cell.integer);
        else if (cell.kind == CellKind::Real)
            number = cell.real;
        else if (cell.kind == CellKind::Text)
            number = morvane::db::parseReal(cell.bytes);
        if (number)
            return *number == value.toDouble();
    }
    const QString text = morvane::db::cellToString(cell, type);
    const QString wanted = value.toString();
    const auto sensitivity =
        (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (options & loPartialKey)
        return text.startsWith(wanted, sensitivity);
    return text.compare(wanted, sensitivity) == 0;
}

}  // namespace

TRemoteUdpDataSet::TRemoteUdpDataSet(QObject* owner) : QObject(owner) {}

TRemoteUdpDataSet::~TRemoteUdpDataSet() = default;

void TRemoteUdpDataSet::setSetupUdpParent(TRemoteUdpConnection* connection) {
    connection_ = connection;
}

void TRemoteUdpDataSet::checkActive(const char* operation) const {
    if (!Active())
        throw EDatabaseError(std::string("Cannot perform '") + operation + "' on a closed dataset");
}

void TRemoteUdpDataSet::Open() {
    if (Active())
        return;
    if (connection_.isNull())
        throw EDatabaseError("the dataset has no connection (setSetupUdpParent was not called)");
    if (!connection_->Connected())
        throw EDatabaseError("the dataset's connection is not open");
    OpenResult(connection_->Query(sql_));
}

void TRemoteUdpDataSet::OpenResult(morvane::db::ResultTable table) {
    if (Active())
        return;
    std::vector<std::unique_ptr<TField>> fields;
    for (std::size_t i = 0; i < table.columnCount(); ++i) {
        const QString base = QString::fromStdString(table.columnName(i));
        QString name = base;
        // Two result columns with one name get distinct field names, as name, name_1, ...
        for (int suffix = 1;
             std::any_of(fields.begin(), fields.end(),
                         [&](const auto& field) {
                             return field->FieldName().compare(name, Qt::CaseInsensitive) == 0;
                         });
             ++suffix)
            name = base + "_" + QString::number(suffix);
        fields.push_back(std::make_unique<TField>(this, static_cast<int>(i), name));
    }
    table_ = std::move(table);
    fields_ = std::move(fields);
    state_ = dsBrowse;
    try {
        applyFilter();
    } catch (...) {
        table_ = {};
        fields_.clear();
        state_ = dsInactive;
        throw;
    }
    setEmptyCursor();
    if (seenCount() > 0)
        eof_ = false;
    notifyActive();
}

std::int64_t TRemoteUdpDataSet::ExecSQL() {
    if (connection_.isNull())
        throw EDatabaseError("the dataset has no connection (setSetupUdpParent was not called)");
    if (!connection_->Connected())
        throw EDatabaseError("the dataset's connection is not open");
    return connection_->Execute(sql_);
}

void TRemoteUdpDataSet::Close() {
    if (!Active())
        return;
    pending_.clear();
    fields_.clear();
    table_ = {};
    rowFilter_.reset();
    seen_.clear();
    state_ = dsInactive;
    setEmptyCursor();
    notifyActive();
}

void TRemoteUdpDataSet::SetActive(bool active) {
    if (active)
        Open();
    else
        Close();
}

std::size_t TRemoteUdpDataSet::seenCount() const {
    if (!Active())
        return 0;
    return rowFilter_ ? seen_.size() : table_.rowCount();
}

std::size_t TRemoteUdpDataSet::rowAt(std::size_t position) const {
    return rowFilter_ ? seen_[position] : position;
}

int TRemoteUdpDataSet::GetRecordCount() const {
    return static_cast<int>(seenCount());
}

void TRemoteUdpDataSet::setEmptyCursor() {
    position_ = 0;
    bof_ = true;
    eof_ = true;
}

void TRemoteUdpDataSet::moveTo(std::size_t position) {
    position_ = position;
    bof_ = false;
    eof_ = false;
    notify(Change::Row);
}

void TRemoteUdpDataSet::postIfEditing() {
    if (state_ == dsEdit)
        Post();
}

void TRemoteUdpDataSet::First() {
    checkActive("First");
    postIfEditing();
    setEmptyCursor();
    if (seenCount() > 0)
        eof_ = false;
    notify(Change::Row);
}

void TRemoteUdpDataSet::Next() {
    checkActive("Next");
    postIfEditing();
    if (position_ + 1 < seenCount()) {
        moveTo(position_ + 1);
    } else {
        eof_ = true;
    }
}

void TRemoteUdpDataSet::Prior() {
    checkActive("Prior");
    postIfEditing();
    if (position_ > 0 && seenCount() > 0) {
        moveTo(position_ - 1);
    } else {
        bof_ = true;
    }
}

void TRemoteUdpDataSet::Last() {
    checkActive("Last");
    postIfEditing();
    const std::size_t count = seenCount();
    if (count == 0) {
        setEmptyCursor();
        return;
    }
    moveTo(count - 1);
    eof_ = true;
}

int TRemoteUdpDataSet::MoveBy(int distance) {
    checkActive("MoveBy");
    postIfEditing();
    const auto count = static_cast<long long>(seenCount());
    if (count == 0 || distance == 0)
        return 0;
    const long long target =
        std::clamp<long long>(static_cast<long long>(position_) + distance, 0, count - 1);
    const int moved = static_cast<int>(target - static_cast<long long>(position_));
    if (moved != 0)
        moveTo(static_cast<std::size_t>(target));
    if (moved != distance) {
        if (distance > 0)
            eof_ = true;
        else
            bof_ = true;
    }
    return moved;
}

int TRemoteUdpDataSet::RecNo() const {
    return seenCount() == 0 ? 0 : static_cast<int>(position_) + 1;
}

void TRemoteUdpDataSet::SetRecNo(int recNo) {
    checkActive("RecNo");
    postIfEditing();
    const auto count = static_cast<long long>(seenCount());
    if (count == 0)
        return;
    moveTo(static_cast<std::size_t>(std::clamp<long long>(recNo, 1, count) - 1));
}

long long TRemoteUdpDataSet::CurrentRow() const {
    if (seenCount() == 0)
        return -1;
    return static_cast<long long>(rowAt(position_));
}

std::vector<std::size_t> TRemoteUdpDataSet::VisibleRows() const {
    if (rowFilter_)
        return seen_;
    std::vector<std::size_t> rows(seenCount());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    return rows;
}

TField* TRemoteUdpDataSet::Fields(int index) const {
    if (index < 0 || index >= FieldCount())
        throw EDatabaseError("field index " + std::to_string(index) + " out of range");
    return fields_[index].get();
}

TField* TRemoteUdpDataSet::FindField(const QString& name) const {
    for (const auto& field : fields_)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

TField* TRemoteUdpDataSet::FieldByName(const QString& name) const {
    if (TField* field = FindField(name))
        return field;
    throw EDatabaseError("Field '" + name.toStdString() + "' not found");
}

QStringList TRemoteUdpDataSet::FieldNames() const {
    QStringList names;
    for (const auto& field : fields_)
        names << field->FieldName();
    return names;
}

std::optional<std::size_t> TRemoteUdpDataSet::columnIndex(const QString& name) const {
    if (const TField* field = FindField(name))
        return static_cast<std::size_t>(field->Index());
    return std::nullopt;
}

Cell TRemoteUdpDataSet::fieldCell(int column) const {
    if (seenCount() == 0)
        return {};
    if (state_ == dsEdit) {
        const auto found = pending_.find(column);
        if (found != pending_.end())
            return found->second.view();
    }
    return table_.cell(rowAt(position_), static_cast<std::size_t>(column));
}

void TRemoteUdpDataSet::setFieldValue(int column, const CellValue& value) {
    if (state_ != dsEdit)
        throw EDatabaseError("Dataset not in edit or insert mode");
    pending_[column] = value;
    notify(Change::Data);
}

void TRemoteUdpDataSet::Edit() {
    checkActive("Edit");
    if (state_ == dsEdit)
        return;
    if (seenCount() == 0)
        throw EDatabaseError("Cannot perform this operation on an empty dataset");
    state_ = dsEdit;
}

void TRemoteUdpDataSet::Post() {
    if (state_ != dsEdit)
        return;
    const std::size_t row = rowAt(position_);
    for (const auto& [column, value] : pending_)
        table_.setCell(row, static_cast<std::size_t>(column), value);
    pending_.clear();
    state_ = dsBrowse;
    if (rowFilter_) {
        // The posted row may no longer pass the filter; keep the cursor on the same row if it
        // does, on the row that took its place otherwise.
        applyFilter();
        const auto found = std::lower_bound(seen_.begin(), seen_.end(), row);
        position_ = static_cast<std::size_t>(found - seen_.begin());
        if (position_ >= seen_.size()) {
            position_ = seen_.empty() ? 0 : seen_.size() - 1;
            eof_ = true;
        }
        if (seen_.empty())
            setEmptyCursor();
    }
    notify(Change::Data);
}

void TRemoteUdpDataSet::Cancel() {
    if (state_ != dsEdit)
        return;
    pending_.clear();
    state_ = dsBrowse;
    notify(Change::Data);
}

void TRemoteUdpDataSet::applyFilter() {
    if (!Active() || !filtered_ || filter_.trimmed().isEmpty()) {
        rowFilter_.reset();
        seen_.clear();
        return;
    }
    morvane::db::RowFilter filter(
        filter_.toStdString(),
        [this](std::string_view name) {
            return columnIndex(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        },
        {(filterOptions_ & foCaseInsensitive) != 0, (filterOptions_ & foNoPartialCompare) == 0});
    std::vector<std::size_t> seen;
    for (std::size_t row = 0, rows = table_.rowCount(); row < rows; ++row)
        if (filter.matches(table_, row))
            seen.push_back(row);
    rowFilter_ = std::move(filter);
    seen_ = std::move(seen);
}

void TRemoteUdpDataSet::SetFilter(const QString& filter) {
    if (filter == filter_)
        return;
    if (Active())
        postIfEditing();
    const QString previous = filter_;
    filter_ = filter;
    if (!Active() || !filtered_)
        return;
    try {
        applyFilter();
    } catch (...) {
        filter_ = previous;
        throw;
    }
    First();
    notify(Change::Data);
}

void TRemoteUdpDataSet::SetFiltered(bool filtered) {
    if (filtered == filtered_)
        return;
    if (Active())
        postIfEditing();
    filtered_ = filtered;
    if (!Active())
        return;
    try {
        applyFilter();
    } catch (...) {
        filtered_ = !filtered;
        throw;
    }
    First();
    notify(Change::Data);
}

void TRemoteUdpDataSet::SetFilterOptions(TFilterOptions options) {
    filterOptions_ = options;
    if (Active() && filtered_) {
        postIfEditing();
        applyFilter();
        First();
        notify(Change::Data);
    }
}

bool TRemoteUdpDataSet::Locate(const QString& fields, const QVariant& values,
                               TLocateOptions options) {
    checkActive("Locate");
    postIfEditing();
    const QStringList names = fields.split(';', Qt::SkipEmptyParts);
    std::vector<int> columns;
    for (const QString& name : names)
        columns.push_back(FieldByName(name.trimmed())->Index());
    QVariantList wanted;
    if (columns.size() == 1)
        wanted << values;
    else
        wanted = values.toList();
    if (columns.empty() || static_cast<std::size_t>(wanted.size()) != columns.size())
        throw EDatabaseError("Locate needs one value per field");

    for (std::size_t position = 0, count = seenCount(); position < count; ++position) {
        const std::size_t row = rowAt(position);
        bool all = true;
        for (std::size_t i = 0; i < columns.size() && all; ++i)
            all = locateMatch(table_.cell(row, columns[i]), table_.columnType(columns[i]),
                              wanted[static_cast<qsizetype>(i)], options);
        if (all) {
            moveTo(position);
            return true;
        }
    }
    return false;
}

void TRemoteUdpDataSet::DisableControls() {
    ++disableCount_;
}

void TRemoteUdpDataSet::EnableControls() {
    if (disableCount_ == 0)
        return;
    // Like every dataset, the last EnableControls tells bound views to re-read everything,
    // whether or not anything changed while they were cut off.
    if (--disableCount_ == 0)
        emit dataChanged();
}

void TRemoteUdpDataSet::notify(Change change) {
    if (disableCount_ > 0)
        return;
    if (change == Change::Data)
        emit dataChanged();
    else
        emit currentRowChanged();
}

void TRemoteUdpDataSet::notifyActive() {
    if (disableCount_ > 0)
        return;
    emit activeChanged(Active());
    emit dataChanged();
}
