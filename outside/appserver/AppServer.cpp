#include "outside/appserver/AppServer.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "outside/appserver/Attachments.h"
#include "outside/appserver/BaseLimitedRecs.h"
#include "outside/appserver/CountStatement.h"
#include "outside/appserver/DeltaApplier.h"
#include "outside/appserver/LookupCatalog.h"
#include "outside/appserver/SavedConditions.h"
#include "outside/appserver/SequenceNumber.h"
#include "outside/appserver/ServerLog.h"
#include "outside/appserver/SqlFragments.h"
#include "outside/appserver/SqlSelect.h"
#include "outside/appserver/UserSettings.h"
#include "toolkit/os/Registry.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// Count statements a session keeps (one per query condition it ran) before it starts afresh.
constexpr std::size_t kCountStatements = 64;

std::string Text(const VarArgs& args, std::size_t i) { return VarToStr(ArgAt(args, i)); }

std::vector<std::string> SplitFields(const std::string& list) {
    std::vector<std::string> out;
    std::stringstream in(list);
    for (std::string f; std::getline(in, f, ',');)
        if (!Trim(f).empty()) out.push_back(Trim(f));
    return out;
}

int ElementCount(const Variant& array) { return array.IsArray() ? array.Count() : 0; }

Variant RowsToVariant(const std::vector<SqlRow>& rows) {
    std::vector<Variant> out;
    out.reserve(rows.size());
    for (const auto& r : rows) out.push_back(VarArrayOf(r));
    return VarArrayOf(out);
}

// One name=value line; a value spanning lines would split the list, so line breaks become blanks.
std::string InfoLine(const std::string& name, std::string value) {
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\n', ' ');
    return name + "=" + value + "\r\n";
}

}  // namespace

Variant TAppServer::Invoke(const std::string& member, InvokeKind kind, VarArgs& args) {
    // A transaction never outlives the call that opened it: what the call did not commit is undone now,
    // not when the client happens to leave.
    struct EndOfCall {
        TAppServer& server;
        const std::string& member;
        ~EndOfCall() { server.RollBackLeftovers(member); }
    } end{*this, member};
    return TDispatchObject::Invoke(member, kind, args);
}

void TAppServer::RollBackLeftovers(const std::string& member) noexcept {
    for (auto& [path, db] : open_) {
        try {
            if (db && db->RollBackOpenTransaction())
                WriteServerLog(LogFolder(), "a transaction left open by " + member + " was rolled back");
        } catch (...) {
            // A connection that cannot roll back is broken: the next call opens it anew.
        }
    }
}

TAppServer::TAppServer(std::string companyLocation) : companyLocation_(std::move(companyLocation)) {
    DefineMethod("Connect", [this](VarArgs& a) { return Variant(Connect(ArgAt(a, 0))); });
    DefineProperty("SvrData", [this] { return Variant(SvrData()); });
    DefineProperty("LastError", [this] { return Variant(lastError_); });
    DefineMethod("WhatIs", [this](VarArgs& a) { return WhatIs(Text(a, 0)); });
    // Both spellings reach one member: names are case-insensitive here.
    DefineMethod("SimpleSql", [this](VarArgs& a) { return SimpleSql(ArgAt(a, 0), Text(a, 1)); });
    DefineMethod("QueryUDFData", [this](VarArgs& a) { return QueryUDFData(ArgAt(a, 0), Text(a, 1)); });
    DefineMethod("TransactionSQL", [this](VarArgs& a) { return Variant(TransactionSql(ArgAt(a, 0), Text(a, 1))); });
    DefineMethod("GetSysInfo", [this](VarArgs& a) { return GetSysInfo(Text(a, 0), Text(a, 1)); });
    auto lookup = [this](bool allRows) {
        return [this, allRows](VarArgs& a) {
            Variant values;
            bool found = CheckValue(Text(a, 0), Text(a, 1), Text(a, 2), ArgAt(a, 3), values, allRows);
            if (a.size() > 4) a[4].Assign(values);
            return Variant(found);
        };
    };
    DefineMethod("CheckValue", lookup(false));
    DefineMethod("QueryData", lookup(true));
    DefineMethod("QueryMaxSeq", [this](VarArgs& a) {
        Variant number;
        bool ok = QueryMaxSeq(Text(a, 0), Text(a, 1), Text(a, 2), ArgAt(a, 3), Text(a, 4), number);
        if (a.size() > 5) a[5].Assign(number);
        return Variant(ok);
    });
    DefineMethod("GetLookupList",
                 [this](VarArgs& a) { return GetLookupList(Text(a, 0), Text(a, 1), Text(a, 2), ArgAt(a, 3), Text(a, 4)); });
    DefineMethod("GetFormat", [this](VarArgs& a) { return Variant(GetFormat(Text(a, 0), Text(a, 1))); });
    DefineMethod("GetUserDefine", [this](VarArgs& a) { return Variant(GetUserDefine(ArgAt(a, 0), Text(a, 1))); });
    DefineMethod("SetUserDefine", [this](VarArgs& a) { return Variant(SetUserDefine(ArgAt(a, 0), Text(a, 1))); });
    // Attachments of documents (Attachments.h): one array [database, company, program, key text, ...].
    auto attachments = [this](const Variant& p) { return AttachmentStore(Database(VarToStr(ElementAt(p, 0)))); };
    auto attachmentKey = [](const Variant& p) {
        return AttachmentKey{VarToStr(ElementAt(p, 1)), UpperCase(VarToStr(ElementAt(p, 2))), VarToStr(ElementAt(p, 3))};
    };
    DefineMethod("AttachmentList", [=](VarArgs& a) { return attachments(ArgAt(a, 0)).List(attachmentKey(ArgAt(a, 0))); });
    DefineMethod("AttachmentSave", [=](VarArgs& a) {
        const Variant p = ArgAt(a, 0);
        const Variant content = ElementAt(p, 6);
        return Variant(attachments(p).Save(attachmentKey(p), VarToStr(ElementAt(p, 4)), VarToStr(ElementAt(p, 5)),
                                           content.IsEmpty() || content.IsNull() ? Bytes() : content.AsBytes(),
                                           VarToStr(ElementAt(p, 7)), VarToStr(ElementAt(p, 8))));
    });
    DefineMethod("AttachmentLoad", [=](VarArgs& a) {
        return attachments(ArgAt(a, 0)).Load(attachmentKey(ArgAt(a, 0)), VarToStr(ElementAt(ArgAt(a, 0), 4)));
    });
    DefineMethod("AttachmentDelete", [=](VarArgs& a) {
        return Variant(attachments(ArgAt(a, 0)).Delete(attachmentKey(ArgAt(a, 0)), VarToStr(ElementAt(ArgAt(a, 0), 4))));
    });

    DefineMethod("SetIsSeq", [this](VarArgs& a) {
        serverNumbering_ = !ArgAt(a, 0).IsEmpty() && ArgAt(a, 0).AsBool();
        return Variant(0);
    });
    DefineMethod("SetTopRow", [this](VarArgs& a) {
        topRows_ = std::max(0, static_cast<int>(ArgAt(a, 0).IsEmpty() ? 0 : ArgAt(a, 0).AsInteger()));
        return Variant(0);
    });
    DefineMethod("GetRecCount", [this](VarArgs& a) {
        return Variant(GetRecCount(Text(a, 0).empty() ? std::string(kMainProvider) : Text(a, 0)));
    });
    DefineMethod("GetBaseLimitedRecs", [this](VarArgs& a) {
        if (!connected_) throw EOleError("The application server is not connected");
        CompanyDatabase& db = Database("");
        return BaseLimitedRecs(db, db.Translator(), programInfo_, userId_, Text(a, 0), Text(a, 1));
    });
    // Saved query schemes: one array argument each.
    DefineMethod("LoadTable", [this](VarArgs& a) {
        Variant p = ArgAt(a, 0);
        schemeUser_ = Trim(VarToStr(ElementAt(p, 0)));
        schemeProgram_ = UpperCase(Trim(VarToStr(ElementAt(p, 1))));
        providers_.erase(UpperCase(kSavedConditionProvider));
        return Variant("");
    });
    auto schemes = [this] {
        if (!connected_) throw EOleError("The application server is not connected");
        return SavedConditions(Database(""), companyId_, userGroup_);
    };
    DefineMethod("InsertConTable", [schemes](VarArgs& a) { return Variant(schemes().Insert(ArgAt(a, 0))); });
    DefineMethod("DeleteConTable", [schemes](VarArgs& a) { return Variant(schemes().Delete(ArgAt(a, 0))); });
    DefineMethod("ChangeConName", [schemes](VarArgs& a) { return Variant(schemes().Rename(ArgAt(a, 0))); });
}

CompanyDatabase& TAppServer::Database(const std::string& name) {
    std::string wanted = Trim(name).empty() ? databaseName_ : Trim(name);
    if (wanted.empty() && companyLocation_.empty()) throw EDatabaseError("No database named and no session connected");
    std::string path = companyLocation_;
    if (path.empty()) {
        // Every call of the session names its database: the registry is read for the first one only.
        auto known = paths_.find(wanted);
        path = known != paths_.end() ? known->second : paths_.emplace(wanted, CompanyDatabase::PathFor(wanted)).first->second;
    }
    lastPath_ = path;
    auto& slot = open_[path];
    if (slot && slot->Broken()) {
        // The server went away (and maybe came back): the session goes on with a new connection; the
        // open cursors went with the old one.
        if (cursors_) cursors_->CloseAll();
        cursors_.reset();
        slot.reset();
    }
    if (!slot) slot = OpenCompany(wanted, path);
    return *slot;
}

std::unique_ptr<CompanyDatabase> TAppServer::OpenCompany(const std::string& name, const std::string& path) {
    try {
        return std::make_unique<CompanyDatabase>(path);
    } catch (const EDatabaseMissing&) {
        // Only the database the demo installation asked for is made on first use; a mistyped name
        // must not become a new company.
        if (name.empty() || !SameText(name, CompanyDatabase::DemoDatabaseName()))
            throw EDatabaseMissing("数据库 " + (name.empty() ? path : name) + " 不存在");
    }
    auto created = std::make_unique<CompanyDatabase>(path, CompanyDatabase::Role::Creator);
    if (created->Created()) WriteServerLog(LogFolder(), "created the demo company database " + name + " at " + path);
    return created;
}

std::string TAppServer::LogFolder() const {
    // A PostgreSQL company has no folder of its own: the server folder, else the temporary one.
    if (lastPath_.rfind(kPostgresPrefix, 0) == 0) {
        std::string server = TRegistry().Read("Software\\RKT\\Vandril", "ServerPath").value_or("");
        std::replace(server.begin(), server.end(), '\\', '/');
        return server.empty() ? std::filesystem::temp_directory_path().string() : server;
    }
    if (lastPath_.empty()) return std::filesystem::temp_directory_path().string();
    return std::filesystem::path(lastPath_).parent_path().string();
}

int TAppServer::Refuse(int code, const std::string& reason) {
    lastError_ = reason;
    WriteServerLog(LogFolder(), "Connect refused (" + std::to_string(code) + "): " + reason);
    return code;
}

int TAppServer::Connect(const Variant& params) {
    ResetData();
    connected_ = false;
    svrData_.clear();
    lastError_.clear();
    if (!params.IsArray() || params.DimCount() != 1 || params.Count() < 4)
        return Refuse(-1, "the parameters must be [program, user, company, database, option, flag]");
    std::string program = UpperCase(Trim(VarToStr(ElementAt(params, 0))));
    std::string user = Trim(VarToStr(ElementAt(params, 1)));
    std::string company = Trim(VarToStr(ElementAt(params, 2)));
    std::string database = Trim(VarToStr(ElementAt(params, 3)));
    if (!authenticatedUser_.empty() && !SameText(user, authenticatedUser_))
        return Refuse(2, "the session logged in as '" + authenticatedUser_ + "' cannot connect as '" + user + "'");
    CompanyDatabase* db = nullptr;
    try {
        db = &Database(database.empty() ? company : database);
    } catch (const Exception& e) {
        return Refuse(1, "database '" + database + "': " + e.Message());
    }
    SqlResult who = db->Query("SELECT MA003, MA004 FROM RKTMA WHERE MA001 = ?", {user});
    if (who.rows.empty()) return Refuse(2, "unknown user '" + user + "'");
    if (db->Query("SELECT MB001 FROM ADMMB WHERE MB001 = ?", {program}).rows.empty())
        return Refuse(3, "unknown program '" + program + "'");

    // A user without a rights row gets an empty POWER_DATA: the program then tells him he has no rights.
    SqlResult rights = db->Query("SELECT MP003, MP004 FROM ADMMP WHERE MP001 = ? AND MP002 = ?", {user, program});
    std::string info = InfoLine("USER_GROUP", VarToStr(who.rows[0][0])) + InfoLine("GROUP_LIST", VarToStr(who.rows[0][1]));
    info += InfoLine("POWER_DATA", rights.rows.empty() ? "" : VarToStr(rights.rows[0][0]));
    info += InfoLine("EX_POWER", rights.rows.empty() ? "" : VarToStr(rights.rows[0][1]));
    for (const SqlRow& row : db->Query("SELECT PI002, PI003 FROM ADMPI WHERE PI001 = ? ORDER BY PI002", {program}).rows) {
        info += InfoLine(VarToStr(row[0]), VarToStr(row[1]));
        programInfo_[UpperCase(Trim(VarToStr(row[0])))] = VarToStr(row[1]);
    }
    userGroup_ = VarToStr(who.rows[0][0]);
    schemeUser_ = user;
    schemeProgram_ = program;

    programId_ = program;
    userId_ = user;
    companyId_ = company;
    databaseName_ = database.empty() ? company : database;
    svrData_ = info;
    connected_ = true;
    return 0;
}

Variant TAppServer::WhatIs(const std::string& name) const {
    std::string what = UpperCase(Trim(name));
    if (what == "TODAY") return ServerDateText();
    if (what == "SQLTYPE") return 0;
    if (what == "SERVERTIME") return ServerStampText();
    if (what == "DATABASE") return databaseName_;
    if (what == "SEQNO") return storedNumber_;
    return {};
}

Variant TAppServer::SimpleSql(const Variant& params, const std::string& database) {
    if (!params.IsArray() || ElementCount(params) < 1)
        throw EOleError("SimpleSql expects [SQL, fields] or [SQL, fields, database, \"N\"]");
    std::string sql = VarToStr(ElementAt(params, 0));
    std::vector<std::string> fields = SplitFields(VarToStr(ElementAt(params, 1)));
    std::string db = Trim(VarToStr(ElementAt(params, 2)));
    CompanyDatabase& target = Database(db.empty() ? database : db);
    SqlResult r = target.Query(target.Translator().Translate(sql));
    if (r.rows.empty()) return {};
    std::vector<int> pick;
    for (const auto& f : fields) {
        int i = r.ColumnIndex(f);
        if (i < 0) throw EDatabaseError("Field '" + f + "' is not in the result of: " + sql);
        pick.push_back(i);
    }
    if (pick.empty())
        for (std::size_t i = 0; i < r.columns.size(); ++i) pick.push_back(static_cast<int>(i));
    std::vector<Variant> rows;
    rows.reserve(r.rows.size());
    for (const SqlRow& row : r.rows) {
        std::vector<Variant> values;
        values.reserve(pick.size());
        for (int i : pick) values.push_back(row[static_cast<std::size_t>(i)]);
        rows.push_back(VarArrayOf(values));
    }
    return VarArrayOf(rows);
}

Variant TAppServer::QueryUDFData(const Variant& params, const std::string& database) {
    if (!params.IsArray() || ElementCount(params) < 1)
        throw EOleError("QueryUDFData expects [query, \"\", database, \"N\", values]");
    std::string sql = VarToStr(ElementAt(params, 0));
    std::string db = Trim(VarToStr(ElementAt(params, 2)));
    std::vector<Variant> values;
    const Variant& given = ElementAt(params, 4);
    if (given.IsArray())
        for (int i = given.Low(); i <= given.High(); ++i) values.push_back(given[i]);
    CompanyDatabase& target = Database(db.empty() ? database : db);
    SqlResult r = target.Query(target.Translator().Translate(sql), values);
    if (r.rows.empty()) return {};
    std::vector<Variant> rows;
    rows.reserve(r.rows.size());
    for (const SqlRow& row : r.rows) rows.push_back(VarArrayOf(row));
    return VarArrayOf(rows);
}

int TAppServer::TransactionSql(const Variant& params, const std::string& database) {
    Variant statements = params.IsArray() ? ElementAt(params, 0) : params.Deref();
    std::string db = Trim(VarToStr(ElementAt(params, 1)));
    std::vector<std::string> list;
    if (statements.IsArray()) {
        for (int i = 0; i < ElementCount(statements); ++i) list.push_back(VarToStr(ElementAt(statements, i)));
    } else {
        list.push_back(VarToStr(statements));
    }
    CompanyDatabase& target = Database(db.empty() ? database : db);
    int changed = 0;
    target.InTransaction([&] {
        for (const auto& sql : list)
            if (!Trim(sql).empty()) changed += target.Query(target.Translator().Translate(sql)).changes;
    });
    return changed;
}

Variant TAppServer::GetSysInfo(const std::string& company, const std::string& database) {
    // Without a database: the connected one, else the company's own (named like the company).
    std::string db = !Trim(database).empty() ? database : (connected_ ? databaseName_ : company);
    SqlResult r = Database(db).Query("SELECT SY002, SY003 FROM ADMSY WHERE SY001 = ? ORDER BY SY002", {Trim(company)});
    if (r.rows.empty()) return {};
    Variant out = VarArrayCreate(0, 1, 0, static_cast<int>(r.rows.size()) - 1);
    for (std::size_t j = 0; j < r.rows.size(); ++j) {
        out.At(0, static_cast<int>(j)) = r.rows[j][0];
        out.At(1, static_cast<int>(j)) = r.rows[j][1];
    }
    return out;
}

bool TAppServer::CheckValue(const std::string& table, const std::string& kind, const std::string& database, const Variant& keys,
                            Variant& values, bool allRows) {
    values = Variant();
    LookupCatalog catalog(Database(database));
    auto entry = catalog.Find(table, kind);
    if (!entry) return false;
    SqlResult r = catalog.Check(*entry, KeyList(keys));
    if (r.rows.empty()) return false;
    values = allRows ? RowsToVariant(r.rows) : VarArrayOf(r.rows.front());
    return true;
}

bool TAppServer::QueryMaxSeq(const std::string& table, const std::string& database, const std::string& fields,
                             const Variant& values, const std::string& prefix, Variant& number) {
    number = Variant(NextSequenceNumber(Database(database), Trim(table), SplitFields(fields), KeyList(values), prefix));
    return true;
}

Variant TAppServer::GetLookupList(const std::string& table, const std::string& kind, const std::string& database,
                                  const Variant& keys, const std::string& search) {
    LookupCatalog catalog(Database(database));
    auto entry = catalog.Find(table, kind);
    if (!entry) return {};
    SqlResult r = catalog.List(*entry, KeyList(keys), search);
    std::vector<Variant> titles(entry->titles.begin(), entry->titles.end());
    return VarArrayOf({entry->caption, VarArrayOf(titles), RowsToVariant(r.rows)});
}

std::string TAppServer::GetFormat(const std::string& company, const std::string& program) {
    if (!connected_) return "";
    SqlResult r =
        Database("").Query("SELECT MU003 FROM ADMMU WHERE MU001 = ? AND MU002 = ?", {Trim(company), UpperCase(Trim(program))});
    return r.rows.empty() ? "" : VarToStr(r.rows[0][0]);
}

std::string TAppServer::GetUserDefine(const Variant& params, const std::string& database) {
    auto at = [&](int i) { return Trim(VarToStr(ElementAt(params, i))); };
    return UserSettings(Database(database)).Get(at(0), at(1), at(2), at(3));
}

std::string TAppServer::SetUserDefine(const Variant& params, const std::string& database) {
    auto at = [&](int i) { return Trim(VarToStr(ElementAt(params, i))); };
    // The value is stored as given: a whole document keeps its own spacing.
    return UserSettings(Database(database)).Set(at(0), at(1), at(2), at(3), VarToStr(ElementAt(params, 4)));
}

// --- data of the connected program ------------------------------------------------------------------

void TAppServer::ResetData() {
    if (cursors_) cursors_->CloseAll();
    cursors_.reset();
    providers_.clear();
    requests_.clear();
    countSql_.clear();
    programInfo_.clear();
    serverNumbering_ = false;
    storedNumber_.clear();
}

const Provider& TAppServer::FindProvider(const std::string& name) {
    if (!connected_) throw EOleError("The application server is not connected");
    std::string key = UpperCase(Trim(name));
    auto found = providers_.find(key);
    if (found != providers_.end()) return found->second;
    Provider p;
    if (key == UpperCase(kMainProvider)) {
        p = MainProvider(programInfo_);
    } else if (key == UpperCase(kColorProvider)) {
        SqlResult rules = Database("").Query("SELECT NH003 FROM ADMNH WHERE NH001 = ?", {programId_});
        p = ColorProvider(programInfo_, rules.rows.empty() ? "" : VarToStr(rules.rows[0][0]));
    } else if (key == UpperCase(kSavedConditionProvider)) {
        p = SavedConditionProvider(schemeUser_, schemeProgram_);
    } else {
        throw EDatabaseError("Provider '" + Trim(name) + "' not found");
    }
    return providers_[key] = std::move(p);
}

std::vector<std::string> TAppServer::ProviderNames() const { return ::ProviderNames(); }

Variant TAppServer::GetRecords(TRecordsRequest& request) {
    const Provider& p = FindProvider(request.ProviderName);
    CompanyDatabase& db = Database("");  // first: a lost connection takes the cursors with it
    if (!cursors_) {
        std::string path = db.Path();
        cursors_ = std::make_unique<PacketCursors>(
            [path] { return std::make_unique<CompanyDatabase>(path, CompanyDatabase::Role::Reader); }, db.Translator());
    }
    return cursors_->GetRecords(p, requests_[UpperCase(p.name)], db, request.Count, request.Options, request.OwnerData,
                                request.RecsOut);
}

Variant TAppServer::ApplyUpdates(TUpdatesRequest& request) {
    const Provider& p = FindProvider(request.ProviderName);
    DeltaApplier applier(Database(""), p);
    applier.SetServerNumbering(serverNumbering_ && p.name == kMainProvider);
    Variant result = applier.Apply(request.Delta, request.MaxErrors, request.ErrorCount);
    storedNumber_ = request.ErrorCount == 0 ? applier.StoredNumber() : std::string();
    if (request.ErrorCount > 0)
        WriteServerLog(LogFolder(), p.name + ": " + std::to_string(request.ErrorCount) + " row(s) refused");
    return result;
}

Variant TAppServer::DataRequest(const std::string& provider, const Variant& data) {
    const Provider& p = FindProvider(provider);
    const Variant& d = data.Deref();
    if (d.IsArray() && d.DimCount() == 1) {
        std::string condition = VarToStr(ElementAt(d, 0)), order = VarToStr(ElementAt(d, 1));
        CheckClientFragment(condition, "condition");
        CheckClientFragment(order, "order");
        ProviderRequest& r = requests_[UpperCase(p.name)];
        r.condition = condition;
        r.order = order;
        r.topRows = topRows_;
        return Variant(true);
    }
    return {};
}

long long TAppServer::GetRecCount(const std::string& provider) {
    const Provider& p = FindProvider(provider);
    CompanyDatabase& db = Database("");
    LevelStatement st = TopLevelStatement(p.level, requests_[UpperCase(p.name)], db.Translator());
    // The status bar asks after every open: the count statement is made once per select, not parsed each time.
    auto found = countSql_.find(st.sql);
    if (found == countSql_.end()) {
        if (countSql_.size() >= kCountStatements) countSql_.clear();
        std::string sql = CountStatement(WithoutOrder(st.sql), [&db](const std::string& table) { return db.Columns(table); });
        found = countSql_.emplace(st.sql, std::move(sql)).first;
    }
    return db.CountOf(found->second, st.params);
}
