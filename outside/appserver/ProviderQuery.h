#pragma once
// The statements of a provider level and the shape of its packets: the request's condition and order
// spliced into the level's statement, field definitions from the statement's columns, and rows with
// their nested detail rows.
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
// Positions of the detail's link columns among the master's columns (-1 when missing), and the
// parameters of the detail statement for one master row.
std::vector<int> LinkPositions(const ProviderLevel& detail, const std::vector<std::string>& masterNames);
std::vector<Variant> DetailParams(const ProviderLevel& detail, const std::vector<int>& linkPositions, const Variant& masterRow);

// Field definitions of a statement's columns. Columns that are not in the level's table are read-only;
// NOT NULL columns without a default are required. Detail levels follow as dataset fields.
std::vector<TFieldDef> LevelFields(CompanyDatabase& schema, const SqlStatement& st, const ProviderLevel& level);
TFieldDef FieldFromDeclaredType(const std::string& name, const std::string& declared);

// Reads packets of one level through a connection: the current row of st and its details.
class LevelReader {
public:
    LevelReader(CompanyDatabase& db, const ProviderLevel& level, const SqlTranslator& translator);
    // Field definitions, preparing the detail statements (st: the level's own statement).
    std::vector<TFieldDef> Fields(CompanyDatabase& schema, const SqlStatement& st);
    // The row st stands on, as a packet row (details nested).
    Variant RowOf(const SqlStatement& st);

private:
    struct Detail {
        const ProviderLevel* level;
        SqlStatement* st;
        std::unique_ptr<LevelReader> reader;
        std::vector<int> linkPositions;
    };
    void PrepareDetails(const SqlStatement& st);

    CompanyDatabase& db_;
    const ProviderLevel& level_;
    const SqlTranslator& translator_;
    std::vector<Detail> details_;
    bool prepared_ = false;
};
