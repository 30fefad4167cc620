#include "tests/support/WindowDump.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTextStream>

#include "forms/unt_basefrm.h"
#include "framework/PivotWindow.h"
#include "platform/pivot/PivotEngine.h"
#include "platform/pivot/PivotField.h"
#include "platform/ui/PivotGrid.h"

namespace morvane::test {

namespace {

QString Quote(const QString& text) {
    return '"' + text + '"';
}

QString Describe(QWidget* w) {
    QString d = QString::fromLatin1(w->metaObject()->className());
    if (auto* box = qobject_cast<QGroupBox*>(w))
        d += ' ' + Quote(box->title());
    else if (auto* label = qobject_cast<QLabel*>(w))
        d += ' ' + Quote(label->text());
    else if (auto* check = qobject_cast<QCheckBox*>(w))
        d += ' ' + Quote(check->text()) + (check->isChecked() ? " checked" : " unchecked");
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        d += ' ' + Quote(button->text());
    else if (auto* date = qobject_cast<QDateEdit*>(w))
        d += ' ' + date->displayFormat();
    else if (auto* spin = qobject_cast<QSpinBox*>(w))
        d += QStringLiteral(" %1..%2").arg(spin->minimum()).arg(spin->maximum());
    else if (auto* combo = qobject_cast<QComboBox*>(w))
        d += combo->isEditable() ? QStringLiteral(" editable") : QString();
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
        d += ' ' + Quote(edit->text()) + (edit->isReadOnly() ? " read-only" : "");
    if (!w->isEnabled())
        d += QStringLiteral(" disabled");
    return d;
}

QString FieldsIn(pivot::PivotEngine& engine, pivot::Area area) {
    QStringList names;
    for (const pivot::PivotField* f : engine.fieldsInArea(area))
        names << f->name();
    return names.isEmpty() ? QString() : ' ' + names.join(QStringLiteral(" | "));
}

}  // namespace

QString DumpWindow(Tbase_frm* window) {
    QString text;
    QTextStream out(&text);
    out << "window " << Quote(window->Caption()) << " " << window->metaObject()->className()
        << "\n";
    out << "controls:\n";
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) ||
            !w->isVisibleTo(window))
            continue;
        if (qobject_cast<TcxDBPivotGrid*>(w))
            continue;
        out << "  " << w->objectName() << ' ' << Describe(w) << "\n";
    }
    out << "actions:\n";
    for (QAction* a : window->findChildren<QAction*>()) {
        if (a->objectName().isEmpty())
            continue;
        out << "  " << a->objectName() << ' ' << Quote(a->text())
            << (a->isEnabled() ? "" : " disabled") << "\n";
    }
    for (TcxDBPivotGrid* grid : window->findChildren<TcxDBPivotGrid*>()) {
        pivot::PivotEngine& e = grid->ViewData();
        out << "pivot " << grid->objectName() << ":\n";
        out << "  rows:" << FieldsIn(e, pivot::Area::Row) << "\n";
        out << "  columns:" << FieldsIn(e, pivot::Area::Column) << "\n";
        out << "  data:" << FieldsIn(e, pivot::Area::Data) << "\n";
        out << "  filter:" << FieldsIn(e, pivot::Area::Filter) << "\n";
        const TcxPivotGridOptionsDataField data = grid->OptionsDataField();
        out << "  filter area: " << (grid->OptionsView().FilterFields ? "on" : "off")
            << "; data captions: " << (data.Area == dfaRow ? "rows" : "columns") << " level "
            << data.AreaIndex << " under " << Quote(data.Caption) << "\n";
    }
    if (auto* report = qobject_cast<Tbase_PivotWindow*>(window)) {
        const TPivotDesign& d = report->Design();
        out << "design: fields "
            << (d.fields == TPivotDesign::Kept ? "kept across runs" : "made anew at every run")
            << "; share cells " << (d.shareCells ? "painted" : "plain") << "\n";
    }
    return text;
}

}  // namespace morvane::test
