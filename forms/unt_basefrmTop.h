#pragma once
// Tbase_frmTop: the ancestor of the pickers. A stay-on-top dialog whose key handler turns Enter
// into a move to the next control; a picker replaces FormKeyPress to let Enter through.

#include "forms/unt_basefrm.h"

class Tbase_frmTop : public Tbase_frm {
    Q_OBJECT
  public:
    // Caption "base_frmTop", dialog border, stay-on-top.
    explicit Tbase_frmTop(QWidget* parent = nullptr);

    virtual void FormKeyPress(QObject* Sender, QChar& Key);

    // For scripts and the headless host: ticks (checkid = 1) the rows of the list dataset
    // Goods_Table whose code column holds one of the codes, after PrepareScriptedPick. Returns
    // the codes that matched no row. Errors go to the host's error display.
    Q_INVOKABLE QStringList ScriptTick(const QStringList& codes);

  protected:
    void DoKeyPress(QChar& key) override { FormKeyPress(this, key); }
    // The column of Goods_Table whose value the caller collects.
    virtual QString PickCodeColumn() const { return QStringLiteral("fcode"); }
    // Brings the list up before ticking (a picker that starts empty searches here).
    virtual void PrepareScriptedPick() {}
};
