// RISC-V floating-point semantics on top of the host's IEEE 754 unit: the host computes what
// it computes exactly (add, sub, mul, div, sqrt, fma in the four rounding modes it has), and
// these helpers supply what RISC-V defines differently: the canonical NaN, NaN-boxing of
// single values, fmin/fmax, saturating conversions, round-to-nearest-max-magnitude, and the
// accrued exception flags.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace sim::fp {

constexpr uint64_t kCanonicalNaN64 = 0x7FF8000000000000ull;
constexpr uint32_t kCanonicalNaN32 = 0x7FC00000u;
constexpr uint64_t kBoxMask = 0xFFFFFFFF00000000ull;

// fflags bits, as in the fcsr.
constexpr uint32_t NX = 1, UF = 2, OF = 4, DZ = 8, NV = 16;
// Rounding modes: the rm field and frm.
enum Rounding : int { RNE = 0, RTZ = 1, RDN = 2, RUP = 3, RMM = 4, Dynamic = 7 };

inline uint64_t BoxS(uint32_t bits) {
    return kBoxMask | bits;
}
// An operand that is not a properly boxed single reads as the canonical NaN.
inline uint32_t UnboxS(uint64_t reg) {
    return (reg & kBoxMask) == kBoxMask ? static_cast<uint32_t>(reg) : kCanonicalNaN32;
}
inline float AsFloat(uint32_t bits) {
    return std::bit_cast<float>(bits);
}
inline double AsDouble(uint64_t bits) {
    return std::bit_cast<double>(bits);
}
inline uint32_t BitsOf(float v) {
    return std::isnan(v) ? kCanonicalNaN32 : std::bit_cast<uint32_t>(v);
}
inline uint64_t BitsOf(double v) {
    return std::isnan(v) ? kCanonicalNaN64 : std::bit_cast<uint64_t>(v);
}

inline bool IsSignaling(uint32_t b) {
    return (b & 0x7F800000u) == 0x7F800000u && (b & 0x7FFFFF) && !(b & 0x400000);
}
inline bool IsSignaling(uint64_t b) {
    return (b & 0x7FF0000000000000ull) == 0x7FF0000000000000ull && (b & 0xFFFFFFFFFFFFFull) &&
           !(b & 0x8000000000000ull);
}

// The host's exception flags raised since the last call, as fflags bits; clears them.
uint32_t TakeHostFlags();
void ClearHostFlags();

enum class Arith { Add, Sub, Mul, Div, Sqrt };

// Arithmetic in a rounding mode other than RNE (RNE is done inline by the interpreter).
// NaN results are canonical; flags not raised by the host are added to flags.
uint32_t ArithmeticS(Arith op, uint32_t a, uint32_t b, int mode, uint32_t& flags);
uint64_t ArithmeticD(Arith op, uint64_t a, uint64_t b, int mode, uint32_t& flags);

enum class Fused { MulAdd, MulSub, NegMulSub, NegMulAdd };
uint32_t FusedS(Fused op, uint32_t a, uint32_t b, uint32_t c, int mode, uint32_t& flags);
uint64_t FusedD(Fused op, uint64_t a, uint64_t b, uint64_t c, int mode, uint32_t& flags);

uint32_t MinMaxS(uint32_t a, uint32_t b, bool max, uint32_t& flags);
uint64_t MinMaxD(uint64_t a, uint64_t b, bool max, uint32_t& flags);

enum class Compare { Eq, Lt, Le };
uint64_t CompareS(Compare c, uint32_t a, uint32_t b, uint32_t& flags);
uint64_t CompareD(Compare c, uint64_t a, uint64_t b, uint32_t& flags);

uint64_t ClassifyS(uint32_t a);
uint64_t ClassifyD(uint64_t a);

// fcvt.{w,wu,l,lu}.{s,d}: the integer register value (32-bit results sign-extended).
enum class IntKind { W, WU, L, LU };
uint64_t ToInteger(double value, IntKind kind, int mode, uint32_t& flags);
// fcvt.{s,d}.{w,wu,l,lu} from the integer register value.
uint32_t IntegerToS(uint64_t value, IntKind kind, int mode, uint32_t& flags);
uint64_t IntegerToD(uint64_t value, IntKind kind, int mode, uint32_t& flags);

uint32_t DoubleToS(uint64_t a, int mode, uint32_t& flags);
uint64_t SingleToD(uint32_t a, uint32_t& flags);

} // namespace sim::fp
