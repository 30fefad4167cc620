#include "forms/WindowClasses.h"

#include <list>

#include "forms/unt_basefrm.h"

namespace morvane::forms {

namespace {

// A list keeps the addresses of the entries stable while others come and go.
std::list<TWindowClass>& registry() {
    static std::list<TWindowClass> classes;
    return classes;
}

}  // namespace

bool RegisterWindowClass(TWindowClass windowClass) {
    if (FindWindowClass(windowClass.name))
        return false;
    registry().push_back(std::move(windowClass));
    return true;
}

void UnregisterWindowClass(const QString& name) {
    registry().remove_if(
        [&](const TWindowClass& c) { return c.name.compare(name, Qt::CaseInsensitive) == 0; });
}

TWindowClass* FindWindowClass(const QString& name) {
    for (TWindowClass& c : registry()) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

std::vector<TWindowClass*> WindowClasses() {
    std::vector<TWindowClass*> out;
    for (TWindowClass& c : registry())
        out.push_back(&c);
    return out;
}

Tbase_frm* ConstructWindow(const TWindowClass& windowClass) {
    Tbase_frm* window = windowClass.construct();
    if (!windowClass.caption.isEmpty())
        window->SetCaption(windowClass.caption);
    return window;
}

void ReleaseInstance(const Tbase_frm* window) {
    for (TWindowClass& c : registry()) {
        if (c.instance && c.instance() == window)
            c.setInstance(nullptr);
    }
}

}  // namespace morvane::forms
