#pragma once

#include <cstdint>
#include <initializer_list>

// A set of the values 0 to 31 of an enumeration, stored as bits (bit n for value n).
template <class E>
class TSet {
public:
    using TElement = E;

    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E value : values) Include(value);
    }
    static constexpr TSet FromBits(std::uint32_t bits) {
        TSet result;
        result.FBits = bits;
        return result;
    }

    constexpr std::uint32_t Bits() const { return FBits; }
    constexpr bool Contains(E value) const { return (FBits & Bit(value)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E value) { FBits |= Bit(value); return *this; }
    constexpr TSet& Exclude(E value) { FBits &= ~Bit(value); return *this; }

    constexpr TSet operator+(TSet other) const { return FromBits(FBits | other.FBits); }
    constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
    constexpr TSet operator*(TSet other) const { return FromBits(FBits & other.FBits); }
    constexpr TSet& operator+=(TSet other) { FBits |= other.FBits; return *this; }
    constexpr TSet& operator-=(TSet other) { FBits &= ~other.FBits; return *this; }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr std::uint32_t Bit(E value) {
        const auto n = static_cast<unsigned>(value);
        return n < 32 ? (std::uint32_t{1} << n) : 0;
    }
    std::uint32_t FBits = 0;
};

template <class T>
struct TIsSet { static constexpr bool Value = false; };
template <class E>
struct TIsSet<TSet<E>> { static constexpr bool Value = true; };
