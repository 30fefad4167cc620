#include "platform/ui/ProgramLauncher.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace morvane::ui {

namespace {

QString envOr(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

QStringList dirList(const char* name, const QString& fallback) {
    return envOr(name, fallback).split(':', Qt::SkipEmptyParts);
}

QString configHome() {
    return envOr("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config"));
}

QString dataHome() {
    return envOr("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"));
}

QStringList dataDirs() {
    return dirList("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
}

// The entries of one group of a desktop-style key file, keys as written.
QList<QPair<QString, QString>> readGroup(const QString& path, const QString& group) {
    QList<QPair<QString, QString>> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            inGroup = line == '[' + group + ']';
            continue;
        }
        const int eq = line.indexOf('=');
        if (inGroup && eq > 0)
            entries.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return entries;
}

QString lookup(const QList<QPair<QString, QString>>& entries, const QString& key) {
    for (const auto& [k, v] : entries) {
        if (k == key)
            return v;
    }
    return QString();
}

// The first installed desktop file of a ";"-separated association list.
QString firstInstalled(const QString& list) {
    for (const QString& id : list.split(';', Qt::SkipEmptyParts)) {
        if (!FindDesktopFile(id.trimmed()).isEmpty())
            return id.trimmed();
    }
    return QString();
}

QString askXdgMime(const QString& mimeType) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (tool.isEmpty())
        return QString();
    QProcess process;
    process.start(tool, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!process.waitForFinished(10000))
        return QString();
    const QString id = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    return FindDesktopFile(id).isEmpty() ? QString() : id;
}

// Undoes the escapes of a desktop entry's string value (\s \n \t \r \\).
QString unescapeValue(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar c = value[++i];
        if (c == 's')
            out += ' ';
        else if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 'r')
            out += '\r';
        else
            out += c;
    }
    return out;
}

// Splits an Exec line into arguments: blanks separate, double quotes group (a backslash inside
// them escapes the next character); single quotes, which some desktop files use as a shell
// would, group literally.
// Each argument remembers whether it was quoted, since field codes inside quotes stay text.
struct ExecArg {
    QString text;
    bool quoted = false;
};

QList<ExecArg> splitExec(const QString& line) {
    QList<ExecArg> args;
    ExecArg current;
    bool inArg = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == '"' || c == '\'') {
            inArg = true;
            current.quoted = true;
            for (++i; i < line.size() && line[i] != c; ++i) {
                if (c == '"' && line[i] == '\\' && i + 1 < line.size())
                    ++i;
                current.text += line[i];
            }
        } else if (c.isSpace()) {
            if (inArg)
                args.append(current);
            current = ExecArg();
            inArg = false;
        } else {
            inArg = true;
            current.text += c;
        }
    }
    if (inArg)
        args.append(current);
    return args;
}

}  // namespace

QString FindDesktopFile(const QString& desktopId) {
    if (desktopId.isEmpty() || !desktopId.endsWith(QStringLiteral(".desktop")))
        return QString();
    QStringList roots{dataHome()};
    roots += dataDirs();
    // "vendor-app.desktop" may live as vendor/app.desktop.
    QStringList names{desktopId};
    for (int dash = desktopId.indexOf('-'); dash > 0; dash = desktopId.indexOf('-', dash + 1)) {
        QString nested = desktopId;
        nested[dash] = '/';
        names << nested;
    }
    for (const QString& root : roots) {
        for (const QString& name : names) {
            const QString path = root + QStringLiteral("/applications/") + name;
            if (QFileInfo(path).isFile())
                return path;
        }
    }
    return QString();
}

QString DefaultDesktopId(const QString& mimeType) {
    if (mimeType.isEmpty())
        return QString();
    if (QString id = askXdgMime(mimeType); !id.isEmpty())
        return id;
    // The association files in the order the desktop looks at them: the user's, the system's.
    QStringList lists{configHome() + QStringLiteral("/mimeapps.list")};
    for (const QString& dir : dirList("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")))
        lists << dir + QStringLiteral("/mimeapps.list");
    lists << dataHome() + QStringLiteral("/applications/mimeapps.list");
    for (const QString& dir : dataDirs())
        lists << dir + QStringLiteral("/applications/mimeapps.list");
    for (const QString& list : lists) {
        const QString id = firstInstalled(
            lookup(readGroup(list, QStringLiteral("Default Applications")), mimeType));
        if (!id.isEmpty())
            return id;
    }
    for (const QString& list : lists) {
        const QString id =
            firstInstalled(lookup(readGroup(list, QStringLiteral("Added Associations")), mimeType));
        if (!id.isEmpty())
            return id;
    }
    QStringList caches{dataHome() + QStringLiteral("/applications/mimeinfo.cache")};
    for (const QString& dir : dataDirs())
        caches << dir + QStringLiteral("/applications/mimeinfo.cache");
    for (const QString& cache : caches) {
        const QString id =
            firstInstalled(lookup(readGroup(cache, QStringLiteral("MIME Cache")), mimeType));
        if (!id.isEmpty())
            return id;
    }
    return QString();
}

std::optional<LaunchCommand> CommandFromDesktopFile(const QString& desktopFile,
                                                    const QString& file) {
    const auto entries = readGroup(desktopFile, QStringLiteral("Desktop Entry"));
    const QString exec = unescapeValue(lookup(entries, QStringLiteral("Exec")));
    const QList<ExecArg> parts = splitExec(exec);
    if (parts.isEmpty())
        return std::nullopt;
    const QString path = QFileInfo(file).absoluteFilePath();
    const QString url = QUrl::fromLocalFile(path).toString();
    QStringList args;
    bool fileGiven = false;
    for (const ExecArg& part : parts) {
        if (part.quoted) {
            args << part.text;
            continue;
        }
        // A code standing alone may expand to no argument or to two (%i).
        const QString& t = part.text;
        if (t == QLatin1String("%f") || t == QLatin1String("%F")) {
            args << path;
            fileGiven = true;
            continue;
        }
        if (t == QLatin1String("%u") || t == QLatin1String("%U")) {
            args << url;
            fileGiven = true;
            continue;
        }
        if (t == QLatin1String("%i")) {
            const QString icon = lookup(entries, QStringLiteral("Icon"));
            if (!icon.isEmpty())
                args << QStringLiteral("--icon") << icon;
            continue;
        }
        QString out;
        for (int i = 0; i < t.size(); ++i) {
            if (t[i] != '%' || i + 1 == t.size()) {
                out += t[i];
                continue;
            }
            const QChar code = t[++i];
            if (code == '%') {
                out += '%';
            } else if (code == 'f' || code == 'F') {
                out += path;
                fileGiven = true;
            } else if (code == 'u' || code == 'U') {
                out += url;
                fileGiven = true;
            } else if (code == 'c') {
                out += lookup(entries, QStringLiteral("Name"));
            } else if (code == 'k') {
                out += desktopFile;
            }
            // Deprecated and unknown codes are dropped.
        }
        if (!out.isEmpty())
            args << out;
    }
    if (args.isEmpty())
        return std::nullopt;
    if (!fileGiven)
        args << path;
    LaunchCommand command;
    command.program = args.takeFirst();
    command.arguments = args;
    command.desktopFile = desktopFile;
    return command;
}

std::optional<LaunchCommand> ResolveOpenCommand(const QString& file) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file);
    if (!type.isValid())
        return std::nullopt;
    // A type without a program of its own falls back to the programs of its parent types
    // (a .csv is also text/plain).
    QStringList candidates{type.name()};
    candidates += type.aliases();
    candidates += type.allAncestors();
    for (const QString& mime : candidates) {
        const QString desktop = FindDesktopFile(DefaultDesktopId(mime));
        if (desktop.isEmpty())
            continue;
        if (auto command = CommandFromDesktopFile(desktop, file))
            return command;
    }
    return std::nullopt;
}

bool RunAndWait(const LaunchCommand& command, QString* error) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    bool failed = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            failed = true;
            loop.quit();
        }
    });
    process.start(command.program, command.arguments);
    // The window keeps painting and answering while the program is open; no time-out.
    if (!failed && process.state() != QProcess::NotRunning)
        loop.exec();
    if (failed || process.error() == QProcess::FailedToStart) {
        if (error)
            *error = process.errorString();
        return false;
    }
    return true;
}

QString NoProgramMessage(const QString& file) {
    const QString suffix = QFileInfo(file).suffix();
    const QString type = suffix.isEmpty() ? QStringLiteral("此类") : '.' + suffix;
    return QStringLiteral("没有为 %1 文件登记打开程序，请手动打开文件：\n%2")
        .arg(type, QDir::toNativeSeparators(file));
}

}  // namespace morvane::ui
