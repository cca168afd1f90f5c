#include "framework/data/ScriptSeams.h"

std::string DataModuleLangMessage(const std::string& /*className*/, const std::string& /*key*/,
                                  const std::string& defaultText) {
    return defaultText;
}

std::string StorageToInterfaceText(const std::string& text) { return text; }

std::string InterfaceToStorageText(const std::string& text) { return text; }

std::string ProgramToInterfaceText(const std::string& text) { return text; }
