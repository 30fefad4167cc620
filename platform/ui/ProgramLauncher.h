#pragma once
// Opening a file with the program the desktop registers for its type, and waiting for it: the
// launcher of the export. The file's MIME type comes from Qt's MIME database; the registered
// program is asked of `xdg-mime query default` when it is installed, else read from the XDG
// association files (mimeapps.list in the config and data directories, then the applications'
// mimeinfo.cache); the desktop file's Exec line gives the command, its field codes replaced.

#include <QString>
#include <QStringList>

#include <optional>

namespace morvane::ui {

struct LaunchCommand {
    QString program;
    QStringList arguments;
    QString desktopFile;  // the desktop file it came from
};

// The desktop file ID registered as default for a MIME type ("libreoffice-calc.desktop"), or an
// empty text.
QString DefaultDesktopId(const QString& mimeType);
// The path of a desktop file ID in the applications directories, or an empty text.
QString FindDesktopFile(const QString& desktopId);
// The command of a desktop file's Exec line for opening `file`: quoting and escapes of the
// desktop entry format undone, %f %F the file's path, %u %U its file URL, %c the Name, %k the
// desktop file, %i the icon, %% a percent sign; other field codes dropped. When the line has no
// file code the file is appended. Nothing when the file has no Exec line.
std::optional<LaunchCommand> CommandFromDesktopFile(const QString& desktopFile,
                                                    const QString& file);
// The whole chain for a file; nothing when no program is registered for its type.
std::optional<LaunchCommand> ResolveOpenCommand(const QString& file);

// Starts the command and waits until it ends, processing events meanwhile (no time-out).
// Returns false, with the reason in *error, when the program could not be started.
bool RunAndWait(const LaunchCommand& command, QString* error = nullptr);

// The message shown when no program is registered for a file's type.
QString NoProgramMessage(const QString& file);

}  // namespace morvane::ui
