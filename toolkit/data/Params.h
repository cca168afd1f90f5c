#pragma once
// Parameters a client dataset sends with its requests (AS_GetRecords travels them as an array of
// [name, value] pairs; the server may write output values back).
#include <string>
#include <vector>

#include "toolkit/data/DataTypes.h"
#include "toolkit/rtl/Variant.h"

enum TParamType {
    ptUnknown,
    ptInput,
    ptOutput,
    ptInputOutput
};

struct TParam {
    std::string Name;
    TFieldType DataType = ftUnknown;
    TParamType ParamType = ptInput;
    Variant Value;
    std::string AsString() const { return VarToStr(Value); }
    bool IsNull() const { return Value.IsEmptyOrNull(); }
};

class TParams {
public:
    TParam& CreateParam(TFieldType type, const std::string& name, TParamType paramType = ptInput);
    int Count() const { return static_cast<int>(items_.size()); }
    TParam& operator[](int i) { return items_.at(static_cast<std::size_t>(i)); }
    const TParam& operator[](int i) const { return items_.at(static_cast<std::size_t>(i)); }
    TParam* FindParam(const std::string& name);
    TParam& ParamByName(const std::string& name);  // raises "Parameter 'X' not found"
    void Clear() { items_.clear(); }
    // The wire form: array of [name, value] pairs (Empty when there are none).
    Variant ToVariant() const;
    // Takes values back from the wire form; names not present are added.
    void AssignValues(const Variant& pairs);

private:
    std::vector<TParam> items_;
};
