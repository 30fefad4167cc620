#pragma once
// The plug-in's one data module. Its creation event loads, once per process, everything the
// windows later read from the session globals: the grid style colour, the font size, the
// number of size columns and the user's data scope.

#include <QObject>
#include <QString>

class TAnalyse_Dm : public QObject {
    Q_OBJECT
  public:
    // Owner: the host application's owner object. Call Create() once after construction.
    explicit TAnalyse_Dm(QObject* owner = nullptr);
    // Freed with its owner; Analyse_Dm then reads nullptr again.
    ~TAnalyse_Dm() override;

    // Runs DataModuleCreate. An exception that leaves it goes to the host's error display and
    // ends loading at the failing step; the module stays created. False when it failed.
    bool Create();

    virtual void DataModuleCreate(QObject* Sender);
    // The colour setting: default, then colorConfig.ini.
    void LoadColourSettings();
    // softconfig.ini (font size) and the size table; nothing when the file is missing.
    void LoadSoftConfig();

    // "fRzbutcolor" of colorConfig.ini, as read.
    QString fRzbutcolor;

    // The folder of the host program, where the two settings files are looked up.
    static QString ProgramFolder();
};

// The one instance; nullptr until the first CreateDLLForm call.
extern TAnalyse_Dm* Analyse_Dm;
