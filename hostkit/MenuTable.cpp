#include "hostkit/MenuTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <stdexcept>

#include "entry/WindowTable.h"

namespace morvane::host {

MenuTable MenuTable::Parse(const QString& listNames) {
    QHash<QString, QString> lists;  // lower-cased window name -> list name
    const QStringList lines = listNames.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList cells = line.split('\t');
        const auto where = "menu table line " + std::to_string(i + 1);
        if (cells.size() > 2 || cells[0].isEmpty())
            throw std::runtime_error(where + ": needs a window name and a list name");
        if (entry::FindWindowRow(cells[0]) < 0)
            throw std::runtime_error(where + ": no window " + cells[0].toStdString());
        lists.insert(cells[0].toLower(), cells.value(1));
    }

    std::vector<QString> families;
    for (const entry::TWindowRow& row : entry::WindowTable()) {
        const QString family = QString::fromUtf8(row.family);
        if (std::find(families.begin(), families.end(), family) == families.end())
            families.push_back(family);
    }
    MenuTable table;
    for (const QString& family : families) {
        for (const entry::TWindowRow& row : entry::WindowTable()) {
            if (QString::fromUtf8(row.family) != family)
                continue;
            MenuEntry e{family, QString::fromLatin1(row.name), QString::fromUtf8(row.caption),
                        lists.value(QString::fromLatin1(row.name).toLower())};
            if (e.listName.isEmpty())
                e.listName = e.caption;
            table.entries_.push_back(e);
        }
    }
    return table;
}

MenuTable MenuTable::Load() {
    QFile beside(QDir(QCoreApplication::applicationDirPath()).filePath("morvane-menu.tsv"));
    QFile builtIn(QStringLiteral(":/morvane/morvane-menu.tsv"));
    QFile& file = beside.exists() ? beside : builtIn;
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read the menu table " + file.fileName().toStdString());
    }
    return Parse(QString::fromUtf8(file.readAll()));
}

const MenuEntry* MenuTable::Find(const QString& window) const {
    for (const MenuEntry& e : entries_) {
        if (e.window.compare(window, Qt::CaseInsensitive) == 0)
            return &e;
    }
    return nullptr;
}

}  // namespace morvane::host
