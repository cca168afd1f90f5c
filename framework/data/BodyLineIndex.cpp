#include "framework/data/BodyLineIndex.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "toolkit/data/ClientDataSet.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::int64_t LineNumber(const TField* field) {
    std::int64_t n = 0;
    if (!TryStrToInt64(Trim(field->AsString()), n)) n = 0;
    return n;
}

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += name + "+";
    return joined;
}

// Visits every row of the dataset, back on the row it was on afterwards.
template <class Visit>
void EachRow(TClientDataSet* rows, Visit visit) {
    TControlsDisabled still(rows);
    const TBookmark here = rows->GetBookmark();
    for (rows->First(); !rows->Eof(); rows->Next()) visit();
    if (here && rows->BookmarkValid(here)) rows->GotoBookmark(here);
}

}  // namespace

std::int64_t TBodyLineIndex::HighestNumber(TClientDataSet* rows, const std::string& fieldName, TClientDataSet* stampOf) {
    TField* field = rows->FindField(fieldName);
    if (!field) return 0;
    const std::uint64_t stamp = stampOf->DataStamp();
    THighest& kept = highest_[fieldName];
    if (kept.stamp == stamp && !rows->Filtered()) return kept.value;
    std::int64_t highest = 0;
    EachRow(rows, [&] { highest = std::max(highest, LineNumber(field)); });
    kept = {rows->Filtered() ? 0 : stamp, highest};
    return highest;
}

std::string TBodyLineIndex::KeyText(TClientDataSet* rows, const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        TField* f = rows->FindField(name);
        text += (f ? f->AsString() : std::string()) + "\t";
    }
    return text;
}

int TBodyLineIndex::CountKey(TClientDataSet* rows, const std::vector<std::string>& names, const std::string& text,
                             TClientDataSet* stampOf) {
    const std::uint64_t stamp = stampOf->DataStamp();
    TKeyCounts& kept = keys_[JoinedNames(names)];
    if (kept.stamp != stamp || rows->Filtered()) {
        kept.names = names;
        kept.counts.clear();
        EachRow(rows, [&] { ++kept.counts[KeyText(rows, names)]; });
        kept.stamp = rows->Filtered() ? 0 : stamp;
    }
    const auto found = kept.counts.find(text);
    return found == kept.counts.end() ? 0 : found->second;
}

void TBodyLineIndex::RowPosting(TClientDataSet* body) {
    stampBeforePost_ = body->State() == dsInsert && !body->Filtered() ? body->DataStamp() : 0;
}

void TBodyLineIndex::RowPosted(TClientDataSet* body) {
    const std::uint64_t before = std::exchange(stampBeforePost_, 0);
    if (before == 0) return;
    // The cursor is on the row just added; what was kept for the rows before it holds with it added.
    const std::uint64_t stamp = body->DataStamp();
    for (auto& [name, kept] : highest_) {
        if (kept.stamp != before) continue;
        if (TField* field = body->FindField(name)) {
            kept.value = std::max(kept.value, LineNumber(field));
            kept.stamp = stamp;
        }
    }
    for (auto& [joined, kept] : keys_) {
        if (kept.stamp != before) continue;
        ++kept.counts[KeyText(body, kept.names)];
        kept.stamp = stamp;
    }
}
