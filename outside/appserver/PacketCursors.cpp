#include "outside/appserver/PacketCursors.h"

#include <chrono>

#include "toolkit/data/Packets.h"
#include "toolkit/data/Provider.h"

namespace {
long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Statements a reader connection keeps before it starts afresh.
constexpr std::size_t kReaderStatements = 64;
}  // namespace

PacketCursors::PacketCursors(OpenReader openReader, const SqlTranslator& translator)
    : openReader_(std::move(openReader)), translator_(translator) {}

PacketCursors::~PacketCursors() { CloseAll(); }

void PacketCursors::CloseAll() {
    for (auto& [id, c] : cursors_) Suspend(*c);
    cursors_.clear();
    idle_.clear();
}

int PacketCursors::LiveCount() const {
    int n = 0;
    for (const auto& [id, c] : cursors_) n += c->db ? 1 : 0;
    return n;
}

std::unique_ptr<CompanyDatabase> PacketCursors::Acquire() {
    while (!idle_.empty() && idle_.back()->Broken()) idle_.pop_back();
    if (!idle_.empty()) {
        auto db = std::move(idle_.back());
        idle_.pop_back();
        if (db->CachedCount() > kReaderStatements) db->ForgetStatements();
        return db;
    }
    return openReader_();
}

void PacketCursors::Suspend(Cursor& c) {
    if (!c.db) return;
    c.reader.reset();
    // Resetting ends the statement's read of its snapshot, so the connection starts fresh next time.
    if (c.st) c.st->Reset();
    c.st = nullptr;
    c.onRow = false;
    idle_.push_back(std::move(c.db));
}

void PacketCursors::Erase(std::int64_t id) {
    auto found = cursors_.find(id);
    if (found == cursors_.end()) return;
    Suspend(*found->second);
    cursors_.erase(found);
}

void PacketCursors::Attach(Cursor& c, bool resume) {
    c.db = Acquire();
    try {
        if (resume) {
            // Continue after the rows already delivered (a limit no table reaches: both dialects take it).
            c.st = &c.db->Cached("SELECT * FROM (" + c.statement.sql + ") AS tdef_rows LIMIT ? OFFSET ?");
            std::vector<Variant> params = c.statement.params;
            params.push_back(Variant(static_cast<long long>(INT64_MAX)));
            params.push_back(Variant(c.delivered));
            c.st->Bind(params);
        } else {
            c.st = &c.db->Cached(c.statement.sql);
            if (!c.st->ReadOnly()) throw EDatabaseError("Only a query can open a provider: " + c.statement.sql);
            c.st->Bind(c.statement.params);
        }
        c.reader = std::make_unique<LevelReader>(*c.db, c.provider.level, translator_);
    } catch (...) {
        Suspend(c);
        throw;
    }
}

PacketCursors::Cursor& PacketCursors::Create(const Provider& provider, const ProviderRequest& request) {
    auto c = std::make_unique<Cursor>();
    c->id = nextId_++;
    c->provider = provider;
    c->statement = TopLevelStatement(c->provider.level, request, translator_);
    Attach(*c, false);
    Cursor& ref = *c;
    cursors_[ref.id] = std::move(c);
    return ref;
}

// Keeps the live and remembered cursors within bounds, oldest first; `keep` is the one in use.
void PacketCursors::Limit(std::int64_t keep) {
    long long now = NowMs();
    for (auto& [id, c] : cursors_)
        if (id != keep && c->db && now - c->lastUse > kIdleMs) Suspend(*c);
    auto oldest = [&](bool liveOnly) -> std::int64_t {
        std::int64_t found = 0;
        long long when = 0;
        for (auto& [id, c] : cursors_) {
            if (id == keep || (liveOnly && !c->db)) continue;
            if (found == 0 || c->lastUse < when) {
                found = id;
                when = c->lastUse;
            }
        }
        return found;
    };
    while (LiveCount() > kMaxLive) {
        std::int64_t id = oldest(true);
        if (id == 0) break;
        Suspend(*cursors_[id]);
    }
    while (Count() > kMaxCursors) {
        std::int64_t id = oldest(false);
        if (id == 0) break;
        Erase(id);
    }
}

Variant PacketCursors::GetRecords(const Provider& provider, const ProviderRequest& request, CompanyDatabase& schema, int count,
                                  int options, Variant& ownerData, int& recsOut) {
    recsOut = 0;
    Cursor* c = nullptr;
    if (!(options & grReset) && ownerData.IsArray() && ownerData.Count() >= 1) {
        auto found = cursors_.find(ownerData[ownerData.Low()].AsInt64());
        if (found == cursors_.end())
            throw EDatabaseError("The rows of provider " + provider.name + " are no longer open; open the dataset again");
        c = found->second.get();
        if (!c->db) Attach(*c, true);
    } else {
        c = &Create(provider, request);
    }
    c->lastUse = NowMs();
    std::int64_t id = c->id;
    Variant metadata;
    std::vector<Variant> rows;
    bool more = false;
    try {
        if (options & grMetaData) {
            // The shape of a statement's rows does not change: made once per statement.
            if (metadata_.size() > kReaderStatements) metadata_.clear();
            Variant& known = metadata_[c->statement.sql];
            if (known.IsEmpty()) known = MetadataFromDefs(c->reader->Fields(schema, *c->st));
            metadata = known;
        }
        // A statement stepped past its end would start over: the end is remembered.
        auto next = [&] {
            if (!c->onRow && !c->done) c->done = !(c->onRow = c->st->Step());
            return c->onRow;
        };
        std::vector<Variant> values;
        while ((count < 0 || static_cast<int>(values.size()) < count) && next()) {
            values.push_back(c->reader->ValuesOf(*c->st));
            c->onRow = false;
            ++c->delivered;
        }
        more = next();
        rows = c->reader->PacketRows(std::move(values));
    } catch (...) {
        Erase(id);
        throw;
    }
    recsOut = static_cast<int>(rows.size());
    if (more) {
        ownerData = VarArrayOf({Variant(static_cast<long long>(id)), Variant(c->delivered)});
        Limit(id);
    } else {
        ownerData = Variant();
        Erase(id);
    }
    return VarArrayOf({Variant(kPacketTag), metadata, ArrayOfMoved(std::move(rows)), Variant(more)});
}
