#pragma once
// The users a host may sign in as: the rows of the database's user table. The demo host's
// sign-in box accepts only a number from this list, so that what reaches the plug-in as the
// user number is always one the database knows.

#include <QString>
#include <vector>

class TRemoteUdpConnection;

namespace morvane::host {

struct KnownUser {
    QString number;
    QString name;
};

class KnownUsers {
  public:
    // Reads "select userno,username from sysuser order by userno". A database error is kept
    // (Problem()) and leaves the list empty.
    static KnownUsers Load(TRemoteUdpConnection& connection);

    const std::vector<KnownUser>& Users() const { return users_; }
    // Why no user can sign in ("" when the list was read).
    const QString& Problem() const { return problem_; }

    // The number as the database writes it for a typed number (blanks around it and the case
    // of letters ignored, as the database compares codes), or for an entry of the list as
    // shown ("001  管理员"). A null text when the database does not know it; `problem` then
    // says so in words for the user.
    QString Resolve(const QString& typed, QString& problem) const;
    // The text an entry of the list shows.
    static QString Entry(const KnownUser& user);

  private:
    std::vector<KnownUser> users_;
    QString problem_;
};

}  // namespace morvane::host
