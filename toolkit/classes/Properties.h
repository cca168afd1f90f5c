#pragma once
// Published properties and methods: registered per class, read and written by name at run time.
// Language files, settings documents and the window conversion all go through this one mechanism.
//
// Registration, in the class:            and in its source file:
//   class TFont : public TPersistent {     void TFont::Publish(TPublisher<TFont>& p) {
//       TK_CLASS_PUBLISHED(TFont,              p.Property("Name", &TFont::Name, &TFont::SetName);
//                          TPersistent)        p.Property("Color", &TFont::Color, &TFont::SetColor);
//       ...                                    p.Property("OnChange", &TFont::OnChange);   // a field
//   };                                         p.Method("FontChanged", &TFont::FontChanged);
//                                          }
// The property's kind follows from the C++ type: integers, int64, bool, double, std::string,
// enumerations and sets named with TK_ENUM_TYPE, TColor/TCursor (integers with value names),
// TStrings*, pointers to objects of the model, and std::function events.
#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "toolkit/classes/ClassInfo.h"
#include "toolkit/classes/ComponentErrors.h"
#include "toolkit/classes/TypeInfo.h"
#include "toolkit/rtl/Variant.h"

// The accessors of one property, by the representation its kind uses.
struct TPropAccess {
    std::function<std::int64_t(const TObject&)> getOrd;  // integer, int64, enumeration, set, boolean
    std::function<void(TObject&, std::int64_t)> setOrd;
    std::function<double(const TObject&)> getFloat;
    std::function<void(TObject&, double)> setFloat;
    std::function<std::string(const TObject&)> getStr;
    std::function<void(TObject&, const std::string&)> setStr;
    std::function<TObject*(const TObject&)> getObject;
    std::function<void(TObject&, TObject*)> setObject;
    std::function<TStrings*(const TObject&)> getStrings;
    std::function<std::any(const TObject&)> getMethod;  // holds the std::function of the event
    std::function<void(TObject&, const std::any&)> setMethod;
};

class TPropInfo {
public:
    TPropInfo(std::string name, const TTypeInfo& type, TPropAccess access);

    const std::string& Name() const { return name_; }
    const TTypeInfo& PropType() const { return *type_; }
    TTypeKind Kind() const { return type_->Kind; }
    bool IsWritable() const;

    // Typed access; the wrong representation for the kind, or a read-only property on writing,
    // raises EPropertyError.
    std::int64_t GetOrd(const TObject& instance) const;
    void SetOrd(TObject& instance, std::int64_t value) const;
    double GetFloat(const TObject& instance) const;
    void SetFloat(TObject& instance, double value) const;
    std::string GetStr(const TObject& instance) const;
    void SetStr(TObject& instance, const std::string& value) const;
    TObject* GetObject(const TObject& instance) const;
    void SetObject(TObject& instance, TObject* value) const;
    TStrings* GetStrings(const TObject& instance) const;
    std::any GetMethod(const TObject& instance) const;
    void SetMethod(TObject& instance, const std::any& value) const;

    // As variants: integers as numbers, enumerations by name, sets as "a,b", booleans, floats,
    // strings, string lists as their text. Objects and events raise EPropertyError.
    Variant GetValue(const TObject& instance) const;
    // Enumerations by name (case and surrounding blanks ignored) or number; sets by "[a,b]" text or
    // bits; named integers (colours, cursors) by name or number ("$FF" hexadecimal too); string
    // lists by text. A value that does not fit raises EPropertyConvertError or EConvertError.
    void SetValue(TObject& instance, const Variant& value) const;

private:
    [[noreturn]] void KindError(const char* wanted) const;

    std::string name_;
    const TTypeInfo* type_;
    TPropAccess access_;
};

// A published method, bound to an instance as a std::function of its signature.
class TMethodInfo {
public:
    TMethodInfo(std::string name, const std::type_info& signature, std::function<std::any(TObject&)> bind)
        : name_(std::move(name)), signature_(&signature), bind_(std::move(bind)) {}
    const std::string& Name() const { return name_; }
    const std::type_info& Signature() const { return *signature_; }  // typeid(std::function<Sig>)
    std::any Bind(TObject& instance) const { return bind_(instance); }

private:
    std::string name_;
    const std::type_info* signature_;
    std::function<std::any(TObject&)> bind_;
};

namespace tk_detail {
template <class T>
constexpr bool IsOrdinal = std::is_integral_v<T> || std::is_enum_v<T>;
template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};
template <class T>
constexpr bool IsObjectPointer = std::is_pointer_v<T>&& std::is_base_of_v<TObject, std::remove_cv_t<std::remove_pointer_t<T>>>;
template <class T>
constexpr bool IsStringsPointer = std::is_pointer_v<T>&& std::is_base_of_v<TStrings, std::remove_cv_t<std::remove_pointer_t<T>>>;

template <class T>
std::int64_t ToOrd(const T& v) {
    if constexpr (IsSet<T>::value)
        return static_cast<std::int64_t>(v.Bits());
    else if constexpr (std::is_same_v<T, bool>)
        return v ? 1 : 0;
    else
        return static_cast<std::int64_t>(v);
}
template <class T>
T FromOrd(std::int64_t v) {
    if constexpr (IsSet<T>::value)
        return T::FromBits(static_cast<std::uint64_t>(v));
    else if constexpr (std::is_same_v<T, bool>)
        return v != 0;
    else
        return static_cast<T>(v);
}
[[noreturn]] void ThrowWrongObjectClass(const TObject* value, const char* propName);
}  // namespace tk_detail

// Registers the published members of class C (used in C::Publish).
template <class C>
class TPublisher {
public:
    explicit TPublisher(TClassInfo& info) : info_(info) {}

    // A getter and a setter member function of C or of one of its bases.
    template <class R, class B1, class V, class B2>
    TPublisher& Property(const char* name, R (B1::*get)() const, void (B2::*set)(V), const TTypeInfo* type = nullptr) {
        using T = std::remove_cvref_t<R>;
        Add<T>(
            name, type, [get](const TObject& o) -> T { return (static_cast<const C&>(o).*get)(); },
            [set](TObject& o, T v) { (static_cast<C&>(o).*set)(std::move(v)); });
        return *this;
    }
    // A read-only property.
    template <class R, class B1>
    TPublisher& Property(const char* name, R (B1::*get)() const, const TTypeInfo* type = nullptr) {
        using T = std::remove_cvref_t<R>;
        Add<T>(
            name, type, [get](const TObject& o) -> T { return (static_cast<const C&>(o).*get)(); }, nullptr);
        return *this;
    }
    // A data member read and written directly (events, plain fields).
    template <class T, class B>
    TPublisher& Property(const char* name, T B::*field, const TTypeInfo* type = nullptr) {
        static_assert(!std::is_function_v<T>, "publish a getter as 'R Get() const'");
        Add<T>(
            name, type, [field](const TObject& o) -> T { return static_cast<const C&>(o).*field; },
            [field](TObject& o, T v) { static_cast<C&>(o).*field = std::move(v); });
        return *this;
    }
    // A published method (an event handler assigned by name, for example).
    template <class R, class B, class... A>
    TPublisher& Method(const char* name, R (B::*method)(A...)) {
        using F = std::function<R(A...)>;
        info_.AddMethod(std::make_unique<TMethodInfo>(name, typeid(F), [method](TObject& o) {
            C* self = static_cast<C*>(&o);
            return std::any(F([self, method](A... args) -> R { return (self->*method)(std::forward<A>(args)...); }));
        }));
        return *this;
    }

private:
    template <class T, class G, class S>
    void Add(const char* name, const TTypeInfo* type, G get, S set) {
        using namespace tk_detail;
        constexpr bool writable = !std::is_same_v<S, std::nullptr_t>;
        const TTypeInfo& ti = type ? *type : TypeOf<T>();
        TPropAccess a;
        if constexpr (IsOrdinal<T> || IsSet<T>::value) {
            a.getOrd = [get](const TObject& o) { return ToOrd<T>(get(o)); };
            if constexpr (writable) a.setOrd = [set](TObject& o, std::int64_t v) { set(o, FromOrd<T>(v)); };
        } else if constexpr (std::is_floating_point_v<T>) {
            a.getFloat = [get](const TObject& o) { return static_cast<double>(get(o)); };
            if constexpr (writable) a.setFloat = [set](TObject& o, double v) { set(o, static_cast<T>(v)); };
        } else if constexpr (std::is_same_v<T, std::string>) {
            a.getStr = [get](const TObject& o) { return get(o); };
            if constexpr (writable) a.setStr = [set](TObject& o, const std::string& v) { set(o, v); };
        } else if constexpr (IsStringsPointer<T>) {
            a.getStrings = [get](const TObject& o) -> TStrings* { return get(o); };
        } else if constexpr (IsObjectPointer<T>) {
            a.getObject = [get](const TObject& o) -> TObject* {
                return const_cast<TObject*>(static_cast<const TObject*>(get(o)));
            };
            if constexpr (writable) {
                a.setObject = [set, n = std::string(name)](TObject& o, TObject* v) {
                    T typed = dynamic_cast<T>(v);
                    if (v && !typed) ThrowWrongObjectClass(v, n.c_str());
                    set(o, typed);
                };
            }
        } else if constexpr (IsStdFunction<T>::value) {
            a.getMethod = [get](const TObject& o) { return std::any(get(o)); };
            if constexpr (writable)
                a.setMethod = [set](TObject& o, const std::any& v) { set(o, v.has_value() ? std::any_cast<T>(v) : T()); };
        } else {
            static_assert(sizeof(T) == 0, "unsupported property type");
        }
        info_.AddProperty(std::make_unique<TPropInfo>(name, ti, std::move(a)));
    }

    TClassInfo& info_;
};

// A class with run-time class information and published members defined in its Publish().
#define TK_CLASS_PUBLISHED(Name, Base)                     \
    TK_CLASS_INFO_(Name, Base, (+[](::TClassInfo& info) {  \
                       ::TPublisher<Name> publisher(info); \
                       Name::Publish(publisher);           \
                   }))                                     \
public:                                                    \
    static void Publish(::TPublisher<Name>& p);            \
                                                           \
private:

// Objects whose items a property path selects by index: collections, list-view items, tree nodes.
class IIndexedItems {
public:
    virtual ~IIndexedItems() = default;
    virtual int IndexedItemCount() const = 0;
    virtual TObject* IndexedItem(int index) const = 0;
};

// Where a property path ends: the object that holds the last property, that property, and for a
// string list named with an index ("Items_3") the line.
struct TPropTarget {
    TObject* Instance = nullptr;
    const TPropInfo* Info = nullptr;
    int Index = -1;
};

// Follows a path of published names separated by "." through object properties ("Font.Color").
// A name may carry "_" and a decimal index: inside the path it selects that item of an indexed
// object ("Columns_0.Caption", "Items_2.Caption"); at the end it selects a line of a string list
// ("Items_3", "Lines_0"). A name that is a property as a whole ("_Enabled") has no index.
// Info is nullptr when a name is unknown, an inner name is not an object property, an inner
// object is missing, an index is out of range or is given to something that is not a list.
// Reading a line out of range raises EListError; writing one appends empty lines up to it.
TPropTarget FindPropTarget(const TObject* instance, std::string_view path);
const TPropInfo* GetPropInfo(const TObject* instance, std::string_view path);
bool IsPublishedProp(const TObject* instance, std::string_view path);
// Kind of a property; EPropertyError "Property X does not exist" when unknown.
TTypeKind PropType(const TObject* instance, std::string_view path);
bool PropIsType(const TObject* instance, std::string_view path, TTypeKind kind);

// Published properties of an object (ancestors' first) and their names.
std::vector<const TPropInfo*> GetPropList(const TObject* instance);
std::vector<std::string> GetPublishedPropNames(const TObject* instance);

// Value access by path; an unknown property raises EPropertyError "Property X does not exist".
Variant GetPropValue(const TObject* instance, std::string_view path);
void SetPropValue(TObject* instance, std::string_view path, const Variant& value);
std::string GetStrProp(const TObject* instance, std::string_view path);
void SetStrProp(TObject* instance, std::string_view path, const std::string& value);
std::int64_t GetOrdProp(const TObject* instance, std::string_view path);
void SetOrdProp(TObject* instance, std::string_view path, std::int64_t value);
std::string GetEnumProp(const TObject* instance, std::string_view path);
void SetEnumProp(TObject* instance, std::string_view path, const std::string& value);
std::string GetSetProp(const TObject* instance, std::string_view path, bool brackets = false);
void SetSetProp(TObject* instance, std::string_view path, const std::string& value);
TObject* GetObjectProp(const TObject* instance, std::string_view path);
TStrings* GetStringsProp(const TObject* instance, std::string_view path);

// The property an access names; raises EPropertyError when there is none.
TPropTarget RequirePropTarget(const TObject* instance, std::string_view path);

// Events by name: F is the event's std::function type. A wrong type raises EPropertyError.
template <class F>
F GetMethodProp(const TObject* instance, std::string_view path) {
    TPropTarget t = RequirePropTarget(instance, path);
    std::any v = t.Info->GetMethod(*t.Instance);
    if (const F* f = std::any_cast<F>(&v)) return *f;
    throw EPropertyError("Invalid property type: " + t.Info->PropType().Name);
}
template <class F>
void SetMethodProp(TObject* instance, std::string_view path, F handler) {
    TPropTarget t = RequirePropTarget(instance, path);
    if (t.Info->Kind() != tkMethod || *t.Info->PropType().MethodType != typeid(F))
        throw EPropertyError("Invalid property type: " + t.Info->PropType().Name);
    t.Info->SetMethod(*t.Instance, std::any(std::move(handler)));
}

// A published method of the object, bound to it; empty when there is none of that name and
// signature (Sig such as void(TObject*)).
template <class Sig>
std::function<Sig> MethodAddress(TObject* instance, std::string_view name) {
    if (!instance) return {};
    const TMethodInfo* m = instance->ClassType().FindMethod(name);
    if (!m || m->Signature() != typeid(std::function<Sig>)) return {};
    return std::any_cast<std::function<Sig>>(m->Bind(*instance));
}
