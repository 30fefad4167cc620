#include "hostkit/WindowDriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <stdexcept>

#include "platform/io/AtomicFile.h"

namespace morvane::host {

namespace {

[[noreturn]] void fail(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

}  // namespace

WindowDriver::WindowDriver(QWidget* window, ScriptedRunner& runner)
    : window_(window), runner_(runner) {}

namespace {

bool IsPicker(const QWidget* w) {
    return w->metaObject()->indexOfMethod("PressButton(int)") >= 0;
}

// What Set or Pick can reach: a named control of a kind they know (Qt's own inner parts, such
// as a spin box's line edit, have no name or a "qt_" one).
bool Settable(const QWidget* w) {
    const QString name = w->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        return false;
    if (auto* box = qobject_cast<const QAbstractButton*>(w))
        return box->isCheckable();
    return qobject_cast<const QDateTimeEdit*>(w) || qobject_cast<const QSpinBox*>(w) ||
           qobject_cast<const QDoubleSpinBox*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QLineEdit*>(w);
}

}  // namespace

// The names the error of an unknown control lists, so that the user sees the right ones.
[[noreturn]] static void failUnknown(const QWidget* window, const QString& name) {
    QStringList names;
    for (const WindowDriver::ControlInfo& c : WindowDriver::ControlsOf(window))
        names << c.name;
    fail("the window has no control '" + name + "'; it has: " + names.join(", "));
}

QWidget* WindowDriver::control(const QString& name) const {
    if (!window_)
        fail("the window is closed");
    auto* w = window_->findChild<QWidget*>(name);
    if (!w)
        failUnknown(window_, name);
    return w;
}

std::vector<WindowDriver::ControlInfo> WindowDriver::Controls() const {
    return window_ ? ControlsOf(window_) : std::vector<ControlInfo>();
}

std::vector<WindowDriver::ControlInfo> WindowDriver::ControlsOf(const QWidget* window) {
    std::vector<ControlInfo> out;
    // Tab order: the order the user meets the controls in.
    QList<QWidget*> order;
    QWidget* first = window->nextInFocusChain();
    for (QWidget* w = first; w && w != window; w = w->nextInFocusChain()) {
        order << w;
        if (w->nextInFocusChain() == first)
            break;
    }
    for (QWidget* w : window->findChildren<QWidget*>())
        if (!order.contains(w))
            order << w;
    for (QWidget* w : order) {
        if (!window->isAncestorOf(w) || !Settable(w) || !w->isVisibleTo(window))
            continue;
        ControlInfo c;
        c.name = w->objectName();
        if (IsPicker(w)) {
            c.kind = QStringLiteral("picker");
            c.value = static_cast<QLineEdit*>(w)->text();
        } else if (auto* box = qobject_cast<QAbstractButton*>(w)) {
            c.kind = QStringLiteral("check 0|1");
            c.value = box->isChecked() ? "1" : "0";
        } else if (auto* date = qobject_cast<QDateTimeEdit*>(w)) {
            c.kind = QStringLiteral("date YYYY-MM-DD");
            c.value = date->date().toString(QStringLiteral("yyyy-MM-dd"));
        } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
            c.kind = QStringLiteral("number %1..%2").arg(spin->minimum()).arg(spin->maximum());
            c.value = QString::number(spin->value());
        } else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(w)) {
            c.kind = QStringLiteral("number %1..%2").arg(dspin->minimum()).arg(dspin->maximum());
            c.value = QString::number(dspin->value());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            c.kind = combo->isEditable() ? QStringLiteral("text") : "choice " + items.join('|');
            c.value = combo->currentText();
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            c.kind = QStringLiteral("text");
            c.value = edit->text();
        }
        if (!w->isEnabled())
            c.kind += QStringLiteral(" (disabled)");
        out.push_back(c);
    }
    return out;
}

void WindowDriver::Set(const QString& name, const QString& value) {
    if (!window_)
        fail("the window is closed");
    SetControl(window_, name, value);
}

void SetControl(QWidget* window, const QString& name, const QString& value) {
    QWidget* w = window->findChild<QWidget*>(name);
    if (!w)
        failUnknown(window, name);
    if (auto* box = qobject_cast<QAbstractButton*>(w); box && box->isCheckable()) {
        if (value != "0" && value != "1")
            fail(name + " takes 0 or 1, not '" + value + "'");
        const bool wanted = value == "1";
        if (box->isChecked() != wanted)
            box->click();
        if (box->isChecked() != wanted)
            fail(name + " cannot be changed (disabled)");
    } else if (auto* date = qobject_cast<QDateTimeEdit*>(w)) {
        const QDate d = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
        if (!d.isValid())
            fail(name + " takes a date YYYY-MM-DD, not '" + value + "'");
        if (d < date->minimumDate() || d > date->maximumDate()) {
            fail(name + " takes a date from " +
                 date->minimumDate().toString(QStringLiteral("yyyy-MM-dd")) + " to " +
                 date->maximumDate().toString(QStringLiteral("yyyy-MM-dd")) + ", not '" + value +
                 "'");
        }
        date->setDate(d);
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        const QString range =
            QString::number(spin->minimum()) + " to " + QString::number(spin->maximum());
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        if (!ok)
            fail(name + " takes a whole number from " + range + ", not '" + value + "'");
        // The box would clamp the value into its range: 13 would run December.
        if (n < spin->minimum() || n > spin->maximum())
            fail(name + " takes a whole number from " + range + ", not '" + value + "'");
        spin->setValue(static_cast<int>(n));
    } else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(w)) {
        const QString range =
            QString::number(dspin->minimum()) + " to " + QString::number(dspin->maximum());
        bool ok = false;
        const double n = value.toDouble(&ok);
        if (!ok || n < dspin->minimum() || n > dspin->maximum())
            fail(name + " takes a number from " + range + ", not '" + value + "'");
        dspin->setValue(n);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) {
            combo->setCurrentText(value);
        } else {
            const int index = combo->findText(value);
            if (index < 0)
                fail(name + " has no entry '" + value + "'");
            combo->setCurrentIndex(index);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(value);
    } else {
        fail("control '" + name + "' cannot be set");
    }
}

void WindowDriver::Pick(const QString& name, const QStringList& codes) {
    QWidget* edit = control(name);
    const qsizetype shown = runner_.formsShown.size();
    runner_.QueuePick(codes);
    if (!QMetaObject::invokeMethod(edit, "PressButton", Qt::DirectConnection, Q_ARG(int, 0))) {
        fail("control '" + name + "' has no button");
    }
    if (runner_.formsShown.size() == shown) {
        runner_.ClearPicks();
        fail("pressing the button of '" + name + "' opened no picker");
    }
    if (!runner_.unscriptableForms.isEmpty()) {
        fail("the picker '" + runner_.unscriptableForms.last() + "' cannot be scripted");
    }
    if (!runner_.unmatchedCodes.isEmpty()) {
        fail("no row with code " + runner_.unmatchedCodes.join(',') + " in the picker of '" + name +
             "'");
    }
}

void WindowDriver::GetData() {
    if (!window_)
        fail("the window is closed");
    auto* action = window_->findChild<QAction*>(QStringLiteral("ac_GetData"));
    if (!action)
        fail("the window has no get-data action");
    action->trigger();
}

QString WindowDriver::ResultText() const {
    if (!window_)
        fail("the window is closed");
    QString text;
    if (!QMetaObject::invokeMethod(window_, "ResultText", Qt::DirectConnection,
                                   Q_RETURN_ARG(QString, text)) ||
        text.isNull()) {
        fail("the window shows no result");
    }
    return text;
}

QString WindowDriver::StatementText() const {
    if (!window_)
        fail("the window is closed");
    QString sql;
    QMetaObject::invokeMethod(window_, "DataSetSQL", Qt::DirectConnection,
                              Q_RETURN_ARG(QString, sql), Q_ARG(QString, "UDPDB_Report"));
    return sql;
}

void WindowDriver::Export(const QString& fileName) const {
    if (QFileInfo(fileName).suffix().compare("tsv", Qt::CaseInsensitive) == 0) {
        const QByteArray bytes = ResultText().toUtf8();
        io::WriteFileAtomically(fileName, std::string_view(bytes.constData(), bytes.size()));
        return;
    }
    if (!window_)
        fail("the window is closed");
    QString problem;
    if (!QMetaObject::invokeMethod(window_, "ExportResult", Qt::DirectConnection,
                                   Q_RETURN_ARG(QString, problem), Q_ARG(QString, fileName))) {
        fail("the window cannot write " + fileName);
    }
    if (!problem.isEmpty())
        fail(problem);
}

bool WindowDriver::Close() {
    if (!window_)
        return true;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window_->parentWidget())) {
        frame->close();
    } else {
        window_->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window_.isNull();
}

}  // namespace morvane::host
