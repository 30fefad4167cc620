#include "entry/Dispatch.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "entry/WindowTable.h"
#include "forms/WindowClasses.h"
#include "forms/unt_basefrm.h"
#include "platform/ui/HostInterface.h"
#include "session/totalpub1.h"

namespace morvane::entry {

forms::TWindowClass* WindowClassOfRow(int row) {
    const TWindowRow& r = WindowTable()[std::size_t(row)];
    forms::TWindowClass* cls = forms::FindWindowClass(QString::fromLatin1(r.name));
    if (cls && cls->caption.isEmpty())
        cls->caption = QString::fromUtf8(r.caption);
    return cls;
}

forms::TWindowClass* WindowClassOf(const QString& windowName) {
    const int row = FindWindowRow(windowName);
    return row < 0 ? nullptr : WindowClassOfRow(row);
}

std::vector<TWindowListing> RegisteredWindows() {
    std::vector<TWindowListing> out;
    for (std::size_t i = 0; i < WindowTable().size(); ++i) {
        if (const forms::TWindowClass* cls = WindowClassOfRow(int(i)))
            out.push_back({QString::fromLatin1(WindowTable()[i].name), cls->caption});
    }
    return out;
}

Tbase_frm* OpenWindowRow(int row) {
    forms::TWindowClass* cls = WindowClassOfRow(row);
    if (!cls)
        return nullptr;
    if (Tbase_frm* open = cls->instance())
        return open;

    Tbase_frm* window = forms::ConstructWindow(*cls);
    QMdiSubWindow* frame = nullptr;
    QMdiArea* area = pub_mainform ? pub_mainform->MdiArea() : nullptr;
    if (window->FormStyle() == ui::fsMDIChild && area) {
        frame = area->addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose);
    }
    // Should the window go some other way than through its own close handler, the row must
    // not keep a dangling window.
    QObject::connect(window, &QObject::destroyed, [cls, window] {
        if (cls->instance() == window)
            cls->setInstance(nullptr);
    });
    window->Create();
    cls->setInstance(window);
    if (frame) {
        frame->show();
    } else {
        window->show();
    }
    return window;
}

}  // namespace morvane::entry
