#include "host/SignInDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

#include "platform/db/RemoteUdpDataSet.h"

namespace morvane::host {

SignInDialog::SignInDialog(TRemoteUdpConnection& connection, QWidget* parent)
    : QDialog(parent), users_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("登录"));
    users_->setObjectName(QStringLiteral("users"));
    users_->setEditable(true);
    try {
        TRemoteUdpDataSet ds;
        ds.setSetupUdpParent(&connection);
        ds.SetSQL(QStringLiteral("select userno,username from sysuser order by userno"));
        ds.Open();
        for (ds.First(); !ds.Eof(); ds.Next()) {
            const QString no = ds.Fields(0)->AsString();
            users_->addItem(no + "  " + ds.Fields(1)->AsString(), no);
        }
    } catch (const std::exception&) {
        // A database without the user table: the number is typed.
    }
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("用户编号：")), users_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString SignInDialog::UserNo() const {
    const int index = users_->findText(users_->currentText());
    if (index >= 0)
        return users_->itemData(index).toString();
    return users_->currentText().trimmed();
}

}  // namespace morvane::host
