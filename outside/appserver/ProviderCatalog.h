#pragma once
// The providers of the application server, built for the connected program from its information
// (ADMPI: M11_/D11_/F11_ entries) and its colour rules (ADMNH):
//   pvdMain     header rows of M11_TABLE through M11_SELECT, each with its body rows of D11_TABLE
//               (D11_SELECT) nested as the dataset field D11_FIELD (default "qryBody"), linked by D11_LINK
//               ("MC001->MD001"), body ordered by its key after the linked fields; each body row with
//               its sub-body rows of F11_TABLE the same way (F11_SELECT, F11_FIELD default
//               "qrySubBody", F11_LINK from the body's columns)
//   pvdColor    per header key the colour settings of each "head" component ("gdHead" always), body
//               settings nested as "qryBodyColor" when the rules colour the body; read-only
//   pvdConSave  the user's saved query schemes of the program (DOCUS)
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "outside/appserver/ProviderLevel.h"

using ProgramInformation = std::map<std::string, std::string>;  // upper-case names

inline constexpr const char* kMainProvider = "pvdMain";
inline constexpr const char* kColorProvider = "pvdColor";
inline constexpr const char* kSavedConditionProvider = "pvdConSave";
inline constexpr const char* kSubBodyField = "qrySubBody";

std::vector<std::string> ProviderNames();
// The (parent column, own column) links of the level "D11_" (to the header) or "F11_" (to the body);
// empty for any other level or when the program has no such level.
std::vector<std::pair<std::string, std::string>> ParentLinks(const ProgramInformation& info, const std::string& prefix);

// Raises EDatabaseError when the program information lacks what the provider needs.
Provider MainProvider(const ProgramInformation& info);
// rulesXml: the program's colour-manager document ("" when it has none). Raises EDatabaseError with
// "颜色管理xml格式错误" for a document that does not parse.
Provider ColorProvider(const ProgramInformation& info, const std::string& rulesXml);
Provider SavedConditionProvider(const std::string& user, const std::string& program);

// One colour rule of an area: the condition (a WHERE fragment) and the settings text it yields.
struct ColorRule {
    std::string condition;
    std::string settings;  // "bkcolor=...;colorx=...;msg=...;"
};
struct ColorComponent {
    std::string name;
    std::vector<ColorRule> rules;
};
// The enabled components of an area ("head" or "body") of a colour-manager document.
std::vector<ColorComponent> ColorComponents(const std::string& rulesXml, const std::string& area);
