#include "toolkit/rtl/Strings.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <numeric>
#include <sstream>

#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/SysUtils.h"

TStrings::TStrings(const TStrings& other) { TStrings::Assign(other); }

TStrings& TStrings::operator=(const TStrings& other) {
    if (this != &other) Assign(other);
    return *this;
}

void TStrings::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TStrings::Strings(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].text;
}

void TStrings::SetStrings(int index, const std::string& s) {
    CheckIndex(index);
    Changing();
    items_[static_cast<std::size_t>(index)].text = s;
    Changed();
}

void* TStrings::Objects(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].object;
}

void TStrings::SetObjects(int index, void* object) {
    CheckIndex(index);
    Changing();
    items_[static_cast<std::size_t>(index)].object = object;
    Changed();
}

void TStrings::InsertItem(int index, const std::string& s, void* object) {
    if (index < 0 || index > Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

int TStrings::AddItem(const std::string& s, void* object) {
    int index = Count();
    InsertItem(index, s, object);
    return index;
}

void TStrings::Delete(int index) {
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStrings::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    Changed();
}

void TStrings::AddStrings(const TStrings& other) {
    std::vector<Item> copy = other.items_;  // other may be this list
    BeginUpdate();
    for (const auto& item : copy) AddObject(item.text, item.object);
    EndUpdate();
}

void TStrings::AddStrings(const std::vector<std::string>& lines) {
    BeginUpdate();
    for (const auto& line : lines) Add(line);
    EndUpdate();
}

void TStrings::Assign(const TStrings& other) {
    if (this == &other) return;
    BeginUpdate();
    Clear();
    NameValueSeparator = other.NameValueSeparator;
    Delimiter = other.Delimiter;
    QuoteChar = other.QuoteChar;
    StrictDelimiter = other.StrictDelimiter;
    AddStrings(other);
    EndUpdate();
}

void TStrings::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
    Changed();
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    Changing();
    Item item = items_[static_cast<std::size_t>(curIndex)];
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, item);
    Changed();
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const {
    return caseSensitive_ ? CompareStr(a, b) : CompareText(a, b);
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(items_[static_cast<std::size_t>(i)].text, s) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& line = items_[static_cast<std::size_t>(i)].text;
        std::size_t at = line.find(NameValueSeparator);
        if (at != std::string::npos && CompareStrings(line.substr(0, at), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const void* object) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<std::size_t>(i)].object == object) return i;
    return -1;
}

std::string TStrings::Names(int index) const {
    const std::string& line = Strings(index);
    std::size_t at = line.find(NameValueSeparator);
    return at == std::string::npos ? std::string() : line.substr(0, at);
}

std::string TStrings::ValueFromIndex(int index) const {
    const std::string& line = Strings(index);
    std::size_t at = line.find(NameValueSeparator);
    return at == std::string::npos ? std::string() : line.substr(at + 1);
}

std::string TStrings::Values(const std::string& name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(const std::string& name, const std::string& value) {
    int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    std::string line = name + NameValueSeparator + value;
    if (i < 0)
        Add(line);
    else
        SetStrings(i, line);
}

std::string TStrings::Text() const {
    std::string r;
    for (const auto& item : items_) {
        r += item.text;
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(const std::string& text) {
    BeginUpdate();
    Clear();
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
        Add(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const {
    TStrings copy;
    copy.Delimiter = ',';
    copy.QuoteChar = '"';
    copy.StrictDelimiter = false;
    copy.items_ = items_;
    return copy.DelimitedText();
}

void TStrings::SetCommaText(const std::string& text) {
    char d = Delimiter, q = QuoteChar;
    bool strict = StrictDelimiter;
    Delimiter = ',';
    QuoteChar = '"';
    StrictDelimiter = false;
    SetDelimitedText(text);
    Delimiter = d;
    QuoteChar = q;
    StrictDelimiter = strict;
}

namespace {
bool IsBlank(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }

std::string Quote(const std::string& s, char quote) {
    std::string r(1, quote);
    for (char c : s) {
        r += c;
        if (c == quote) r += quote;
    }
    r += quote;
    return r;
}
}  // namespace

std::string TStrings::DelimitedText() const {
    if (Count() == 1 && items_[0].text.empty()) return std::string(2, QuoteChar);
    std::string r;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::string& s = items_[i].text;
        bool quote = std::any_of(s.begin(), s.end(), [&](char c) {
            return c == QuoteChar || c == Delimiter || c == '\0' || (!StrictDelimiter && static_cast<unsigned char>(c) <= ' ');
        });
        if (i > 0) r += Delimiter;
        r += quote ? Quote(s, QuoteChar) : s;
    }
    return r;
}

void TStrings::SetDelimitedText(const std::string& text) {
    BeginUpdate();
    Clear();
    const std::size_t n = text.size();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        if (!StrictDelimiter)
            while (i < n && IsBlank(text[i])) ++i;
    };
    skipBlanks();
    while (i < n) {
        std::string s;
        if (text[i] == QuoteChar) {
            ++i;
            while (i < n) {
                if (text[i] == QuoteChar) {
                    if (i + 1 < n && text[i + 1] == QuoteChar) {
                        s += QuoteChar;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s += text[i++];
            }
        } else {
            std::size_t start = i;
            while (i < n && text[i] != Delimiter && (StrictDelimiter || !IsBlank(text[i]))) ++i;
            s = text.substr(start, i - start);
        }
        Add(s);
        skipBlanks();
        if (i < n && text[i] == Delimiter) {
            if (i + 1 == n) Add("");  // a trailing delimiter ends with an empty item
            ++i;
            skipBlanks();
        }
    }
    EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> r;
    r.reserve(items_.size());
    for (const auto& item : items_) r.push_back(item.text);
    return r;
}

void TStrings::LoadFromFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EInOutError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
    std::ostringstream buf;
    buf << in.rdbuf();
    std::string text = buf.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    SetText(text);
}

void TStrings::SaveToFile(const std::string& fileName) const {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out) throw EInOutError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
    out << Text();
    out.flush();
    if (!out) throw EInOutError("Cannot write file \"" + fileName + "\"");
}

void TStrings::Changing() {
    if (updateCount_ == 0 && OnChanging) OnChanging();
}

void TStrings::Changed() {
    if (updateCount_ == 0 && OnChange) OnChange();
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

// ---------------------------------------------------------------------------------------------------

TStringList::TStringList(const TStringList& other) : TStrings() { Assign(other); }

TStringList& TStringList::operator=(const TStringList& other) {
    if (this != &other) Assign(other);
    return *this;
}

void TStringList::Assign(const TStrings& other) {
    if (this == &other) return;
    if (auto* list = dynamic_cast<const TStringList*>(&other)) {
        // Take the list's ordering settings too, then its lines as they are (already in its order).
        BeginUpdate();
        Clear();
        sorted_ = false;
        TStrings::SetCaseSensitive(list->CaseSensitive());
        Duplicates = list->Duplicates;
        TStrings::Assign(other);
        sorted_ = list->sorted_;
        EndUpdate();
        return;
    }
    TStrings::Assign(other);
}

void TStringList::SetSorted(bool value) {
    if (value == sorted_) return;
    if (value) Sort();
    sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (value == CaseSensitive()) return;
    TStrings::SetCaseSensitive(value);
    if (sorted_) Sort();
}

bool TStringList::Find(const std::string& s, int& index) const {
    int low = 0, high = Count() - 1;
    bool found = false;
    while (low <= high) {
        int mid = (low + high) / 2;
        int c = CompareStrings(items_[static_cast<std::size_t>(mid)].text, s);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != TDuplicates::dupAccept) low = mid;
            }
        }
    }
    index = low;
    return found;
}

int TStringList::IndexOf(const std::string& s) const {
    if (!sorted_) return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

int TStringList::AddItem(const std::string& s, void* object) {
    if (!sorted_) return TStrings::AddItem(s, object);
    int index = 0;
    if (Find(s, index)) {
        if (Duplicates == TDuplicates::dupIgnore) return index;
        if (Duplicates == TDuplicates::dupError) throw EListError("String list does not allow duplicates");
    }
    TStrings::InsertItem(index, s, object);
    return index;
}

void TStringList::InsertItem(int index, const std::string& s, void* object) {
    if (sorted_) throw EListError("Operation not allowed on sorted list");
    TStrings::InsertItem(index, s, object);
}

void TStringList::SetStrings(int index, const std::string& s) {
    if (sorted_) throw EListError("Operation not allowed on sorted list");
    TStrings::SetStrings(index, s);
}

void TStringList::Sort() {
    CustomSort([](const TStringList& list, int a, int b) { return list.CompareStrings(list[a], list[b]); });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (Count() < 2) return;
    // Sort a permutation so the comparer sees the list unchanged, then apply it.
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    Changing();
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order) sorted.push_back(items_[static_cast<std::size_t>(i)]);
    items_.swap(sorted);
    Changed();
}
