#pragma once
// The plug-in's window table: the 43 window names in the order CreateDLLForm tests them, and
// the dispatch from a name to its window through the window class registered for the row.

#include <QString>
#include <span>
#include <vector>

class Tbase_frm;

namespace morvane::entry {

// The window names, in table order.
std::span<const char* const> WindowNames();
// Index of the first row whose name equals the name lower-cased (case-insensitive), or -1.
int FindWindowRow(const QString& windowName);
struct TWindowListing {
    QString name;     // as the table lists it
    QString caption;  // the registered window class's design caption
};
// The rows whose window class is part of this build, in table order.
std::vector<TWindowListing> RegisteredWindows();

// The open window of the row, or a new one: constructed, placed in the host's MDI area (an
// MDI child), created (its creation handlers run; a failure is shown and the window stays),
// shown, and stored in the row's instance variable. nullptr when no window class is
// registered for the row.
Tbase_frm* OpenWindowRow(int row);

}  // namespace morvane::entry
