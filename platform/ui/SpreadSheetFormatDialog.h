#pragma once
// The format-cells dialog of the spreadsheet book ("设置单元格格式"): pages for the number
// format, the alignment (with merging), the font and the borders of the selection. It starts
// from the format of the selection's top-left cell; Change() gives only what the user changed,
// so that the other attributes of every selected cell stay as they are.

#include "platform/ui/TForm.h"
#include "platform/workbook/CellFormat.h"
#include "platform/workbook/FormatChange.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLineEdit;
class QTabWidget;

class TcxSpreadSheetFormatDialog : public morvane::ui::TForm {
    Q_OBJECT
  public:
    // `merged`: the selection is exactly one merged range.
    TcxSpreadSheetFormatDialog(const morvane::workbook::CellFormat& current, bool merged,
                               QWidget* parent = nullptr);

    morvane::workbook::FormatChange Change() const;

    QTabWidget* Pages;
    QComboBox* NumberFormat;  // editable: a code of one's own may be typed
    QComboBox* HorizontalAlign;
    QComboBox* VerticalAlign;
    QCheckBox* WrapText;
    QCheckBox* MergeCells;
    QFontComboBox* FontName;
    QDoubleSpinBox* FontSize;
    QCheckBox* FontBold;
    QCheckBox* FontItalic;
    // Entries: 不变 (unchanged), 无, 细线, 粗线.
    QComboBox* OutlineBorder;
    QComboBox* InsideBorder;

  private:
    morvane::workbook::CellFormat current_;
    bool merged_;
};
