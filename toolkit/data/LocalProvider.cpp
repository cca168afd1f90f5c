#include "toolkit/data/LocalProvider.h"

#include <algorithm>

#include "toolkit/rtl/SysUtils.h"

Variant TLocalProvider::DataRequest(const std::string& providerName, const Variant& data) {
    return OnDataRequest ? OnDataRequest(providerName, data) : Variant();
}

std::vector<std::string> TLocalProvider::ProviderNames() const {
    std::vector<std::string> names;
    for (const auto& p : providers_) names.push_back(p.first);
    return names;
}

void TLocalProvider::AddProvider(const std::string& name, std::shared_ptr<TMemTable> table) {
    providers_.push_back({name, Provider{std::move(table), {}}});
}

void TLocalProvider::AddDetail(const std::string& providerName, const std::string& fieldName, std::shared_ptr<TMemTable> detail,
                               std::vector<std::string> masterFields, std::vector<std::string> detailFields) {
    Provider& p = Find(providerName);
    Detail d;
    d.fieldName = fieldName;
    for (const auto& f : masterFields) d.masterPositions.push_back(p.table->FieldIndex(f));
    for (const auto& f : detailFields) d.detailPositions.push_back(detail->FieldIndex(f));
    d.table = std::move(detail);
    p.details.push_back(std::move(d));
}

TLocalProvider::Provider& TLocalProvider::Find(const std::string& name) {
    for (auto& p : providers_)
        if (SameText(p.first, name)) return p.second;
    throw EDatabaseError("Provider '" + name + "' not found");
}

std::vector<TFieldDef> TLocalProvider::Metadata(const Provider& p) const {
    std::vector<TFieldDef> fields = p.table->Fields();
    for (const auto& d : p.details) {
        TFieldDef nested;
        nested.Name = d.fieldName;
        nested.DataType = ftDataSet;
        nested.ChildDefs = d.table->Fields();
        fields.push_back(nested);
    }
    return fields;
}

Variant TLocalProvider::DetailRows(const Detail& d, const std::vector<Variant>& masterRow) const {
    std::vector<Variant> rows;
    TMemTable::Key prefix;
    for (int p : d.masterPositions) prefix.push_back(masterRow[static_cast<std::size_t>(p)]);
    const auto& keys = d.table->KeyPositions();
    bool leadingKey =
        keys.size() >= d.detailPositions.size() && std::equal(d.detailPositions.begin(), d.detailPositions.end(), keys.begin());
    auto matches = [&](const std::vector<Variant>& row) {
        for (std::size_t i = 0; i < prefix.size(); ++i)
            if (VarCompare(row[static_cast<std::size_t>(d.detailPositions[i])], prefix[i]) != 0) return false;
        return true;
    };
    const auto& all = d.table->AllRows();
    if (leadingKey) {
        // The link is the front of the detail key: the rows are one range of the map.
        for (auto it = all.lower_bound(prefix); it != all.end() && matches(it->second); ++it)
            rows.push_back(VarArrayOf(it->second));
    } else {
        for (const auto& [key, row] : all)
            if (matches(row)) rows.push_back(VarArrayOf(row));
    }
    return VarArrayOf(rows);
}

Variant TLocalProvider::GetRecords(TRecordsRequest& request) {
    ++GetRecordsCalls;
    LastCommandText = request.CommandText;
    LastParams = request.Params;
    Provider& p = Find(request.ProviderName);
    const int count = request.Count;
    int& recsOut = request.RecsOut;
    Variant& ownerData = request.OwnerData;
    TPacketBuilder builder(Metadata(p));
    const auto& rows = p.table->AllRows();
    // The cursor token is the key of the last row sent: the next packet starts after it.
    auto it = rows.begin();
    if (!(request.Options & grReset) && ownerData.IsArray()) {
        TMemTable::Key last;
        for (int i = ownerData.Low(); i <= ownerData.High(); ++i) last.push_back(ownerData[i]);
        it = rows.upper_bound(last);
    }
    recsOut = 0;
    for (; it != rows.end() && (count < 0 || recsOut < count); ++it, ++recsOut) {
        std::vector<Variant> values = it->second;
        for (const auto& d : p.details) values.push_back(DetailRows(d, it->second));
        builder.AddRow(std::move(values));
        ownerData = VarArrayOf(it->first);
    }
    return builder.Build(it != rows.end());
}

void TLocalProvider::Remember(TMemTable& table, const TMemTable::Key& key) {
    const auto* row = table.Find(key);
    journal_.push_back({&table, key, row != nullptr, row ? *row : std::vector<Variant>{}});
}

std::string TLocalProvider::ApplyRow(TMemTable& table, const TDeltaRow& row) {
    if (RowCheck) {
        std::string refusal = RowCheck(table, row);
        if (!refusal.empty()) return refusal;
    }
    const auto& fields = table.Fields();
    auto& rows = table.MutableRows();
    const int flag = [&] {
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (SameText(fields[i].Name, "FLAG")) return static_cast<int>(i);
        return -1;
    }();
    if (row.Kind() == ukInsert) {
        std::vector<Variant> values(fields.size(), Variant::Null());
        for (std::size_t i = 0; i < fields.size(); ++i) values[i] = row.NewValue(static_cast<int>(i));
        TMemTable::Key key = table.KeyOf(values);
        if (rows.count(key)) return "Key violation.";
        Remember(table, key);
        rows.emplace(std::move(key), std::move(values));
        return {};
    }
    std::vector<Variant> original(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) original[i] = row.OldValue(static_cast<int>(i));
    TMemTable::Key key = table.KeyOf(original);
    auto found = rows.find(key);
    if (found == rows.end()) return "Record not found or changed by another user";
    if (CheckFlag && flag >= 0 &&
        VarCompare(found->second[static_cast<std::size_t>(flag)], original[static_cast<std::size_t>(flag)]) != 0)
        return "Record changed by another user";
    if (row.Kind() == ukDelete) {
        Remember(table, key);
        rows.erase(found);
        return {};
    }
    std::vector<Variant> values = found->second;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (row.Changed(static_cast<int>(i))) values[i] = row.NewValue(static_cast<int>(i));
    TMemTable::Key newKey = table.KeyOf(values);
    if (TMemTable::KeyLess()(newKey, key) || TMemTable::KeyLess()(key, newKey)) {
        if (rows.count(newKey)) return "Key violation.";
        Remember(table, key);
        Remember(table, newKey);
        rows.erase(found);
        rows.emplace(std::move(newKey), std::move(values));
    } else {
        Remember(table, key);
        found->second = std::move(values);
    }
    return {};
}

void TLocalProvider::ApplyChanges(const TDeltaReader& reader, TMemTable& table, const std::vector<Detail>& details,
                                  const std::string& provider, TErrorPacketBuilder& errors, int maxErrors, bool& stop) {
    for (int i = 0; i < reader.Count() && !stop; ++i) {
        TDeltaRow row = reader.Row(i);
        auto applyDetails = [&] {
            for (const auto& d : details) {
                int field = row.FieldIndex(d.fieldName);
                ApplyChanges(row.Details(field), *d.table, {}, provider, errors, maxErrors, stop);
            }
        };
        // Details of a deleted master go first; those of new or changed masters after it.
        if (row.Kind() == ukDelete) applyDetails();
        std::string refusal =
            (row.Kind() == ukModify && !row.HasChangedValues() && !CheckFlag) ? std::string() : ApplyRow(table, row);
        if (!refusal.empty()) {
            errors.AddError(row.Id(), refusal, 1, provider);
            if (maxErrors >= 0 && errors.Count() > maxErrors) stop = true;
            continue;  // a refused master's details are not applied
        }
        if (row.Kind() != ukDelete) applyDetails();
    }
}

Variant TLocalProvider::ApplyUpdates(TUpdatesRequest& request) {
    ++ApplyUpdatesCalls;
    const std::string& provider = request.ProviderName;
    const int maxErrors = request.MaxErrors;
    Provider& p = Find(provider);
    TDeltaReader reader(request.Delta);
    TErrorPacketBuilder errors;
    journal_.clear();
    bool stop = false;
    ApplyChanges(reader, *p.table, p.details, provider, errors, maxErrors, stop);
    if (maxErrors >= 0 && errors.Count() > maxErrors) {
        // Too many refusals: nothing of this delta stays.
        for (auto it = journal_.rbegin(); it != journal_.rend(); ++it) {
            auto& rows = it->table->MutableRows();
            rows.erase(it->key);
            if (it->existed) rows.emplace(it->key, it->row);
        }
        errors.SetCommitted(false);
    }
    journal_.clear();
    request.ErrorCount = errors.Count();
    return errors.Build();
}
