#include "hostkit/PluginLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <stdexcept>

namespace morvane::host {

QString PluginLoader::DefaultPath() {
    const QString env = qEnvironmentVariable("MORVANE_PLUGIN");
    if (!env.isEmpty())
        return env;
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("libmorvane.so");
    if (QFileInfo::exists(beside))
        return beside;
    return QStringLiteral(MORVANE_PLUGIN_BUILD_PATH);
}

PluginLoader::PluginLoader(const QString& path) : path_(path.isEmpty() ? DefaultPath() : path) {
    QLibrary library(path_);
    if (!library.load()) {
        throw std::runtime_error("cannot load the plug-in: " + library.errorString().toStdString());
    }
    createDLLForm_ = reinterpret_cast<TCreateDLLForm>(library.resolve(kCreateDLLFormSymbol));
    if (!createDLLForm_) {
        throw std::runtime_error("the plug-in " + path_.toStdString() + " has no " +
                                 kCreateDLLFormSymbol);
    }
}

}  // namespace morvane::host
