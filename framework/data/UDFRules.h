#pragma once
// The rules that fill user-defined columns from a server query whose parameters are other fields of
// the same record (tables ADMTK/ADMTL): the target column, the query and the related fields.
#include <string>
#include <vector>

class TBrokers;
class TDataSet;
class TField;

struct TUDFRelatedField {
    std::string FieldName;
    TField* Field = nullptr;  // the record's field of that name, when there is one
};

struct TUDFRule {
    std::string FieldName;                        // the user-defined column to fill (TL006)
    std::string QueryText;                        // TL013
    std::vector<TUDFRelatedField> RelatedFields;  // TL012, split at ";"
};

using TUDFRules = std::vector<TUDFRule>;

// The active rules of a program's level ("Z01" header, "Z01D" body): selector "Y" those with related
// fields, "N" those without, anything else all. Related fields are looked up in dataSet (may be
// null). An empty or failed answer gives no rules.
TUDFRules LoadUDFDefinitions(TBrokers& brokers, const std::string& program, const std::string& level, const std::string& selector,
                             const TDataSet* dataSet);
