#pragma once
// Keyed texts of a class's language file: the element named by the key, anywhere in the document,
// holds the text in its attribute Msg (the first such element in document order wins). Texts of
// several lines hold them separated by CR LF.
#include <string>

#include "i18n/DesignType.h"

// The text of key in the language file of className, or defaultText when the file is missing, does
// not parse or lacks the key. The configuration is read anew on every call, and the file again
// whenever its size or time stamp changed since it was last read (checked once in a lookup batch).
std::string GetLangMessage(TDesignType designType, const std::string& className, const std::string& key,
                           const std::string& defaultText);
// The same in a language folder already known ("" or ending in "/").
std::string GetLangMessageIn(const std::string& folder, const std::string& className, const std::string& key,
                             const std::string& defaultText);

// While one lives on this thread, each language file is checked for changes once: a window labelling
// its fields asks for many keys in a row, and a file changing in between is no concern of theirs.
class TLangLookupBatch {
public:
    TLangLookupBatch();
    ~TLangLookupBatch();
    TLangLookupBatch(const TLangLookupBatch&) = delete;
    TLangLookupBatch& operator=(const TLangLookupBatch&) = delete;

private:
    unsigned outer_;
};
