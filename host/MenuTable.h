#pragma once
// The host's menu of report windows: family, window name, caption and rights list name, read
// from a tab-separated text file (lines starting with '#' are comments). The file
// morvane-menu.tsv beside the program overrides the copy built into the program.

#include <QString>
#include <vector>

namespace morvane::host {

struct MenuEntry {
    QString family;
    QString window;
    QString caption;
    QString listName;  // never empty: the caption when the file leaves it out
};

class MenuTable {
  public:
    // Parses the text. Throws std::runtime_error naming the line of a malformed row.
    static MenuTable Parse(const QString& text);
    // morvane-menu.tsv beside the running program if present, else the built-in copy.
    static MenuTable Load();

    const std::vector<MenuEntry>& Entries() const { return entries_; }
    // The entry of the window name (case-insensitive), or nullptr.
    const MenuEntry* Find(const QString& window) const;

  private:
    std::vector<MenuEntry> entries_;
};

}  // namespace morvane::host
