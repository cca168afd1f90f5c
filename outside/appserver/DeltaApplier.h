#pragma once
// Applies a client dataset's delta (header rows with their nested detail rows) to the company database
// in one transaction. Updates and deletes find their row by its key and by the FLAG it had when the
// client read it, so a row someone changed or deleted meanwhile is refused, never overwritten: the
// refusal says which. The server, not the client, counts FLAG (1 for a new row, one up modulo 1000 for
// each save, in the statement that saves it); since the count comes round after 1000 saves, an update
// also requires the columns it writes, and a delete MODI_DATE, to hold what the client read. A change
// of an unknown kind is refused. Every value travels as a bound parameter. With maxErrors 0 (or more
// refusals than maxErrors) nothing is kept; with maxErrors -1 any number of refusals is tolerated.
//
// With server numbering the last key column of the header is the document's number: a new header whose
// number someone took meanwhile is stored under the next free number with the same prefix (the number
// less its four-digit counter), and its new detail rows follow it through their links.
#include <map>
#include <string>

#include "outside/appserver/CompanyDatabase.h"
#include "outside/appserver/ProviderLevel.h"
#include "toolkit/data/Packets.h"

inline constexpr const char* kRecordChanged = "Record changed by another user";
inline constexpr const char* kRecordDeleted = "Record not found or deleted by another user";
inline constexpr const char* kRecordExists = "A record with this key already exists";

// Error codes of the error packet (rc* of the provider protocol).
enum DeltaErrorCode {
    deChanged = 1,
    deDeleted = 2,
    deDatabase = 3,
    deReadOnly = 4,
    deExists = 5
};

struct DeltaShape;

class DeltaApplier {
public:
    DeltaApplier(CompanyDatabase& db, const Provider& provider);
    // The error packet of the provider protocol; errorCount gets the number of refused rows.
    Variant Apply(const Variant& delta, int maxErrors, int& errorCount);
    void SetServerNumbering(bool on) { numbering_ = on; }
    // The number the last new header was stored under with server numbering ("" when none).
    const std::string& StoredNumber() const { return storedNumber_; }

private:
    struct Outcome {
        bool ok = true;
        std::string message;
        int code = 0;
        Variant current;  // the row as the server has it now, when it still exists
    };
    // New values that replace what the client sent in a new row, by upper-case column name.
    using Overrides = std::map<std::string, Variant>;
    void ApplyLevel(const TDeltaReader& reader, const ProviderLevel& level, const Overrides& fromMaster);
    // overrideSlots: the overrides by field position (null where none), as a new row takes them.
    Outcome ApplyRow(const TDeltaRow& row, TUpdateKind kind, const ProviderLevel& level, const DeltaShape& shape,
                     const std::vector<TFieldDef>& fields, const Overrides& overrides,
                     const std::vector<const Variant*>& overrideSlots);
    // The header's number for a new header row under server numbering (its override when renumbered).
    void NumberNewHeader(const TDeltaRow& row, const ProviderLevel& level, const DeltaShape& shape, Overrides& own);
    Outcome Refusal(const TDeltaRow& row, const ProviderLevel& level, const DeltaShape& shape,
                    const std::vector<TFieldDef>& fields);
    std::string Context(const TDeltaRow& row, const ProviderLevel& level) const;
    // Whether a row with the new key values of the row is stored already.
    bool KeyTaken(const TDeltaRow& row, const ProviderLevel& level, const DeltaShape& shape, const Overrides& overrides);
    bool TooMany() const { return maxErrors_ >= 0 && errors_.Count() > maxErrors_; }
    struct TRetryGuarded {};  // a row failed outside a savepoint

    CompanyDatabase& db_;
    const Provider& provider_;
    TErrorPacketBuilder errors_;
    int maxErrors_ = 0;
    bool numbering_ = false;
    bool guarded_ = false;  // each row under a savepoint of its own
    std::string storedNumber_;
};
