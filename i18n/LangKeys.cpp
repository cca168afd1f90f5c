#include "i18n/LangKeys.h"

#include "i18n/LangMessage.h"
#include "toolkit/rtl/Exception.h"

namespace {

std::vector<TLangKey>& Declared() {
    static std::vector<TLangKey> keys;
    return keys;
}

}  // namespace

TLangKeys::TLangKeys(std::string className, std::initializer_list<std::pair<const char*, const char*>> keys)
    : className_(std::move(className)) {
    for (const auto& [key, text] : keys) {
        keys_.emplace_back(key, text);
        Declared().push_back({className_, key, text});
    }
}

const std::string& TLangKeys::Default(const std::string& key) const {
    for (const auto& [name, text] : keys_)
        if (name == key) return text;
    throw EInvalidOperation("The key " + key + " of " + className_ + " is not declared");
}

std::string TLangKeys::Text(const std::string& key, TDesignType designType) const {
    return GetLangMessage(designType, className_, key, Default(key));
}

const std::vector<TLangKey>& DeclaredLangKeys() { return Declared(); }
