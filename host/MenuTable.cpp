#include "host/MenuTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <stdexcept>

namespace morvane::host {

MenuTable MenuTable::Parse(const QString& text) {
    MenuTable table;
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList cells = line.split('\t');
        if (cells.size() < 3 || cells[1].isEmpty() || cells[2].isEmpty()) {
            throw std::runtime_error("menu table line " + std::to_string(i + 1) +
                                     ": needs family, window name and caption");
        }
        MenuEntry e{cells[0], cells[1], cells[2], cells.value(3)};
        if (e.listName.isEmpty())
            e.listName = e.caption;
        table.entries_.push_back(e);
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
