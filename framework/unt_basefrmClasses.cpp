#include "framework/unt_basefrmClasses.h"

#include <list>

namespace morvane::framework {

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

const TWindowClass* FindWindowClass(const QString& name) {
    for (const TWindowClass& c : registry()) {
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

std::vector<const TWindowClass*> WindowClasses() {
    std::vector<const TWindowClass*> out;
    for (const TWindowClass& c : registry())
        out.push_back(&c);
    return out;
}

}  // namespace morvane::framework
