#include "i18n/LangMessage.h"

#include "i18n/LanguageFolder.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/xml/Xml.h"

std::string GetLangMessage(TDesignType designType, const std::string& className, const std::string& key,
                           const std::string& defaultText) {
    const std::string fileName = LanguageFileName(designType, className);
    if (!FileExists(fileName)) return defaultText;
    try {
        TXmlDocument document;
        if (!document.LoadFromFile(fileName)) return defaultText;
        TXmlNode message = document.SelectSingleNode(Format("//%s/@%s", {key, "Msg"}));
        return message ? message.Text() : defaultText;
    } catch (const std::exception&) {
        return defaultText;   // a key that is no name
    }
}
