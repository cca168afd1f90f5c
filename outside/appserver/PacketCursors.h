#pragma once
// The server-side cursors of one session. A client dataset opens a provider's rows and gets them in
// packets: the first packet comes from a freshly prepared statement that is then kept, positioned, on
// a reader connection of its own; the token handed to the client (OwnerData) names the cursor, and the
// next request goes on stepping the same statement. Nothing counts or scans the rows in advance.
// A session keeps a few live cursors; older or idle ones give their connection back and, when asked
// again, continue by skipping the rows already delivered.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "outside/appserver/ProviderQuery.h"
#include "toolkit/rtl/Visibility.h"

class TK_EXPORT PacketCursors {
public:
    using OpenReader = std::function<std::unique_ptr<CompanyDatabase>()>;
    static constexpr int kMaxLive = 4;      // cursors holding a statement and a connection
    static constexpr int kMaxCursors = 32;  // cursors a session remembers
    static constexpr long long kIdleMs = 120000;

    PacketCursors(OpenReader openReader, const SqlTranslator& translator);
    ~PacketCursors();
    PacketCursors(const PacketCursors&) = delete;
    PacketCursors& operator=(const PacketCursors&) = delete;

    // AS_GetRecords: count -1 every row, 0 the field definitions only, n at most n rows. ownerData in:
    // the token of the last packet (ignored with grReset); out: the token for the next one, Empty when
    // every row has been delivered.
    Variant GetRecords(const Provider& provider, const ProviderRequest& request, CompanyDatabase& schema, int count, int options,
                       Variant& ownerData, int& recsOut);
    void CloseAll();
    int Count() const { return static_cast<int>(cursors_.size()); }
    int LiveCount() const;

private:
    struct Cursor {
        std::int64_t id = 0;
        Provider provider;
        LevelStatement statement;
        long long delivered = 0;
        long long lastUse = 0;
        std::unique_ptr<CompanyDatabase> db;  // null while suspended
        SqlStatement* st = nullptr;           // cached on db
        std::unique_ptr<LevelReader> reader;
        bool onRow = false;  // st stands on a row not delivered yet
        bool done = false;   // st has no rows left
    };
    Cursor& Create(const Provider& provider, const ProviderRequest& request);
    void Attach(Cursor& c, bool resume);
    void Suspend(Cursor& c);
    void Erase(std::int64_t id);
    void Limit(std::int64_t keep);
    std::unique_ptr<CompanyDatabase> Acquire();

    OpenReader openReader_;
    const SqlTranslator& translator_;
    std::map<std::int64_t, std::unique_ptr<Cursor>> cursors_;
    std::vector<std::unique_ptr<CompanyDatabase>> idle_;
    std::map<std::string, Variant> metadata_;  // by statement
    std::int64_t nextId_ = 1;
};
