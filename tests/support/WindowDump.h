#pragma once
// A window rendered as text, to be compared once with a golden file: its caption, the named
// controls the user sees (with their texts, states and ranges), its actions and, for every
// pivot grid, the fields of each area and the grid options that shape the layout. A test of a
// window's design compares this dump instead of restating the design line by line.

#include <QString>

class Tbase_frm;

namespace morvane::test {

QString DumpWindow(Tbase_frm* window);

}  // namespace morvane::test
