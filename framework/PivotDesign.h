#pragma once
// A report window's pivot written as a table: the fields of each area in their order, and the
// grid options that go with them. The base window lays the pivot out from it; a window states
// its pivot once, here, and nowhere else.

#include <QStringList>

struct TPivotDesign {
    // Result columns by area, in their order. Every field's caption is its column name.
    QStringList rows;
    QStringList columns;
    QStringList data;
    QStringList filter;

    enum TFields {
        // The fields are made anew from the result's columns at every get data and placed as
        // listed here: what the user rearranged in the last result is not kept.
        Recreated,
        // The listed fields are made once, when the window is built, and survive new results
        // with whatever arrangement the user gave them.
        Kept,
    };
    // Recreated fields of columns not listed above go to the filter area, the grid's default
    // place, from where the user can drag them in (unseen while the filter area is off).
    TFields fields = Recreated;

    bool filterArea = true;   // false: the grid's filter area is switched off
    bool dataInRows = false;  // where the captions of several data fields go (header "项目")
    int dataAreaIndex = -1;   // their level among that area's fields; -1: innermost
    // false: data cells are drawn the grid's default way, without the share rule of "比例".
    bool shareCells = true;
};
