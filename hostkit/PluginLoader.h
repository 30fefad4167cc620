#pragma once
// Loads the plug-in library at run time and finds its export, as the host application does.

#include <QLibrary>
#include <QString>

#include "platform/ui/HostInterface.h"

namespace morvane::host {

class PluginLoader {
  public:
    // Loads the library at `path` (DefaultPath() when empty). Throws std::runtime_error with
    // the loader's message when the library or its export cannot be found. The library stays
    // loaded for the rest of the process: windows of the plug-in may outlive this object.
    explicit PluginLoader(const QString& path = QString());

    // $MORVANE_PLUGIN if set; else libmorvane.so beside the running program; else the
    // library of the build tree this program was built in.
    static QString DefaultPath();

    QString Path() const { return path_; }
    TCreateDLLForm CreateDLLForm() const { return createDLLForm_; }

  private:
    QString path_;
    TCreateDLLForm createDLLForm_ = nullptr;
};

}  // namespace morvane::host
