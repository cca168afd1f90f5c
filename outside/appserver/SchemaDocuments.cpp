#include "outside/appserver/SchemaDocuments.h"

#include <charconv>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>

#include "data/Embedded.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr int kDatabaseCodePage = 936;
// Lengths a column type without its own gives: digits of a plain number (integer.decimals), the
// sizes the suite shows for text, whole numbers and dates.
constexpr double kNumberLength = 16.4;
constexpr double kTextLength = 16;
constexpr double kIntegerLength = 4;
constexpr double kDateLength = 8;

std::string Cut(const std::string& text, std::size_t bytes) { return TruncateToBytes(Trim(text), bytes, kDatabaseCodePage); }

// The standard names of the columns every table (or every document table) carries.
std::string StandardName(const std::string& column) {
    static const std::map<std::string, std::string> names = {
        {"COMPANY", "公司别"},  {"CREATOR", "创建者"},     {"USR_GROUP", "用户组"}, {"CREATE_DATE", "创建日期"},
        {"MODIFIER", "修改者"}, {"MODI_DATE", "修改日期"}, {"FLAG", "标识"}};
    if (auto found = names.find(column); found != names.end()) return found->second;
    if (column.size() == 5 && column.rfind("UDF", 0) == 0) return "自定义项" + column.substr(3);
    return "";
}

void ApplyType(SchemaField& field, std::string type, const std::string& size, const std::string& scale) {
    type = LowerCase(type);
    int n = size.empty() ? 0 : std::stoi(size);
    if (type == "varchar" || type == "nvarchar") {
        field.type = "V";
        field.length = n;
    } else if (type == "char" || type == "nchar") {
        field.type = "C";
        field.length = n;
    } else if (type == "numeric" || type == "decimal" || type == "real" || type == "float") {
        field.type = "N";
        field.length = kNumberLength;
        if (n > 0) field.length = std::stod(size + "." + (scale.empty() ? "0" : scale));
    } else if (type == "integer" || type == "int" || type == "smallint" || type == "bigint") {
        field.type = "Z";
        field.length = kIntegerLength;
    } else if (type == "date" || type == "datetime" || type == "timestamp") {
        field.type = "D";
        field.length = kDateLength;
    } else if (type == "blob" || type == "bytea" || type == "image") {
        field.type = "I";
        field.length = kTextLength;
    } else {
        field.type = "T";
        field.length = kTextLength;
    }
}

// "name @ENTITY | description" of a column comment.
void ApplyComment(SchemaField& field, const std::string& comment) {
    std::string head = comment, tail;
    if (auto bar = comment.find('|'); bar != std::string::npos) {
        head = comment.substr(0, bar);
        tail = comment.substr(bar + 1);
    }
    static const std::regex entity(R"(@(\w+))");
    std::smatch m;
    if (std::regex_search(head, m, entity)) {
        field.entity = m[1];
        head = m.prefix().str() + m.suffix().str();
    }
    if (!Trim(head).empty()) field.name = Trim(head);
    field.description = Trim(tail);
}

// "type system file name | remark" of a table comment.
void ApplyTableComment(SchemaTable& table, const std::string& comment) {
    std::string head = comment;
    if (auto bar = comment.find('|'); bar != std::string::npos) {
        head = comment.substr(0, bar);
        table.remark = Trim(comment.substr(bar + 1));
    }
    std::istringstream words(head);
    std::string type, system, rest;
    words >> type >> system;
    std::getline(words, rest);
    if (type.size() == 1 && type[0] >= '1' && type[0] <= '8') table.type = type;
    table.system = system;
    table.fileName = Trim(rest);
}

void CutToFieldSizes(SchemaTable& table) {
    table.code = Cut(table.code, 10);
    table.fileName = Cut(table.fileName, 24);
    table.system = Cut(table.system, 3);
    table.remark = Cut(table.remark, 255);
    for (SchemaField& f : table.fields) {
        f.code = Cut(f.code, 15);
        f.name = Cut(f.name, 20);
        f.description = Cut(f.description, 255);
        f.entity = Cut(f.entity, 10);
    }
}

std::string Quoted(const std::string& text) { return "'" + StringReplace(text, "'", "''", rfReplaceAll) + "'"; }

std::string NumberText(double value) {
    char buffer[32];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}

constexpr const char* kStamp = "'DEMO', 'DS', 'ADMIN', '20240102083000000', NULL, NULL, 1";

}  // namespace

std::vector<SchemaTable> SchemaTables(std::string_view schemaSql) {
    static const std::regex createLine(R"(^\s*CREATE\s+TABLE\s+(\w+)\s*\(\s*(?:--\s*(.*))?$)", std::regex::icase);
    static const std::regex columnLine(R"(^\s*(\w+)\s+(\w+)\s*(?:\(\s*(\d+)\s*(?:,\s*(\d+)\s*)?\))?[^-]*(?:--\s*(.*))?$)");
    static const std::regex foreignKey(R"(FOREIGN\s+KEY\s*\(([^)]*)\)\s*REFERENCES\s+(\w+))", std::regex::icase);
    static const std::regex constraintWord(R"(^\s*(CONSTRAINT|PRIMARY|FOREIGN|UNIQUE|CHECK)\b)", std::regex::icase);

    std::vector<SchemaTable> tables;
    SchemaTable* table = nullptr;
    bool inConstraint = false;
    std::istringstream lines{std::string(schemaSql)};
    std::string line;
    std::smatch m;
    while (std::getline(lines, line)) {
        if (std::regex_match(line, m, createLine)) {
            tables.emplace_back();
            table = &tables.back();
            table->code = m[1];
            table->type = "7";
            if (m[2].matched) ApplyTableComment(*table, m[2]);
            if (table->fileName.empty()) table->fileName = table->code;
            continue;
        }
        if (!table) continue;
        if (Trim(line).rfind(")", 0) == 0) {
            table = nullptr;
            inConstraint = false;
            continue;
        }
        const std::string code = Trim(line.substr(0, line.find("--")));
        if (code.empty()) continue;
        if (inConstraint || std::regex_search(line, constraintWord)) {
            // A constraint may go on over several lines up to its comma.
            inConstraint = code.back() != ',';
            if (std::regex_search(line, m, foreignKey)) {
                const std::string target = m[2];
                for (const std::string& column : SplitString(m[1], ','))
                    for (SchemaField& f : table->fields)
                        if (SameText(f.code, Trim(column)) && f.entity.empty()) f.entity = target;
            }
            continue;
        }
        if (!std::regex_match(line, m, columnLine)) continue;
        SchemaField field;
        field.code = m[1];
        field.name = StandardName(UpperCase(field.code));
        ApplyType(field, m[2], m[3], m[4]);
        if (m[5].matched) ApplyComment(field, m[5]);
        if (field.name.empty()) field.name = field.code;
        table->fields.push_back(std::move(field));
    }
    for (SchemaTable& t : tables) CutToFieldSizes(t);
    return tables;
}

std::string DocumentInserts(const std::vector<SchemaTable>& tables) {
    std::string headers, lines;
    for (const SchemaTable& t : tables) {
        headers += headers.empty() ? "\n    (" : ",\n    (";
        headers += Quoted(t.code) + ", " + Quoted(t.fileName) + ", " + Quoted(t.type) + ", " + Quoted(t.system) + ", " +
                   (t.remark.empty() ? "NULL" : Quoted(t.remark)) + ", " + kStamp + ")";
        int number = 0;
        for (const SchemaField& f : t.fields) {
            char seq[16];
            std::snprintf(seq, sizeof seq, "%04d", ++number);
            lines += lines.empty() ? "\n    (" : ",\n    (";
            lines += Quoted(t.code) + ", '" + seq + "', " + Quoted(f.code) + ", " + Quoted(f.name) + ", " + Quoted(f.type) +
                     ", " + NumberText(f.length) + ", " + Quoted(f.description) + ", " + Quoted(f.entity) + ", " + kStamp + ")";
        }
    }
    std::string sql;
    if (!headers.empty())
        sql +=
            "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, MC005, COMPANY, CREATOR, USR_GROUP, CREATE_DATE, MODIFIER, "
            "MODI_DATE, FLAG) VALUES" +
            headers + ";\n";
    if (!lines.empty())
        sql +=
            "INSERT INTO ADMMD (MD001, MD002, MD003, MD004, MD005, MD006, MD007, MD008, COMPANY, CREATOR, USR_GROUP, "
            "CREATE_DATE, MODIFIER, MODI_DATE, FLAG) VALUES" +
            lines + ";\n";
    return sql;
}

std::string DemoCompanySql() {
    static const std::string sql =
        std::string(kSeedSql) + "\n-- The documents of the company's own tables.\n" + DocumentInserts(SchemaTables(kSchemaSql));
    return sql;
}
