// Exact integers for the reference raster: a signed 320-bit integer in two's
// complement, and sign and magnitude helpers that read the same over it and
// over __int128.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>

namespace kelto::reference {

// A signed integer of 320 bits in two's complement: room for every product
// the rules form from 64-bit coordinates, which stay below 2^280.
class Wide {
public:
    // Implicit, so that the rules read the same over Wide and __int128.
    Wide(int64_t v = 0)  // NOLINT(google-explicit-constructor)
        : Wide(static_cast<uint64_t>(v), v < 0 ? ~uint64_t{0} : 0) {}

    friend Wide operator+(const Wide &a, const Wide &b) {
        Wide sum;
        uint64_t carry = 0;
        for (std::size_t i = 0; i < kLimbs; ++i) {
            const uint64_t partial = a.limbs_[i] + carry;
            sum.limbs_[i] = partial + b.limbs_[i];
            carry = (partial < carry ? 1u : 0u) + (sum.limbs_[i] < partial ? 1u : 0u);
        }
        return sum;
    }

    friend Wide operator-(const Wide &a, const Wide &b) {
        Wide difference;
        uint64_t borrow = 0;
        for (std::size_t i = 0; i < kLimbs; ++i) {
            const uint64_t partial = a.limbs_[i] - borrow;
            difference.limbs_[i] = partial - b.limbs_[i];
            borrow = (a.limbs_[i] < borrow ? 1u : 0u) + (partial < b.limbs_[i] ? 1u : 0u);
        }
        return difference;
    }

    Wide operator-() const { return Wide() - *this; }

    // The product modulo 2^320, which in two's complement is the signed product.
    friend Wide operator*(const Wide &a, const Wide &b) {
        Wide product;
        for (std::size_t i = 0; i < kLimbs; ++i) {
            unsigned __int128 carry = 0;
            for (std::size_t j = 0; i + j < kLimbs; ++j) {
                carry += static_cast<unsigned __int128>(a.limbs_[i]) * b.limbs_[j];
                carry += product.limbs_[i + j];
                product.limbs_[i + j] = static_cast<uint64_t>(carry);
                carry >>= 64;
            }
        }
        return product;
    }

    // Division by 2^bits rounding down, for 0 < bits < 64.
    friend Wide operator>>(const Wide &a, int bits) {
        Wide shifted;
        for (std::size_t i = 0; i + 1 < kLimbs; ++i)
            shifted.limbs_[i] = (a.limbs_[i] >> bits) | (a.limbs_[i + 1] << (64 - bits));
        shifted.limbs_[kLimbs - 1] = static_cast<uint64_t>(a.top() >> bits);
        return shifted;
    }

    friend std::strong_ordering operator<=>(const Wide &a, const Wide &b) {
        if (a.top() != b.top()) return a.top() <=> b.top();
        for (std::size_t i = kLimbs - 1; i-- > 0;)
            if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] <=> b.limbs_[i];
        return std::strong_ordering::equal;
    }
    friend bool operator==(const Wide &a, const Wide &b) { return (a <=> b) == 0; }

    // -1, 0 or 1.
    int sign() const {
        if (top() < 0) return -1;
        for (const uint64_t limb : limbs_)
            if (limb != 0) return 1;
        return 0;
    }

private:
    static constexpr std::size_t kLimbs = 5;

    Wide(uint64_t low, uint64_t high) : limbs_{low, high, high, high, high} {}

    int64_t top() const { return static_cast<int64_t>(limbs_[kLimbs - 1]); }

    uint64_t limbs_[kLimbs];  // least significant first
};

inline int sign_of(__int128 v) {
    return (v > 0) - (v < 0);
}
inline int sign_of(const Wide &v) {
    return v.sign();
}

template <class Int>
Int magnitude(const Int &v) {
    return sign_of(v) < 0 ? -v : v;
}

}  // namespace kelto::reference
