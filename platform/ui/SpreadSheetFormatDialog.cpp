#include "platform/ui/SpreadSheetFormatDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace morvane::workbook;

namespace {

template <class W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QComboBox* BorderBox(QWidget* parent, const char* name) {
    auto* box = Named(new QComboBox(parent), name);
    box->addItems({QStringLiteral("不变"), QStringLiteral("无"), QStringLiteral("细线"),
                   QStringLiteral("粗线")});
    return box;
}

std::optional<BorderStyle> BorderChoice(const QComboBox* box) {
    switch (box->currentIndex()) {
        case 1:
            return BorderStyle::None;
        case 2:
            return BorderStyle::Thin;
        case 3:
            return BorderStyle::Medium;
        default:
            return std::nullopt;
    }
}

}  // namespace

TcxSpreadSheetFormatDialog::TcxSpreadSheetFormatDialog(const CellFormat& current, bool merged,
                                                       QWidget* parent)
    : TForm(parent), current_(current), merged_(merged) {
    SetCaption(QStringLiteral("设置单元格格式"));
    SetBorderStyle(morvane::ui::bsDialog);
    Pages = Named(new QTabWidget(this), "Pages");

    auto* numberPage = new QWidget(Pages);
    NumberFormat = Named(new QComboBox(numberPage), "NumberFormat");
    NumberFormat->setEditable(true);
    NumberFormat->addItems({QStringLiteral("General"), QStringLiteral("0"), QStringLiteral("0.00"),
                            QStringLiteral("#,##0"), QStringLiteral("#,##0.00"),
                            QStringLiteral("0%"), QStringLiteral("0.00%"), QStringLiteral("@"),
                            QStringLiteral("yyyy-mm-dd")});
    NumberFormat->setCurrentText(QString::fromStdString(current.numberFormat));
    auto* numberForm = new QFormLayout(numberPage);
    numberForm->addRow(QStringLiteral("数字格式："), NumberFormat);
    Pages->addTab(numberPage, QStringLiteral("数字"));

    auto* alignPage = new QWidget(Pages);
    HorizontalAlign = Named(new QComboBox(alignPage), "HorizontalAlign");
    HorizontalAlign->addItems({QStringLiteral("常规"), QStringLiteral("靠左"),
                               QStringLiteral("居中"), QStringLiteral("靠右")});
    HorizontalAlign->setCurrentIndex(static_cast<int>(current.halign));
    VerticalAlign = Named(new QComboBox(alignPage), "VerticalAlign");
    VerticalAlign->addItems(
        {QStringLiteral("靠上"), QStringLiteral("居中"), QStringLiteral("靠下")});
    VerticalAlign->setCurrentIndex(static_cast<int>(current.valign));
    WrapText = Named(new QCheckBox(QStringLiteral("自动换行"), alignPage), "WrapText");
    WrapText->setChecked(current.wrap);
    MergeCells = Named(new QCheckBox(QStringLiteral("合并单元格"), alignPage), "MergeCells");
    MergeCells->setChecked(merged);
    auto* alignForm = new QFormLayout(alignPage);
    alignForm->addRow(QStringLiteral("水平对齐："), HorizontalAlign);
    alignForm->addRow(QStringLiteral("垂直对齐："), VerticalAlign);
    alignForm->addRow(WrapText);
    alignForm->addRow(MergeCells);
    Pages->addTab(alignPage, QStringLiteral("对齐"));

    auto* fontPage = new QWidget(Pages);
    FontName = Named(new QFontComboBox(fontPage), "FontName");
    FontName->setEditable(true);
    FontName->setCurrentText(QString::fromStdString(current.font.name));
    FontSize = Named(new QDoubleSpinBox(fontPage), "FontSize");
    FontSize->setRange(1, 409);
    FontSize->setDecimals(1);
    FontSize->setValue(current.font.size);
    FontBold = Named(new QCheckBox(QStringLiteral("加粗"), fontPage), "FontBold");
    FontBold->setChecked(current.font.bold);
    FontItalic = Named(new QCheckBox(QStringLiteral("倾斜"), fontPage), "FontItalic");
    FontItalic->setChecked(current.font.italic);
    auto* fontForm = new QFormLayout(fontPage);
    fontForm->addRow(QStringLiteral("字体："), FontName);
    fontForm->addRow(QStringLiteral("字号："), FontSize);
    fontForm->addRow(FontBold);
    fontForm->addRow(FontItalic);
    Pages->addTab(fontPage, QStringLiteral("字体"));

    auto* borderPage = new QWidget(Pages);
    OutlineBorder = BorderBox(borderPage, "OutlineBorder");
    InsideBorder = BorderBox(borderPage, "InsideBorder");
    auto* borderForm = new QFormLayout(borderPage);
    borderForm->addRow(QStringLiteral("外边框："), OutlineBorder);
    borderForm->addRow(QStringLiteral("内部："), InsideBorder);
    Pages->addTab(borderPage, QStringLiteral("边框"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this,
            [this] { SetModalResult(morvane::ui::mrOk); });
    connect(buttons, &QDialogButtonBox::rejected, this,
            [this] { SetModalResult(morvane::ui::mrCancel); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addWidget(buttons);
}

FormatChange TcxSpreadSheetFormatDialog::Change() const {
    FormatChange c;
    const std::string code = NumberFormat->currentText().trimmed().toStdString();
    if (!code.empty() && code != current_.numberFormat)
        c.numberFormat = code;
    if (HorizontalAlign->currentIndex() != static_cast<int>(current_.halign))
        c.halign = static_cast<HAlign>(HorizontalAlign->currentIndex());
    if (VerticalAlign->currentIndex() != static_cast<int>(current_.valign))
        c.valign = static_cast<VAlign>(VerticalAlign->currentIndex());
    if (WrapText->isChecked() != current_.wrap)
        c.wrap = WrapText->isChecked();
    if (MergeCells->isChecked() != merged_)
        c.merge = MergeCells->isChecked();
    const std::string face = FontName->currentText().trimmed().toStdString();
    if (!face.empty() && face != current_.font.name)
        c.fontName = face;
    if (FontSize->value() != current_.font.size)
        c.fontSize = FontSize->value();
    if (FontBold->isChecked() != current_.font.bold)
        c.bold = FontBold->isChecked();
    if (FontItalic->isChecked() != current_.font.italic)
        c.italic = FontItalic->isChecked();
    c.outline = BorderChoice(OutlineBorder);
    c.inside = BorderChoice(InsideBorder);
    return c;
}
