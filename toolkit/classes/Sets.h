#pragma once
// Small sets of enumeration values (or integers 0..63) kept in one 64-bit word, with the classic
// operators: + union, - difference, * intersection, <= subset. Elements outside 0..63 are ignored
// by Include and never contained.
#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <class E>
class TSet {
    static_assert(std::is_enum_v<E> || std::is_integral_v<E>, "TSet holds enumeration or integer elements");

public:
    using Element = E;

    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E e : items) Include(e);
    }
    static constexpr TSet FromBits(std::uint64_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return bits_; }

    constexpr bool Contains(E e) const { return InRange(e) && (bits_ & Bit(e)) != 0; }
    constexpr TSet& Include(E e) {
        if (InRange(e)) bits_ |= Bit(e);
        return *this;
    }
    constexpr TSet& Exclude(E e) {
        if (InRange(e)) bits_ &= ~Bit(e);
        return *this;
    }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr int Count() const {
        int n = 0;
        for (std::uint64_t b = bits_; b != 0; b &= b - 1) ++n;
        return n;
    }

    constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
    constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
    constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
    constexpr TSet operator+(E e) const { return TSet(*this).Include(e); }
    constexpr TSet operator-(E e) const { return TSet(*this).Exclude(e); }
    constexpr TSet& operator+=(TSet o) {
        bits_ |= o.bits_;
        return *this;
    }
    constexpr TSet& operator-=(TSet o) {
        bits_ &= ~o.bits_;
        return *this;
    }
    constexpr TSet& operator*=(TSet o) {
        bits_ &= o.bits_;
        return *this;
    }
    constexpr TSet& operator+=(E e) { return Include(e); }
    constexpr TSet& operator-=(E e) { return Exclude(e); }
    constexpr bool operator==(const TSet&) const = default;
    constexpr bool operator<=(TSet o) const { return (bits_ & ~o.bits_) == 0; }  // subset

private:
    static constexpr bool InRange(E e) {
        auto v = static_cast<long long>(e);
        return v >= 0 && v < 64;
    }
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }

    std::uint64_t bits_ = 0;
};
