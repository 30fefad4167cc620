#include "hostkit/WindowDriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <stdexcept>

namespace morvane::host {

namespace {

[[noreturn]] void fail(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

}  // namespace

WindowDriver::WindowDriver(QWidget* window, ScriptedRunner& runner)
    : window_(window), runner_(runner) {}

QWidget* WindowDriver::control(const QString& name) const {
    if (!window_)
        fail("the window is closed");
    auto* w = window_->findChild<QWidget*>(name);
    if (!w)
        fail("the window has no control '" + name + "'");
    return w;
}

void WindowDriver::Set(const QString& name, const QString& value) {
    if (!window_)
        fail("the window is closed");
    SetControl(window_, name, value);
}

void SetControl(QWidget* window, const QString& name, const QString& value) {
    QWidget* w = window->findChild<QWidget*>(name);
    if (!w)
        fail("the window has no control '" + name + "'");
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
        date->setDate(d);
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        bool ok = false;
        const int n = value.toInt(&ok);
        if (!ok)
            fail(name + " takes a whole number, not '" + value + "'");
        spin->setValue(n);
    } else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(w)) {
        bool ok = false;
        const double n = value.toDouble(&ok);
        if (!ok)
            fail(name + " takes a number, not '" + value + "'");
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
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size()) {
            fail("cannot write " + fileName + ": " + file.errorString());
        }
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
