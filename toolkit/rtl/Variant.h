#pragma once
// The variant of the automation world: one value of a run-time kind. Arrays have one or two
// dimensions with explicit bounds and value semantics (copy-on-write), elements may be arrays.
// Strings are UTF-8.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/rtl/Exception.h"

class IDispatchObject;
class Variant;
class VarArray;

using Bytes = std::vector<std::uint8_t>;
using DispatchPtr = std::shared_ptr<IDispatchObject>;

enum class VarType : std::uint8_t {
    Empty,  // unassigned
    Null,
    Boolean,
    Integer,  // 64-bit signed
    Double,
    Date,  // days since 1899-12-30, fraction = time of day
    String,
    Bytes,
    Array,
    Dispatch,
    ByRef,  // reference to another variant (out arguments)
};

const char* VarTypeName(VarType t);

struct VarBound {
    int low = 0;
    int high = -1;
    // In 64 bits: bounds far apart would overflow an int (MakeArray refuses what an int cannot count).
    long long Count() const { return static_cast<long long>(high) - low + 1; }
};

// The bounds of an array, kept inside it: one or two dimensions (an array per packet row would
// otherwise allocate them apart).
class VarBounds {
public:
    VarBounds() = default;
    VarBounds(std::initializer_list<VarBound> bounds);
    VarBounds(const std::vector<VarBound>& bounds);
    std::size_t size() const { return size_; }
    const VarBound& operator[](std::size_t i) const { return b_[i]; }
    VarBound& operator[](std::size_t i) { return b_[i]; }
    const VarBound* begin() const { return b_; }
    const VarBound* end() const { return b_ + size_; }

private:
    VarBound b_[2];
    std::size_t size_ = 0;
};

class Variant {
public:
    // Copies, moves and kind tests are inline: rows of thousands of values pay for them per value.
    // A variant is 32 bytes: its kind, then one value. A text of up to kInlineText bytes lies in the
    // variant itself (row values are mostly short codes, names and stamps); a longer text is a buffer
    // the variant owns. Bytes, arrays and dispatch interfaces are a shared object.
    Variant() noexcept : i_(0) {}
    Variant(const Variant& other) { CopyFrom(other); }
    Variant(Variant&& other) noexcept { MoveFrom(other); }
    Variant& operator=(const Variant& other) {
        if (this != &other) {
            Variant copy(other);  // first: other may be an element of the array this holds
            Release();
            MoveFrom(copy);
        }
        return *this;
    }
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            // Released last: other may be an element of the array this holds.
            Variant held(std::move(*this));
            MoveFrom(other);
        }
        return *this;
    }
    ~Variant() { Release(); }

    Variant(bool v);
    Variant(int v) : kind_(VarType::Integer), i_(v) {}
    Variant(unsigned v) : kind_(VarType::Integer), i_(v) {}
    Variant(long v) : kind_(VarType::Integer), i_(v) {}
    Variant(long long v) : kind_(VarType::Integer), i_(v) {}
    Variant(unsigned long v) : kind_(VarType::Integer), i_(static_cast<std::int64_t>(v)) {}
    Variant(unsigned long long v) : kind_(VarType::Integer), i_(static_cast<std::int64_t>(v)) {}
    Variant(double v) : kind_(VarType::Double), d_(v) {}
    Variant(const char* v);
    Variant(const std::string& v) : Variant(std::string_view(v)) {}
    Variant(std::string_view v) : i_(0) { SetText(v); }
    Variant(const Bytes& v);
    Variant(DispatchPtr v);

    static Variant Null() {
        Variant v;
        v.kind_ = VarType::Null;
        return v;
    }
    static Variant Date(double v);
    static Variant Ref(Variant* target);                   // a by-reference argument
    static Variant MakeArray(VarBounds bounds);            // elements Empty
    static Variant ArrayOf(std::vector<Variant>&& items);  // 0-based, one dimension, the items taken over

    VarType Type() const { return Deref().kind_; }  // kind after following a reference
    bool IsEmpty() const { return Type() == VarType::Empty; }
    bool IsNull() const { return Type() == VarType::Null; }
    bool IsEmptyOrNull() const { return IsEmpty() || IsNull(); }
    bool IsArray() const { return Type() == VarType::Array; }
    bool IsDispatch() const;  // holds a live dispatch interface
    bool IsString() const { return Type() == VarType::String; }
    bool IsNumeric() const {  // integer or double (not date)
        const VarType t = Type();
        return t == VarType::Integer || t == VarType::Double;
    }
    bool IsByRef() const { return kind_ == VarType::ByRef; }

    // Conversions as the classic run-time performs them; a failure raises EVariantError
    // ("Could not convert variant of type (X) into type (Y)"). Null converts to "" and 0 only for
    // AsString; numbers from strings accept the invariant decimal point.
    std::string AsString() const;
    std::int64_t AsInt64() const;
    int AsInteger() const;
    double AsDouble() const;
    bool AsBool() const;
    double AsDateTime() const;
    Bytes AsBytes() const;
    DispatchPtr AsDispatch() const;  // nullptr when not a dispatch interface
    // The text of a String without a copy, valid while the variant holds it unchanged; other kinds
    // raise EVariantError (AsString converts them).
    std::string_view StringRef() const {
        const Variant& v = Deref();
        if (v.kind_ != VarType::String) v.ConvertError(VarType::String);
        return v.Text();
    }

    // Arrays.
    int DimCount() const;  // 0 when not an array
    // Bounds and element access are inline (after VarArray): packets read them per value.
    int Low(int dim = 1) const;
    int High(int dim = 1) const;
    int Count(int dim = 1) const { return High(dim) - Low(dim) + 1; }
    const Variant& operator[](int index) const;  // 1-D element by index (within bounds)
    Variant& operator[](int index);
    const Variant& At(int i, int j) const;  // 2-D element
    Variant& At(int i, int j);
    void Redim(int newHigh);  // 1-D: change the high bound, keeping elements
    // The elements of a one-dimensional array taken whole (copied when the array is shared); this
    // variant is left Empty.
    std::vector<Variant> TakeItems();

    // The variant a by-reference holds, or this one.
    const Variant& Deref() const {
        const Variant* v = this;
        while (v->kind_ == VarType::ByRef) v = v->ref_;
        return *v;
    }
    Variant& Deref() {
        Variant* v = this;
        while (v->kind_ == VarType::ByRef) v = v->ref_;
        return *v;
    }

    // Makes this variant a String of the text, in the room of the text it holds (a row read into the
    // same values again allocates nothing). The text may be this variant's own.
    void SetText(std::string_view text) {
        const bool heap = kind_ == VarType::String && inline_ == kHeapText;
        if (heap && heap_.capacity >= text.size()) {
            std::memmove(heap_.data, text.data(), text.size());
            heap_.size = static_cast<std::uint32_t>(text.size());
        } else if (!heap && !HoldsObject(kind_) && text.size() <= kInlineText) {
            std::memmove(text_, text.data(), text.size());  // nothing to let go of first
            kind_ = VarType::String;
            inline_ = static_cast<std::uint8_t>(text.size());
        } else {
            SetTextElsewhere(text);
        }
    }

    // Assigns through a reference when this is one (used by servers writing out arguments).
    void Assign(const Variant& value);

    // Equality as the run-time compares variants: numbers numerically, strings exactly, string vs
    // number by converting the string; Empty equals Empty, Null equals Null only.
    bool operator==(const Variant& other) const;
    bool operator!=(const Variant& other) const { return !(*this == other); }

private:
    static constexpr std::size_t kInlineText = 24;
    static constexpr std::uint8_t kHeapText = 0xFF;
    struct HeapText {
        char* data;
        std::uint32_t size;
        std::uint32_t capacity;
    };
    static bool HoldsObject(VarType k) { return k == VarType::Bytes || k == VarType::Array || k == VarType::Dispatch; }

    std::string_view Text() const {
        return inline_ == kHeapText ? std::string_view(heap_.data, heap_.size) : std::string_view(text_, inline_);
    }
    void SetTextElsewhere(std::string_view text);
    void CopyHeapText(const Variant& other);
    // Both expect this variant to hold nothing (freshly made or released).
    void CopyFrom(const Variant& other) {
        kind_ = other.kind_;
        inline_ = other.inline_;
        if (HoldsObject(kind_))
            new (&obj_) std::shared_ptr<void>(other.obj_);
        else if (kind_ == VarType::String && inline_ == kHeapText)
            CopyHeapText(other);
        else
            std::memcpy(raw_, other.raw_, sizeof raw_);
    }
    void MoveFrom(Variant& other) noexcept {
        kind_ = other.kind_;
        inline_ = other.inline_;
        if (HoldsObject(kind_)) {
            new (&obj_) std::shared_ptr<void>(std::move(other.obj_));
            other.obj_.~shared_ptr();
        } else {
            std::memcpy(raw_, other.raw_, sizeof raw_);  // a heap text changes hands
        }
        other.kind_ = VarType::Empty;
        other.inline_ = 0;
        other.i_ = 0;
    }
    // Lets go of the value and leaves this Empty.
    void Release() noexcept {
        if (HoldsObject(kind_))
            obj_.~shared_ptr();
        else if (kind_ == VarType::String && inline_ == kHeapText)
            std::free(heap_.data);
        kind_ = VarType::Empty;
        inline_ = 0;
        i_ = 0;
    }
    void SetObject(VarType kind, std::shared_ptr<void> object) {
        Release();
        new (&obj_) std::shared_ptr<void>(std::move(object));
        kind_ = kind;
    }

    void Detach();
    const VarArray& Storage() const;  // raises when not an array
    [[noreturn]] void ConvertError(VarType to) const;
    [[noreturn]] static void NotAnArray();
    [[noreturn]] static void NoSuchDimension();

    VarType kind_ = VarType::Empty;
    std::uint8_t inline_ = 0;  // a String's length when its text lies in text_; kHeapText otherwise
    union {
        bool b_;
        std::int64_t i_;
        double d_;
        Variant* ref_;
        char text_[kInlineText];
        HeapText heap_;
        std::shared_ptr<void> obj_;  // Bytes, VarArray (shared, copy-on-write) or IDispatchObject
        unsigned char raw_[kInlineText];
    };

    friend class VarArray;
};

static_assert(sizeof(Variant) == 32);

// Storage of an array variant: dims and flat row-major elements.
class VarArray {
public:
    VarBounds bounds;
    std::vector<Variant> items;

    std::size_t Offset(int i) const {
        if (bounds.size() != 1 || i < bounds[0].low || i > bounds[0].high) OutOfBounds();
        return static_cast<std::size_t>(i - bounds[0].low);
    }
    std::size_t Offset(int i, int j) const;
    [[noreturn]] static void OutOfBounds();
};

inline const VarArray& Variant::Storage() const {
    const Variant& v = Deref();
    if (v.kind_ != VarType::Array) NotAnArray();
    return *static_cast<const VarArray*>(v.obj_.get());
}

inline int Variant::DimCount() const {
    const Variant& v = Deref();
    return v.kind_ == VarType::Array ? static_cast<int>(static_cast<const VarArray*>(v.obj_.get())->bounds.size()) : 0;
}

inline int Variant::Low(int dim) const {
    const VarArray& a = Storage();
    if (dim < 1 || dim > static_cast<int>(a.bounds.size())) NoSuchDimension();
    return a.bounds[static_cast<std::size_t>(dim - 1)].low;
}

inline int Variant::High(int dim) const {
    const VarArray& a = Storage();
    if (dim < 1 || dim > static_cast<int>(a.bounds.size())) NoSuchDimension();
    return a.bounds[static_cast<std::size_t>(dim - 1)].high;
}

inline const Variant& Variant::operator[](int index) const {
    const VarArray& a = Storage();
    return a.items[a.Offset(index)];
}

inline Variant& Variant::operator[](int index) {
    Variant& v = Deref();
    if (v.kind_ != VarType::Array) NotAnArray();
    if (v.obj_.use_count() > 1) v.Detach();  // written: this holder gets its own copy
    auto* a = static_cast<VarArray*>(v.obj_.get());
    return a->items[a->Offset(index)];
}

// Helpers mirroring the familiar run-time functions.
Variant VarArrayOf(std::initializer_list<Variant> items);  // 0-based, one dimension
Variant VarArrayOf(const std::vector<Variant>& items);
Variant VarArrayCreate(int low, int high);  // one dimension, elements Empty
Variant VarArrayCreate(int low1, int high1, int low2, int high2);
inline bool VarIsArray(const Variant& v) { return v.IsArray(); }
inline bool VarIsNull(const Variant& v) { return v.IsNull(); }
inline bool VarIsEmpty(const Variant& v) { return v.IsEmpty(); }
inline bool VarIsClear(const Variant& v) { return v.IsEmpty(); }
inline int VarArrayLowBound(const Variant& v, int dim) { return v.Low(dim); }
inline int VarArrayHighBound(const Variant& v, int dim) { return v.High(dim); }
inline int VarArrayDimCount(const Variant& v) { return v.DimCount(); }
std::string VarToStr(const Variant& v);  // Null and Empty give ""
// -1 less, 0 equal, 1 greater; Null/Empty sort first. Strings compare by bytes.
int VarCompare(const Variant& a, const Variant& b);
// Readable rendering for logs and test failures: arrays as [a, b], strings quoted.
std::string VarDebugText(const Variant& v);

// Printer for GoogleTest.
void PrintTo(const Variant& v, std::ostream* os);
