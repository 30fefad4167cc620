#pragma once
// The host's menu of report windows: the plug-in's window table grouped by family (families in
// the order they first appear, windows in table order), each with the rights list name the
// host passes when it opens the window. The list names come from morvane-menu.tsv, one line
// "window name<TAB>list name" per table row (lines starting with '#' are comments); the file
// beside the program overrides the copy built into the program.

#include <QString>
#include <vector>

namespace morvane::host {

struct MenuEntry {
    QString family;
    QString window;
    QString caption;
    QString listName;  // never empty: the caption when the file gives none
};

class MenuTable {
  public:
    // The menu with the list names of the text. Throws std::runtime_error naming the line of
    // a malformed row or of a window the table lacks.
    static MenuTable Parse(const QString& listNames);
    // With morvane-menu.tsv beside the running program if present, else the built-in copy.
    static MenuTable Load();

    const std::vector<MenuEntry>& Entries() const { return entries_; }
    // The entry of the window name (case-insensitive), or nullptr.
    const MenuEntry* Find(const QString& window) const;

  private:
    std::vector<MenuEntry> entries_;
};

}  // namespace morvane::host
