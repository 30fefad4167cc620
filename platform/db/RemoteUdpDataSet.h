#pragma once

#include "platform/db/Field.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/ResultTable.h"
#include "platform/db/RowFilter.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <memory>
#include <optional>
#include <vector>

enum TLockType { etOptimistic, etBatchOptimistic };
enum TSelectType { SelectAll };
enum TDataSetState { dsInactive, dsBrowse, dsEdit };

enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = int;  // TLocateOption flags or'ed together

enum TFilterOption { foCaseInsensitive = 1, foNoPartialCompare = 2 };
using TFilterOptions = int;

// A query dataset: runs one statement on its connection and keeps every row of the result in
// typed, columnar storage (morvane::db::ResultTable). Navigation, field access, filtering and
// local edits work on that copy; edits are never sent to the database.
//
// Rows seen: with Filtered() on and a non-empty Filter(), navigation, GetRecordCount and Locate
// see only the rows the filter accepts; table() always holds every row.
//
// Notifications for bound views: dataChanged (rows or values changed, the dataset opened or
// closed), currentRowChanged and activeChanged. While controls are disabled none is emitted;
// the EnableControls that ends the last DisableControls emits one dataChanged, after which a
// view re-reads everything (active state, rows, current row).
class TRemoteUdpDataSet : public QObject {
    Q_OBJECT
  public:
    explicit TRemoteUdpDataSet(QObject* owner = nullptr);
    ~TRemoteUdpDataSet() override;

    // The connection later opens and commands go to. Not owned.
    void setSetupUdpParent(TRemoteUdpConnection* connection);
    TRemoteUdpConnection* SetupUdpParent() const { return connection_; }

    void SetSQL(const QString& sql) { sql_ = sql; }
    QString SQL() const { return sql_; }

    // Runs the statement and fetches all rows; the first row is current. Does nothing when
    // already open. On any failure raises EDatabaseError and stays closed.
    void Open();
    // Opens with the rows of the dataset's statement fetched beforehand (on a worker thread, so
    // that the user-interface thread stays free while the statement runs); from the moment the
    // rows arrived, the same as Open. Does nothing when already open.
    void OpenResult(morvane::db::ResultTable table);
    // Runs a statement that returns no rows; the number of rows it changed.
    std::int64_t ExecSQL();
    // Drops the rows and the fields. Closing a closed dataset does nothing.
    void Close();
    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool active);
    TDataSetState State() const { return state_; }

    // Rows seen (the filtered ones when filtering is on); 0 when closed.
    int GetRecordCount() const;
    int RecordCount() const { return GetRecordCount(); }
    bool IsEmpty() const { return GetRecordCount() == 0; }

    void First();
    void Next();
    void Prior();
    void Last();
    // Moves by `distance` rows, stopping at either end; the distance actually moved.
    int MoveBy(int distance);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    // 1-based position among the rows seen; 0 when there is none.
    int RecNo() const;
    void SetRecNo(int recNo);

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField* Fields(int index) const;
    // Case-insensitive. FieldByName raises EDatabaseError "Field 'x' not found"; FindField
    // returns nullptr.
    TField* FieldByName(const QString& name) const;
    TField* FindField(const QString& name) const;
    QStringList FieldNames() const;

    // Local edits of the current row. Edit enters edit state (raises on a closed or empty
    // dataset); Post keeps the edited values; Cancel drops them. Moving to another row posts.
    void Edit();
    void Post();
    void Cancel();

    void SetFilter(const QString& filter);
    QString Filter() const { return filter_; }
    void SetFiltered(bool filtered);
    bool Filtered() const { return filtered_; }
    void SetFilterOptions(TFilterOptions options);
    TFilterOptions FilterOptions() const { return filterOptions_; }

    // Moves to the first row seen whose field(s) equal the value(s); fields are separated by
    // ';' and values then come as a QVariantList. false (and no move) when none matches.
    bool Locate(const QString& fields, const QVariant& values, TLocateOptions options = 0);

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    // Settings kept for the windows that set them. All rows are fetched whatever they say.
    TLockType LockType() const { return lockType_; }
    void SetLockType(TLockType value) { lockType_ = value; }
    TSelectType SelectType() const { return selectType_; }
    void SetSelectType(TSelectType value) { selectType_ = value; }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value) { pageSize_ = value; }

    // The rows as fetched, with posted local edits. Valid while the dataset is open.
    const morvane::db::ResultTable& table() const { return table_; }
    // Index into table() of the current row; -1 when there is none.
    long long CurrentRow() const;
    // Indexes into table() of the rows seen, in order.
    std::vector<std::size_t> VisibleRows() const;

    // Used by TField.
    morvane::db::Cell fieldCell(int column) const;
    void setFieldValue(int column, const morvane::db::CellValue& value);

  signals:
    void dataChanged();
    void currentRowChanged();
    void activeChanged(bool active);

  private:
    enum class Change { Data, Row };

    void checkActive(const char* operation) const;
    std::size_t seenCount() const;
    std::size_t rowAt(std::size_t position) const;
    void moveTo(std::size_t position);  // position < seenCount()
    void applyFilter();
    void setEmptyCursor();
    void notify(Change change);
    void notifyActive();
    std::optional<std::size_t> columnIndex(const QString& name) const;
    void postIfEditing();

    QPointer<TRemoteUdpConnection> connection_;
    QString sql_;
    TDataSetState state_ = dsInactive;
    morvane::db::ResultTable table_;
    std::vector<std::unique_ptr<TField>> fields_;

    // Cursor over the rows seen: position among them; bof_/eof_ as in every dataset.
    std::size_t position_ = 0;
    bool bof_ = true;
    bool eof_ = true;

    std::map<int, morvane::db::CellValue> pending_;  // edits of the current row before Post

    QString filter_;
    bool filtered_ = false;
    TFilterOptions filterOptions_ = 0;
    std::optional<morvane::db::RowFilter> rowFilter_;
    std::vector<std::size_t> seen_;  // rows the filter accepts; used when rowFilter_ is set

    int disableCount_ = 0;

    TLockType lockType_ = etOptimistic;
    TSelectType selectType_ = SelectAll;
    int pageSize_ = 10;
};
