#include "platform/db/DatabaseError.h"
#include "platform/db/RemoteUdpConnection.h"
#include "platform/db/RemoteUdpDataSet.h"
#include "tests/db/Fixture.h"

#include <gtest/gtest.h>

namespace morvane::db::test {
namespace {

class DataSetTest : public GoodsTest {
  protected:
    // The values of one field over the rows seen, from the first row, joined by ",".
    QString column(const QString& field) {
        QStringList values;
        for (ds_.First(); !ds_.Eof(); ds_.Next())
            values << ds_.FieldByName(field)->AsString();
        return values.join(',');
    }
};

TEST_F(DataSetTest, NavigatesEveryRowInOrder) {
    open();
    EXPECT_TRUE(ds_.Active());
    EXPECT_EQ(ds_.GetRecordCount(), 4);
    EXPECT_TRUE(ds_.Bof());
    EXPECT_FALSE(ds_.Eof());
    EXPECT_EQ(ds_.RecNo(), 1);
    EXPECT_EQ(column("goodsid"), "G001,g002,G003,A004");
    EXPECT_TRUE(ds_.Eof());
    EXPECT_EQ(ds_.RecNo(), 4);  // Next at the last row sets Eof and stays there

    ds_.Last();
    EXPECT_TRUE(ds_.Eof());
    ds_.Prior();
    EXPECT_EQ(ds_.FieldByName("goodsid")->AsString(), "G003");
    EXPECT_FALSE(ds_.Eof());
    EXPECT_EQ(ds_.MoveBy(-10), -2);
    EXPECT_TRUE(ds_.Bof());
    EXPECT_EQ(ds_.RecNo(), 1);
    ds_.Prior();
    EXPECT_EQ(ds_.RecNo(), 1);
    ds_.SetRecNo(3);
    EXPECT_EQ(ds_.FieldByName("goodsid")->AsString(), "G003");
    EXPECT_EQ(ds_.CurrentRow(), 2);
}

TEST_F(DataSetTest, ReadsValuesByTypeWithNullsAsEmptyZeroFalse) {
    open();
    TField* name = ds_.FieldByName("goodsname");
    TField* price = ds_.FieldByName("price");
    TField* qty = ds_.FieldByName("qty");
    TField* date = ds_.FieldByName("inputdate");
    TField* pic = ds_.FieldByName("pic");
    const std::pair<TField*, TFieldType> types[] = {{price, ftFloat},
                                                    {qty, ftLargeint},
                                                    {name, ftWideString},
                                                    {date, ftDateTime},
                                                    {pic, ftBlob}};
    for (auto [field, type] : types)
        EXPECT_EQ(field->DataType(), type) << field->FieldName().toStdString();

    EXPECT_EQ(name->AsString(), QString::fromUtf8("衬衫"));
    EXPECT_EQ(price->AsString(), "99.5");
    EXPECT_EQ(price->AsFloat(), 99.5);
    EXPECT_EQ(price->AsInteger(), 100);  // rounds half to even
    EXPECT_EQ(qty->AsInteger(), 10);
    EXPECT_TRUE(qty->AsBoolean());
    EXPECT_EQ(qty->AsString(), "10");
    EXPECT_EQ(date->AsString(), "2026-03-01");
    EXPECT_EQ(pic->Value().toByteArray(), QByteArray("\x00\x01\xff", 3));
    EXPECT_THROW(ds_.FieldByName("goodsid")->AsInteger(), EDatabaseError);

    ds_.Next();  // g002: price 120 stored as REAL, qty NULL
    EXPECT_EQ(price->AsString(), "120");
    EXPECT_EQ(price->Value(), QVariant(120.0));
    EXPECT_TRUE(qty->IsNull());
    EXPECT_EQ(qty->AsString(), "");
    EXPECT_EQ(qty->AsInteger(), 0);
    EXPECT_FALSE(qty->AsBoolean());
    EXPECT_EQ(qty->AsFloat(), 0.0);
    EXPECT_FALSE(qty->Value().isValid());
    EXPECT_TRUE(pic->IsNull());

    ds_.Next();  // G003: NULL name, price and date
    EXPECT_EQ(name->AsString(), "");
    EXPECT_EQ(price->AsFloat(), 0.0);
    EXPECT_EQ(date->AsString(), "");

    ds_.Next();  // A004
    EXPECT_EQ(price->AsString(), "0.6667");
    EXPECT_EQ(price->AsInteger(), 1);
    EXPECT_EQ(qty->AsInteger(), -3);
    EXPECT_EQ(name->AsString(), QString::fromUtf8("外套 O'Neil"));
    EXPECT_EQ(date->AsString(), "2026-03-04 10:20:30");
    EXPECT_TRUE(pic->Value().toByteArray().isEmpty());
    EXPECT_FALSE(pic->IsNull());
}

TEST_F(DataSetTest, TextsReadAsNumbersAndBooleans) {
    open("select '1' a, '0' b, 'True' c, ' 42 ' d, '3.5' e, 'abc' f");
    EXPECT_TRUE(ds_.FieldByName("a")->AsBoolean());
    EXPECT_FALSE(ds_.FieldByName("b")->AsBoolean());
    EXPECT_TRUE(ds_.FieldByName("c")->AsBoolean());
    EXPECT_EQ(ds_.FieldByName("d")->AsInteger(), 42);
    EXPECT_EQ(ds_.FieldByName("e")->AsFloat(), 3.5);
    EXPECT_THROW(ds_.FieldByName("f")->AsBoolean(), EDatabaseError);
    EXPECT_THROW(ds_.FieldByName("f")->AsFloat(), EDatabaseError);
}

TEST_F(DataSetTest, FindsFieldsByNameIgnoringCaseAndByPosition) {
    open();
    EXPECT_EQ(ds_.FieldCount(), 7);
    EXPECT_EQ(ds_.FieldByName("GOODSID"), ds_.Fields(0));
    EXPECT_EQ(ds_.FindField("CheckId"), ds_.Fields(4));
    EXPECT_EQ(ds_.Fields(6)->FieldName(), "pic");
    EXPECT_EQ(ds_.FindField("nosuch"), nullptr);
    try {
        ds_.FieldByName("nosuch");
        FAIL() << "no exception";
    } catch (const EDatabaseError& error) {
        EXPECT_STREQ(error.what(), "Field 'nosuch' not found");
    }
    EXPECT_THROW(ds_.Fields(7), EDatabaseError);

    open(QString::fromUtf8("select goodsid, goodsid, goodsname as 名称 from goods"));
    EXPECT_EQ(ds_.FieldNames(), QStringList({"goodsid", "goodsid_1", QString::fromUtf8("名称")}));
    EXPECT_EQ(ds_.FieldByName(QString::fromUtf8("名称"))->AsString(), QString::fromUtf8("衬衫"));
}

TEST_F(DataSetTest, LocalEditsNeverReachTheDatabase) {
    open();
    TField* check = ds_.FieldByName("checkid");
    EXPECT_THROW(check->SetAsBoolean(true), EDatabaseError);  // not in edit state

    ds_.Edit();
    check->SetAsBoolean(true);
    ds_.FieldByName("goodsname")->SetAsString("edited");
    EXPECT_EQ(ds_.State(), dsEdit);
    ds_.Next();  // moving on posts
    EXPECT_EQ(ds_.State(), dsBrowse);
    ds_.Edit();
    check->SetAsInteger(1);
    ds_.Cancel();
    ds_.Next();
    ds_.Edit();
    check->SetAsString("1");
    ds_.FieldByName("price")->Clear();
    ds_.Post();

    EXPECT_EQ(column("checkid"), "1,0,1,0");
    EXPECT_EQ(column("goodsname"), QString::fromUtf8("edited,Jeans,,外套 O'Neil"));
    EXPECT_EQ(column("price"), "99.5,120,,0.6667");
    EXPECT_EQ(ds_.table().cell(0, 4).integer, 1);

    EXPECT_EQ(db_.scalar("select sum(checkid) from goods"), "0");
    EXPECT_EQ(db_.scalar("select goodsname from goods where goodsid='G001'"), "衬衫");
    TRemoteUdpDataSet other;
    other.setSetupUdpParent(&connection_);
    other.SetSQL("select checkid from goods where checkid=1");
    other.Open();
    EXPECT_EQ(other.GetRecordCount(), 0);

    open();  // reopening fetches the database's rows again
    EXPECT_EQ(column("checkid"), "0,0,0,0");
}

TEST_F(DataSetTest, FilterCheckidSelectsTheTickedRows) {
    open();
    // Tick all, then untick the second row, as the pickers do.
    ds_.DisableControls();
    for (ds_.First(); !ds_.Eof(); ds_.Next()) {
        ds_.Edit();
        ds_.FieldByName("checkid")->SetAsBoolean(true);
        ds_.Post();
    }
    ds_.EnableControls();
    ds_.First();
    ds_.Next();
    ds_.Edit();
    ds_.FieldByName("checkid")->SetAsBoolean(false);
    ds_.Post();

    ds_.SetFiltered(false);
    ds_.SetFilter("checkid=1");
    EXPECT_EQ(ds_.GetRecordCount(), 4);  // not yet filtering
    ds_.SetFiltered(true);
    EXPECT_EQ(ds_.GetRecordCount(), 3);
    EXPECT_EQ(ds_.RecNo(), 1);
    EXPECT_EQ(column("goodsid"), "G001,G003,A004");
    EXPECT_EQ(ds_.VisibleRows(), (std::vector<std::size_t>{0, 2, 3}));

    ds_.SetFilter("checkid=1 and qty>0");
    EXPECT_EQ(column("goodsid"), "G001,G003");
    ds_.SetFilter("goodsid='g*'");
    EXPECT_EQ(column("goodsid"), "g002");
    ds_.SetFilterOptions(foCaseInsensitive);
    EXPECT_EQ(column("goodsid"), "G001,g002,G003");

    // A posted row that no longer passes leaves the rows seen.
    ds_.SetFilterOptions(0);
    ds_.SetFilter("checkid=1");
    ds_.First();
    ds_.Edit();
    ds_.FieldByName("checkid")->SetAsInteger(0);
    ds_.Post();
    EXPECT_EQ(ds_.GetRecordCount(), 2);
    EXPECT_EQ(ds_.FieldByName("goodsid")->AsString(), "G003");

    EXPECT_THROW(ds_.SetFilter("nosuch=1"), EDatabaseError);
    EXPECT_EQ(ds_.Filter(), "checkid=1");  // a rejected filter leaves the previous one
    ds_.SetFiltered(false);
    EXPECT_EQ(ds_.GetRecordCount(), 4);

    ds_.SetFiltered(true);
    ds_.SetFilter("checkid=5");
    EXPECT_EQ(ds_.GetRecordCount(), 0);
    EXPECT_TRUE(ds_.Eof());
    EXPECT_TRUE(ds_.IsEmpty());
}

TEST_F(DataSetTest, NeitherFilterNorPageSizeLimitsTheRowsFetched) {
    ds_.SetFilter("qty>0");
    ds_.SetFiltered(true);
    ds_.SetPageSize(2);
    ds_.SetLockType(etBatchOptimistic);
    open();
    EXPECT_EQ(ds_.GetRecordCount(), 2);
    EXPECT_EQ(ds_.table().rowCount(), 4u);  // the columnar view keeps every row
    EXPECT_EQ(ds_.LockType(), etBatchOptimistic);
}

TEST_F(DataSetTest, LocateFindsRowsIgnoringCaseWhenAsked) {
    open();
    ds_.Last();
    EXPECT_FALSE(ds_.Locate("goodsid", "G002"));
    EXPECT_EQ(ds_.RecNo(), 4);  // no match, no move
    EXPECT_TRUE(ds_.Locate("GoodsId", "G002", loCaseInsensitive));
    EXPECT_EQ(ds_.RecNo(), 2);
    EXPECT_TRUE(ds_.Locate("goodsname", QString::fromUtf8("外套"), loPartialKey));
    EXPECT_EQ(ds_.RecNo(), 4);
    EXPECT_TRUE(ds_.Locate("qty", 5));
    EXPECT_EQ(ds_.FieldByName("goodsid")->AsString(), "G003");
    EXPECT_TRUE(ds_.Locate("price", "120"));
    EXPECT_EQ(ds_.RecNo(), 2);
    EXPECT_TRUE(ds_.Locate("goodsname", QVariant()));
    EXPECT_EQ(ds_.RecNo(), 3);
    EXPECT_TRUE(ds_.Locate("goodsid;qty", QVariantList{"a004", -3}, loCaseInsensitive));
    EXPECT_EQ(ds_.RecNo(), 4);
    EXPECT_FALSE(ds_.Locate("goodsid;qty", QVariantList{"a004", 3}, loCaseInsensitive));
    EXPECT_THROW(ds_.Locate("nosuch", 1), EDatabaseError);
}

TEST_F(DataSetTest, DisabledControlsHoldBackNotificationsUntilTheLastEnable) {
    int data = 0, row = 0, active = 0;
    QObject::connect(&ds_, &TRemoteUdpDataSet::dataChanged, [&] { ++data; });
    QObject::connect(&ds_, &TRemoteUdpDataSet::currentRowChanged, [&] { ++row; });
    QObject::connect(&ds_, &TRemoteUdpDataSet::activeChanged, [&](bool) { ++active; });

    ds_.SetSQL("select * from goods");
    ds_.SetActive(true);
    EXPECT_TRUE(ds_.Active());
    EXPECT_EQ(active, 1);
    ds_.Next();
    EXPECT_EQ(row, 1);

    data = row = active = 0;
    ds_.DisableControls();
    ds_.DisableControls();
    EXPECT_TRUE(ds_.ControlsDisabled());
    for (ds_.First(); !ds_.Eof(); ds_.Next()) {
        ds_.Edit();
        ds_.FieldByName("checkid")->SetAsBoolean(true);
    }
    ds_.EnableControls();
    EXPECT_EQ(data + row + active, 0);
    ds_.EnableControls();
    EXPECT_FALSE(ds_.ControlsDisabled());
    EXPECT_EQ(data, 1);
    EXPECT_EQ(row + active, 0);
    ds_.EnableControls();  // unbalanced: ignored
    EXPECT_EQ(data, 1);

    ds_.Close();
    EXPECT_EQ(active, 1);
}

TEST_F(DataSetTest, EmptyResultsAndClosedDatasets) {
    ds_.Close();  // closing a closed dataset is fine
    EXPECT_FALSE(ds_.Active());
    EXPECT_EQ(ds_.GetRecordCount(), 0);
    EXPECT_THROW(ds_.First(), EDatabaseError);

    open("select * from goods where 1=0");
    EXPECT_EQ(ds_.GetRecordCount(), 0);
    EXPECT_TRUE(ds_.Eof());
    EXPECT_TRUE(ds_.Bof());
    EXPECT_EQ(ds_.RecNo(), 0);
    EXPECT_EQ(ds_.FieldCount(), 7);
    EXPECT_EQ(ds_.FieldByName("qty")->AsString(), "");
    EXPECT_EQ(ds_.FieldByName("qty")->DataType(), ftLargeint);  // declared type still known
    EXPECT_THROW(ds_.Edit(), EDatabaseError);
    ds_.Next();
    ds_.Last();
    EXPECT_TRUE(ds_.Eof());
    EXPECT_FALSE(ds_.Locate("goodsid", "G001"));

    ds_.Close();
    ds_.Close();
    EXPECT_FALSE(ds_.Active());
    EXPECT_EQ(ds_.FieldCount(), 0);
    EXPECT_EQ(ds_.SQL(), "select * from goods where 1=0");
}

TEST_F(DataSetTest, OpenOnAnOpenDatasetKeepsItsRowsAndEdits) {
    open();
    ds_.Edit();
    ds_.FieldByName("checkid")->SetAsInteger(1);
    ds_.Post();
    ds_.SetSQL("select 1 x");
    ds_.Open();
    EXPECT_EQ(ds_.FieldByName("checkid")->AsInteger(), 1);
}

}  // namespace
}  // namespace morvane::db::test
