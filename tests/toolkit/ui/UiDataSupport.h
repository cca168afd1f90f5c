#pragma once
// A local client dataset of documents for the data-aware control tests: ID (integer key), NAME
// (string 20), KIND (string 1) and DONE (string 1), with rows added as given.
#include <string>
#include <tuple>
#include <vector>

#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/data/Fields.h"

struct TDocRow {
    int id;
    std::string name;
    std::string kind;
    std::string done;
};

inline void MakeDocuments(TClientDataSet& ds, const std::vector<TDocRow>& rows) {
    ds.FieldDefs().Add("ID", ftInteger, 0, true);
    ds.FieldDefs().Add("NAME", ftString, 20);
    ds.FieldDefs().Add("KIND", ftString, 1);
    ds.FieldDefs().Add("DONE", ftString, 1);
    ds.CreateDataSet();
    for (const TDocRow& r : rows) ds.AppendRecord({Variant(r.id), Variant(r.name), Variant(r.kind), Variant(r.done)});
    ds.MergeChangeLog();  // the rows are the data as fetched
    ds.First();
}

inline std::vector<TDocRow> NumberedDocuments(int count) {
    std::vector<TDocRow> rows;
    for (int i = 1; i <= count; ++i) rows.push_back({i, "doc" + std::to_string(i), i % 2 ? "A" : "B", i % 3 ? "N" : "Y"});
    return rows;
}
