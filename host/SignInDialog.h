#pragma once
// Sign-in of the demo host: a user number, with the database's users offered. Only a number
// the database knows signs in; anything else is refused with a message and the box stays.

#include <QDialog>

#include "hostkit/KnownUsers.h"

class QComboBox;
class TRemoteUdpConnection;

namespace morvane::host {

class SignInDialog : public QDialog {
    Q_OBJECT
  public:
    // Offers the users of sysuser; a number may also be typed.
    SignInDialog(TRemoteUdpConnection& connection, QWidget* parent = nullptr);
    // The number signed in with, as the database writes it (after the dialog was accepted).
    QString UserNo() const { return userNo_; }

    void accept() override;

  private:
    QComboBox* users_;
    KnownUsers known_;
    QString userNo_;
};

}  // namespace morvane::host
