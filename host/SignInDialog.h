#pragma once
// Sign-in of the demo host: a user number, with the database's users offered.

#include <QDialog>

class QComboBox;
class TRemoteUdpConnection;

namespace morvane::host {

class SignInDialog : public QDialog {
    Q_OBJECT
  public:
    // Offers the users of sysuser; any number may be typed.
    SignInDialog(TRemoteUdpConnection& connection, QWidget* parent = nullptr);
    QString UserNo() const;

  private:
    QComboBox* users_;
};

}  // namespace morvane::host
