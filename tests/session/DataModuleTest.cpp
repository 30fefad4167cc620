// TAnalyse_Dm: settings files, size count and the order in which a failure stops loading.

#include <gtest/gtest.h>

#include "platform/ui/TcxStyle.h"
#include "session/Analyse_Dm1.h"
#include "session/totalpub1.h"
#include "tests/support/SpineFixture.h"

using morvane::test::ExecOnFile;
using morvane::test::SpineHost;
namespace ui = morvane::ui;

namespace {

class DataModule : public ::testing::Test {
  protected:
    void SetUp() override {
        morvane::session::ResetSession();
        pub_connection = host.connection.get();
        pub_userno = "U1";
    }
    void TearDown() override { morvane::session::ResetSession(); }

    // Creates a module as CreateDLLForm does and returns whether its creation succeeded.
    bool Load() {
        Analyse_Dm = new TAnalyse_Dm(host.app->Owner());
        return Analyse_Dm->Create();
    }
    void Exec(const std::string& sql) { ExecOnFile(host.DbFile(), sql); }

    SpineHost host;
};

}  // namespace

TEST_F(DataModule, WithoutSettingsFilesDefaultColourAndNoSizes) {
    Exec("insert into ba_size values('A','S',1),('A','M',2)");
    ASSERT_TRUE(Load());
    ASSERT_NE(pub_gridstyle, nullptr);
    EXPECT_EQ(pub_gridstyle->Color(), 0x00E8F3D3);
    EXPECT_EQ(pub_gridstyle->QtColor(), QColor(0xD3, 0xF3, 0xE8));
    EXPECT_EQ(pub_fontsize, 0);
    EXPECT_EQ(pub_sizecount, 0);  // softconfig.ini decides whether ba_size is read
    EXPECT_TRUE(pub_clientall);
    EXPECT_EQ(pub_gridstyle->parent(), host.app->Owner());
}

TEST_F(DataModule, ColourNameAndHexValueGiveTheSameColour) {
    host.WriteProgramFile("colorConfig.ini", "[fcolor]\nfRzbutcolor=clInfoBk\n");
    ASSERT_TRUE(Load());
    const auto byName = pub_gridstyle->Color();
    delete Analyse_Dm;
    host.WriteProgramFile("colorConfig.ini", "[FCOLOR]\nfrzbutcolor=$FF000018\n");
    ASSERT_TRUE(Load());
    EXPECT_EQ(pub_gridstyle->Color(), byName);

    delete Analyse_Dm;
    host.WriteProgramFile("colorConfig.ini", "[fcolor]\nfRzbutcolor=clWhite\n");
    ASSERT_TRUE(Load());
    EXPECT_EQ(pub_gridstyle->Color(), 0x00FFFFFF);
}

TEST_F(DataModule, MissingKeyKeepsTheDefaultColour) {
    host.WriteProgramFile("colorConfig.ini", "[fcolor]\nother=clRed\n");
    ASSERT_TRUE(Load());
    EXPECT_EQ(pub_gridstyle->Color(), 0x00E8F3D3);
}

TEST_F(DataModule, UnreadableColourStopsLoadingAndIsShown) {
    host.WriteProgramFile("colorConfig.ini", "[fcolor]\nfRzbutcolor=lightblue\n");
    host.WriteProgramFile("softconfig.ini", "[config]\nfontsize=12\n");
    Exec("insert into ba_size values('A','S',1)");
    EXPECT_FALSE(Load());
    ASSERT_EQ(host.errors.messages.size(), 1);
    EXPECT_EQ(host.errors.messages[0], "'lightblue' is not a valid integer value");
    ASSERT_NE(Analyse_Dm, nullptr);  // the module still counts as created
    EXPECT_EQ(pub_fontsize, 0);
    EXPECT_EQ(pub_sizecount, 0);
    EXPECT_FALSE(pub_clientall);  // the scope was never read
    EXPECT_TRUE(host.Statements().empty());
}

TEST_F(DataModule, FontSizeFromSoftconfig) {
    const std::pair<QByteArray, int> cases[] = {
        {"[config]\nfontsize=12\n", 12},
        {"[config]\nfontsize=abc\n", 10},
        {"[config]\n", 10},
        {"", 10},
    };
    for (const auto& [text, expected] : cases) {
        host.WriteProgramFile("softconfig.ini", text);
        pub_fontsize = -1;
        ASSERT_TRUE(Load());
        EXPECT_EQ(pub_fontsize, expected) << text.toStdString();
        delete Analyse_Dm;
    }
}

TEST_F(DataModule, SizeCountFromTheSizeTable) {
    host.WriteProgramFile("softconfig.ini", "[config]\nfontsize=9\n");
    const std::pair<const char*, int> cases[] = {
        {"", 0},
        {"insert into ba_size values('A','F',null);", 0},
        {"insert into ba_size values('A','F',1);", 1},
        {"insert into ba_size values('A','S',1),('A','M',2),('B','L',5),('B','XL',null);", 5},
    };
    for (const auto& [rows, expected] : cases) {
        Exec(std::string("delete from ba_size;") + rows);
        pub_sizecount = -1;
        ASSERT_TRUE(Load());
        EXPECT_EQ(pub_sizecount, expected) << rows;
        delete Analyse_Dm;
    }
    EXPECT_EQ(host.Statements()[0], "select max(displayindex) as scount from ba_size");
}

TEST_F(DataModule, AServerErrorInTheSizeQueryEndsLoadingBeforeTheScope) {
    host.WriteProgramFile("softconfig.ini", "[config]\nfontsize=11\n");
    Exec("drop table ba_size");
    EXPECT_FALSE(Load());
    ASSERT_EQ(host.errors.messages.size(), 1);
    EXPECT_TRUE(host.errors.messages[0].contains("ba_size"))
        << host.errors.messages[0].toStdString();
    EXPECT_EQ(pub_fontsize, 11);
    EXPECT_FALSE(pub_clientall);
    EXPECT_EQ(host.Statements().size(), 1u);
}
