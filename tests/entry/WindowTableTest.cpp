// The window table is the one list of windows: every report unit built into the plug-in is a
// row of it under its own class, the host's list names follow it, and every built window
// opens through the export with the row's caption and frees its row when it closes.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QMdiSubWindow>
#include <QPointer>

#include "entry/Dispatch.h"
#include "entry/Morvane.h"
#include "entry/WindowTable.h"
#include "forms/WindowClasses.h"
#include "forms/unt_basefrm.h"
#include "hostkit/MenuTable.h"
#include "session/totalpub1.h"
#include "tests/support/SpineFixture.h"

namespace {

TEST(WindowTable, EveryRegisteredUnitIsARowOfTheTableUnderItsClass) {
    const auto table = morvane::entry::WindowTable();
    ASSERT_EQ(table.size(), 43u);
    ASSERT_FALSE(morvane::forms::WindowClasses().empty());
    for (const morvane::forms::TWindowClass* cls : morvane::forms::WindowClasses()) {
        const int row = morvane::entry::FindWindowRow(cls->name);
        ASSERT_GE(row, 0) << cls->name.toStdString() << " is no row of the window table";
        EXPECT_EQ(cls->className, QString::fromLatin1(table[std::size_t(row)].className))
            << cls->name.toStdString();
    }
}

TEST(WindowTable, TheHostsListNamesFollowTheTableAndTheMenuHasEveryBuiltWindow) {
    QFile tsv(QStringLiteral(MORVANE_MENU_TSV));
    ASSERT_TRUE(tsv.open(QIODevice::ReadOnly));
    QStringList listed;
    for (const QString& line : QString::fromUtf8(tsv.readAll()).split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            listed << line.section('\t', 0, 0);
    }
    QStringList rows;
    for (const morvane::entry::TWindowRow& r : morvane::entry::WindowTable())
        rows << QString::fromLatin1(r.name);
    EXPECT_EQ(listed, rows) << "morvane-menu.tsv must list the table's rows in table order";

    const morvane::host::MenuTable menu = morvane::host::MenuTable::Load();
    for (const morvane::entry::TWindowListing& w : morvane::entry::RegisteredWindows()) {
        const morvane::host::MenuEntry* e = menu.Find(w.name);
        ASSERT_NE(e, nullptr) << w.name.toStdString() << " is missing from the menu";
        EXPECT_EQ(e->caption, w.caption);
    }
}

TEST(WindowTable, EveryBuiltWindowOpensOnceWithItsCaptionAndFreesItsRowOnClose) {
    morvane::session::ResetSession();
    auto host = std::make_unique<morvane::test::SpineHost>(morvane::test::DemoDb(), &CreateDLLForm);
    for (const morvane::entry::TWindowListing& listing : morvane::entry::RegisteredWindows()) {
        SCOPED_TRACE(listing.name.toStdString());
        const morvane::forms::TWindowClass* cls = morvane::entry::WindowClassOf(listing.name);
        const QString caption = QString::fromUtf8(
            morvane::entry::WindowTable()[std::size_t(morvane::entry::FindWindowRow(listing.name))]
                .caption);
        auto* w = qobject_cast<Tbase_frm*>(host->Open(listing.name, "001", caption));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->Caption(), caption);
        EXPECT_EQ(cls->instance(), w);
        EXPECT_EQ(host->Open(listing.name.toUpper(), "001", caption), w);
        EXPECT_TRUE(host->errors.messages.isEmpty())
            << host->errors.messages.join('\n').toStdString();
        QPointer<QWidget> guard(w);
        qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(guard.isNull());
        EXPECT_EQ(cls->instance(), nullptr);
    }
    host.reset();
    morvane::session::ResetSession();
}

}  // namespace
