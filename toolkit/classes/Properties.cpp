#include "toolkit/classes/Properties.h"

#include "toolkit/rtl/SysUtils.h"

TPropInfo::TPropInfo(std::string name, const TTypeInfo& type, TPropAccess access)
    : name_(std::move(name)), type_(&type), access_(std::move(access)) {}

bool TPropInfo::IsWritable() const {
    return access_.setOrd || access_.setFloat || access_.setStr || access_.setObject || access_.setMethod ||
           access_.getStrings;  // a string list is written through its lines
}

void TPropInfo::KindError(const char* wanted) const {
    throw EPropertyError("Property " + name_ + " is not " + wanted + " (" + type_->Name + ")");
}

namespace {
[[noreturn]] void ReadOnly() { throw EPropertyError("Property is read-only"); }
}  // namespace

std::int64_t TPropInfo::GetOrd(const TObject& instance) const {
    if (!access_.getOrd) KindError("ordinal");
    return access_.getOrd(instance);
}

void TPropInfo::SetOrd(TObject& instance, std::int64_t value) const {
    if (!access_.getOrd) KindError("ordinal");
    if (!access_.setOrd) ReadOnly();
    access_.setOrd(instance, value);
}

double TPropInfo::GetFloat(const TObject& instance) const {
    if (!access_.getFloat) KindError("a number");
    return access_.getFloat(instance);
}

void TPropInfo::SetFloat(TObject& instance, double value) const {
    if (!access_.getFloat) KindError("a number");
    if (!access_.setFloat) ReadOnly();
    access_.setFloat(instance, value);
}

std::string TPropInfo::GetStr(const TObject& instance) const {
    if (!access_.getStr) KindError("a string");
    return access_.getStr(instance);
}

void TPropInfo::SetStr(TObject& instance, const std::string& value) const {
    if (!access_.getStr) KindError("a string");
    if (!access_.setStr) ReadOnly();
    access_.setStr(instance, value);
}

TObject* TPropInfo::GetObject(const TObject& instance) const {
    if (!access_.getObject) KindError("an object");
    return access_.getObject(instance);
}

void TPropInfo::SetObject(TObject& instance, TObject* value) const {
    if (!access_.getObject) KindError("an object");
    if (!access_.setObject) ReadOnly();
    access_.setObject(instance, value);
}

TStrings* TPropInfo::GetStrings(const TObject& instance) const {
    if (!access_.getStrings) KindError("a string list");
    return access_.getStrings(instance);
}

std::any TPropInfo::GetMethod(const TObject& instance) const {
    if (!access_.getMethod) KindError("an event");
    return access_.getMethod(instance);
}

void TPropInfo::SetMethod(TObject& instance, const std::any& value) const {
    if (!access_.getMethod) KindError("an event");
    if (!access_.setMethod) ReadOnly();
    access_.setMethod(instance, value);
}

Variant TPropInfo::GetValue(const TObject& instance) const {
    switch (Kind()) {
        case tkInteger:
        case tkInt64: return Variant(GetOrd(instance));
        case tkBoolean: return Variant(GetOrd(instance) != 0);
        case tkEnumeration: return Variant(type_->EnumName(GetOrd(instance)));
        case tkSet: return Variant(type_->SetToString(static_cast<std::uint64_t>(GetOrd(instance))));
        case tkFloat: return Variant(GetFloat(instance));
        case tkString: return Variant(GetStr(instance));
        case tkStrings: {
            TStrings* list = GetStrings(instance);
            return Variant(list ? list->Text() : std::string());
        }
        case tkClass:
        case tkMethod:
        case tkUnknown: break;
    }
    throw EPropertyError("Invalid property type: " + type_->Name);
}

namespace {
std::int64_t IntegerFromVariant(const TTypeInfo& type, const Variant& value) {
    if (value.IsString()) {
        std::string text = Trim(value.AsString());
        std::int64_t n = 0;
        if (type.IdentToInt(text, n)) return n;
        return StrToInt64(text);  // EConvertError "'x' is not a valid integer value"
    }
    if (value.Type() == VarType::Double) return static_cast<std::int64_t>(value.AsDouble());
    return value.AsInt64();
}

std::int64_t EnumFromVariant(const TTypeInfo& type, const Variant& value) {
    std::int64_t n = 0;
    if (value.IsString()) {
        std::string text = Trim(value.AsString());
        if (auto v = type.EnumValue(text)) return *v;
        if (!TryStrToInt64(text, n)) throw EPropertyConvertError("Invalid property element: " + text);
    } else if (value.Type() == VarType::Boolean) {
        n = value.AsBool() ? 1 : 0;
    } else {
        n = value.AsInt64();
    }
    if (n < 0 || n >= static_cast<std::int64_t>(type.EnumNames.size())) throw EPropertyConvertError("Invalid property value");
    return n;
}

bool BooleanFromVariant(const Variant& value) {
    if (value.IsString()) return StrToBool(Trim(value.AsString()));
    return value.AsBool();
}
}  // namespace

void TPropInfo::SetValue(TObject& instance, const Variant& value) const {
    switch (Kind()) {
        case tkInteger:
        case tkInt64: SetOrd(instance, IntegerFromVariant(*type_, value)); return;
        case tkBoolean: SetOrd(instance, BooleanFromVariant(value) ? 1 : 0); return;
        case tkEnumeration: SetOrd(instance, EnumFromVariant(*type_, value)); return;
        case tkSet:
            if (value.IsString())
                SetOrd(instance, static_cast<std::int64_t>(type_->StringToSet(value.AsString())));
            else
                SetOrd(instance, value.AsInt64());
            return;
        case tkFloat: SetFloat(instance, value.IsString() ? StrToFloat(Trim(value.AsString())) : value.AsDouble()); return;
        case tkString: SetStr(instance, VarToStr(value)); return;
        case tkStrings: {
            TStrings* list = GetStrings(instance);
            if (!list) throw EPropertyError("Property " + name_ + " has no string list");
            list->SetText(VarToStr(value));
            return;
        }
        case tkClass:
        case tkMethod:
        case tkUnknown: break;
    }
    throw EPropertyError("Invalid property type: " + type_->Name);
}

void tk_detail::ThrowWrongObjectClass(const TObject* value, const char* propName) {
    throw EPropertyConvertError("Invalid property value: a " + value->ClassName() + " does not fit " + propName);
}

namespace {
struct TPathSegment {
    std::string_view name;
    int index = -1;
};

// "Items_3" is Items with index 3, unless the whole text names a property of the object.
TPathSegment SplitSegment(const TObject& instance, std::string_view segment) {
    if (instance.ClassType().FindProperty(segment)) return {segment, -1};
    std::size_t bar = segment.rfind('_');
    if (bar == std::string_view::npos || bar == 0 || bar + 1 == segment.size() || segment.size() - bar > 10) return {segment, -1};
    int index = 0;
    for (char c : segment.substr(bar + 1)) {
        if (c < '0' || c > '9') return {segment, -1};
        index = index * 10 + (c - '0');
    }
    return {segment.substr(0, bar), index};
}
}  // namespace

TPropTarget FindPropTarget(const TObject* instance, std::string_view path) {
    TObject* current = const_cast<TObject*>(instance);
    std::string_view rest = path;
    while (current) {
        std::size_t dot = rest.find('.');
        TPathSegment segment = SplitSegment(*current, rest.substr(0, dot));
        const TPropInfo* info = current->ClassType().FindProperty(segment.name);
        if (!info) return {};
        if (dot == std::string_view::npos) {
            if (segment.index >= 0 && info->Kind() != tkStrings) return {};
            return {current, info, segment.index};
        }
        if (info->Kind() != tkClass) return {};
        TObject* next = info->GetObject(*current);
        if (segment.index >= 0) {
            auto* items = dynamic_cast<IIndexedItems*>(next);
            if (!items || segment.index >= items->IndexedItemCount()) return {};
            next = items->IndexedItem(segment.index);
        }
        current = next;
        rest = rest.substr(dot + 1);
    }
    return {};
}

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view path) { return FindPropTarget(instance, path).Info; }

bool IsPublishedProp(const TObject* instance, std::string_view path) { return GetPropInfo(instance, path) != nullptr; }

TPropTarget RequirePropTarget(const TObject* instance, std::string_view path) {
    TPropTarget t = FindPropTarget(instance, path);
    if (!t.Info) throw EPropertyError("Property " + std::string(path) + " does not exist");
    return t;
}

TTypeKind PropType(const TObject* instance, std::string_view path) { return RequirePropTarget(instance, path).Info->Kind(); }

bool PropIsType(const TObject* instance, std::string_view path, TTypeKind kind) {
    const TPropInfo* info = GetPropInfo(instance, path);
    return info && info->Kind() == kind;
}

std::vector<const TPropInfo*> GetPropList(const TObject* instance) {
    if (!instance) return {};
    return instance->ClassType().Properties();
}

std::vector<std::string> GetPublishedPropNames(const TObject* instance) {
    std::vector<std::string> names;
    for (const TPropInfo* p : GetPropList(instance)) names.push_back(p->Name());
    return names;
}

namespace {
TStrings* RequireLines(const TPropTarget& t) {
    TStrings* list = t.Info->GetStrings(*t.Instance);
    if (!list) throw EPropertyError("Property " + t.Info->Name() + " has no string list");
    return list;
}

std::string GetLine(const TPropTarget& t) { return RequireLines(t)->Strings(t.Index); }

void SetLine(const TPropTarget& t, const std::string& value) {
    TStrings* list = RequireLines(t);
    if (t.Index >= list->Count()) {
        list->BeginUpdate();
        while (list->Count() < t.Index) list->Add("");
        list->Add(value);
        list->EndUpdate();
    } else {
        list->SetStrings(t.Index, value);
    }
}
}  // namespace

Variant GetPropValue(const TObject* instance, std::string_view path) {
    TPropTarget t = RequirePropTarget(instance, path);
    if (t.Index >= 0) return Variant(GetLine(t));
    return t.Info->GetValue(*t.Instance);
}

void SetPropValue(TObject* instance, std::string_view path, const Variant& value) {
    TPropTarget t = RequirePropTarget(instance, path);
    if (t.Index >= 0)
        SetLine(t, VarToStr(value));
    else
        t.Info->SetValue(*t.Instance, value);
}

std::string GetStrProp(const TObject* instance, std::string_view path) {
    TPropTarget t = RequirePropTarget(instance, path);
    if (t.Index >= 0) return GetLine(t);
    return t.Info->GetStr(*t.Instance);
}

void SetStrProp(TObject* instance, std::string_view path, const std::string& value) {
    TPropTarget t = RequirePropTarget(instance, path);
    if (t.Index >= 0)
        SetLine(t, value);
    else
        t.Info->SetStr(*t.Instance, value);
}

std::int64_t GetOrdProp(const TObject* instance, std::string_view path) {
    TPropTarget t = RequirePropTarget(instance, path);
    return t.Info->GetOrd(*t.Instance);
}

void SetOrdProp(TObject* instance, std::string_view path, std::int64_t value) {
    TPropTarget t = RequirePropTarget(instance, path);
    t.Info->SetOrd(*t.Instance, value);
}

std::string GetEnumProp(const TObject* instance, std::string_view path) {
    TPropTarget t = RequirePropTarget(instance, path);
    return t.Info->PropType().EnumName(t.Info->GetOrd(*t.Instance));
}

void SetEnumProp(TObject* instance, std::string_view path, const std::string& value) {
    TPropTarget t = RequirePropTarget(instance, path);
    t.Info->SetOrd(*t.Instance, EnumFromVariant(t.Info->PropType(), Variant(value)));
}

std::string GetSetProp(const TObject* instance, std::string_view path, bool brackets) {
    TPropTarget t = RequirePropTarget(instance, path);
    return t.Info->PropType().SetToString(static_cast<std::uint64_t>(t.Info->GetOrd(*t.Instance)), brackets);
}

void SetSetProp(TObject* instance, std::string_view path, const std::string& value) {
    TPropTarget t = RequirePropTarget(instance, path);
    t.Info->SetOrd(*t.Instance, static_cast<std::int64_t>(t.Info->PropType().StringToSet(value)));
}

TObject* GetObjectProp(const TObject* instance, std::string_view path) {
    TPropTarget t = RequirePropTarget(instance, path);
    return t.Info->GetObject(*t.Instance);
}

TStrings* GetStringsProp(const TObject* instance, std::string_view path) {
    TPropTarget t = RequirePropTarget(instance, path);
    return t.Info->GetStrings(*t.Instance);
}
