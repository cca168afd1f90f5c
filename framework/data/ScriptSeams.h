#pragma once
// What the data modules need of the localization layer: keyed texts of a data-module class from
// its language file, and the conversion of texts between the database's script, the interface's
// script and the program's own (simplified) texts. The language controller and the character
// converter arrive with the localization layer; until then there are no language files (every
// keyed text is its built-in default) and texts pass unchanged, which is exact for a simplified
// interface over a simplified database.
#include <string>

// The text of key in the language file of the class (client design type), or the default.
std::string DataModuleLangMessage(const std::string& className, const std::string& key, const std::string& defaultText);

// Database text as the interface shows it, and typed text as the database stores it.
std::string StorageToInterfaceText(const std::string& text);
std::string InterfaceToStorageText(const std::string& text);
// A built-in text of the program in the interface's script.
std::string ProgramToInterfaceText(const std::string& text);
