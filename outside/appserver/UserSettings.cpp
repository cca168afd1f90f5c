#include "outside/appserver/UserSettings.h"

#include <pugixml.hpp>

#include <sstream>

namespace {

std::string Serialize(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

}  // namespace

std::string UserSettings::Stored(const std::string& company, const std::string& user, const std::string& program,
                                 const std::string& name) {
    SqlResult r = db_.Query("SELECT UD005 FROM ADMUD WHERE UD001 = ? AND UD002 = ? AND UD003 = ? AND UD004 = ?",
                            {company, user, program, name});
    return r.rows.empty() ? "" : VarToStr(r.rows[0][0]);
}

void UserSettings::Store(const std::string& company, const std::string& user, const std::string& program, const std::string& name,
                         const std::string& document) {
    db_.InTransaction([&] {
        db_.Query("DELETE FROM ADMUD WHERE UD001 = ? AND UD002 = ? AND UD003 = ? AND UD004 = ?", {company, user, program, name});
        db_.Query("INSERT INTO ADMUD (UD001, UD002, UD003, UD004, UD005, COMPANY, CREATOR, FLAG) VALUES (?, ?, ?, ?, ?, ?, ?, 1)",
                  {company, user, program, name, document, company, user});
    });
}

std::string UserSettings::Get(const std::string& company, const std::string& user, const std::string& program,
                              const std::string& name) {
    std::string own = Stored(company, user, program, name);
    return own.empty() ? Stored(company, user, kAllPrograms, name) : own;
}

std::string UserSettings::Set(const std::string& company, const std::string& user, const std::string& program,
                              const std::string& path, const std::string& value) {
    pugi::xml_document doc;
    if (path == ".") {
        pugi::xml_parse_result parsed = doc.load_buffer(value.data(), value.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!parsed || !doc.document_element()) return std::string("Invalid settings document: ") + parsed.description();
        Store(company, user, program, doc.document_element().name(), Serialize(doc));
        return "";
    }
    auto slash = path.find('/');
    std::string name = path.substr(0, slash);
    std::string element = slash == std::string::npos ? "" : path.substr(slash + 1);
    if (name.empty() || element.empty() || element.find('/') != std::string::npos) return "Invalid setting path: " + path;
    std::string stored = Stored(company, user, program, name);
    if (stored.empty() || !doc.load_string(stored.c_str()) || std::string(doc.document_element().name()) != name) {
        doc.reset();
        doc.append_child(name.c_str());
    }
    pugi::xml_node root = doc.document_element();
    pugi::xml_node child = root.child(element.c_str());
    if (!child) child = root.append_child(element.c_str());
    if (!child) return "Invalid setting name: " + element;
    child.text().set(value.c_str());
    Store(company, user, program, name, Serialize(doc));
    return "";
}
