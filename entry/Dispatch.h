#pragma once
// Opening a row of the window table: the registered window class of the row, given the row's
// caption, constructed, placed in the host's MDI area, created and kept in the row's instance
// variable.

#include <QString>
#include <vector>

class Tbase_frm;

namespace morvane::forms {
struct TWindowClass;
}

namespace morvane::entry {

// The window class registered for the row, with the row's caption unless the registration
// gave its own; nullptr when no class of the row is part of this build.
forms::TWindowClass* WindowClassOfRow(int row);
// The same by window name (case-insensitive); nullptr also for a name the table lacks.
forms::TWindowClass* WindowClassOf(const QString& windowName);

struct TWindowListing {
    QString name;     // as the table lists it
    QString caption;  // the caption the window opens with
};
// The rows whose window class is part of this build, in table order.
std::vector<TWindowListing> RegisteredWindows();

// The open window of the row, or a new one: constructed, placed in the host's MDI area (an
// MDI child), created (its creation handlers run; a failure is shown and the window stays),
// shown, and stored in the row's instance variable. nullptr when no window class is
// registered for the row.
Tbase_frm* OpenWindowRow(int row);

}  // namespace morvane::entry
