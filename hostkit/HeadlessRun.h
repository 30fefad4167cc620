#pragma once
// "morvane run": opens one window through the plug-in on the offscreen platform, sets its
// controls, runs picker exchanges and the get-data action, writes the result, closes it.
//
// The result goes by the output file's extension: .xls and .xlsx through the window's own
// Excel button (its save dialog answers the file, the launcher records it and opens nothing),
// .pdf through its print button (the preview prints its pages to the file), .tsv, .txt or no
// extension as tab-separated lines of the pivot as shown.

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace morvane::host {

struct RunStep {
    enum Kind { Set, Pick } kind;
    QString control;
    QString value;  // Set: the value; Pick: the codes, comma-separated ("" ticks nothing)
};

struct RunOptions {
    QString window;
    QString dbFile;              // SQLite file (when odbc is empty)
    QString odbc;                // ODBC connection string
    QString user;                // user number
    QString listName;            // rights list name; empty: the window's caption
    std::vector<RunStep> steps;  // in command-line order
    bool sql = false;            // write the statement instead of the result
    QString outFile;             // empty: standard output; else by extension (OutputKindOf)
    QString pluginPath;          // empty: PluginLoader::DefaultPath()
    QString exeName;             // program path given to the plug-in; empty: the running program
};

struct RunOutput {
    int status = 0;   // 0 done, 2 error, 3 a message box was shown
    std::string out;  // bytes for standard output
    std::string err;  // text for standard error
};

enum class OutputKind { Tsv, Xls, Xlsx, Pdf, Unknown };
// .xls, .xlsx, .pdf (any case); .tsv, .txt or no extension: Tsv; anything else: Unknown.
OutputKind OutputKindOf(const QString& file);
// Why a file cannot be an output ("" when it can): names the extension and the ones known.
QString OutputFileProblem(const QString& file);

// The user a run signs in as when none is given: the demo database's unrestricted user.
QString DefaultRunUser();

RunOutput RunWindow(const RunOptions& options);

}  // namespace morvane::host
