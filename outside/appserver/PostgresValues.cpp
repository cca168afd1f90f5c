#include "outside/appserver/PostgresValues.h"

#include <libpq-fe.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>

#include "data/Embedded.h"
#include "outside/appserver/SqlTokens.h"

namespace {

// Type oids of the built-in types (pg_type.h).
enum : PgOid {
    kBool = 16,
    kBytea = 17,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kText = 25,
    kOidType = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kBpchar = 1042,
    kVarchar = 1043,
    kDate = 1082,
    kTimestamp = 1114,
    kTimestampTz = 1184,
    kNumeric = 1700
};

std::string DoubleText(double d) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, d);
    return std::string(buffer, end);
}

// A numeric's text as SQLite's numeric affinity would keep it: whole numbers that fit as integers.
Variant NumericValue(const std::string& text) {
    auto dot = text.find('.');
    bool whole = text.find_first_of("eEN") == std::string::npos &&
                 (dot == std::string::npos || text.find_first_not_of('0', dot + 1) == std::string::npos);
    if (whole) {
        long long n = 0;
        std::string digits = text.substr(0, dot);
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        if (ec == std::errc() && end == digits.data() + digits.size()) return Variant(n);
    }
    return Variant(std::strtod(text.c_str(), nullptr));
}

std::map<std::string, std::string> Spellings(const std::string& sql) {
    std::map<std::string, std::string> out;
    for (const Token& t : Tokenize(sql)) {
        if (t.kind != Tok::Ident) continue;
        std::string folded = t.text;
        for (auto& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        out.emplace(folded, t.text);
    }
    return out;
}

}  // namespace

void PgParams::Set(const std::vector<Variant>& params, int count) {
    auto n = static_cast<std::size_t>(count < 0 ? 0 : count);
    values.assign(n, std::nullopt);
    types.assign(n, 0);
    formats.assign(n, 0);
    for (std::size_t i = 0; i < n && i < params.size(); ++i) {
        const Variant& v = params[i].Deref();
        switch (v.Type()) {
            case VarType::Empty:
            case VarType::Null: break;
            case VarType::Boolean: values[i] = v.AsBool() ? "1" : "0"; break;
            case VarType::Integer: values[i] = std::to_string(v.AsInt64()); break;
            case VarType::Double:
            case VarType::Date: values[i] = DoubleText(v.AsDouble()); break;
            case VarType::String: values[i] = v.AsString(); break;
            case VarType::Bytes: {
                Bytes b = v.AsBytes();
                values[i] = std::string(b.begin(), b.end());
                types[i] = kBytea;
                formats[i] = 1;
                break;
            }
            default: throw EDatabaseError(std::string("A parameter of kind ") + VarTypeName(v.Type()) + " cannot be bound");
        }
    }
    pointers.assign(n, nullptr);
    lengths.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        if (!values[i]) continue;
        pointers[i] = values[i]->c_str();
        lengths[i] = static_cast<int>(values[i]->size());
    }
}

void PgParams::TypeAsText() {
    for (std::size_t i = 0; i < types.size(); ++i)
        if (formats[i] == 0) types[i] = kText;
}

Variant PgValue(const char* text, int length, PgOid type) {
    std::string s(text, static_cast<std::size_t>(length));
    switch (type) {
        case kBool: return Variant(static_cast<long long>(s == "t" ? 1 : 0));
        case kInt2:
        case kInt4:
        case kInt8:
        case kOidType: return Variant(std::strtoll(s.c_str(), nullptr, 10));
        case kFloat4:
        case kFloat8: return Variant(std::strtod(s.c_str(), nullptr));
        case kNumeric: return NumericValue(s);
        case kBpchar: s.erase(s.find_last_not_of(' ') + 1); return Variant(s);
        case kBytea: {
            std::size_t size = 0;
            unsigned char* raw = PQunescapeBytea(reinterpret_cast<const unsigned char*>(s.c_str()), &size);
            if (!raw) throw EDatabaseError("Cannot read a bytea value");
            Bytes out(raw, raw + size);
            PQfreemem(raw);
            return Variant(out);
        }
        default: return Variant(s);
    }
}

std::string PgTypeName(PgOid type, int modifier) {
    switch (type) {
        case kBool: return "boolean";
        case kBytea: return "blob";
        case kInt2: return "smallint";
        case kInt4: return "integer";
        case kInt8: return "bigint";
        case kFloat4: return "real";
        case kFloat8: return "double";
        case kText: return "text";
        case kVarchar: return modifier > 4 ? "varchar(" + std::to_string(modifier - 4) + ")" : "varchar";
        case kBpchar: return modifier > 4 ? "char(" + std::to_string(modifier - 4) + ")" : "char";
        case kDate: return "date";
        case kTimestamp:
        case kTimestampTz: return "timestamp";
        case kNumeric: {
            if (modifier < 4) return "numeric";
            int packed = modifier - 4;
            return "numeric(" + std::to_string((packed >> 16) & 0xFFFF) + "," + std::to_string(packed & 0xFFFF) + ")";
        }
        default: return "text";
    }
}

std::string PgColumnName(const std::string& folded, const std::string& statement) {
    static const std::map<std::string, std::string> schema = Spellings(std::string(kSchemaSql));
    auto own = Spellings(statement);
    if (auto found = own.find(folded); found != own.end()) return found->second;
    if (auto found = schema.find(folded); found != schema.end()) return found->second;
    for (char c : folded)
        if (!std::islower(static_cast<unsigned char>(c)) && !std::isdigit(static_cast<unsigned char>(c)) && c != '_')
            return folded;
    return SqlUpper(folded);
}
