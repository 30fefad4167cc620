#pragma once
// Shared by the pivot grid and print tests: field placement and a Qt main.
#include "platform/ui/PivotGrid.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <initializer_list>

inline QString u(const char* s) {
    return QString::fromUtf8(s);
}

// Puts the named fields in the row, column and data areas, in that order.
inline void place(TcxDBPivotGrid& grid, std::initializer_list<const char*> rows,
                  std::initializer_list<const char*> columns,
                  std::initializer_list<const char*> data) {
    for (const char* n : rows)
        grid.SetFieldArea(u(n), morvane::pivot::Area::Row);
    for (const char* n : columns)
        grid.SetFieldArea(u(n), morvane::pivot::Area::Column);
    for (const char* n : data)
        grid.SetFieldArea(u(n), morvane::pivot::Area::Data);
}

inline int runQtTests(int argc, char** argv) {
    // Test discovery runs the binary outside CTest's environment too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
