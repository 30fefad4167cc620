#include "hostkit/HeadlessRun.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <stdexcept>

#include "hostkit/HostSession.h"
#include "hostkit/MenuTable.h"
#include "hostkit/RecordedErrors.h"
#include "hostkit/ScriptedRunner.h"
#include "hostkit/WindowDriver.h"

namespace morvane::host {

namespace {

class RunStopped : public std::exception {};

// After each step: an error that reached the host's error display ends the run with status
// 2; a message box with status 3.
class Outcome {
  public:
    Outcome(const ScriptedRunner& runner, const RecordedErrors& errors, RunOutput& output)
        : runner_(runner), errors_(errors), output_(output) {}

    void check() {
        if (!errors_.messages.isEmpty()) {
            output_.status = 2;
            output_.err += errors_.messages.join('\n').toStdString() + "\n";
            throw RunStopped();
        }
        if (!runner_.messages.empty()) {
            output_.status = 3;
            for (const auto& m : runner_.messages)
                output_.err += m.text.toStdString() + "\n";
            throw RunStopped();
        }
    }

  private:
    const ScriptedRunner& runner_;
    const RecordedErrors& errors_;
    RunOutput& output_;
};

QStringList codeList(const QString& text) {
    return text.isEmpty() ? QStringList() : text.split(',');
}

[[noreturn]] void fail(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

void writeText(const QString& fileName, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        fail("cannot write " + fileName + ": " + file.errorString());
    }
}

// Presses one of the buttons under the grid, as the user would: a button the window does not
// have, or has disabled (the Excel button without the Excel right), is an error.
void press(QWidget* window, const char* name, const QString& user, const QString& what,
           const QString& outFile) {
    auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
    if (!button)
        fail("this window cannot write ." + QFileInfo(outFile).suffix() + " files");
    if (!button->isEnabled()) {
        fail("the " + what + " button (" + QString::fromLatin1(name) + ") is disabled for user " +
             user + " in this window");
    }
    button->click();
}

// Writes the result of the window, whose data is in, to the output file.
void writeOutput(WindowDriver& driver, ScriptedRunner& runner, const QString& outFile,
                 const QString& user, Outcome& outcome) {
    const QString path = QFileInfo(outFile).absoluteFilePath();
    switch (OutputKindOf(outFile)) {
        case OutputKind::Tsv:
            writeText(outFile, driver.ResultText());
            return;
        case OutputKind::Xls:
        case OutputKind::Xlsx:
            runner.QueueSaveName(path);
            press(driver.Window(), "bit_excel", user, "Excel", outFile);
            outcome.check();
            // The launcher is the last step of a written workbook.
            if (!runner.launched.contains(path))
                fail("the window's Excel action wrote no workbook to " + outFile);
            return;
        case OutputKind::Pdf:
            runner.QueuePreviewPdf(path);
            press(driver.Window(), "bit_print", user, "print", outFile);
            outcome.check();
            if (runner.previews.empty() || runner.previews.back().pdf != path)
                fail("the window's print action showed no preview of " + outFile);
            return;
        case OutputKind::Unknown:
            break;
    }
    fail(OutputFileProblem(outFile));
}

}  // namespace

OutputKind OutputKindOf(const QString& file) {
    const QString ext = QFileInfo(file).suffix().toLower();
    if (ext == QLatin1String("xls"))
        return OutputKind::Xls;
    if (ext == QLatin1String("xlsx"))
        return OutputKind::Xlsx;
    if (ext == QLatin1String("pdf"))
        return OutputKind::Pdf;
    if (ext.isEmpty() || ext == QLatin1String("tsv") || ext == QLatin1String("txt"))
        return OutputKind::Tsv;
    return OutputKind::Unknown;
}

QString OutputFileProblem(const QString& file) {
    if (OutputKindOf(file) != OutputKind::Unknown)
        return QString();
    return "cannot write " + file + ": unknown output type '." + QFileInfo(file).suffix() +
           "' (use .xls, .xlsx, .pdf, or .tsv/.txt for tab-separated text)";
}

QString DefaultRunUser() {
    return QStringLiteral("001");
}

RunOutput RunWindow(const RunOptions& options) {
    RunOutput output;
    ScriptedRunner runner;
    RecordedErrors errors;
    Outcome outcome(runner, errors, output);
    if (!options.outFile.isEmpty() && !OutputFileProblem(options.outFile).isEmpty()) {
        output.status = 2;
        output.err = OutputFileProblem(options.outFile).toStdString() + "\n";
        return output;
    }
    try {
        HostSession session(runner, errors, options.pluginPath, options.exeName);
        session.Connect({options.dbFile, options.odbc});

        QString listName = options.listName;
        if (listName.isEmpty()) {
            const MenuTable menu = MenuTable::Load();
            const MenuEntry* entry = menu.Find(options.window);
            listName = entry ? entry->listName : options.window;
        }
        const QString user = options.user.isEmpty() ? DefaultRunUser() : options.user;
        QWidget* window = session.OpenWindow(options.window, user, listName);
        outcome.check();
        if (!window) {
            throw std::runtime_error("no window '" + options.window.toStdString() +
                                     "' in this plug-in");
        }

        WindowDriver driver(window, runner);
        try {
            for (const RunStep& step : options.steps) {
                if (step.kind == RunStep::Set) {
                    driver.Set(step.control, step.value);
                } else {
                    driver.Pick(step.control, codeList(step.value));
                }
                outcome.check();
            }
            driver.GetData();
            outcome.check();

            if (options.sql) {
                output.out = driver.StatementText().toStdString();
            } else if (options.outFile.isEmpty()) {
                output.out = driver.ResultText().toStdString();
            } else {
                writeOutput(driver, runner, options.outFile, user, outcome);
            }
            outcome.check();
        } catch (...) {
            // The window is closed whatever happened, so that its close handlers run.
            driver.Close();
            throw;
        }
        if (!driver.Close())
            throw std::runtime_error("the window refused to close");
        outcome.check();
    } catch (const RunStopped&) {
        output.out.clear();
    } catch (const std::exception& e) {
        if (output.status == 0)
            output.status = 2;
        output.out.clear();
        output.err += std::string(e.what()) + "\n";
    }
    return output;
}

}  // namespace morvane::host
