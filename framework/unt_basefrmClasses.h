#pragma once
// The window classes that report units register for their rows of the plug-in's window table.
// A registration names the row's window, the window's design caption, how to construct the
// window and the unit's instance variable (frm_... of the row), which the unit's close handler
// sets back to nullptr.
//
// In a report unit:
//     Tfrm_OLAPSaleMonth* frm_OLAPSaleMonth = nullptr;
//     MORVANE_REGISTER_WINDOW(Tfrm_OLAPSaleMonth, "frm_OLAPSaleMonth", "...", frm_OLAPSaleMonth)
// Units that register this way must be linked whole into the plug-in (the reports library is).

#include <QString>
#include <functional>
#include <vector>

class Tbase_frm;

namespace morvane::framework {

struct TWindowClass {
    QString name;                                 // the window name as the window table lists it
    QString caption;                              // the caption the window is designed with
    std::function<Tbase_frm*()> construct;        // layout only; the caller runs Create()
    std::function<Tbase_frm*()> instance;         // reads the instance variable
    std::function<void(Tbase_frm*)> setInstance;  // writes it
};

// Adds the class. False (and nothing changes) when a class is already registered under the
// same name, compared case-insensitively.
bool RegisterWindowClass(TWindowClass windowClass);
// Removes the registration of the name; used by tests.
void UnregisterWindowClass(const QString& name);
// The class registered under the name (case-insensitive), or nullptr.
const TWindowClass* FindWindowClass(const QString& name);
// Every registration, in the order made.
std::vector<const TWindowClass*> WindowClasses();

template <class T>
bool RegisterWindowClassOf(const QString& name, const QString& caption, T*& instance) {
    T** var = &instance;
    return RegisterWindowClass({name, caption, [] { return static_cast<Tbase_frm*>(new T()); },
                                [var] { return static_cast<Tbase_frm*>(*var); },
                                [var](Tbase_frm* w) { *var = static_cast<T*>(w); }});
}

}  // namespace morvane::framework

#define MORVANE_REGISTER_WINDOW_JOIN2(a, b) a##b
#define MORVANE_REGISTER_WINDOW_JOIN(a, b) MORVANE_REGISTER_WINDOW_JOIN2(a, b)
#define MORVANE_REGISTER_WINDOW(Class, name, caption, instance)                                \
    namespace {                                                                                \
    const bool MORVANE_REGISTER_WINDOW_JOIN(registered_, __LINE__) =                           \
        ::morvane::framework::RegisterWindowClassOf<Class>(QStringLiteral(name),               \
                                                           QStringLiteral(caption), instance); \
    }
