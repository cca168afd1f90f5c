#include "toolkit/data/DataTypes.h"

#include <cstdio>

namespace {
struct TypeName {
    TFieldType type;
    const char* name;
};
constexpr TypeName kTypeNames[] = {
    {ftUnknown, "Unknown"},   {ftString, "String"},     {ftSmallint, "Smallint"}, {ftInteger, "Integer"},
    {ftWord, "Word"},         {ftLargeint, "Largeint"}, {ftBoolean, "Boolean"},   {ftFloat, "Float"},
    {ftCurrency, "Currency"}, {ftBCD, "BCD"},           {ftDate, "Date"},         {ftDateTime, "DateTime"},
    {ftMemo, "Memo"},         {ftBlob, "Blob"},         {ftDataSet, "DataSet"},
};

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Every packet names the type of every field: the names are ASCII, mostly spelt as written here.
bool SameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (a[i] != b[i] && UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return i == a.size() && !b[i];
}
}  // namespace

const char* FieldTypeName(TFieldType type) {
    for (const auto& t : kTypeNames)
        if (t.type == type) return t.name;
    return "Unknown";
}

TFieldType FieldTypeFromName(const std::string& name) {
    for (const auto& t : kTypeNames)
        if (SameName(name, t.name)) return t.type;
    return ftUnknown;
}

bool IsNumericFieldType(TFieldType type) {
    switch (type) {
        case ftSmallint:
        case ftInteger:
        case ftWord:
        case ftLargeint:
        case ftFloat:
        case ftCurrency:
        case ftBCD: return true;
        default: return false;
    }
}

void DatabaseError(const std::string& message) { throw EDatabaseError(message); }

namespace DataMessages {
std::string FieldReadOnly(const std::string& fieldName) { return "Field '" + fieldName + "' cannot be modified"; }
std::string FieldRequired(const std::string& displayName) { return "Field '" + displayName + "' must have a value"; }
std::string FieldNotFound(const std::string& fieldName) { return "Field '" + fieldName + "' not found"; }
std::string InvalidInteger(const std::string& text) { return "'" + text + "' is not a valid integer value"; }
std::string InvalidFloat(const std::string& text) { return "'" + text + "' is not a valid floating point value"; }
std::string InvalidDate(const std::string& text) { return "'" + text + "' is not a valid date and time"; }
std::string InvalidBoolean(const std::string& text) { return "'" + text + "' is not a valid boolean value"; }
std::string FieldRangeError(double value, const std::string& fieldName, double min, double max) {
    char buf[256];
    std::snprintf(buf, sizeof buf, "%g is not a valid value for field '%s'. The allowed range is %g to %g", value,
                  fieldName.c_str(), min, max);
    return buf;
}
std::string IndexNotFound(const std::string& name) { return "Index '" + name + "' not found"; }
}  // namespace DataMessages
