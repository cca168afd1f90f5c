#include "i18n/LangMessage.h"

#include <sys/stat.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "i18n/LanguageFolder.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/xml/Xml.h"

namespace {

// A language file as last read, with the texts already looked up in it. Windows ask for the same few
// keys on every scroll and open; the file is parsed again only when it is another file or changed.
struct TReadLanguageFile {
    struct stat stamp {};
    bool present = false;
    unsigned checkedIn = 0;                                   // the lookup batch that last checked the file
    std::unique_ptr<TXmlDocument> document;                   // null: the file does not parse
    std::map<std::string, std::optional<std::string>> texts;  // key -> Msg, nullopt when absent
};

bool SameStamp(const struct stat& a, const struct stat& b) {
    return a.st_ino == b.st_ino && a.st_dev == b.st_dev && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

std::mutex gMutex;
std::map<std::string, TReadLanguageFile> gFiles;
std::atomic<unsigned> gLastBatch{0};
thread_local unsigned tBatch = 0;  // the batch in force on this thread, 0 outside one

// Checks the file on disk and reads it again when it changed.
void Refresh(const std::string& fileName, TReadLanguageFile& file) {
    struct stat stamp {};
    file.present = ::stat(fileName.c_str(), &stamp) == 0 && S_ISREG(stamp.st_mode);
    if (!file.present || SameStamp(file.stamp, stamp)) return;
    file.stamp = stamp;
    file.texts.clear();
    file.document = std::make_unique<TXmlDocument>();
    try {
        if (!file.document->LoadFromFile(fileName)) file.document.reset();
    } catch (const std::exception&) {
        file.document.reset();
    }
}

std::optional<std::string> LookUp(const TXmlDocument& document, const std::string& key) {
    try {
        TXmlNode message = document.SelectSingleNode(Format("//%s/@%s", {key, "Msg"}));
        if (message) return message.Text();
    } catch (const std::exception&) {
        // a key that is no name
    }
    return std::nullopt;
}

}  // namespace

std::string GetLangMessageIn(const std::string& folder, const std::string& className, const std::string& key,
                             const std::string& defaultText) {
    const std::string fileName = folder + className + ".Lng";
    std::lock_guard<std::mutex> lock(gMutex);
    TReadLanguageFile& file = gFiles[fileName];
    if (tBatch == 0 || file.checkedIn != tBatch) {
        Refresh(fileName, file);
        file.checkedIn = tBatch;
    }
    if (!file.present || !file.document) return defaultText;
    auto found = file.texts.find(key);
    if (found == file.texts.end()) found = file.texts.emplace(key, LookUp(*file.document, key)).first;
    return found->second ? *found->second : defaultText;
}

std::string GetLangMessage(TDesignType designType, const std::string& className, const std::string& key,
                           const std::string& defaultText) {
    return GetLangMessageIn(LanguageFolder(designType), className, key, defaultText);
}

TLangLookupBatch::TLangLookupBatch() : outer_(tBatch) {
    if (tBatch == 0) tBatch = ++gLastBatch;
}

TLangLookupBatch::~TLangLookupBatch() { tBatch = outer_; }
