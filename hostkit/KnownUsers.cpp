#include "hostkit/KnownUsers.h"

#include <exception>

#include "platform/db/RemoteUdpDataSet.h"

namespace morvane::host {

KnownUsers KnownUsers::Load(TRemoteUdpConnection& connection) {
    KnownUsers known;
    try {
        TRemoteUdpDataSet ds;
        ds.setSetupUdpParent(&connection);
        ds.SetSQL(QStringLiteral("select userno,username from sysuser order by userno"));
        ds.Open();
        for (ds.First(); !ds.Eof(); ds.Next())
            known.users_.push_back({ds.Fields(0)->AsString(), ds.Fields(1)->AsString()});
    } catch (const std::exception& e) {
        known.users_.clear();
        known.problem_ =
            QStringLiteral("无法读取用户表 sysuser：%1").arg(QString::fromUtf8(e.what()));
    }
    return known;
}

QString KnownUsers::Entry(const KnownUser& user) {
    return user.number + "  " + user.name;
}

QString KnownUsers::Resolve(const QString& typed, QString& problem) const {
    problem.clear();
    if (!problem_.isEmpty()) {
        problem = problem_;
        return QString();
    }
    const QString text = typed.trimmed();
    for (const KnownUser& user : users_) {
        if (text == Entry(user) || text.compare(user.number.trimmed(), Qt::CaseInsensitive) == 0)
            return user.number;
    }
    problem = text.isEmpty() ? QStringLiteral("请输入用户编号。")
                             : QStringLiteral("没有编号为“%1”的用户，请从列表中选择。").arg(text);
    return QString();
}

}  // namespace morvane::host
