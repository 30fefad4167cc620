#pragma once
// The goods category box com_sort ("大类名称："): an editable combo box listing the labels users
// know the goods table's category columns by (ba_fieldremark), and the resolution of the
// chosen label to the column of goods a statement groups by.
//
// The label is text the user may type. It reaches SQL only as a quoted literal, and a label
// that names no column of goods stops the get data with a message: no statement is ever built
// with a column name that goods does not have.

#include <QString>

class QComboBox;
class TRemoteUdpDataSet;

namespace morvane::framework {

// The labels offered: every visible goods column, in fid order.
extern const QString kCategoryLabelsSQL;
// The same without brand, year and season (fid 1002 to 1004).
extern const QString kCategoryLabelsNoBrandSQL;

// Opens `listSql` on `scratch` and fills `box` with the rows' fFieldremark, first to last; the
// item `preselect` is then selected when there is one, otherwise nothing is.
void FillCategoryBox(QComboBox* box, TRemoteUdpDataSet* scratch, const QString& listSql,
                     const QString& preselect = QString());

// The goods column that the box's text names, looked up on `scratch`, for a get data. A null
// text when the get data must stop: the box is empty ("请选择大类名称"), or its label has no row
// in ba_fieldremark or a row whose column goods does not have; the user has then been told
// (caption "系统提示") and the focus is in the box.
QString ChosenCategoryColumn(QComboBox* box, TRemoteUdpDataSet* scratch);

}  // namespace morvane::framework
