#pragma once
// The statements of a provider level and the shape of its packets: the request's condition and order
// spliced into the level's statement, field definitions from the statement's columns, and rows with
// their nested detail rows.
#include <map>
#include <string>
#include <vector>

#include "outside/appserver/CompanyDatabase.h"
#include "outside/appserver/ProviderLevel.h"
#include "outside/appserver/SqlTranslator.h"
#include "toolkit/data/FieldDefs.h"

struct LevelStatement {
    std::string sql;              // translated, ready for SQLite
    std::vector<Variant> params;  // in the order of the "?" in sql
};

// The level's rows for a request (top level). A condition of "All" (any case) or blanks selects all.
LevelStatement TopLevelStatement(const ProviderLevel& level, const ProviderRequest& request, const SqlTranslator& translator);
// The rows of a detail level that belong to one master row (master columns by name in masterNames).
LevelStatement DetailStatement(const ProviderLevel& detail, const SqlTranslator& translator);
// The rows of a detail level that belong to any of `masters` master rows: the links' "?" repeat once
// per master (an IN list for one link), and the rows come ordered by the links, then by the level's
// order, so that each master's rows keep the order DetailStatement gives them.
LevelStatement DetailBatchStatement(const ProviderLevel& detail, int masters, const SqlTranslator& translator);
// Positions of the detail's link columns among the master's columns (-1 when missing), and the
// parameters of the detail statement for one master row.
std::vector<int> LinkPositions(const ProviderLevel& detail, const std::vector<std::string>& masterNames);
// Positions of the detail's link columns among its own columns (-1 when missing).
std::vector<int> LinkedColumnPositions(const ProviderLevel& detail, const std::vector<std::string>& detailNames);
std::vector<Variant> DetailParams(const ProviderLevel& detail, const std::vector<int>& linkPositions, const Variant& masterRow);

// Field definitions of a statement's columns. Columns that are not in the level's table are read-only;
// NOT NULL columns without a default are required. Detail levels follow as dataset fields.
std::vector<TFieldDef> LevelFields(CompanyDatabase& schema, const SqlStatement& st, const ProviderLevel& level);
TFieldDef FieldFromDeclaredType(const std::string& name, const std::string& declared);

// Reads packets of one level through a connection: the columns of the rows st stands on, then the
// details of all those rows together, one statement per detail level for up to kBatch master rows.
class LevelReader {
public:
    static constexpr int kBatch = 256;  // master rows whose details one statement reads

    LevelReader(CompanyDatabase& db, const ProviderLevel& level, const SqlTranslator& translator);
    // Field definitions, preparing the detail statements (st: the level's own statement).
    std::vector<TFieldDef> Fields(CompanyDatabase& schema, const SqlStatement& st);
    // The packet row of the row st stands on (st: the level's own statement): its columns, and a slot
    // per detail level that PacketRows fills; a level without details leaves out the trailing nulls.
    Variant ValuesOf(const SqlStatement& st);
    // The rows read with ValuesOf with their details nested.
    std::vector<Variant> PacketRows(std::vector<Variant> rows);

private:
    struct Detail {
        const ProviderLevel* level;
        SqlStatement* st;  // the rows of one master row
        std::unique_ptr<LevelReader> reader;
        std::vector<int> linkPositions;        // among the master's columns
        std::vector<int> linkedColumns;        // among the detail's columns
        std::map<int, SqlStatement*> batches;  // by number of master rows
    };
    void PrepareDetails(const SqlStatement& st);
    // The nested rows of d for each master row (an array each, in the masters' order).
    std::vector<Variant> DetailRows(Detail& d, const std::vector<Variant>& masters);
    bool ReadBatch(Detail& d, const std::vector<const Variant*>& masters, const std::vector<std::string>& keys,
                   std::map<std::string, Variant>& byKey);
    Variant RowsOfOneMaster(Detail& d, const Variant& master);

    CompanyDatabase& db_;
    const ProviderLevel& level_;
    const SqlTranslator& translator_;
    std::vector<Detail> details_;
    int columns_ = 0;               // of the level's statement; the detail slots follow
    std::vector<Variant> scratch_;  // a row as read, before its trailing nulls are left out
    bool prepared_ = false;
};
