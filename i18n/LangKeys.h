#pragma once
// Keyed texts of a class, declared once where they are used: the class name, each key and its built-in
// (simplified Chinese) default. Declaring them also lists them for the check of the language packs.
//
//   const TLangKeys kKeys("TdmSingle", {{"sFailedSave", "保存失败"}});   // in the .cpp that uses them
//   kKeys.Text("sFailedSave")               // GetLangMessage(dtClient, "TdmSingle", ...)
//   form->LangText(kKeys, "sFailedSave", true)   // through a window's controller, converted for display
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "i18n/DesignType.h"

struct TLangKey {
    std::string ClassName;
    std::string Key;
    std::string Default;
};

class TLangKeys {
public:
    TLangKeys(std::string className, std::initializer_list<std::pair<const char*, const char*>> keys);

    const std::string& ClassName() const { return className_; }
    // The built-in text of a declared key; an undeclared key is a programming error
    // (EInvalidOperation).
    const std::string& Default(const std::string& key) const;
    // The key's text in the class's language file (client design type), or its default.
    std::string Text(const std::string& key, TDesignType designType = dtClient) const;

private:
    std::string className_;
    std::vector<std::pair<std::string, std::string>> keys_;
};

// Every key declared in the program, in declaration order.
const std::vector<TLangKey>& DeclaredLangKeys();
