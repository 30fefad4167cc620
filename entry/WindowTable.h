#pragma once
// The plug-in's window table: the 43 report windows in the order CreateDLLForm tests their
// names. This table is the one list of windows: the dispatch, the demo host's menu, the demo
// data's rights rows, the command-line tool and the tests all read it.
//
// A row's window name is also the name of the instance variable that holds the open window
// (frm_OLAPSaleMonth holds the Tfrm_OLAPSaleMonth window); the report unit of the class defines
// that variable when it registers the class (forms/WindowClasses.h).

#include <QString>
#include <span>

namespace morvane::entry {

struct TWindowRow {
    const char* name;       // the name the host passes to CreateDLLForm; the instance variable
    const char* className;  // the window class
    const char* caption;    // the window's caption; the demo's rights lists are named after it
    const char* family;     // the menu group the demo host files it under
};

// The rows, in table order.
std::span<const TWindowRow> WindowTable();
// Index of the first row whose name equals the name lower-cased (case-insensitive), or -1.
int FindWindowRow(const QString& windowName);

}  // namespace morvane::entry
