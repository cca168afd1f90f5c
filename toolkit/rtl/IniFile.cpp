#include "toolkit/rtl/IniFile.h"

#include <sys/stat.h>
#include <fstream>
#include <sstream>

#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/rtl/SysUtils.h"

namespace {
bool IsComment(const std::string& trimmed) { return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#'); }

bool IsHeader(const std::string& trimmed) { return !trimmed.empty() && trimmed[0] == '['; }

std::string HeaderName(const std::string& trimmed) {
    std::size_t end = trimmed.rfind(']');
    return Trim(trimmed.substr(1, end == std::string::npos || end == 0 ? std::string::npos : end - 1));
}
}  // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

void TIniFile::Refresh() const {
    struct stat st {};
    long long stamp = -1, size = -1;
    if (::stat(fileName_.c_str(), &st) == 0) {
        stamp = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        size = static_cast<long long>(st.st_size);
    }
    if (stamp == stamp_ && size == size_) return;
    stamp_ = stamp;
    size_ = size;
    lines_.clear();
    bom_ = false;
    std::ifstream in(fileName_, std::ios::binary);
    if (in) {
        std::ostringstream buf;
        buf << in.rdbuf();
        std::string text = buf.str();
        if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            bom_ = true;
            text.erase(0, 3);
        }
        TStringList list;
        list.SetText(text);
        lines_ = list.ToVector();
    }
    Parse();
}

void TIniFile::Parse() const {
    sections_.clear();
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        std::string t = Trim(lines_[static_cast<std::size_t>(i)]);
        if (t.empty() || IsComment(t)) continue;
        if (IsHeader(t)) {
            sections_.push_back(Section{HeaderName(t), i, {}});
            continue;
        }
        std::size_t eq = t.find('=');
        if (eq == std::string::npos) continue;
        if (sections_.empty()) sections_.push_back(Section{"", -1, {}});
        sections_.back().entries.push_back(Entry{TrimRight(t.substr(0, eq)), Trim(t.substr(eq + 1)), i});
    }
}

const TIniFile::Section* TIniFile::FindSection(const std::string& name) const {
    for (const auto& s : sections_)
        if (s.line >= 0 && SameText(s.name, Trim(name))) return &s;
    return nullptr;
}

const TIniFile::Entry* TIniFile::FindEntry(const std::string& section, const std::string& key) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    for (const auto& e : s->entries)
        if (SameText(e.key, Trim(key))) return &e;
    return nullptr;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    Refresh();
    const Entry* e = FindEntry(section, key);
    return e ? e->value : def;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    return StrToIntDef(ReadString(section, key, ""), def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniFile::ReadFloat(const std::string& section, const std::string& key, double def) const {
    return StrToFloatDef(ReadString(section, key, ""), def);
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    Refresh();
    std::string name = Trim(section), k = Trim(key);
    if (const Entry* e = FindEntry(name, k)) {
        lines_[static_cast<std::size_t>(e->line)] = e->key + "=" + value;
    } else if (const Section* s = FindSection(name)) {
        // After the section's last non-blank line, so a blank separator line stays where it was.
        int next = static_cast<int>(lines_.size());
        for (const auto& other : sections_)
            if (other.line > s->line) {
                next = other.line;
                break;
            }
        int at = next;
        while (at > s->line + 1 && Trim(lines_[static_cast<std::size_t>(at - 1)]).empty()) --at;
        lines_.insert(lines_.begin() + at, k + "=" + value);
    } else {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back("[" + name + "]");
        lines_.push_back(k + "=" + value);
    }
    Save();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, IntToStr(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::WriteFloat(const std::string& section, const std::string& key, double value) {
    WriteString(section, key, FloatToStr(value));
}

void TIniFile::ReadSection(const std::string& section, TStrings& keys) const {
    Refresh();
    keys.BeginUpdate();
    keys.Clear();
    if (const Section* s = FindSection(section))
        for (const auto& e : s->entries) keys.Add(e.key);
    keys.EndUpdate();
}

void TIniFile::ReadSections(TStrings& sections) const {
    Refresh();
    sections.BeginUpdate();
    sections.Clear();
    for (const auto& s : sections_)
        if (s.line >= 0 && FindSection(s.name) == &s) sections.Add(s.name);
    sections.EndUpdate();
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings& lines) const {
    Refresh();
    lines.BeginUpdate();
    lines.Clear();
    if (const Section* s = FindSection(section))
        for (const auto& e : s->entries) lines.Add(e.key + "=" + e.value);
    lines.EndUpdate();
}

bool TIniFile::SectionExists(const std::string& section) const {
    Refresh();
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
    Refresh();
    return FindEntry(section, key) != nullptr;
}

void TIniFile::EraseSection(const std::string& section) {
    Refresh();
    if (!FindSection(section)) return;
    // Every section of that name goes, with the comments inside it.
    std::vector<std::string> kept;
    bool erasing = false;
    for (const auto& line : lines_) {
        std::string t = Trim(line);
        if (IsHeader(t)) erasing = SameText(HeaderName(t), Trim(section));
        if (!erasing) kept.push_back(line);
    }
    lines_.swap(kept);
    Save();
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key) {
    Refresh();
    const Entry* e = FindEntry(section, key);
    if (!e) return;
    lines_.erase(lines_.begin() + e->line);
    Save();
}

void TIniFile::UpdateFile() {}

void TIniFile::Save() {
    std::string text = bom_ ? "\xEF\xBB\xBF" : "";
    for (const auto& line : lines_) text += line + "\r\n";
    {
        std::ofstream out(fileName_, std::ios::binary | std::ios::trunc);
        if (!out) throw EInOutError("Cannot create file \"" + fileName_ + "\"");
        out << text;
        out.flush();
        if (!out) throw EInOutError("Cannot write file \"" + fileName_ + "\"");
    }
    Parse();
    stamp_ = -2;  // read the stamp again so the next read does not reload our own write
    struct stat st {};
    if (::stat(fileName_.c_str(), &st) == 0) {
        stamp_ = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        size_ = static_cast<long long>(st.st_size);
    }
}
