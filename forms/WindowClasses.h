#pragma once
// The window classes the report units register, one per row of the plug-in's window table.
// A registration gives the window name (which is also the name of the unit's instance
// variable), the class name, how to construct the window and the instance variable itself.
// Everything else about a row (its caption, its menu family) is the window table's.
//
// In a report unit:
//     MORVANE_WINDOW(Tfrm_OLAPSaleMonth, frm_OLAPSaleMonth)
// defines the instance variable frm_OLAPSaleMonth (declared extern in the unit's header) and
// registers the class for the row "frm_OLAPSaleMonth". Units that register this way must be
// linked whole into the plug-in (the report libraries are).

#include <QString>
#include <functional>
#include <vector>

class Tbase_frm;

namespace morvane::forms {

struct TWindowClass {
    QString name;                                 // the row's window name
    QString className;                            // the C++ class, as the table lists it
    std::function<Tbase_frm*()> construct;        // layout only; the caller runs Create()
    std::function<Tbase_frm*()> instance;         // reads the instance variable
    std::function<void(Tbase_frm*)> setInstance;  // writes it
    // The caption the window is given after construction. Filled from the window table when
    // the plug-in binds the table; a registration may give its own (test windows do).
    QString caption;
};

// Adds the class. False (and nothing changes) when a class is already registered under the
// same name, compared case-insensitively.
bool RegisterWindowClass(TWindowClass windowClass);
// Removes the registration of the name; used by tests.
void UnregisterWindowClass(const QString& name);
// The class registered under the name (case-insensitive), or nullptr.
TWindowClass* FindWindowClass(const QString& name);
// Every registration, in the order made.
std::vector<TWindowClass*> WindowClasses();

// A new window of the class, with the class's caption when it has one.
Tbase_frm* ConstructWindow(const TWindowClass& windowClass);
// Empties the instance variable that holds the window, if any does: a closed window is freed,
// and the next open of its row creates a new one.
void ReleaseInstance(const Tbase_frm* window);

template <class T>
bool RegisterWindowClassOf(const QString& name, const QString& className, T*& instance,
                           const QString& caption = QString()) {
    T** var = &instance;
    return RegisterWindowClass({name, className, [] { return static_cast<Tbase_frm*>(new T()); },
                                [var] { return static_cast<Tbase_frm*>(*var); },
                                [var](Tbase_frm* w) { *var = static_cast<T*>(w); }, caption});
}

}  // namespace morvane::forms

#define MORVANE_WINDOW(Class, instance)                                                \
    Class* instance = nullptr;                                                         \
    namespace {                                                                        \
    const bool registered_##instance = ::morvane::forms::RegisterWindowClassOf<Class>( \
        QStringLiteral(#instance), QStringLiteral(#Class), instance);                  \
    }
