#include "toolkit/data/Params.h"

#include "toolkit/rtl/SysUtils.h"

TParam& TParams::CreateParam(TFieldType type, const std::string& name, TParamType paramType) {
    TParam p;
    p.Name = name;
    p.DataType = type;
    p.ParamType = paramType;
    items_.push_back(p);
    return items_.back();
}

TParam* TParams::FindParam(const std::string& name) {
    for (auto& p : items_)
        if (SameText(p.Name, name)) return &p;
    return nullptr;
}

TParam& TParams::ParamByName(const std::string& name) {
    TParam* p = FindParam(name);
    if (!p) throw EDatabaseError("Parameter '" + name + "' not found");
    return *p;
}

Variant TParams::ToVariant() const {
    if (items_.empty()) return Variant();
    std::vector<Variant> pairs;
    for (const auto& p : items_) pairs.push_back(VarArrayOf({Variant(p.Name), p.Value}));
    return VarArrayOf(pairs);
}

void TParams::AssignValues(const Variant& pairs) {
    if (!pairs.IsArray()) return;
    for (int i = pairs.Low(); i <= pairs.High(); ++i) {
        const Variant& pair = pairs[i];
        if (!pair.IsArray() || pair.Count() < 2) continue;
        std::string name = pair[pair.Low()].AsString();
        TParam* p = FindParam(name);
        if (!p) p = &CreateParam(ftUnknown, name);
        p->Value = pair[pair.Low() + 1];
    }
}
