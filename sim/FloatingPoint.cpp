#include "sim/FloatingPoint.h"

#include <cfenv>
#include <limits>
#include <type_traits>

namespace sim::fp {

namespace {

uint32_t GuestFlags(int raised) {
    return (raised & FE_INVALID ? NV : 0) | (raised & FE_DIVBYZERO ? DZ : 0) |
           (raised & FE_OVERFLOW ? OF : 0) | (raised & FE_UNDERFLOW ? UF : 0) |
           (raised & FE_INEXACT ? NX : 0);
}

int HostMode(int mode) {
    switch (mode) {
    case RTZ:
        return FE_TOWARDZERO;
    case RDN:
        return FE_DOWNWARD;
    case RUP:
        return FE_UPWARD;
    default:
        return FE_TONEAREST;
    }
}

// Runs host arithmetic in one of the host's rounding modes and goes back to nearest-even,
// the mode the interpreter's inline fast paths assume.
class RoundingScope {
public:
    explicit RoundingScope(int mode) : changed_(mode != RNE) {
        if (changed_)
            std::fesetround(HostMode(mode));
    }
    ~RoundingScope() {
        if (changed_)
            std::fesetround(FE_TONEAREST);
    }
    RoundingScope(const RoundingScope&) = delete;
    RoundingScope& operator=(const RoundingScope&) = delete;

private:
    bool changed_;
};

// Keeps the host flags of a computation out of the guest's: the computation's own flags are
// read, then the flags from before are put back.
class HostFlagsScope {
public:
    HostFlagsScope() {
        std::fegetexceptflag(&saved_, FE_ALL_EXCEPT);
        std::feclearexcept(FE_ALL_EXCEPT);
    }
    ~HostFlagsScope() {
        std::feclearexcept(FE_ALL_EXCEPT);
        std::fesetexceptflag(&saved_, FE_ALL_EXCEPT);
    }
    uint32_t Raised() const { return GuestFlags(std::fetestexcept(FE_ALL_EXCEPT)); }
    HostFlagsScope(const HostFlagsScope&) = delete;
    HostFlagsScope& operator=(const HostFlagsScope&) = delete;

private:
    std::fexcept_t saved_;
};

template <typename T> T NextAway(T v) {
    return std::nextafter(v, std::copysign(std::numeric_limits<T>::infinity(), v));
}
template <typename T> T NextToward0(T v) {
    return std::nextafter(v, std::copysign(T(0), v));
}

// Rounds a wider value to Narrow with ties away from zero (RMM), which the host cannot do.
// wide is the exact result or one rounded in a format wide enough (at least 2p+2 bits) that
// it never lands on a midpoint of Narrow by accident. Sets NX, OF and UF (tininess after
// rounding, as RISC-V detects it).
template <typename Narrow, typename Wide>
Narrow RoundTiesAway(Wide wide, uint32_t& flags, bool wideInexact = false, bool checkTiny = true) {
    if (wide != wide)
        return std::numeric_limits<Narrow>::quiet_NaN();
    const Wide absolute = wide < 0 ? -wide : wide;
    if (absolute == Wide(0) || absolute == Wide(std::numeric_limits<Narrow>::infinity()))
        return static_cast<Narrow>(wide);
    Narrow towardZero;
    {
        HostFlagsScope quiet; // the narrowing below is a step, not the guest's operation
        towardZero = static_cast<Narrow>(wide);
        if (std::isinf(towardZero))
            towardZero = std::copysign(std::numeric_limits<Narrow>::max(), towardZero);
        const Wide back = static_cast<Wide>(towardZero);
        if ((back < 0 ? -back : back) > absolute)
            towardZero = NextToward0(towardZero);
    }
    if (static_cast<Wide>(towardZero) == wide) {
        // Exact in Narrow, but if the wide result was rounded the true one lies within a
        // sliver of it: the same result, inexact.
        if (wideInexact) {
            flags |= NX;
            if (std::fabs(towardZero) < std::numeric_limits<Narrow>::min())
                flags |= UF;
        }
        return towardZero;
    }
    flags |= NX;
    const Narrow away = NextAway(towardZero);
    Wide midpoint;
    if (std::isinf(away)) {
        const Wide top = static_cast<Wide>(towardZero);
        midpoint = top + (top - static_cast<Wide>(NextToward0(towardZero))) / 2;
    } else {
        midpoint = (static_cast<Wide>(towardZero) + static_cast<Wide>(away)) / 2;
    }
    const Wide absMid = midpoint < 0 ? -midpoint : midpoint;
    const Narrow result = absolute >= absMid ? away : towardZero;
    if (std::isinf(result))
        flags |= OF;
    if (checkTiny && std::fabs(result) <= std::numeric_limits<Narrow>::min()) {
        // Tininess after rounding: round again with the exponent range moved out of the way.
        constexpr int kShift = std::numeric_limits<Narrow>::digits + 8;
        uint32_t ignored = 0;
        const Narrow unbounded = RoundTiesAway<Narrow, Wide>(wide * Wide(std::ldexp(1.0, kShift)),
                                                             ignored, false, false);
        if (std::fabs(unbounded) < std::ldexp(std::numeric_limits<Narrow>::min(), kShift))
            flags |= UF;
    }
    return result;
}

template <typename T> T HostArithmetic(Arith op, T a, T b) {
    switch (op) {
    case Arith::Add:
        return a + b;
    case Arith::Sub:
        return a - b;
    case Arith::Mul:
        return a * b;
    case Arith::Div:
        return a / b;
    default:
        if constexpr (std::is_same_v<T, __float128>)
            return a; // never asked for: square roots do not need the wide format
        else
            return std::sqrt(a);
    }
}

// The operation in the wide format, with only the flags that belong to the operation itself
// (invalid, divide by zero): rounding flags come from RoundTiesAway.
template <typename Wide> struct WideResult {
    Wide value;
    bool inexact;
};

template <typename Wide, typename T>
WideResult<Wide> WideArithmetic(Arith op, T a, T b, uint32_t& flags) {
    HostFlagsScope scope;
    const Wide result = HostArithmetic<Wide>(op, Wide(a), Wide(b));
    const uint32_t raised = scope.Raised();
    flags |= raised & (NV | DZ);
    return {result, (raised & NX) != 0};
}

template <typename T, typename Bits>
Bits ArithmeticIn(Arith op, T a, T b, int mode, uint32_t& flags) {
    if (mode == RMM && op != Arith::Sqrt) { // a square root is never a midpoint: RNE is RMM
        using Wide = std::conditional_t<sizeof(T) == 4, double, __float128>;
        const WideResult<Wide> wide = WideArithmetic<Wide>(op, a, b, flags);
        return BitsOf(RoundTiesAway<T>(wide.value, flags, wide.inexact));
    }
    RoundingScope scope(mode == RMM ? RNE : mode);
    return BitsOf(HostArithmetic<T>(op, a, b));
}

template <typename T> T FusedOperands(Fused op, T& a, T& c) {
    if (op == Fused::NegMulSub || op == Fused::NegMulAdd)
        a = -a;
    if (op == Fused::MulSub || op == Fused::NegMulAdd)
        c = -c;
    return a;
}

template <typename T> bool InfinityTimesZero(T a, T b) {
    return (std::isinf(a) && b == T(0)) || (a == T(0) && std::isinf(b));
}

template <typename T, typename Bits>
Bits FusedIn(Fused op, T a, T b, T c, int mode, uint32_t& flags) {
    FusedOperands(op, a, c);
    // RISC-V raises invalid for inf * 0 even when the addend is a quiet NaN.
    if (InfinityTimesZero(a, b))
        flags |= NV;
    if (mode == RMM) {
        using Wide = std::conditional_t<sizeof(T) == 4, double, __float128>;
        Wide sum;
        bool inexact;
        {
            HostFlagsScope scope;
            const Wide product = Wide(a) * Wide(b); // exact in the wide format
            sum = product + Wide(c);
            const uint32_t raised = scope.Raised();
            flags |= raised & NV;
            inexact = (raised & NX) != 0;
        }
        return BitsOf(RoundTiesAway<T>(sum, flags, inexact));
    }
    RoundingScope scope(mode);
    return BitsOf(std::fma(a, b, c));
}

template <typename T, typename Bits> Bits MinMax(Bits a, Bits b, bool max, uint32_t& flags) {
    if (IsSignaling(a) || IsSignaling(b))
        flags |= NV;
    const T x = std::bit_cast<T>(a), y = std::bit_cast<T>(b);
    if (std::isnan(x) && std::isnan(y))
        return BitsOf(std::numeric_limits<T>::quiet_NaN());
    if (std::isnan(x))
        return b;
    if (std::isnan(y))
        return a;
    if (x == y) // -0 orders below +0
        return (std::signbit(x) != max) ? a : b;
    return (x < y) != max ? a : b;
}

template <typename T, typename Bits>
uint64_t CompareIn(Compare c, Bits a, Bits b, uint32_t& flags) {
    const T x = std::bit_cast<T>(a), y = std::bit_cast<T>(b);
    if (std::isnan(x) || std::isnan(y)) {
        // feq is a quiet comparison, flt and fle signal on every NaN.
        if (c != Compare::Eq || IsSignaling(a) || IsSignaling(b))
            flags |= NV;
        return 0;
    }
    switch (c) {
    case Compare::Eq:
        return x == y;
    case Compare::Lt:
        return x < y;
    default:
        return x <= y;
    }
}

template <typename T, typename Bits> uint64_t Classify(Bits bits) {
    const T v = std::bit_cast<T>(bits);
    const bool negative = std::signbit(v);
    switch (std::fpclassify(v)) {
    case FP_INFINITE:
        return negative ? 1u << 0 : 1u << 7;
    case FP_NORMAL:
        return negative ? 1u << 1 : 1u << 6;
    case FP_SUBNORMAL:
        return negative ? 1u << 2 : 1u << 5;
    case FP_ZERO:
        return negative ? 1u << 3 : 1u << 4;
    default:
        return IsSignaling(bits) ? 1u << 8 : 1u << 9;
    }
}

double RoundToIntegral(double v, int mode) {
    switch (mode) {
    case RTZ:
        return std::trunc(v);
    case RDN:
        return std::floor(v);
    case RUP:
        return std::ceil(v);
    case RMM:
        return std::round(v);
    default:
        return std::nearbyint(v);
    }
}

struct IntRange {
    double low, high; // the valid rounded values lie in [low, high)
    uint64_t lowResult, highResult;
};

IntRange RangeOf(IntKind kind) {
    switch (kind) {
    case IntKind::W:
        return {-2147483648.0, 2147483648.0, 0xFFFFFFFF80000000ull, 0x7FFFFFFFull};
    case IntKind::WU:
        return {0.0, 4294967296.0, 0, 0xFFFFFFFFFFFFFFFFull};
    case IntKind::L:
        return {-9223372036854775808.0, 9223372036854775808.0, 1ull << 63, (1ull << 63) - 1};
    default:
        return {0.0, 18446744073709551616.0, 0, ~0ull};
    }
}

// The exact integer operand of fcvt.{s,d}.{w,wu,l,lu}, in a format that holds it exactly.
__float128 IntegerOperand(uint64_t value, IntKind kind) {
    switch (kind) {
    case IntKind::W:
        return static_cast<int32_t>(value);
    case IntKind::WU:
        return static_cast<uint32_t>(value);
    case IntKind::L:
        return static_cast<int64_t>(value);
    default:
        return value;
    }
}

template <typename T> T HostIntegerTo(uint64_t value, IntKind kind) {
    switch (kind) {
    case IntKind::W:
        return static_cast<T>(static_cast<int32_t>(value));
    case IntKind::WU:
        return static_cast<T>(static_cast<uint32_t>(value));
    case IntKind::L:
        return static_cast<T>(static_cast<int64_t>(value));
    default:
        return static_cast<T>(value);
    }
}

} // namespace

uint32_t TakeHostFlags() {
    const int raised = std::fetestexcept(FE_ALL_EXCEPT);
    std::feclearexcept(FE_ALL_EXCEPT);
    return GuestFlags(raised);
}

void ClearHostFlags() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

uint32_t ArithmeticS(Arith op, uint32_t a, uint32_t b, int mode, uint32_t& flags) {
    return ArithmeticIn<float, uint32_t>(op, AsFloat(a), AsFloat(b), mode, flags);
}
uint64_t ArithmeticD(Arith op, uint64_t a, uint64_t b, int mode, uint32_t& flags) {
    return ArithmeticIn<double, uint64_t>(op, AsDouble(a), AsDouble(b), mode, flags);
}
uint32_t FusedS(Fused op, uint32_t a, uint32_t b, uint32_t c, int mode, uint32_t& flags) {
    return FusedIn<float, uint32_t>(op, AsFloat(a), AsFloat(b), AsFloat(c), mode, flags);
}
uint64_t FusedD(Fused op, uint64_t a, uint64_t b, uint64_t c, int mode, uint32_t& flags) {
    return FusedIn<double, uint64_t>(op, AsDouble(a), AsDouble(b), AsDouble(c), mode, flags);
}
uint32_t MinMaxS(uint32_t a, uint32_t b, bool max, uint32_t& flags) {
    return MinMax<float, uint32_t>(a, b, max, flags);
}
uint64_t MinMaxD(uint64_t a, uint64_t b, bool max, uint32_t& flags) {
    return MinMax<double, uint64_t>(a, b, max, flags);
}
uint64_t CompareS(Compare c, uint32_t a, uint32_t b, uint32_t& flags) {
    return CompareIn<float, uint32_t>(c, a, b, flags);
}
uint64_t CompareD(Compare c, uint64_t a, uint64_t b, uint32_t& flags) {
    return CompareIn<double, uint64_t>(c, a, b, flags);
}
uint64_t ClassifyS(uint32_t a) {
    return Classify<float, uint32_t>(a);
}
uint64_t ClassifyD(uint64_t a) {
    return Classify<double, uint64_t>(a);
}

uint64_t ToInteger(double value, IntKind kind, int mode, uint32_t& flags) {
    const IntRange range = RangeOf(kind);
    if (std::isnan(value)) {
        flags |= NV;
        return range.highResult;
    }
    double rounded;
    {
        HostFlagsScope quiet; // the compiler's inline rounding sequences may raise inexact
        rounded = RoundToIntegral(value, mode);
    }
    if (rounded < range.low) {
        flags |= NV;
        return range.lowResult;
    }
    if (rounded >= range.high) {
        flags |= NV;
        return range.highResult;
    }
    if (rounded != value)
        flags |= NX;
    switch (kind) {
    case IntKind::W:
        return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(rounded)));
    case IntKind::WU:
        return static_cast<uint64_t>(
            static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(rounded))));
    case IntKind::L:
        return static_cast<uint64_t>(static_cast<int64_t>(rounded));
    default:
        return static_cast<uint64_t>(rounded);
    }
}

uint32_t IntegerToS(uint64_t value, IntKind kind, int mode, uint32_t& flags) {
    if (mode == RMM)
        return BitsOf(RoundTiesAway<float>(IntegerOperand(value, kind), flags));
    RoundingScope scope(mode);
    return BitsOf(HostIntegerTo<float>(value, kind));
}

uint64_t IntegerToD(uint64_t value, IntKind kind, int mode, uint32_t& flags) {
    if (mode == RMM)
        return BitsOf(RoundTiesAway<double>(IntegerOperand(value, kind), flags));
    RoundingScope scope(mode);
    return BitsOf(HostIntegerTo<double>(value, kind));
}

uint32_t DoubleToS(uint64_t a, int mode, uint32_t& flags) {
    const double v = AsDouble(a);
    if (mode == RMM) {
        if (IsSignaling(a))
            flags |= NV;
        return BitsOf(RoundTiesAway<float>(v, flags));
    }
    RoundingScope scope(mode);
    return BitsOf(static_cast<float>(v));
}

uint64_t SingleToD(uint32_t a, uint32_t&) {
    return BitsOf(static_cast<double>(AsFloat(a)));
}

} // namespace sim::fp
