#pragma once
// Type information of published properties: the kind of a property's type and, for enumerations,
// sets and named integers (colours, cursors, character sets), the names of its values.
//
// An enumeration becomes publishable by naming its values once, after its declaration:
//   enum TAlign { alNone, alTop, alBottom };
//   TK_ENUM_TYPE(TAlign, "alNone", "alTop", "alBottom")
// Sets of such enumerations (TSet<TAlign>) are publishable without more. Other types get their type
// information from an overload TypeInfoOf(const T*) found by argument-dependent lookup.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "toolkit/classes/ClassInfo.h"
#include "toolkit/classes/Sets.h"
#include "toolkit/rtl/Strings.h"

enum TTypeKind {
    tkUnknown,
    tkInteger,  // 32-bit integers, possibly with value names (TColor, TCursor)
    tkInt64,
    tkString,
    tkEnumeration,
    tkSet,
    tkBoolean,
    tkFloat,
    tkClass,    // an object of the model (TFont, a component reference)
    tkStrings,  // a string list (TStrings)
    tkMethod,   // an event (std::function)
};

const char* TypeKindName(TTypeKind kind);

class TTypeInfo {
public:
    using Ident = std::pair<std::int64_t, std::string>;

    std::string Name;
    TTypeKind Kind = tkUnknown;
    std::vector<std::string> EnumNames;          // tkEnumeration: names of the values 0, 1, ...
    const TTypeInfo* ElementType = nullptr;      // tkSet: the enumeration of its elements
    std::vector<Ident> Idents;                   // tkInteger: value names (first name of a value wins)
    const TClassInfo* ClassType = nullptr;       // tkClass: the declared class
    const std::type_info* MethodType = nullptr;  // tkMethod: the std::function type

    static TTypeInfo Simple(std::string name, TTypeKind kind);
    static TTypeInfo Enumeration(std::string name, std::vector<std::string> names);
    static TTypeInfo NamedInteger(std::string name, std::vector<Ident> idents);

    // Enumerations: name of a value (its number as text when out of range) and value of a name
    // (compared without case, blanks around ignored).
    std::string EnumName(std::int64_t value) const;
    std::optional<std::int64_t> EnumValue(std::string_view name) const;
    // Sets: "fsBold,fsItalic" (with brackets on request) and back; the text may carry brackets and
    // blanks; an unknown element raises EPropertyConvertError "Invalid property element: X".
    std::string SetToString(std::uint64_t bits, bool brackets = false) const;
    std::uint64_t StringToSet(std::string_view text) const;
    // Named integers.
    bool IdentToInt(std::string_view ident, std::int64_t& value) const;
    bool IntToIdent(std::int64_t value, std::string& ident) const;
};

#define TK_ENUM_TYPE(Enum, ...)                                                         \
    inline const ::TTypeInfo& TypeInfoOf(const Enum*) {                                 \
        static const ::TTypeInfo info = ::TTypeInfo::Enumeration(#Enum, {__VA_ARGS__}); \
        return info;                                                                    \
    }

namespace tk_detail {
const TTypeInfo& BooleanType();
const TTypeInfo& IntegerType();
const TTypeInfo& Int64Type();
const TTypeInfo& FloatType();
const TTypeInfo& StringType();
const TTypeInfo& StringsType();

template <class T>
struct IsStdFunction : std::false_type {};
template <class Sig>
struct IsStdFunction<std::function<Sig>> : std::true_type {};

template <class T>
concept HasTypeInfoOf = requires {
    TypeInfoOf(static_cast<const T*>(nullptr));
};

template <class T>
const TTypeInfo& ClassTypeInfo() {
    static const TTypeInfo info = [] {
        TTypeInfo t = TTypeInfo::Simple(T::StaticClass().ClassName(), tkClass);
        t.ClassType = &T::StaticClass();
        return t;
    }();
    return info;
}

template <class F>
const TTypeInfo& MethodTypeInfo() {
    static const TTypeInfo info = [] {
        TTypeInfo t = TTypeInfo::Simple("event", tkMethod);
        t.MethodType = &typeid(F);
        return t;
    }();
    return info;
}
}  // namespace tk_detail

// Sets of publishable enumerations.
template <class E>
const TTypeInfo& TypeInfoOf(const TSet<E>*) {
    static const TTypeInfo info = [] {
        const TTypeInfo& element = TypeInfoOf(static_cast<const E*>(nullptr));
        TTypeInfo t = TTypeInfo::Simple("set of " + element.Name, tkSet);
        t.ElementType = &element;
        return t;
    }();
    return info;
}

// The type information of a C++ type used as a property type.
template <class T>
const TTypeInfo& TypeOf() {
    using U = std::remove_cvref_t<T>;
    if constexpr (tk_detail::HasTypeInfoOf<U>) {
        return TypeInfoOf(static_cast<const U*>(nullptr));
    } else if constexpr (std::is_same_v<U, bool>) {
        return tk_detail::BooleanType();
    } else if constexpr (std::is_integral_v<U> && sizeof(U) <= 4) {
        return tk_detail::IntegerType();
    } else if constexpr (std::is_integral_v<U>) {
        return tk_detail::Int64Type();
    } else if constexpr (std::is_floating_point_v<U>) {
        return tk_detail::FloatType();
    } else if constexpr (std::is_same_v<U, std::string>) {
        return tk_detail::StringType();
    } else if constexpr (std::is_pointer_v<U> && std::is_base_of_v<TStrings, std::remove_cv_t<std::remove_pointer_t<U>>>) {
        return tk_detail::StringsType();
    } else if constexpr (std::is_pointer_v<U> && std::is_base_of_v<TObject, std::remove_cv_t<std::remove_pointer_t<U>>>) {
        return tk_detail::ClassTypeInfo<std::remove_cv_t<std::remove_pointer_t<U>>>();
    } else if constexpr (tk_detail::IsStdFunction<U>::value) {
        return tk_detail::MethodTypeInfo<U>();
    } else {
        static_assert(sizeof(U) == 0, "type cannot be published: give it a TypeInfoOf overload");
    }
}
