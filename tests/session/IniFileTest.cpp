#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "session/IniFile.h"

namespace {

QString write(QTemporaryDir& dir, const QByteArray& text) {
    const QString path = dir.filePath("x.ini");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

}  // namespace

TEST(IniFile, FindsKeysWithoutRegardToCaseAndSection) {
    QTemporaryDir dir;
    const TIniFile ini(write(dir,
                             "; comment\r\n[FColor]\r\nFRZBUTCOLOR = clInfoBk \r\n"
                             "[config]\nfontsize=\"12\"\nempty=\n[other]\nfontsize=99\n"));
    EXPECT_EQ(ini.ReadString("fcolor", "fRzbutcolor", "d"), "clInfoBk");
    EXPECT_EQ(ini.ReadString("CONFIG", "FontSize", "d"), "12");
    EXPECT_EQ(ini.ReadString("config", "empty", "d"), "");
    EXPECT_EQ(ini.ReadString("config", "missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("nosection", "fontsize", "d"), "d");
}

TEST(IniFile, MissingFileReadsDefaults) {
    const TIniFile ini("/nonexistent/folder/colorConfig.ini");
    EXPECT_EQ(ini.ReadString("fcolor", "fRzbutcolor", "$00E8F3D3"), "$00E8F3D3");
}
