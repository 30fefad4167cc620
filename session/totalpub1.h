#pragma once
// Session context shared by every window: what the host hands over on each CreateDLLForm call,
// what the data module loads once, the user's data scope, and the query helpers through which
// all statements reach the host's connection. Everything runs on the host's UI thread.

#include <QString>

class QObject;
class TRemoteUdpConnection;
class TRemoteUdpDataSet;
class THostMainForm;
class TcxStyle;

// Set by CreateDLLForm on every call; not owned.
extern TRemoteUdpConnection* pub_connection;
extern THostMainForm* pub_mainform;
extern QString pub_userno;
extern QString pub_listname;

// Loaded once by the data module. pub_gridstyle is owned by the host application object.
extern TcxStyle* pub_gridstyle;
extern int pub_fontsize;
extern int pub_sizecount;

// The user's data scope (LoadUserScope). A list is a code list: 'A01','A02' (each code as
// read, in single quotes, joined by "," without blanks); "" is the empty list. A reader adds
// its condition only while the "all" flag is false and the list is not empty.
extern bool pub_clientall;
extern QString pub_clientcodes;
extern bool pub_houseall;
extern QString pub_housecodes;
extern bool pub_brandall;
extern QString pub_brandcodes;

// Closes the dataset, attaches it to pub_connection, replaces its statement and opens it.
// Server errors propagate (EDatabaseError).
void OpenQuery(TRemoteUdpDataSet* dataSet, const QString& sql);
// Runs one statement that returns no rows on a temporary dataset owned by the application.
void ExecCommand(const QString& sql);
// Fills the six scope globals for pub_userno from userclient, userbrand and userhouse.
void LoadUserScope();
// Writes one syslog row (login date and time now, pub_userno, empty client name). Nothing in
// the statement is escaped: a quote in a value makes the server reject it.
void WriteUsageLog(const QString& modeName, const QString& billId, const QString& state);
// The spreadsheet column name of a 1-based column number, 1 to 702 (A ... ZZ).
QString ColumnLetter(int n);

namespace morvane::session {
// The parent of objects owned by the host application (temporary datasets, the grid style);
// nullptr when no host has called yet.
QObject* ApplicationOwner();
// Puts every session global back to its initial value (tests, library unload).
void ResetSession();
}  // namespace morvane::session
