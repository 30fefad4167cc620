#include "host/SignInDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>

namespace morvane::host {

SignInDialog::SignInDialog(TRemoteUdpConnection& connection, QWidget* parent)
    : QDialog(parent), users_(new QComboBox(this)), known_(KnownUsers::Load(connection)) {
    setWindowTitle(QStringLiteral("登录"));
    users_->setObjectName(QStringLiteral("users"));
    users_->setEditable(true);
    for (const KnownUser& user : known_.Users())
        users_->addItem(KnownUsers::Entry(user), user.number);
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("用户编号：")), users_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SignInDialog::accept() {
    QString problem;
    const QString number = known_.Resolve(users_->currentText(), problem);
    if (number.isNull()) {
        QMessageBox::warning(this, QStringLiteral("系统提示"), problem);
        users_->setFocus();
        return;
    }
    userNo_ = number;
    QDialog::accept();
}

}  // namespace morvane::host
