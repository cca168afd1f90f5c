#include "toolkit/rtl/Variant.h"

#include "toolkit/rtl/DateTime.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <ostream>

#include "toolkit/rtl/Dispatch.h"

const char* VarTypeName(VarType t) {
    switch (t) {
        case VarType::Empty: return "Empty";
        case VarType::Null: return "Null";
        case VarType::Boolean: return "Boolean";
        case VarType::Integer: return "Int64";
        case VarType::Double: return "Double";
        case VarType::Date: return "Date";
        case VarType::String: return "String";
        case VarType::Bytes: return "Array Byte";
        case VarType::Array: return "Array Variant";
        case VarType::Dispatch: return "Dispatch";
        case VarType::ByRef: return "ByRef";
    }
    return "Unknown";
}

Variant::Variant(bool v) : kind_(VarType::Boolean), b_(v) {}
Variant::Variant(const char* v) : i_(0) { SetText(v ? std::string_view(v) : std::string_view()); }
Variant::Variant(const Bytes& v) : i_(0) { SetObject(VarType::Bytes, std::make_shared<Bytes>(v)); }
Variant::Variant(DispatchPtr v) : i_(0) {
    if (v) SetObject(VarType::Dispatch, std::move(v));
}

void Variant::SetTextElsewhere(std::string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) throw EVariantError("Text too long for a variant");
    const auto size = static_cast<std::uint32_t>(text.size());
    if (size <= kInlineText) {
        char copy[kInlineText];
        std::memcpy(copy, text.data(), size);  // the text may be this variant's own
        Release();
        std::memcpy(text_, copy, size);
        inline_ = static_cast<std::uint8_t>(size);
    } else {
        auto* data = static_cast<char*>(std::malloc(size));
        if (!data) throw std::bad_alloc();
        std::memcpy(data, text.data(), size);
        Release();
        heap_ = {data, size, size};
        inline_ = kHeapText;
    }
    kind_ = VarType::String;
}

void Variant::CopyHeapText(const Variant& other) {
    auto* data = static_cast<char*>(std::malloc(other.heap_.size ? other.heap_.size : 1));
    if (!data) {
        kind_ = VarType::Empty;
        inline_ = 0;
        throw std::bad_alloc();
    }
    std::memcpy(data, other.heap_.data, other.heap_.size);
    heap_ = {data, other.heap_.size, other.heap_.size};
}

Variant Variant::Date(double d) {
    Variant v(d);
    v.kind_ = VarType::Date;
    return v;
}
Variant Variant::Ref(Variant* target) {
    Variant v;
    v.kind_ = VarType::ByRef;
    v.ref_ = target;
    return v;
}

void Variant::Detach() {
    if (kind_ == VarType::Array && obj_ && obj_.use_count() > 1) {
        obj_ = std::make_shared<VarArray>(*static_cast<const VarArray*>(obj_.get()));
    }
}

void Variant::Assign(const Variant& value) {
    if (kind_ == VarType::ByRef)
        ref_->Assign(value);
    else
        *this = value;
}

bool Variant::IsDispatch() const {
    const Variant& v = Deref();
    return v.kind_ == VarType::Dispatch && v.obj_ != nullptr;
}

void Variant::ConvertError(VarType to) const {
    throw EVariantError(std::string("Could not convert variant of type (") + VarTypeName(Type()) + ") into type (" +
                        VarTypeName(to) + ")");
}

namespace {

std::string FormatDouble(double d) {
    if (std::isnan(d)) return "NAN";
    if (std::isinf(d)) return d > 0 ? "INF" : "-INF";
    // Locale-independent: the GUI may set a locale whose decimal separator is a comma.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 15);
    std::string s(buf, res.ptr);
    for (auto& c : s)
        if (c == 'e') c = 'E';
    // "1.5E+20" -> "1.5E20", as the classic run-time writes exponents.
    auto e = s.find('E');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e), exp = s.substr(e + 1);
        bool neg = !exp.empty() && exp[0] == '-';
        if (!exp.empty() && (exp[0] == '+' || exp[0] == '-')) exp.erase(0, 1);
        while (exp.size() > 1 && exp[0] == '0') exp.erase(0, 1);
        s = mant + "E" + (neg ? "-" : "") + exp;
    }
    return s;
}

// Civil date from days since 1899-12-30 (Howard Hinnant's algorithm).
void DecodeDays(std::int64_t days, int& y, int& m, int& d) {
    std::int64_t z = days - 25569 + 719468;  // to days since 1970-01-01, then shift to 0000-03-01
    std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    std::int64_t doe = z - era * 146097;
    std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

std::string FormatDate(double dt) {
    CheckDateTime(dt);  // a huge or NaN date would not fit the day count
    double whole = std::floor(dt);
    int y, m, d;
    DecodeDays(static_cast<std::int64_t>(whole), y, m, d);
    char buf[64];
    long ms = std::lround((dt - whole) * 86400000.0);
    if (ms >= 86400000) ms = 86399999;
    if (ms == 0) {
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", y, m, d);
    } else {
        long s = ms / 1000;
        std::snprintf(buf, sizeof buf, "%04d/%02d/%02d %02ld:%02ld:%02ld", y, m, d, s / 3600, (s / 60) % 60, s % 60);
    }
    return buf;
}

bool ParseNumber(std::string_view text, double& out) {
    std::string t;
    for (char c : text)
        if (c != ' ' && c != '\t') t += c;
    if (t.empty()) return false;
    const char* first = t.c_str();
    const char* last = first + t.size();
    if (*first == '+') ++first;
    auto res = std::from_chars(first, last, out);
    return res.ec == std::errc() && res.ptr == last;
}

bool ParseInteger(std::string_view text, std::int64_t& out) {
    std::string t;
    for (char c : text)
        if (c != ' ' && c != '\t') t += c;
    if (t.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (!end || *end != '\0' || errno == ERANGE) return false;
    out = v;
    return true;
}

}  // namespace

std::string Variant::AsString() const {
    const Variant& v = Deref();
    switch (v.kind_) {
        case VarType::Empty:
        case VarType::Null: return "";
        case VarType::Boolean: return v.b_ ? "True" : "False";
        case VarType::Integer: return std::to_string(v.i_);
        case VarType::Double: return FormatDouble(v.d_);
        case VarType::Date: return FormatDate(v.d_);
        case VarType::String: return std::string(v.Text());
        case VarType::Bytes: {
            auto b = std::static_pointer_cast<Bytes>(v.obj_);
            return std::string(b->begin(), b->end());
        }
        default: v.ConvertError(VarType::String);
    }
}

namespace {

// Rounds half away from zero; a value no 64-bit integer holds is an overflow, not a wrong number.
std::int64_t RoundToInt64(double d) {
    if (!(d > -9223372036854775808.0 && d < 9223372036854775808.0)) throw EVariantError("Arithmetic overflow");
    return static_cast<std::int64_t>(std::llround(d));
}

}  // namespace

std::int64_t Variant::AsInt64() const {
    const Variant& v = Deref();
    switch (v.kind_) {
        case VarType::Empty: return 0;
        case VarType::Boolean: return v.b_ ? -1 : 0;
        case VarType::Integer: return v.i_;
        case VarType::Double:
        case VarType::Date: return RoundToInt64(v.d_);
        case VarType::String: {
            std::int64_t i;
            if (ParseInteger(v.Text(), i)) return i;
            double d;
            if (ParseNumber(v.Text(), d)) return RoundToInt64(d);
            if (v.Text() == "True" || v.Text() == "true") return -1;
            if (v.Text() == "False" || v.Text() == "false") return 0;
            throw EVariantError("Could not convert variant of type (String) into type (Int64)");
        }
        default: v.ConvertError(VarType::Integer);
    }
}

int Variant::AsInteger() const { return static_cast<int>(AsInt64()); }

double Variant::AsDouble() const {
    const Variant& v = Deref();
    switch (v.kind_) {
        case VarType::Empty: return 0;
        case VarType::Boolean: return v.b_ ? -1 : 0;
        case VarType::Integer: return static_cast<double>(v.i_);
        case VarType::Double:
        case VarType::Date: return v.d_;
        case VarType::String: {
            double d;
            if (ParseNumber(v.Text(), d)) return d;
            throw EVariantError("Could not convert variant of type (String) into type (Double)");
        }
        default: v.ConvertError(VarType::Double);
    }
}

bool Variant::AsBool() const {
    const Variant& v = Deref();
    switch (v.kind_) {
        case VarType::Empty: return false;
        case VarType::Boolean: return v.b_;
        case VarType::Integer: return v.i_ != 0;
        case VarType::Double:
        case VarType::Date: return v.d_ != 0;
        case VarType::String: {
            std::string u;
            for (char c : v.Text()) u += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (u == "TRUE") return true;
            if (u == "FALSE") return false;
            double d;
            if (ParseNumber(v.Text(), d)) return d != 0;
            throw EVariantError("Could not convert variant of type (String) into type (Boolean)");
        }
        default: v.ConvertError(VarType::Boolean);
    }
}

double Variant::AsDateTime() const {
    const Variant& v = Deref();
    if (v.kind_ == VarType::String) v.ConvertError(VarType::Date);
    return v.AsDouble();
}

Bytes Variant::AsBytes() const {
    const Variant& v = Deref();
    if (v.kind_ == VarType::Bytes) return *std::static_pointer_cast<Bytes>(v.obj_);
    if (v.kind_ == VarType::String) {
        const std::string_view text = v.Text();
        return Bytes(text.begin(), text.end());
    }
    if (v.kind_ == VarType::Empty || v.kind_ == VarType::Null) return {};
    v.ConvertError(VarType::Bytes);
}

DispatchPtr Variant::AsDispatch() const {
    const Variant& v = Deref();
    if (v.kind_ != VarType::Dispatch) return nullptr;
    return std::static_pointer_cast<IDispatchObject>(v.obj_);
}

// ---- arrays ----

void VarArray::OutOfBounds() { throw EVariantError("Variant array index out of bounds"); }
void Variant::NotAnArray() { throw EVariantError("Invalid variant type: not an array"); }
void Variant::NoSuchDimension() { throw EVariantError("Variant array dimension out of range"); }

std::size_t VarArray::Offset(int i, int j) const {
    if (bounds.size() != 2 || i < bounds[0].low || i > bounds[0].high || j < bounds[1].low || j > bounds[1].high) OutOfBounds();
    return static_cast<std::size_t>(i - bounds[0].low) * static_cast<std::size_t>(bounds[1].Count()) +
           static_cast<std::size_t>(j - bounds[1].low);
}

const Variant& Variant::At(int i, int j) const {
    const Variant& v = Deref();
    if (v.kind_ != VarType::Array) NotAnArray();
    auto* a = static_cast<VarArray*>(v.obj_.get());
    return a->items[a->Offset(i, j)];
}

Variant& Variant::At(int i, int j) {
    Variant& v = Deref();
    if (v.kind_ != VarType::Array) NotAnArray();
    v.Detach();
    auto* a = static_cast<VarArray*>(v.obj_.get());
    return a->items[a->Offset(i, j)];
}

void Variant::Redim(int newHigh) {
    Variant& v = Deref();
    if (v.kind_ != VarType::Array || v.DimCount() != 1) throw EVariantError("Redim needs a one-dimensional array");
    v.Detach();
    auto* a = static_cast<VarArray*>(v.obj_.get());
    a->bounds[0].high = newHigh;
    a->items.resize(static_cast<std::size_t>(std::max(0LL, a->bounds[0].Count())));
}

VarBounds::VarBounds(std::initializer_list<VarBound> bounds) {
    if (bounds.size() > 2) throw EVariantError("Variant arrays have one or two dimensions");
    for (const VarBound& b : bounds) b_[size_++] = b;
}

VarBounds::VarBounds(const std::vector<VarBound>& bounds) {
    if (bounds.size() > 2) throw EVariantError("Variant arrays have one or two dimensions");
    for (const VarBound& b : bounds) b_[size_++] = b;
}

Variant Variant::MakeArray(VarBounds bounds) {
    auto a = std::make_shared<VarArray>();
    std::size_t n = 1;
    for (const auto& b : bounds) {
        long long count = std::max(0LL, b.Count());
        if (count > std::numeric_limits<int>::max()) throw EVariantError("Variant array too large");
        n *= static_cast<std::size_t>(count);
    }
    a->bounds = bounds;
    a->items.resize(n);
    Variant v;
    v.SetObject(VarType::Array, std::move(a));
    return v;
}

Variant Variant::ArrayOf(std::vector<Variant>&& items) {
    if (items.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) throw EVariantError("Variant array too large");
    auto a = std::make_shared<VarArray>();
    a->bounds = {{0, static_cast<int>(items.size()) - 1}};
    a->items = std::move(items);
    Variant v;
    v.SetObject(VarType::Array, std::move(a));
    return v;
}

std::vector<Variant> Variant::TakeItems() {
    Variant& v = Deref();
    if (v.kind_ != VarType::Array || v.DimCount() != 1) throw EVariantError("Only a one-dimensional array gives its items");
    std::vector<Variant> items;
    if (v.obj_.use_count() > 1)
        items = static_cast<const VarArray*>(v.obj_.get())->items;
    else
        items = std::move(static_cast<VarArray*>(v.obj_.get())->items);
    v = Variant();
    return items;
}

Variant VarArrayCreate(int low, int high) { return Variant::MakeArray({{low, high}}); }

Variant VarArrayCreate(int low1, int high1, int low2, int high2) { return Variant::MakeArray({{low1, high1}, {low2, high2}}); }

Variant VarArrayOf(const std::vector<Variant>& items) { return Variant::ArrayOf(std::vector<Variant>(items)); }

Variant VarArrayOf(std::initializer_list<Variant> items) { return VarArrayOf(std::vector<Variant>(items)); }

std::string VarToStr(const Variant& v) {
    if (v.IsEmptyOrNull()) return "";
    return v.AsString();
}

int VarCompare(const Variant& a, const Variant& b) {
    bool an = a.IsEmptyOrNull(), bn = b.IsEmptyOrNull();
    if (an || bn) return an == bn ? 0 : (an ? -1 : 1);
    VarType ta = a.Type(), tb = b.Type();
    bool anum = ta == VarType::Integer || ta == VarType::Double || ta == VarType::Date || ta == VarType::Boolean;
    bool bnum = tb == VarType::Integer || tb == VarType::Double || tb == VarType::Date || tb == VarType::Boolean;
    if (anum && bnum) {
        if (ta == VarType::Integer && tb == VarType::Integer) {
            auto x = a.AsInt64(), y = b.AsInt64();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        double x = a.AsDouble(), y = b.AsDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (anum != bnum) {
        // A string against a number compares numerically when the string is a number.
        double x, y;
        try {
            x = a.AsDouble();
            y = b.AsDouble();
            return x < y ? -1 : (x > y ? 1 : 0);
        } catch (const EVariantError&) {}
    }
    int c = a.AsString().compare(b.AsString());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool Variant::operator==(const Variant& other) const {
    const Variant& a = Deref();
    const Variant& b = other.Deref();
    if (a.kind_ == VarType::Empty || b.kind_ == VarType::Empty) return a.kind_ == b.kind_;
    if (a.kind_ == VarType::Null || b.kind_ == VarType::Null) return a.kind_ == b.kind_;
    if (a.kind_ == VarType::Array || b.kind_ == VarType::Array) {
        if (a.kind_ != b.kind_) return false;
        auto* x = static_cast<VarArray*>(a.obj_.get());
        auto* y = static_cast<VarArray*>(b.obj_.get());
        if (x->bounds.size() != y->bounds.size()) return false;
        for (std::size_t i = 0; i < x->bounds.size(); ++i)
            if (x->bounds[i].low != y->bounds[i].low || x->bounds[i].high != y->bounds[i].high) return false;
        return x->items == y->items;
    }
    if (a.kind_ == VarType::Dispatch || b.kind_ == VarType::Dispatch) return a.kind_ == b.kind_ && a.obj_ == b.obj_;
    if (a.kind_ == VarType::Bytes || b.kind_ == VarType::Bytes) return a.AsBytes() == b.AsBytes();
    if (a.kind_ == VarType::String && b.kind_ == VarType::String) return a.Text() == b.Text();
    return VarCompare(a, b) == 0;
}

std::string VarDebugText(const Variant& v) {
    switch (v.Type()) {
        case VarType::Empty: return "Unassigned";
        case VarType::Null: return "Null";
        case VarType::String: return "\"" + v.AsString() + "\"";
        case VarType::Dispatch: return "<dispatch>";
        case VarType::Array: {
            std::string s = "[";
            if (v.DimCount() == 1) {
                for (int i = v.Low(1); i <= v.High(1); ++i) {
                    if (i > v.Low(1)) s += ", ";
                    s += VarDebugText(v[i]);
                }
            } else {
                for (int i = v.Low(1); i <= v.High(1); ++i) {
                    if (i > v.Low(1)) s += ", ";
                    s += "[";
                    for (int j = v.Low(2); j <= v.High(2); ++j) {
                        if (j > v.Low(2)) s += ", ";
                        s += VarDebugText(v.At(i, j));
                    }
                    s += "]";
                }
            }
            return s + "]";
        }
        default: return v.AsString();
    }
}

void PrintTo(const Variant& v, std::ostream* os) { *os << VarDebugText(v); }
