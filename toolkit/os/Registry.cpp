#include "toolkit/os/Registry.h"

#include <cstdlib>

#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/rtl/SysUtils.h"

namespace {
const char* const LocalMachine = "HKEY_LOCAL_MACHINE";

// The non-empty parts of a key, either separator.
std::vector<std::string> Parts(const std::string& key) {
    std::vector<std::string> parts;
    for (const auto& part : SplitString(NormalizePath(key), '/'))
        if (!Trim(part).empty()) parts.push_back(Trim(part));
    return parts;
}
}  // namespace

TRegistry::TRegistry() : TRegistry(std::getenv("VANDRIL_REGISTRY") ? std::getenv("VANDRIL_REGISTRY") : "") {}

TRegistry::TRegistry(const std::string& file) : file_(file) {
    if (file_.empty() || !FileExists(file_)) return;
    loaded_ = true;
    TIniFile ini(file_);
    TStringList sections, lines;
    ini.ReadSections(sections);
    for (int i = 0; i < sections.Count(); ++i) {
        std::string key = NormalizeKey(sections[i]);
        auto& values = keys_[key];
        RememberNames(key, sections[i]);
        ini.ReadSectionValues(sections[i], lines);
        for (int j = 0; j < lines.Count(); ++j) {
            std::string upper = UpperCase(lines.Names(j));
            if (values.count(upper)) continue;  // the first of repeated names counts
            values[upper] = lines.ValueFromIndex(j);
            names_[key + "|" + upper] = lines.Names(j);
        }
    }
}

void TRegistry::RememberNames(const std::string& normalized, const std::string& written) {
    // Every key above this one exists too; remember how each part was spelled. The written key may
    // lack the hive, so the parts are matched from the end.
    std::vector<std::string> parts = Parts(written);
    std::vector<std::string> upper = SplitString(normalized, '\\');
    std::string prefix;
    for (std::size_t d = 0; d < upper.size(); ++d) {
        prefix += (d ? "\\" : "") + upper[d];
        std::size_t fromEnd = upper.size() - 1 - d;
        std::string name = fromEnd < parts.size() && d > 0 ? parts[parts.size() - 1 - fromEnd] : upper[d];
        keyNames_.emplace(prefix, name);
    }
}

std::string TRegistry::NormalizeKey(const std::string& key) {
    std::vector<std::string> parts = Parts(UpperCase(key));
    if (parts.empty()) return LocalMachine;
    const std::string& hive = parts.front();
    if (hive == "HKLM")
        parts.front() = LocalMachine;
    else if (hive == "HKCU")
        parts.front() = "HKEY_CURRENT_USER";
    else if (hive == "HKCR")
        parts.front() = "HKEY_CLASSES_ROOT";
    else if (hive == "HKU")
        parts.front() = "HKEY_USERS";
    else if (hive.rfind("HKEY_", 0) != 0)
        parts.insert(parts.begin(), LocalMachine);
    std::string r;
    for (const auto& p : parts) r += (r.empty() ? "" : "\\") + p;
    return r;
}

bool TRegistry::KeyExists(const std::string& key) const {
    std::string k = NormalizeKey(key);
    if (k.find('\\') == std::string::npos) return true;  // a hive
    if (keys_.count(k)) return true;
    std::string below = k + "\\";
    auto it = keys_.lower_bound(below);
    return it != keys_.end() && it->first.compare(0, below.size(), below) == 0;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
    if (!KeyExists(key)) return false;
    open_ = NormalizeKey(key);
    return true;
}

bool TRegistry::ValueExists(const std::string& name) const { return Read(open_, name).has_value(); }

std::string TRegistry::ReadString(const std::string& name) const { return Read(open_, name).value_or(""); }

std::vector<std::string> TRegistry::ValueNames() const {
    std::vector<std::string> names;
    auto it = keys_.find(open_);
    if (it == keys_.end()) return names;
    for (const auto& [upper, value] : it->second) names.push_back(names_.at(open_ + "|" + upper));
    return names;
}

std::vector<std::string> TRegistry::SubKeys(const std::string& key) const {
    std::string k = NormalizeKey(key) + "\\";
    std::vector<std::string> subKeys;
    std::string last;
    for (auto it = keys_.upper_bound(k); it != keys_.end() && it->first.compare(0, k.size(), k) == 0; ++it) {
        std::string child = it->first.substr(0, it->first.find('\\', k.size()));
        if (child == last) continue;
        last = child;
        subKeys.push_back(keyNames_.at(child));
    }
    return subKeys;
}

std::optional<std::string> TRegistry::Read(const std::string& key, const std::string& name) const {
    auto it = keys_.find(NormalizeKey(key));
    if (it == keys_.end()) return std::nullopt;
    auto v = it->second.find(UpperCase(name));
    if (v == it->second.end()) return std::nullopt;
    return v->second;
}
