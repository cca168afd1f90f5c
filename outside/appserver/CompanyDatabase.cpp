#include "outside/appserver/CompanyDatabase.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "outside/appserver/PostgresBackend.h"
#include "outside/appserver/SqliteBackend.h"
#include "outside/appserver/SqlTokens.h"
#include "toolkit/os/Registry.h"

namespace {

const char* kVandrilKey = "Software\\RKT\\Vandril";

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name.front() == '.') return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.'; });
}

std::string Lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

BackendAccess AccessOf(CompanyDatabase::Role role) {
    switch (role) {
        case CompanyDatabase::Role::Reader: return BackendAccess::Reader;
        case CompanyDatabase::Role::Creator: return BackendAccess::Creator;
        case CompanyDatabase::Role::Owner: break;
    }
    return BackendAccess::Owner;
}

std::unique_ptr<DatabaseBackend> OpenBackend(const std::string& location, CompanyDatabase::Role role) {
    const BackendAccess access = AccessOf(role);
    if (location.rfind(kPostgresPrefix, 0) != 0) return std::make_unique<SqliteBackend>(location, access);
    std::string connection = CompanyDatabase::PostgresConnection();
    if (connection.empty())
        throw EDatabaseError("No PostgreSQL connection for " + location +
                             ": set TDEF_POSTGRESQL or the registry value PostgreSQL");
    return std::make_unique<PostgresBackend>(connection, location.substr(std::string(kPostgresPrefix).size()), access);
}

// The file of that name in the folder; a file whose name differs only in case when that one is
// missing (database names compare without regard to case, as on the suite's servers).
std::string ExistingFileIgnoringCase(const std::string& folder, const std::string& name) {
    std::error_code error;
    if (std::filesystem::exists(folder + name, error)) return folder + name;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string found = entry.path().filename().string();
        if (Lower(found) == Lower(name)) return folder + found;
    }
    return folder + name;
}

}  // namespace

std::string CompanyDatabase::PostgresConnection() {
    if (const char* text = std::getenv("TDEF_POSTGRESQL"); text && *text) return text;
    return TRegistry().Read(kVandrilKey, "PostgreSQL").value_or("");
}

std::string CompanyDatabase::PathFor(const std::string& databaseName) {
    if (!IsPlainFileName(databaseName)) throw EDatabaseError("Invalid database name: '" + databaseName + "'");
    if (!PostgresConnection().empty()) return kPostgresPrefix + Lower(databaseName);
    std::string folder = TRegistry().Read(kVandrilKey, "ServerPath").value_or("");
    if (folder.empty()) throw EDatabaseError("No company database: set the registry value ServerPath");
    std::replace(folder.begin(), folder.end(), '\\', '/');
    if (folder.back() != '/') folder += '/';
    return ExistingFileIgnoringCase(folder + "Data/", databaseName + ".db");
}

std::string CompanyDatabase::DemoDatabaseName() { return TRegistry().Read(kVandrilKey, "DemoDatabase").value_or(""); }

bool CompanyDatabase::Create(const std::string& location) { return CompanyDatabase(location, Role::Creator).Created(); }

CompanyDatabase::CompanyDatabase(const std::string& location, Role role)
    : path_(location), backend_(OpenBackend(location, role)), translator_(backend_->Dialect()) {}

CompanyDatabase::~CompanyDatabase() {
    // Statements go before the connection they were prepared on.
    statements_.clear();
}

SqlResult CompanyDatabase::Query(const std::string& sql, const std::vector<Variant>& params) {
    return backend_->Query(sql, params);
}

SqlStatement& CompanyDatabase::Cached(const std::string& sql) {
    auto& slot = statements_[sql];
    if (!slot) {
        try {
            slot = backend_->Prepare(sql);
        } catch (...) {
            statements_.erase(sql);
            throw;
        }
    }
    return *slot;
}

namespace {

// Parameters bind alike only when of one kind as well as equal ("01" and 1 are equal variants).
bool SameParams(const std::vector<Variant>& a, const std::vector<Variant>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].Type() != b[i].Type() || !(a[i] == b[i])) return false;
    return true;
}

constexpr std::size_t kRememberedCounts = 64;

}  // namespace

long long CompanyDatabase::CountOf(const std::string& sql, const std::vector<Variant>& params) {
    const std::optional<DataStamp> stamp = backend_->Stamp();  // before counting: a later write counts again
    auto found = counts_.find(sql);
    if (stamp && found != counts_.end() && found->second.stamp == *stamp && SameParams(found->second.params, params))
        return found->second.rows;
    SqlStatement& count = Cached(sql);
    count.Bind(params);
    const long long rows = count.Step() ? count.Column(0).AsInt64() : 0;
    count.Reset();
    if (stamp) {
        if (counts_.size() >= kRememberedCounts && found == counts_.end()) counts_.clear();
        counts_[sql] = {params, *stamp, rows};
    }
    return rows;
}

const std::vector<SqlColumnInfo>& CompanyDatabase::Columns(const std::string& table) {
    std::string key = SqlUpper(table);
    auto found = columns_.find(key);
    if (found != columns_.end()) return found->second;
    return columns_[key] = backend_->Columns(table);
}
