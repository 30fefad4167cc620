// The spreadsheet program: it opens both formats (converted to CSV) and our
// reader loads the .xls it saves. Skipped when LibreOffice is not installed.
#include "WorkbookTestSupport.h"

#include "platform/workbook/WorkbookFile.h"
#include "platform/workbook/XlsReader.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace morvane::workbook {
namespace {

using namespace test;

class LibreOffice : public TempFolderTest {
  protected:
    void SetUp() override {
        soffice = sofficePath();
        if (soffice.isEmpty())
            GTEST_SKIP() << "soffice not installed (Debian package libreoffice-calc-nogui)";
    }
    // Converts `file` with the given filter into the temporary folder and
    // returns the new file's path.
    QString convert(const QString& file, const QString& filter, const QString& suffix) {
        QProcess p;
        p.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath("profile"),
                          QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                          QStringLiteral("--outdir"), dir.filePath("out"), file});
        EXPECT_TRUE(p.waitForFinished(180000));
        const QString base = QFileInfo(file).completeBaseName();
        const QString out = dir.filePath("out/" + base + "." + suffix);
        EXPECT_TRUE(QFile::exists(out)) << p.readAllStandardError().toStdString();
        return out;
    }
    QString soffice;
};

QString csv(const Sheet& s) {
    return renderSheet(s, QLatin1Char(','), false);
}

Workbook plainWorkbook() {
    Workbook wb;
    Sheet& s = wb.addSheet(QStringLiteral("表"));
    s.setText(0, 0, QStringLiteral("货号"));
    s.setText(0, 1, QStringLiteral("数量"));
    s.setText(0, 2, QStringLiteral("金额"));
    for (int r = 1; r < 40; ++r) {
        s.setText(r, 0, QStringLiteral("A%1").arg(r));
        s.setNumber(r, 1, r % 5 == 0 ? 0 : r);
        s.setNumber(r, 2, r * 0.25);
    }
    s.merge({40, 0, 40, 2});
    s.setText(40, 0, QStringLiteral("合计"));
    return wb;
}

TEST_F(LibreOffice, OpensBothFormatsWithTheSameValues) {
    const Workbook wb = plainWorkbook();
    // Utf-8, comma-separated, no quotes around texts.
    const QString filter = QStringLiteral("csv:Text - txt - csv (StarCalc):44,,76,1");
    for (const char* name : {"plain.xls", "plain.xlsx"}) {
        SCOPED_TRACE(name);
        saveWorkbook(wb, dir.filePath(name));
        QFile f(convert(dir.filePath(name), filter, QStringLiteral("csv")));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QString got = QString::fromUtf8(f.readAll());
        got.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_EQ(got, csv(wb.sheet(0)));
        QFile::remove(f.fileName());
    }
}

TEST_F(LibreOffice, OurReaderLoadsTheXlsItSaves) {
    const Workbook wb = plainWorkbook();
    saveWorkbook(wb, dir.filePath("edited.xlsx"));
    const QString saved = convert(dir.filePath("edited.xlsx"), QStringLiteral("xls:MS Excel 97"),
                                  QStringLiteral("xls"));
    const Workbook back = readXls(saved);
    ASSERT_EQ(back.sheetCount(), 1);
    EXPECT_EQ(csv(back.sheet(0)), csv(wb.sheet(0)));
    EXPECT_EQ(back.sheet(0).merges(), wb.sheet(0).merges());
}

}  // namespace
}  // namespace morvane::workbook
