#include "toolkit/data/Packets.h"

#include "toolkit/rtl/SysUtils.h"

namespace {

void CheckTag(const Variant& v, const char* tag, const char* what) {
    if (!v.IsArray() || v.Count() < 1 || !v[v.Low()].IsString() || v[v.Low()].AsString() != tag)
        throw EDatabaseError(std::string("Invalid ") + what);
}
}  // namespace

Variant ArrayOfMoved(std::vector<Variant>&& items) { return Variant::ArrayOf(std::move(items)); }

// --- metadata ---------------------------------------------------------------------------------------

Variant MetadataFromDefs(const std::vector<TFieldDef>& fields) {
    std::vector<Variant> items;
    items.reserve(fields.size());
    for (const TFieldDef& f : fields) {
        items.push_back(VarArrayOf({Variant(f.Name), Variant(FieldTypeName(f.DataType)), Variant(f.Size), Variant(f.Required),
                                    Variant(f.Precision), Variant(f.Scale), Variant(f.ReadOnly),
                                    f.ChildDefs.empty() ? Variant() : MetadataFromDefs(f.ChildDefs)}));
    }
    return ArrayOfMoved(std::move(items));
}

std::vector<TFieldDef> DefsFromMetadata(const Variant& metadata) {
    std::vector<TFieldDef> out;
    if (!metadata.IsArray()) return out;
    for (int i = metadata.Low(); i <= metadata.High(); ++i) {
        const Variant& m = metadata[i];
        TFieldDef d;
        d.Name = m[0].AsString();
        d.DataType = FieldTypeFromName(m[1].AsString());
        if (d.DataType == ftUnknown) throw EDatabaseError("Unknown field type '" + m[1].AsString() + "' of field " + d.Name);
        d.Size = m[2].AsInteger();
        d.Required = m[3].AsBool();
        d.Precision = m[4].AsInteger();
        d.Scale = m[5].AsInteger();
        d.ReadOnly = m[6].AsBool();
        if (m[7].IsArray()) d.ChildDefs = DefsFromMetadata(m[7]);
        out.push_back(std::move(d));
    }
    return out;
}

std::vector<int> NestedFieldPositions(const std::vector<TFieldDef>& fields) {
    std::vector<int> out;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].DataType == ftDataSet) out.push_back(static_cast<int>(i));
    return out;
}

// --- data packets -----------------------------------------------------------------------------------

TPacketBuilder::TPacketBuilder(std::vector<TFieldDef> fields) : fields_(std::move(fields)) {}

void TPacketBuilder::AddRow(std::vector<Variant> values) {
    values.resize(fields_.size(), Variant::Null());
    rows_.push_back(ArrayOfMoved(std::move(values)));
}

Variant TPacketBuilder::Rows() const { return VarArrayOf(rows_); }

Variant TPacketBuilder::Build(bool moreRows, bool withMetadata) const {
    return VarArrayOf({Variant(kPacketTag), withMetadata ? MetadataFromDefs(fields_) : Variant(), Rows(), Variant(moreRows)});
}

TDataPacket TDataPacket::Read(const Variant& packet) {
    CheckTag(packet, kPacketTag, "data packet");
    TDataPacket p;
    p.fields = DefsFromMetadata(packet[1]);
    p.rows = packet[2];
    p.moreRows = packet.Count() > 3 && packet[3].AsBool();
    return p;
}

// --- deltas -----------------------------------------------------------------------------------------

TDeltaReader::TDeltaReader(const Variant& delta) {
    CheckTag(delta, kDeltaTag, "delta");
    fields_ = DefsFromMetadata(delta[1]);
    changes_ = delta[2];
}

TDeltaReader::TDeltaReader(std::vector<TFieldDef> fields, Variant changes)
    : fields_(std::move(fields)), changes_(std::move(changes)) {}

TDeltaRow::TDeltaRow(const std::vector<TFieldDef>* fields, const Variant* change) : fields_(fields), change_(change) {
    if (!change->IsArray() || change->High() < 3) return;
    const Variant& original = (*change)[2];
    const Variant& current = (*change)[3];
    if (original.IsArray()) {
        original_ = &original;
        originalHigh_ = original.High();
    }
    if (current.IsArray()) {
        current_ = &current;
        currentHigh_ = current.High();
    }
}

std::int64_t TDeltaRow::Id() const { return (*change_)[0].AsInt64(); }
TUpdateKind TDeltaRow::Kind() const {
    if (kind_ >= 0) return static_cast<TUpdateKind>(kind_);
    long long kind = (*change_)[1].AsInt64();
    if (kind < ukModify || kind > ukDelete) throw EDatabaseError("Unknown change kind " + std::to_string(kind));
    kind_ = static_cast<int>(kind);
    return static_cast<TUpdateKind>(kind);
}

int TDeltaRow::FieldIndex(const std::string& name) const {
    for (std::size_t i = 0; i < fields_->size(); ++i)
        if (SameText((*fields_)[i].Name, name)) return static_cast<int>(i);
    throw EDatabaseError(DataMessages::FieldNotFound(name));
}

Variant TDeltaRow::OldValue(int field) const {
    if (field > originalHigh_) return Variant::Null();
    const Variant& old = (*original_)[field];
    return old.IsEmpty() ? Variant::Null() : old;
}

bool TDeltaRow::Changed(int field) const {
    if (field > currentHigh_) return false;
    const Variant& cur = (*current_)[field];
    if (Kind() == ukInsert) return !cur.IsEmptyOrNull();
    return !cur.IsEmpty();
}

bool TDeltaRow::HasChangedValues() const {
    for (std::size_t i = 0; i < fields_->size(); ++i)
        if ((*fields_)[i].DataType != ftDataSet && Changed(static_cast<int>(i))) return true;
    return false;
}

const Variant& TDeltaRow::NewValueRef(int field) const {
    static const Variant null = Variant::Null();
    if (field <= currentHigh_)
        if (const Variant& v = (*current_)[field]; !v.IsEmpty()) return v;
    if (field <= originalHigh_)
        if (const Variant& v = (*original_)[field]; !v.IsEmpty()) return v;
    return null;
}

Variant TDeltaRow::NewValue(int field) const { return NewValueRef(field); }

TDeltaReader TDeltaRow::Details(int field) const {
    const TFieldDef& def = fields_->at(static_cast<std::size_t>(field));
    std::vector<int> nested = NestedFieldPositions(*fields_);
    const Variant& all = (*change_)[4];
    for (std::size_t k = 0; k < nested.size(); ++k)
        if (nested[k] == field && all.IsArray() && static_cast<int>(k) <= all.High())
            return TDeltaReader(def.ChildDefs, all[static_cast<int>(k)]);
    return TDeltaReader(def.ChildDefs, Variant());
}

TDeltaReader TDeltaRow::Details(const std::string& name) const { return Details(FieldIndex(name)); }

namespace {

// A reader takes the values beyond an array's end as null (originals, new rows) or unchanged (the
// changes of a modified row): wide rows of mostly empty columns travel short.
void DropTrailing(std::vector<Variant>& values, bool nullsToo) {
    while (!values.empty() && (values.back().IsEmpty() || (nullsToo && values.back().IsNull()))) values.pop_back();
}

}  // namespace

Variant TDeltaBuilder::Change(std::int64_t id, TUpdateKind kind, std::vector<Variant> original, std::vector<Variant> current,
                              std::vector<Variant> nested) {
    DropTrailing(original, true);
    DropTrailing(current, kind == ukInsert);  // a modified row's null is a change to null
    std::vector<Variant> change;
    change.reserve(5);
    change.emplace_back(static_cast<long long>(id));
    change.emplace_back(static_cast<int>(kind));
    change.push_back(kind == ukInsert ? Variant() : ArrayOfMoved(std::move(original)));
    change.push_back(ArrayOfMoved(std::move(current)));
    change.push_back(nested.empty() ? Variant() : ArrayOfMoved(std::move(nested)));
    return ArrayOfMoved(std::move(change));
}

Variant TDeltaBuilder::Build(const std::vector<TFieldDef>& fields, std::vector<Variant> changes) {
    return VarArrayOf({Variant(kDeltaTag), MetadataFromDefs(fields), ArrayOfMoved(std::move(changes))});
}

// --- error packets ----------------------------------------------------------------------------------

void TErrorPacketBuilder::AddError(std::int64_t id, const std::string& message, int errorCode, const std::string& context,
                                   const Variant& currentValues) {
    errors_.push_back(
        VarArrayOf({Variant(static_cast<long long>(id)), Variant(message), Variant(errorCode), Variant(context), currentValues}));
}

Variant TErrorPacketBuilder::Build() const { return VarArrayOf({Variant(kErrorTag), Variant(committed_), VarArrayOf(errors_)}); }

TErrorPacket TErrorPacket::Read(const Variant& packet) {
    TErrorPacket p;
    if (packet.IsEmptyOrNull()) return p;
    CheckTag(packet, kErrorTag, "error packet");
    p.committed = packet[1].AsBool();
    const Variant& errs = packet[2];
    if (!errs.IsArray()) return p;
    for (int i = errs.Low(); i <= errs.High(); ++i) {
        const Variant& e = errs[i];
        TErrorEntry entry;
        entry.id = e[0].AsInt64();
        entry.message = e[1].AsString();
        entry.errorCode = e[2].AsInteger();
        entry.context = e[3].AsString();
        entry.currentValues = e[4];
        p.errors.push_back(std::move(entry));
    }
    return p;
}
