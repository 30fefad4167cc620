// The generator as a whole: same options, same database; other seed, other
// data; documents grow with the scale while master data stay; bad requests
// fail with a message.

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "DemoTestDb.h"
#include "demo/DemoGenerator.h"

namespace morvane::demo::test {
namespace {

const char* const kDocumentLineTables[] = {
    "d_orderdetail",      "d_rationdetail",     "d_saledetail",       "d_salereturndetail",
    "d_recevingdetail",   "d_s_saledetail",     "d_s_recevingdetail", "d_s_folddetail",
    "d_s_pureturndetail", "d_s_transferdetail", "b_chargesde",        "gm_knufede",
    "gm_knufeoutdetail",  "gm_proroll",         "gm_procount",        "d_payment",
    "d_payments",         "d_subsreceipt",      "d_subsreceipt_flag", "d_charges"};

std::int64_t documentLines(const TestDb& db) {
    std::int64_t total = 0;
    for (const char* table : kDocumentLineTables)
        total += db.scalar(std::string("select count(*) from ") + table);
    return total;
}

TEST(DemoGenerator, SameSeedGivesTheSameContentAndOtherSeedsOtherContent) {
    const std::string again = tempFile("again.db");
    generateDemoDatabase(again, DemoOptions{});
    EXPECT_EQ(TestDb(again).contentChecksum(), scaleOne().contentChecksum());

    const std::string other = tempFile("other.db");
    generateDemoDatabase(other, DemoOptions{1, 7});
    TestDb otherDb(other);
    EXPECT_NE(otherDb.contentChecksum(), scaleOne().contentChecksum());
    // Another seed is another company history, not another schema.
    EXPECT_EQ(otherDb.scalar("select count(*) from sqlite_master"),
              scaleOne().scalar("select count(*) from sqlite_master"));
}

TEST(DemoGenerator, ScaleOneIsATestSizedDatabase) {
    const std::int64_t lines = documentLines(scaleOne());
    EXPECT_GE(lines, 30000);
    EXPECT_LE(lines, 60000);
}

TEST(DemoGenerator, DocumentsGrowLinearlyWithTheScaleAndMasterDataStay) {
    const std::string file = tempFile("scale2.db");
    {
        std::ofstream junk(file);  // an existing file is replaced, not appended to
        junk << "not a database";
    }
    const DemoStats stats = generateDemoDatabase(file, DemoOptions{2, 20260101});
    TestDb two(file);

    const double ratio = double(documentLines(two)) / double(documentLines(scaleOne()));
    EXPECT_GT(ratio, 1.85);
    EXPECT_LT(ratio, 2.15);
    for (const char* table : {"d_s_saledetail", "d_saledetail", "d_orderdetail", "gm_proroll"}) {
        const double r = double(two.scalar(std::string("select count(*) from ") + table)) /
                         double(scaleOne().scalar(std::string("select count(*) from ") + table));
        EXPECT_GT(r, 1.7) << table;
        EXPECT_LT(r, 2.3) << table;
    }
    for (const char* table :
         {"goods", "dt_client", "dt_supplier", "dt_house", "ba_size", "dt_employee"})
        EXPECT_EQ(two.scalar(std::string("select count(*) from ") + table),
                  scaleOne().scalar(std::string("select count(*) from ") + table))
            << table;

    std::int64_t rows = 0;
    for (const auto& table :
         two.rows("select name from sqlite_master where type='table' and name not "
                  "like 'sqlite%'"))
        rows += two.scalar("select count(*) from \"" + table[0] + "\"");
    EXPECT_EQ(stats.rows, rows);
    EXPECT_GT(stats.seconds, 0.0);
}

TEST(DemoGenerator, BadRequestsFailWithAMessage) {
    EXPECT_THROW(generateDemoDatabase(tempFile("zero.db"), DemoOptions{0, 1}), std::runtime_error);
    try {
        generateDemoDatabase("/nonexistent-folder/demo.db", DemoOptions{});
        FAIL() << "no error for a folder that does not exist";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent-folder/demo.db"), std::string::npos)
            << e.what();
    }
}

}  // namespace
}  // namespace morvane::demo::test
