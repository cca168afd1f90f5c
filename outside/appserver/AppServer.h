#pragma once
// The application server object "Nexor01S.Class1". One object serves one client session: Connect names
// the program, user, company and database; the lookups and named server calls work on the database they
// are given (or the connected one). Statements that arrive as text run as sent after translation to the
// database's dialect; the server's own statements bind every value as a parameter.
//
// Members (late-bound):
//   Connect([program, user, company, database, option, flag]) -> 0, or -1 bad parameters,
//       1 database cannot be opened, 2 unknown user or not the user the session proved to be,
//       3 unknown program (reason in LastError and the log)
//   SvrData                                  -> "NAME=value" lines (CR LF) for the connected program and user
//   WhatIs(name)                             -> "TODAY" YYYYMMDD, "SQLTYPE" 0, "SERVERTIME" 17-character stamp,
//                                               "DATABASE" the connected database, "SEQNO" the number the
//                                               last saved new document was stored under with server
//                                               numbering ("" when none); Unassigned otherwise
//   SetIsSeq(flag)                           -> 0; the saves after it number new documents on the server
//                                               (DeltaApplier.h)
//   SimpleSql / SimpleSQL(params [, database])     params [SQL, fields] or [SQL, fields, database, "N"]
//                                            -> 0-based rows of the listed fields; Unassigned when no row
//   QueryUDFData(params [, database])        params [query, "", database, "N", values]: a user-defined
//                                               field rule's query, values bound to its "?" markers
//   TransactionSQL(params [, database])      params [statements, database or ""]; all or nothing
//   GetSysInfo(company [, database])         -> [0..1, 0..n-1] names and values; Unassigned when none
//   CheckValue(table, kind, database, keys, out values) -> bool; values = the first row
//   QueryData(table, kind, database, keys, out rows)    -> bool; rows = every row
//   QueryMaxSeq(table, database, fields, values, prefix, out number) -> bool
//   GetLookupList(table, kind, database, keys, search)  -> [caption, titles, rows]; Unassigned when the
//                                               catalog has no such lookup
//   GetUserDefine(params [, database])       params [company, user, program, setting] -> document text
//   SetUserDefine(params [, database])       params [company, user, program, path, value] -> error text
//   GetFormat(company, program)              -> the program's settings document, "" when none
//   LastError                                -> why the last Connect was refused
// Data of the connected program (providers of ProviderCatalog.h, the provider protocol of
// toolkit/data/Provider.h):
//   AS_GetRecords, AS_ApplyUpdates, AS_DataRequest([condition, order]), AS_GetProviderNames
//   SetTopRow(n)                             -> 0; the data requests after it return at most n rows (0 all)
//   GetBaseLimitedRecs(prefix, condition, count) -> [permitted rows, their keys] (BaseLimitedRecs.h)
//   GetRecCount([provider])                  -> rows of pvdMain (or the provider) under its last request
//   LoadTable([user, program])               -> "" ; pvdConSave then serves that user's schemes
//   InsertConTable, DeleteConTable, ChangeConName(params) -> "" or the reason (SavedConditions.h)
//   AttachmentList, AttachmentSave, AttachmentLoad, AttachmentDelete(params): document attachments
//                                            (Attachments.h)
#include <map>
#include <memory>
#include <string>

#include "outside/appserver/CompanyDatabase.h"
#include "outside/appserver/PacketCursors.h"
#include "outside/appserver/ProviderCatalog.h"
#include "outside/appserver/SqlTranslator.h"
#include "toolkit/data/ProviderServer.h"
#include "toolkit/rtl/Visibility.h"

class TK_EXPORT TAppServer : public TProviderServer {
public:
    // companyLocation, when given, is where every database name leads (a file path or
    // "postgresql:<schema>"): the daemon serving one database, tests; otherwise CompanyDatabase::PathFor.
    explicit TAppServer(std::string companyLocation = {});
    Variant Invoke(const std::string& member, InvokeKind kind, VarArgs& args) override;

    // The database of that name ("" = the connected one), opened on first use and kept for the session.
    CompanyDatabase& Database(const std::string& name);

    bool Connected() const { return connected_; }
    // The user the session proved to be (a daemon's authenticated client): Connect for any other user is
    // refused. Sessions that did not prove a user (in process, trusted addresses) may connect anyone.
    void RestrictToUser(const std::string& user) { authenticatedUser_ = user; }
    const std::string& DatabaseName() const { return databaseName_; }

    // Public for in-process callers; the dispatch members above call these.
    int Connect(const Variant& params);
    std::string SvrData() const { return svrData_; }
    Variant WhatIs(const std::string& name) const;
    Variant SimpleSql(const Variant& params, const std::string& database);
    // [query, "", database, "N", values]: the query of a user-defined field rule with the values bound to
    // its "?" markers in order; rows of every column.
    Variant QueryUDFData(const Variant& params, const std::string& database);
    int TransactionSql(const Variant& params, const std::string& database);
    Variant GetSysInfo(const std::string& company, const std::string& database);
    bool CheckValue(const std::string& table, const std::string& kind, const std::string& database, const Variant& keys,
                    Variant& values, bool allRows);
    bool QueryMaxSeq(const std::string& table, const std::string& database, const std::string& fields, const Variant& values,
                     const std::string& prefix, Variant& number);
    Variant GetLookupList(const std::string& table, const std::string& kind, const std::string& database, const Variant& keys,
                          const std::string& search);
    std::string GetFormat(const std::string& company, const std::string& program);
    std::string GetUserDefine(const Variant& params, const std::string& database);
    std::string SetUserDefine(const Variant& params, const std::string& database);

    // The provider protocol.
    Variant GetRecords(TRecordsRequest& request) override;
    Variant ApplyUpdates(TUpdatesRequest& request) override;
    Variant DataRequest(const std::string& provider, const Variant& data) override;
    std::vector<std::string> ProviderNames() const override;
    long long GetRecCount(const std::string& provider);
    const Provider& FindProvider(const std::string& name);
    const PacketCursors* Cursors() const { return cursors_.get(); }

private:
    int Refuse(int code, const std::string& reason);
    void RollBackLeftovers(const std::string& member) noexcept;
    // Opens the company database of that name at its location; EDatabaseMissing names the database.
    std::unique_ptr<CompanyDatabase> OpenCompany(const std::string& name, const std::string& path);
    std::string LogFolder() const;

    std::string companyLocation_;
    std::map<std::string, std::unique_ptr<CompanyDatabase>> open_;  // by file path
    std::map<std::string, std::string> paths_;                      // database name -> location, resolved once a session
    bool connected_ = false;
    std::string programId_, userId_, companyId_, databaseName_;
    std::string svrData_;
    std::string lastError_;
    std::string lastPath_;  // the most recent database file, for the log folder
    std::string authenticatedUser_;

    // Data of the connected program.
    void ResetData();
    ProgramInformation programInfo_;
    std::string userGroup_;
    std::string schemeUser_, schemeProgram_;           // whose schemes pvdConSave serves
    std::map<std::string, Provider> providers_;        // built on first use, by upper-case name
    std::map<std::string, ProviderRequest> requests_;  // the last AS_DataRequest per provider
    std::map<std::string, std::string> countSql_;      // GetRecCount: the count statement of each select
    int topRows_ = 0;                                  // SetTopRow: the row limit of data requests
    bool serverNumbering_ = false;                     // SetIsSeq
    std::string storedNumber_;                         // WhatIs("SEQNO")
    std::unique_ptr<PacketCursors> cursors_;
};

// A new application server object, for hosts that link this library (the daemon, tests); see the
// constructor for companyLocation.
TK_EXPORT DispatchPtr CreateAppServer(const std::string& companyLocation = {});
