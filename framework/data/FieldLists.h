#pragma once
// Field lists of the maintenance framework: groups separated by ";", each a dataset name, ":" and
// field names separated by "," ("CdsMain:MC003,MC004;cdsBody1:MD003,MD005"). Dataset names
// compare without regard to case; field names are kept as written.
#include <string>
#include <vector>

struct TFieldListGroup {
    std::string DataSet;
    std::vector<std::string> Fields;
};

// The groups of a list; blanks around names are dropped, empty names and groups without ":" skipped.
std::vector<TFieldListGroup> ParseFieldList(const std::string& list);
std::string FieldListText(const std::vector<TFieldListGroup>& groups);
// The fields the list names for a dataset (all its groups of that name, in order).
std::vector<std::string> FieldListFields(const std::string& list, const std::string& dataSet);
// FieldListFields remembered for the lists last asked about (one per dataset): checks that run on
// every post ask for the same list again and again.
class TFieldListCache {
public:
    const std::vector<std::string>& Fields(const std::string& list, const std::string& dataSet);

private:
    struct TEntry {
        std::string list, dataSet;
        std::vector<std::string> fields;
    };
    std::vector<TEntry> entries_;
};
// Group by group: a dataset already present gets the union of its fields (its own first, then the
// added ones it lacks, case ignored); a new dataset is appended.
std::string MergeFieldLists(const std::string& current, const std::string& added);
