// AtomicFile: a target is replaced whole or not at all. Faults are injected through the
// environment, as the output tests of the programs inject them.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "platform/io/AtomicFile.h"

using morvane::io::AtomicFile;
using morvane::io::FileError;

namespace {

class Atomic : public ::testing::Test {
  protected:
    void TearDown() override { qunsetenv("MORVANE_TEST_WRITE_FAULT"); }
    QString Path(const QString& name) const { return dir.filePath(name); }
    static QByteArray Bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList Files() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QTemporaryDir dir;
};

TEST_F(Atomic, ReplacesTheTargetWholeAndKeepsItsPermissions) {
    const QString target = Path("r.tsv");
    morvane::io::WriteFileAtomically(target, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    {
        AtomicFile file(target);
        file.Write("new ");
        file.Write("text");
        EXPECT_EQ(Bytes(target), "old") << "nothing is visible before the commit";
        EXPECT_TRUE(QFile::exists(file.TemporaryPath()));
        EXPECT_EQ(QFileInfo(file.TemporaryPath()).absolutePath(), dir.path());
        file.Commit();
    }
    EXPECT_EQ(Bytes(target), "new text");
    EXPECT_EQ(Files(), QStringList{"r.tsv"});
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(Atomic, ALinkIsFollowedAndStaysALink) {
    morvane::io::WriteFileAtomically(Path("real.tsv"), "old");
    ASSERT_TRUE(QFile::link(Path("real.tsv"), Path("link.tsv")));
    ASSERT_TRUE(QFile::link(Path("link.tsv"), Path("link2.tsv")));
    morvane::io::WriteFileAtomically(Path("link2.tsv"), "new");
    EXPECT_TRUE(QFileInfo(Path("link.tsv")).isSymLink());
    EXPECT_TRUE(QFileInfo(Path("link2.tsv")).isSymLink());
    EXPECT_EQ(Bytes(Path("real.tsv")), "new");
}

TEST_F(Atomic, EveryFailureKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
    struct Case {
        const char* fault;  // MORVANE_TEST_WRITE_FAULT, "" for none
        bool commit;        // false: the writer gives up (an exception elsewhere)
        const char* reason;
    };
    const Case cases[] = {
        {"write:0", true, "No space left on device"},
        {"write:5", true, "No space left on device"},  // inside the second write
        {"write:4", true, "No space left on device"},  // exactly at its first byte
        {"close:0", true, "Input/output error"},
        {"close:8", true, "Input/output error"},
        {"", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const QString target = Path("book.xlsx");
        morvane::io::WriteFileAtomically(target, "earlier");
        qputenv("MORVANE_TEST_WRITE_FAULT", c.fault);
        std::string error;
        try {
            AtomicFile file(target);
            file.Write("1234");
            file.Write("5678");
            if (c.commit)
                file.Commit();
        } catch (const FileError& e) {
            error = e.what();
        }
        qunsetenv("MORVANE_TEST_WRITE_FAULT");
        if (c.reason)
            EXPECT_EQ(error, "cannot write " + target.toStdString() + ": " + c.reason);
        else
            EXPECT_EQ(error, "");
        EXPECT_EQ(Bytes(target), "earlier");
        EXPECT_EQ(Files(), QStringList{"book.xlsx"});
    }
    // A fault beyond the file's size lets it through.
    qputenv("MORVANE_TEST_WRITE_FAULT", "close:9");
    morvane::io::WriteFileAtomically(Path("book.xlsx"), "12345678");
    EXPECT_EQ(Bytes(Path("book.xlsx")), "12345678");
}

TEST_F(Atomic, AFailedWriteThroughTheDeviceIsKeptForTheCommit) {
    qputenv("MORVANE_TEST_WRITE_FAULT", "write:3");
    AtomicFile file(Path("p.pdf"));
    EXPECT_EQ(file.Device().write("ab", 2), 2);
    EXPECT_EQ(file.Device().write("cd", 2), -1);
    EXPECT_THROW(file.CheckWrites(), FileError);
    EXPECT_THROW(file.Commit(), FileError);
    EXPECT_FALSE(QFile::exists(Path("p.pdf")));
}

TEST_F(Atomic, FoldersThatCannotTakeTheFileFailBeforeAnyWrite) {
    EXPECT_THROW(AtomicFile(Path("missing/r.tsv")), FileError);
    QDir(dir.path()).mkdir("sub");
    try {
        AtomicFile file(Path("sub"));
        ADD_FAILURE() << "a folder was taken for a file";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "cannot write " + Path("sub").toStdString() + ": it is a folder");
    }
    EXPECT_EQ(Files(), QStringList());
}

}  // namespace
