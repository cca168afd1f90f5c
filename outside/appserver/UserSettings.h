#pragma once
// Per-user settings documents (table ADMUD), one small XML document per company, user, program and
// setting name; the program "********************" (twenty '*') holds settings for every program.
//   Get(company, user, program, name)        the program's own document, else the one for every program;
//                                            "" when there is none
//   Set(company, user, program, path, value) path "Name/Element" sets that element's text in the document
//                                            <Name> (created when missing); path "." stores value as the
//                                            whole document, named by its root element. Answers an error
//                                            text, "" on success.
#include <string>

#include "outside/appserver/CompanyDatabase.h"

class UserSettings {
public:
    static constexpr const char* kAllPrograms = "********************";

    explicit UserSettings(CompanyDatabase& db) : db_(db) {}

    std::string Get(const std::string& company, const std::string& user, const std::string& program, const std::string& name);
    std::string Set(const std::string& company, const std::string& user, const std::string& program, const std::string& path,
                    const std::string& value);

private:
    std::string Stored(const std::string& company, const std::string& user, const std::string& program, const std::string& name);
    void Store(const std::string& company, const std::string& user, const std::string& program, const std::string& name,
               const std::string& document);

    CompanyDatabase& db_;
};
