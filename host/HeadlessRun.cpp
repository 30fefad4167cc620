#include "host/HeadlessRun.h"

#include <QCoreApplication>
#include <stdexcept>

#include "host/HostSession.h"
#include "host/MenuTable.h"
#include "host/RecordedErrors.h"
#include "host/ScriptedRunner.h"
#include "host/WindowDriver.h"

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

}  // namespace

QString DefaultRunUser() {
    return QStringLiteral("001");
}

RunOutput RunWindow(const RunOptions& options) {
    RunOutput output;
    ScriptedRunner runner;
    RecordedErrors errors;
    Outcome outcome(runner, errors, output);
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
                driver.Export(options.outFile);
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
