#include "sim/Interpreter.h"

#include "sim/FloatingPoint.h"
#include "sim/HexText.h"

#include <cstdio>
#include <cstring>

namespace sim {

namespace {

template <typename T> T Read(const uint8_t* mem, uint64_t address) {
    T value;
    std::memcpy(&value, mem + address, sizeof(T));
    return value;
}
template <typename T> void Write(uint8_t* mem, uint64_t address, T value) {
    std::memcpy(mem + address, &value, sizeof(T));
}

inline uint64_t SignExtend32(uint64_t v) {
    return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(v)));
}

// RISC-V division never traps: by zero it gives all ones (quotient) or the dividend
// (remainder), and the one overflowing case, INT_MIN / -1, gives INT_MIN and remainder 0.
inline uint64_t Div64(int64_t a, int64_t b) {
    if (b == 0)
        return ~0ull;
    if (a == INT64_MIN && b == -1)
        return static_cast<uint64_t>(a);
    return static_cast<uint64_t>(a / b);
}
inline uint64_t Rem64(int64_t a, int64_t b) {
    if (b == 0)
        return static_cast<uint64_t>(a);
    if (a == INT64_MIN && b == -1)
        return 0;
    return static_cast<uint64_t>(a % b);
}
inline uint64_t Div32(int32_t a, int32_t b) {
    if (b == 0)
        return ~0ull;
    if (a == INT32_MIN && b == -1)
        return SignExtend32(static_cast<uint32_t>(a));
    return SignExtend32(static_cast<uint32_t>(a / b));
}
inline uint64_t Rem32(int32_t a, int32_t b) {
    if (b == 0)
        return SignExtend32(static_cast<uint32_t>(a));
    if (a == INT32_MIN && b == -1)
        return 0;
    return SignExtend32(static_cast<uint32_t>(a % b));
}

inline uint64_t MulHigh(int64_t a, int64_t b) {
    return static_cast<uint64_t>((static_cast<__int128>(a) * b) >> 64);
}
inline uint64_t MulHighUnsigned(uint64_t a, uint64_t b) {
    return static_cast<uint64_t>((static_cast<unsigned __int128>(a) * b) >> 64);
}
inline uint64_t MulHighSignedUnsigned(int64_t a, uint64_t b) {
    return static_cast<uint64_t>((static_cast<__int128>(a) * static_cast<__int128>(b)) >> 64);
}

enum class AmoKind { Swap, Add, Xor, And, Or, Min, Max, MinU, MaxU };

template <typename T> T AmoCompute(AmoKind kind, T old, T operand) {
    using S = std::make_signed_t<T>;
    switch (kind) {
    case AmoKind::Swap:
        return operand;
    case AmoKind::Add:
        return old + operand;
    case AmoKind::Xor:
        return old ^ operand;
    case AmoKind::And:
        return old & operand;
    case AmoKind::Or:
        return old | operand;
    case AmoKind::Min:
        return static_cast<S>(old) < static_cast<S>(operand) ? old : operand;
    case AmoKind::Max:
        return static_cast<S>(old) > static_cast<S>(operand) ? old : operand;
    case AmoKind::MinU:
        return old < operand ? old : operand;
    default:
        return old > operand ? old : operand;
    }
}

} // namespace

Interpreter::Interpreter(Hart& hart, GuestMemory& memory, CodeCache& cache,
                         SystemCallHandler& system)
    : hart_(hart), memory_(memory), cache_(cache), system_(system) {}

RunResult Interpreter::Run(uint64_t maxInstructions) {
    fp::ClearHostFlags();
    const uint64_t limit = maxInstructions ? maxInstructions : ~0ull;
    bool handover = false;
    retiredBefore_ = 0;
    if (listener_)
        return Loop<true, false>(limit, handover);
    // Counting by blocks until the budget no longer holds a whole block, then one by one, so
    // that a limit stops the program after exactly that many instructions.
    RunResult blocks = Loop<false, true>(limit, handover);
    if (!handover)
        return blocks;
    retiredBefore_ = blocks.instructions;
    RunResult rest = Loop<false, false>(limit - blocks.instructions, handover);
    rest.instructions += blocks.instructions;
    rest.loads += blocks.loads;
    rest.stores += blocks.stores;
    return rest;
}

std::string Interpreter::Describe(const char* what, uint64_t pc, uint64_t address) const {
    char text[160];
    std::snprintf(text, sizeof text, "%s 0x%llx at pc 0x%llx", what,
                  static_cast<unsigned long long>(address), static_cast<unsigned long long>(pc));
    return text;
}

std::string Interpreter::DescribeIllegal(uint64_t pc) const {
    uint32_t word = 0;
    const uint16_t low = memory_.Load<uint16_t>(pc);
    word = low;
    if ((low & 3) == 3 && GuestMemory::Contains(pc + 2, 2))
        word |= static_cast<uint32_t>(memory_.Load<uint16_t>(pc + 2)) << 16;
    char text[120];
    std::snprintf(text, sizeof text, "illegal instruction 0x%0*x at pc 0x%llx",
                  (low & 3) == 3 ? 8 : 4, word, static_cast<unsigned long long>(pc));
    return text;
}

void Interpreter::Notify(const DecodedInstruction& d, uint64_t pc, uint64_t address) {
    const InstructionInfo& info = InfoOf(d.op);
    RetiredInstruction r;
    r.pc = pc;
    r.op = d.op;
    r.cls = info.cls;
    if (info.destination == Destination::Integer && d.rd != kDiscardRegister) {
        r.destination = Destination::Integer;
        r.rd = d.rd;
        r.value = hart_.x[d.rd];
    } else if (info.destination == Destination::Float) {
        r.destination = Destination::Float;
        r.rd = d.rd;
        r.value = hart_.f[d.rd];
    }
    if (info.cls == InstructionClass::Load || info.cls == InstructionClass::Store) {
        // The address was computed before the instruction ran (it may overwrite its base).
        r.address = address;
        if (info.cls == InstructionClass::Load)
            r.memoryValue = info.destination == Destination::Float ? hart_.f[d.rd] : hart_.x[d.rd];
        else
            r.memoryValue = (info.match & 0x7F) == 0x27 ? hart_.f[d.rs2] : hart_.x[d.rs2];
    }
    listener_->OnRetire(r);
}

SyscallOutcome::Kind Interpreter::CallSystem(RunResult& result) {
    const SyscallOutcome outcome = system_.Call(hart_);
    result.exitStatus = outcome.status;
    result.message = outcome.message;
    return outcome.kind;
}

Interpreter::CsrStatus Interpreter::AccessCsr(const DecodedInstruction& d) {
    enum : uint32_t {
        kFflags = 0x001,
        kFrm = 0x002,
        kFcsr = 0x003,
        kCycle = 0xC00,
        kTime = 0xC01,
        kInstret = 0xC02
    };
    const uint32_t csr = static_cast<uint32_t>(d.imm);
    const bool immediate = d.op == Op::CSRRWI || d.op == Op::CSRRSI || d.op == Op::CSRRCI;
    const uint64_t operand = immediate ? d.rs1 : hart_.x[d.rs1];
    const bool isWrite = d.op == Op::CSRRW || d.op == Op::CSRRWI;
    const bool writes = isWrite || d.rs1 != 0;

    uint64_t old = 0;
    switch (csr) {
    case kFflags:
    case kFrm:
    case kFcsr:
        hart_.fflags |= fp::TakeHostFlags();
        old = csr == kFflags ? hart_.fflags
              : csr == kFrm  ? hart_.frm
                             : (hart_.frm << 5 | hart_.fflags);
        break;
    case kCycle:
    case kInstret:
        old = hart_.instret;
        break;
    case kTime: {
        timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        old = static_cast<uint64_t>(now.tv_sec) * 10000000 + now.tv_nsec / 100;
        break;
    }
    default:
        return CsrStatus::Illegal;
    }
    if (writes) {
        if (csr >= kCycle)
            return CsrStatus::Illegal; // the counters are read-only
        uint64_t value = isWrite                                     ? operand
                         : (d.op == Op::CSRRS || d.op == Op::CSRRSI) ? old | operand
                                                                     : old & ~operand;
        if (csr == kFflags)
            hart_.fflags = value & 0x1F;
        else if (csr == kFrm)
            hart_.frm = value & 7;
        else {
            hart_.fflags = value & 0x1F;
            hart_.frm = (value >> 5) & 7;
        }
    }
    hart_.x[d.rd] = old;
    hart_.x[0] = 0;
    return CsrStatus::Ok;
}

// The loop below is one function so that pc, the decoded-instruction pointer and the counters
// stay in host registers; each handler ends by jumping to the next instruction's handler.
//
//   NEXT_4/_C   go on with the following instruction (after a full-size/compressed one)
//   NEXT_BLOCK  the same where a new basic block begins
//   JUMP(t)     go on at t (same page: pointer arithmetic; else a cache lookup)
//   CHECK(a, n) leave with a memory fault unless [a, a+n) is guest memory
//
// Instructions are counted as they are dispatched: remaining reaching zero stops the run.
#define ENTER()                                                                                    \
    do {                                                                                           \
        if constexpr (Observed)                                                                    \
            goto observe;                                                                          \
        if constexpr (Blocks) {                                                                    \
            if (remaining < d->run)                                                                \
                goto limitReached;                                                                 \
            remaining -= d->run;                                                                   \
        } else if (__builtin_sub_overflow(remaining, 1, &remaining)) {                             \
            goto limitReached;                                                                     \
        }                                                                                          \
        goto* kLabels[d->handler];                                                                 \
    } while (0)
#define STEP()                                                                                     \
    do {                                                                                           \
        if constexpr (Blocks)                                                                      \
            goto* kLabels[d->handler];                                                             \
        ENTER();                                                                                   \
    } while (0)
#define NEXT_4                                                                                     \
    do {                                                                                           \
        pc += 4;                                                                                   \
        d += 2;                                                                                    \
        STEP();                                                                                    \
    } while (0)
#define NEXT_C                                                                                     \
    do {                                                                                           \
        pc += 2;                                                                                   \
        d += 1;                                                                                    \
        STEP();                                                                                    \
    } while (0)
#define NEXT_BLOCK_4                                                                               \
    do {                                                                                           \
        pc += 4;                                                                                   \
        d += 2;                                                                                    \
        ENTER();                                                                                   \
    } while (0)
#define NEXT_BLOCK_C                                                                               \
    do {                                                                                           \
        pc += 2;                                                                                   \
        d += 1;                                                                                    \
        ENTER();                                                                                   \
    } while (0)
#define JUMP(target)                                                                               \
    do {                                                                                           \
        const uint64_t to_ = (target);                                                             \
        if (((to_ ^ pc) >> 12) == 0) {                                                             \
            d += static_cast<int64_t>(to_ - pc) >> 1;                                              \
            pc = to_;                                                                              \
        } else {                                                                                   \
            pc = to_;                                                                              \
            d = cache_.Lookup(pc);                                                                 \
            if (!d)                                                                                \
                goto fetchFault;                                                                   \
        }                                                                                          \
        ENTER();                                                                                   \
    } while (0)
// Takes back the count of the instruction d that did not complete (and, counting by blocks,
// of the rest of its block).
#define UNCOUNT()                                                                                  \
    do {                                                                                           \
        if constexpr (Blocks)                                                                      \
            remaining += d->run;                                                                   \
        else                                                                                       \
            ++remaining;                                                                           \
    } while (0)
#define CHECK(address, size)                                                                       \
    do {                                                                                           \
        if (!GuestMemory::Contains((address), (size))) {                                           \
            faultAddress = (address);                                                              \
            goto memoryFault;                                                                      \
        }                                                                                          \
    } while (0)
#define CHECK_ATOMIC(address, size)                                                                \
    do {                                                                                           \
        CHECK(address, size);                                                                      \
        if ((address) & ((size)-1)) {                                                              \
            faultAddress = (address);                                                              \
            goto misalignedAtomic;                                                                 \
        }                                                                                          \
    } while (0)
#define RS1 x[d->rs1]
#define RS2 x[d->rs2]
#define RD x[d->rd]
#define IMM static_cast<uint64_t>(d->imm)
#define LOAD_OP(T)                                                                                 \
    do {                                                                                           \
        const uint64_t a_ = RS1 + IMM;                                                             \
        CHECK(a_, sizeof(T));                                                                      \
        RD = static_cast<uint64_t>(static_cast<int64_t>(Read<T>(mem, a_)));                        \
        ++loads;                                                                                   \
    } while (0)
#define STORE_OP(T)                                                                                \
    do {                                                                                           \
        const uint64_t a_ = RS1 + IMM;                                                             \
        CHECK(a_, sizeof(T));                                                                      \
        Write<T>(mem, a_, static_cast<T>(RS2));                                                    \
        ++stores;                                                                                  \
    } while (0)
#define AMO_OP(T, kind)                                                                            \
    do {                                                                                           \
        const uint64_t a_ = RS1;                                                                   \
        CHECK_ATOMIC(a_, sizeof(T));                                                               \
        const T old_ = Read<T>(mem, a_);                                                           \
        Write<T>(mem, a_, AmoCompute<T>(kind, old_, static_cast<T>(RS2)));                         \
        RD =                                                                                       \
            static_cast<uint64_t>(static_cast<int64_t>(static_cast<std::make_signed_t<T>>(old_))); \
        ++loads;                                                                                   \
        ++stores;                                                                                  \
    } while (0)
// The instruction's rounding mode: its own, or frm for the dynamic mode; 5 to 7 are illegal.
#define ROUNDING_MODE(name)                                                                        \
    const int name = modes[d->rm];                                                                 \
    if (name > fp::RMM)                                                                            \
    goto illegalInstruction
#define FS1 fp::AsFloat(fp::UnboxS(f[d->rs1]))
#define FS2 fp::AsFloat(fp::UnboxS(f[d->rs2]))
#define FS3 fp::AsFloat(fp::UnboxS(f[d->rs3]))
#define FD1 fp::AsDouble(f[d->rs1])
#define FD2 fp::AsDouble(f[d->rs2])
#define FD3 fp::AsDouble(f[d->rs3])
#define ARITH_S(arith, expr)                                                                       \
    do {                                                                                           \
        ROUNDING_MODE(mode_);                                                                      \
        f[d->rd] = fp::BoxS(mode_ == fp::RNE                                                       \
                                ? fp::BitsOf(expr)                                                 \
                                : fp::ArithmeticS(arith, fp::UnboxS(f[d->rs1]),                    \
                                                  fp::UnboxS(f[d->rs2]), mode_, hart_.fflags));    \
    } while (0)
#define ARITH_D(arith, expr)                                                                       \
    do {                                                                                           \
        ROUNDING_MODE(mode_);                                                                      \
        f[d->rd] = mode_ == fp::RNE                                                                \
                       ? fp::BitsOf(expr)                                                          \
                       : fp::ArithmeticD(arith, f[d->rs1], f[d->rs2], mode_, hart_.fflags);        \
    } while (0)
#define FUSED_S(kind)                                                                              \
    do {                                                                                           \
        ROUNDING_MODE(mode_);                                                                      \
        f[d->rd] = fp::BoxS(fp::FusedS(kind, fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]),         \
                                       fp::UnboxS(f[d->rs3]), mode_, hart_.fflags));               \
    } while (0)
#define FUSED_D(kind)                                                                              \
    do {                                                                                           \
        ROUNDING_MODE(mode_);                                                                      \
        f[d->rd] = fp::FusedD(kind, f[d->rs1], f[d->rs2], f[d->rs3], mode_, hart_.fflags);         \
    } while (0)
#define TO_INT(value, kind)                                                                        \
    do {                                                                                           \
        ROUNDING_MODE(mode_);                                                                      \
        RD = fp::ToInteger(value, kind, mode_, hart_.fflags);                                      \
    } while (0)
#define FROM_INT_S(kind)                                                                           \
    do {                                                                                           \
        ROUNDING_MODE(mode_);                                                                      \
        f[d->rd] = fp::BoxS(fp::IntegerToS(RS1, kind, mode_, hart_.fflags));                       \
    } while (0)
#define FROM_INT_D(kind)                                                                           \
    do {                                                                                           \
        ROUNDING_MODE(mode_);                                                                      \
        f[d->rd] = fp::IntegerToD(RS1, kind, mode_, hart_.fflags);                                 \
    } while (0)

constexpr int kFloatBase = offsetof(Hart, f) / sizeof(uint64_t);

template <bool Observed, bool Blocks> RunResult Interpreter::Loop(uint64_t limit, bool& handover) {
    static_assert(!(Observed && Blocks), "a listener sees instructions one by one");
    // Two handlers per operation, for its full-size and its compressed form: each steps to
    // the next instruction by a constant, so that the step does not wait for a load.
    static void* const kLabels[2 * kOpCount] = {&&op_NotDecoded,
                                                &&op_NotDecoded_c,
                                                &&op_PageEnd,
                                                &&op_PageEnd_c,
                                                &&op_Illegal,
                                                &&op_Illegal_c,
#define ZEMLO_RV_LABEL(name, match, mask, format, cls, dest) &&op_##name, &&op_##name##_c,
                                                ZEMLO_RV_INSTRUCTIONS(ZEMLO_RV_LABEL)
#undef ZEMLO_RV_LABEL
    };
    uint64_t* const x = hart_.x;
    // The FP registers follow the integer ones in Hart: one base register serves both.
#define f (x + kFloatBase)
    // The effective rounding mode of each rm field: itself, or frm for the dynamic mode; the
    // reserved ones map to an invalid mode. Kept here, refreshed on CSR writes.
    uint8_t modes[8] = {fp::RNE, fp::RTZ, fp::RDN, fp::RUP,
                        fp::RMM, 5,       6,       static_cast<uint8_t>(hart_.frm)};
    uint8_t* const mem = memory_.Base();
    uint64_t pc = hart_.pc;
    uint64_t remaining = limit;
    uint64_t loads = 0, stores = 0, faultAddress = 0;
    RunResult result;
    // Observed runs only: the instruction under way, reported once it has completed. A copy,
    // since fence.i and system calls may free the slot it came from.
    DecodedInstruction current;
    bool pending = false;
    uint64_t currentPc = 0, currentAddress = 0;
    DecodedInstruction* d = cache_.Lookup(pc);
    if (!d)
        goto fetchFault;
    ENTER();

observe:
    __attribute__((unused));
    if constexpr (Observed) {
        if (pending)
            Notify(current, currentPc, currentAddress);
        pending = false;
        if (remaining-- == 0)
            goto limitReached;
        pending = true;
        current = *d;
        currentPc = pc;
        currentAddress = x[d->rs1] + static_cast<uint64_t>(d->imm);
        goto* kLabels[d->handler];
    }

// A slot not decoded yet, or past the page's end, is no instruction: it dispatches again
// without counting.
#define REDISPATCH()                                                                               \
    do {                                                                                           \
        if constexpr (Observed) {                                                                  \
            ++remaining; /* observe counts it again */                                             \
            pending = false;                                                                       \
            goto observe;                                                                          \
        }                                                                                          \
        if constexpr (Blocks)                                                                      \
            ENTER();               /* nothing was counted for it: count its block now */           \
        goto* kLabels[d->handler]; /* the count taken stands for the instruction */                \
    } while (0)
op_NotDecoded:
op_NotDecoded_c:
    if (!cache_.DecodeRun(d, pc)) {
        if constexpr (!Blocks)
            ++remaining; // no instruction ran
        faultAddress = pc + 2;
        goto fetchFault;
    }
    REDISPATCH();
op_PageEnd:
op_PageEnd_c:
    d = cache_.Lookup(pc);
    if (!d) {
        if constexpr (!Blocks)
            ++remaining; // no instruction ran
        goto fetchFault;
    }
    REDISPATCH();
op_Illegal:
op_Illegal_c:
illegalInstruction:
    UNCOUNT();
    result.message = DescribeIllegal(pc);
    result.stop = RunResult::Stop::Fault;
    goto finished;

op_LUI:
    RD = IMM;
    NEXT_4;
op_LUI_c:
    RD = IMM;
    NEXT_C;
op_AUIPC:
    RD = pc + IMM;
    NEXT_4;
op_AUIPC_c:
    RD = pc + IMM;
    NEXT_C;
op_JAL:
op_JAL_c:
    RD = pc + d->length;
    JUMP(pc + IMM);
op_JALR:
op_JALR_c : {
    const uint64_t target = (RS1 + IMM) & ~1ull;
    RD = pc + d->length;
    JUMP(target);
}
op_BEQ:
    if (RS1 == RS2)
        JUMP(pc + IMM);
    NEXT_BLOCK_4;
op_BEQ_c:
    if (RS1 == RS2)
        JUMP(pc + IMM);
    NEXT_BLOCK_C;
op_BNE:
    if (RS1 != RS2)
        JUMP(pc + IMM);
    NEXT_BLOCK_4;
op_BNE_c:
    if (RS1 != RS2)
        JUMP(pc + IMM);
    NEXT_BLOCK_C;
op_BLT:
    if (static_cast<int64_t>(RS1) < static_cast<int64_t>(RS2))
        JUMP(pc + IMM);
    NEXT_BLOCK_4;
op_BLT_c:
    if (static_cast<int64_t>(RS1) < static_cast<int64_t>(RS2))
        JUMP(pc + IMM);
    NEXT_BLOCK_C;
op_BGE:
    if (static_cast<int64_t>(RS1) >= static_cast<int64_t>(RS2))
        JUMP(pc + IMM);
    NEXT_BLOCK_4;
op_BGE_c:
    if (static_cast<int64_t>(RS1) >= static_cast<int64_t>(RS2))
        JUMP(pc + IMM);
    NEXT_BLOCK_C;
op_BLTU:
    if (RS1 < RS2)
        JUMP(pc + IMM);
    NEXT_BLOCK_4;
op_BLTU_c:
    if (RS1 < RS2)
        JUMP(pc + IMM);
    NEXT_BLOCK_C;
op_BGEU:
    if (RS1 >= RS2)
        JUMP(pc + IMM);
    NEXT_BLOCK_4;
op_BGEU_c:
    if (RS1 >= RS2)
        JUMP(pc + IMM);
    NEXT_BLOCK_C;
op_LB:
    LOAD_OP(int8_t);
    NEXT_4;
op_LB_c:
    LOAD_OP(int8_t);
    NEXT_C;
op_LH:
    LOAD_OP(int16_t);
    NEXT_4;
op_LH_c:
    LOAD_OP(int16_t);
    NEXT_C;
op_LW:
    LOAD_OP(int32_t);
    NEXT_4;
op_LW_c:
    LOAD_OP(int32_t);
    NEXT_C;
op_LD:
    LOAD_OP(int64_t);
    NEXT_4;
op_LD_c:
    LOAD_OP(int64_t);
    NEXT_C;
op_LBU:
    LOAD_OP(uint8_t);
    NEXT_4;
op_LBU_c:
    LOAD_OP(uint8_t);
    NEXT_C;
op_LHU:
    LOAD_OP(uint16_t);
    NEXT_4;
op_LHU_c:
    LOAD_OP(uint16_t);
    NEXT_C;
op_LWU:
    LOAD_OP(uint32_t);
    NEXT_4;
op_LWU_c:
    LOAD_OP(uint32_t);
    NEXT_C;
op_SB:
    STORE_OP(uint8_t);
    NEXT_4;
op_SB_c:
    STORE_OP(uint8_t);
    NEXT_C;
op_SH:
    STORE_OP(uint16_t);
    NEXT_4;
op_SH_c:
    STORE_OP(uint16_t);
    NEXT_C;
op_SW:
    STORE_OP(uint32_t);
    NEXT_4;
op_SW_c:
    STORE_OP(uint32_t);
    NEXT_C;
op_SD:
    STORE_OP(uint64_t);
    NEXT_4;
op_SD_c:
    STORE_OP(uint64_t);
    NEXT_C;
op_ADDI:
    RD = RS1 + IMM;
    NEXT_4;
op_ADDI_c:
    RD = RS1 + IMM;
    NEXT_C;
op_SLTI:
    RD = static_cast<int64_t>(RS1) < d->imm;
    NEXT_4;
op_SLTI_c:
    RD = static_cast<int64_t>(RS1) < d->imm;
    NEXT_C;
op_SLTIU:
    RD = RS1 < IMM;
    NEXT_4;
op_SLTIU_c:
    RD = RS1 < IMM;
    NEXT_C;
op_XORI:
    RD = RS1 ^ IMM;
    NEXT_4;
op_XORI_c:
    RD = RS1 ^ IMM;
    NEXT_C;
op_ORI:
    RD = RS1 | IMM;
    NEXT_4;
op_ORI_c:
    RD = RS1 | IMM;
    NEXT_C;
op_ANDI:
    RD = RS1 & IMM;
    NEXT_4;
op_ANDI_c:
    RD = RS1 & IMM;
    NEXT_C;
op_SLLI:
    RD = RS1 << d->imm;
    NEXT_4;
op_SLLI_c:
    RD = RS1 << d->imm;
    NEXT_C;
op_SRLI:
    RD = RS1 >> d->imm;
    NEXT_4;
op_SRLI_c:
    RD = RS1 >> d->imm;
    NEXT_C;
op_SRAI:
    RD = static_cast<uint64_t>(static_cast<int64_t>(RS1) >> d->imm);
    NEXT_4;
op_SRAI_c:
    RD = static_cast<uint64_t>(static_cast<int64_t>(RS1) >> d->imm);
    NEXT_C;
op_ADD:
    RD = RS1 + RS2;
    NEXT_4;
op_ADD_c:
    RD = RS1 + RS2;
    NEXT_C;
op_SUB:
    RD = RS1 - RS2;
    NEXT_4;
op_SUB_c:
    RD = RS1 - RS2;
    NEXT_C;
op_SLL:
    RD = RS1 << (RS2 & 63);
    NEXT_4;
op_SLL_c:
    RD = RS1 << (RS2 & 63);
    NEXT_C;
op_SLT:
    RD = static_cast<int64_t>(RS1) < static_cast<int64_t>(RS2);
    NEXT_4;
op_SLT_c:
    RD = static_cast<int64_t>(RS1) < static_cast<int64_t>(RS2);
    NEXT_C;
op_SLTU:
    RD = RS1 < RS2;
    NEXT_4;
op_SLTU_c:
    RD = RS1 < RS2;
    NEXT_C;
op_XOR:
    RD = RS1 ^ RS2;
    NEXT_4;
op_XOR_c:
    RD = RS1 ^ RS2;
    NEXT_C;
op_SRL:
    RD = RS1 >> (RS2 & 63);
    NEXT_4;
op_SRL_c:
    RD = RS1 >> (RS2 & 63);
    NEXT_C;
op_SRA:
    RD = static_cast<uint64_t>(static_cast<int64_t>(RS1) >> (RS2 & 63));
    NEXT_4;
op_SRA_c:
    RD = static_cast<uint64_t>(static_cast<int64_t>(RS1) >> (RS2 & 63));
    NEXT_C;
op_OR:
    RD = RS1 | RS2;
    NEXT_4;
op_OR_c:
    RD = RS1 | RS2;
    NEXT_C;
op_AND:
    RD = RS1 & RS2;
    NEXT_4;
op_AND_c:
    RD = RS1 & RS2;
    NEXT_C;
op_ADDIW:
    RD = SignExtend32(RS1 + IMM);
    NEXT_4;
op_ADDIW_c:
    RD = SignExtend32(RS1 + IMM);
    NEXT_C;
op_SLLIW:
    RD = SignExtend32(static_cast<uint32_t>(RS1) << (d->imm & 31));
    NEXT_4;
op_SLLIW_c:
    RD = SignExtend32(static_cast<uint32_t>(RS1) << (d->imm & 31));
    NEXT_C;
op_SRLIW:
    RD = SignExtend32(static_cast<uint32_t>(RS1) >> (d->imm & 31));
    NEXT_4;
op_SRLIW_c:
    RD = SignExtend32(static_cast<uint32_t>(RS1) >> (d->imm & 31));
    NEXT_C;
op_SRAIW:
    RD = SignExtend32(static_cast<uint32_t>(static_cast<int32_t>(RS1) >> (d->imm & 31)));
    NEXT_4;
op_SRAIW_c:
    RD = SignExtend32(static_cast<uint32_t>(static_cast<int32_t>(RS1) >> (d->imm & 31)));
    NEXT_C;
op_ADDW:
    RD = SignExtend32(RS1 + RS2);
    NEXT_4;
op_ADDW_c:
    RD = SignExtend32(RS1 + RS2);
    NEXT_C;
op_SUBW:
    RD = SignExtend32(RS1 - RS2);
    NEXT_4;
op_SUBW_c:
    RD = SignExtend32(RS1 - RS2);
    NEXT_C;
op_SLLW:
    RD = SignExtend32(static_cast<uint32_t>(RS1) << (RS2 & 31));
    NEXT_4;
op_SLLW_c:
    RD = SignExtend32(static_cast<uint32_t>(RS1) << (RS2 & 31));
    NEXT_C;
op_SRLW:
    RD = SignExtend32(static_cast<uint32_t>(RS1) >> (RS2 & 31));
    NEXT_4;
op_SRLW_c:
    RD = SignExtend32(static_cast<uint32_t>(RS1) >> (RS2 & 31));
    NEXT_C;
op_SRAW:
    RD = SignExtend32(static_cast<uint32_t>(static_cast<int32_t>(RS1) >> (RS2 & 31)));
    NEXT_4;
op_SRAW_c:
    RD = SignExtend32(static_cast<uint32_t>(static_cast<int32_t>(RS1) >> (RS2 & 31)));
    NEXT_C;
op_FENCE:
    NEXT_4;
op_FENCE_c:
    NEXT_C;
op_FENCE_I:
op_FENCE_I_c: // Code written since the last fence.i is executed as written from here on.
    pc += d->length;
    cache_.Flush();
    d = cache_.Lookup(pc);
    if (!d)
        goto fetchFault;
    ENTER();
op_ECALL:
op_ECALL_c : {
    if constexpr (Observed)
        pending = false; // reported below, once the call has written its result
    hart_.pc = pc;
    hart_.instret = retiredBefore_ + limit - remaining;
    hart_.fflags |= fp::TakeHostFlags(); // the host's own work in the call is not the guest's
    // The call itself is out of line: nothing with a destructor may live in this scope,
    // which every handler jumps across.
    const SyscallOutcome::Kind kind = CallSystem(result);
    fp::ClearHostFlags();
    x[0] = 0;
    if (kind == SyscallOutcome::Kind::Exit) {
        if constexpr (Observed)
            Notify(current, currentPc, currentAddress);
        result.stop = RunResult::Stop::Exited;
        goto finished;
    }
    if (kind == SyscallOutcome::Kind::Fatal) {
        result.stop = RunResult::Stop::Fault;
        goto finished;
    }
    if constexpr (Observed)
        Notify(current, currentPc, currentAddress);
    // The call may have unmapped or remapped code, freeing d's slot: find the next
    // instruction afresh (ecall has no compressed form, so it is 4 bytes long).
    pc += 4;
    d = cache_.Lookup(pc);
    if (!d)
        goto fetchFault;
    ENTER();
}
op_EBREAK:
op_EBREAK_c:
    UNCOUNT();
    result.message = Describe("breakpoint (ebreak) reached: address", pc, pc);
    result.stop = RunResult::Stop::Fault;
    goto finished;
op_CSRRW:
op_CSRRS:
op_CSRRC:
op_CSRRWI:
op_CSRRSI:
op_CSRRCI:
    hart_.instret = retiredBefore_ + limit - remaining - 1;
    if (AccessCsr(*d) != CsrStatus::Ok)
        goto illegalInstruction;
    modes[fp::Dynamic] = static_cast<uint8_t>(hart_.frm);
    NEXT_BLOCK_4;
op_CSRRW_c:
op_CSRRS_c:
op_CSRRC_c:
op_CSRRWI_c:
op_CSRRSI_c:
op_CSRRCI_c:
    hart_.instret = retiredBefore_ + limit - remaining - 1;
    if (AccessCsr(*d) != CsrStatus::Ok)
        goto illegalInstruction;
    modes[fp::Dynamic] = static_cast<uint8_t>(hart_.frm);
    NEXT_BLOCK_C;
op_MUL:
    RD = RS1 * RS2;
    NEXT_4;
op_MUL_c:
    RD = RS1 * RS2;
    NEXT_C;
op_MULH:
    RD = MulHigh(static_cast<int64_t>(RS1), static_cast<int64_t>(RS2));
    NEXT_4;
op_MULH_c:
    RD = MulHigh(static_cast<int64_t>(RS1), static_cast<int64_t>(RS2));
    NEXT_C;
op_MULHSU:
    RD = MulHighSignedUnsigned(static_cast<int64_t>(RS1), RS2);
    NEXT_4;
op_MULHSU_c:
    RD = MulHighSignedUnsigned(static_cast<int64_t>(RS1), RS2);
    NEXT_C;
op_MULHU:
    RD = MulHighUnsigned(RS1, RS2);
    NEXT_4;
op_MULHU_c:
    RD = MulHighUnsigned(RS1, RS2);
    NEXT_C;
op_DIV:
    RD = Div64(static_cast<int64_t>(RS1), static_cast<int64_t>(RS2));
    NEXT_4;
op_DIV_c:
    RD = Div64(static_cast<int64_t>(RS1), static_cast<int64_t>(RS2));
    NEXT_C;
op_DIVU:
    RD = RS2 == 0 ? ~0ull : RS1 / RS2;
    NEXT_4;
op_DIVU_c:
    RD = RS2 == 0 ? ~0ull : RS1 / RS2;
    NEXT_C;
op_REM:
    RD = Rem64(static_cast<int64_t>(RS1), static_cast<int64_t>(RS2));
    NEXT_4;
op_REM_c:
    RD = Rem64(static_cast<int64_t>(RS1), static_cast<int64_t>(RS2));
    NEXT_C;
op_REMU:
    RD = RS2 == 0 ? RS1 : RS1 % RS2;
    NEXT_4;
op_REMU_c:
    RD = RS2 == 0 ? RS1 : RS1 % RS2;
    NEXT_C;
op_MULW:
    RD = SignExtend32(RS1 * RS2);
    NEXT_4;
op_MULW_c:
    RD = SignExtend32(RS1 * RS2);
    NEXT_C;
op_DIVW:
    RD = Div32(static_cast<int32_t>(RS1), static_cast<int32_t>(RS2));
    NEXT_4;
op_DIVW_c:
    RD = Div32(static_cast<int32_t>(RS1), static_cast<int32_t>(RS2));
    NEXT_C;
op_DIVUW : {
    const uint32_t a = static_cast<uint32_t>(RS1), b = static_cast<uint32_t>(RS2);
    RD = b == 0 ? ~0ull : SignExtend32(a / b);
    NEXT_4;
}
op_DIVUW_c : {
    const uint32_t a = static_cast<uint32_t>(RS1), b = static_cast<uint32_t>(RS2);
    RD = b == 0 ? ~0ull : SignExtend32(a / b);
    NEXT_C;
}
op_REMW:
    RD = Rem32(static_cast<int32_t>(RS1), static_cast<int32_t>(RS2));
    NEXT_4;
op_REMW_c:
    RD = Rem32(static_cast<int32_t>(RS1), static_cast<int32_t>(RS2));
    NEXT_C;
op_REMUW : {
    const uint32_t a = static_cast<uint32_t>(RS1), b = static_cast<uint32_t>(RS2);
    RD = SignExtend32(b == 0 ? a : a % b);
    NEXT_4;
}
op_REMUW_c : {
    const uint32_t a = static_cast<uint32_t>(RS1), b = static_cast<uint32_t>(RS2);
    RD = SignExtend32(b == 0 ? a : a % b);
    NEXT_C;
}
op_LR_W : {
    const uint64_t a = RS1;
    CHECK_ATOMIC(a, 4);
    RD = SignExtend32(Read<uint32_t>(mem, a));
    hart_.reservation = a;
    hart_.reserved = true;
    ++loads;
    NEXT_4;
}
op_LR_W_c : {
    const uint64_t a = RS1;
    CHECK_ATOMIC(a, 4);
    RD = SignExtend32(Read<uint32_t>(mem, a));
    hart_.reservation = a;
    hart_.reserved = true;
    ++loads;
    NEXT_C;
}
op_LR_D : {
    const uint64_t a = RS1;
    CHECK_ATOMIC(a, 8);
    RD = Read<uint64_t>(mem, a);
    hart_.reservation = a;
    hart_.reserved = true;
    ++loads;
    NEXT_4;
}
op_LR_D_c : {
    const uint64_t a = RS1;
    CHECK_ATOMIC(a, 8);
    RD = Read<uint64_t>(mem, a);
    hart_.reservation = a;
    hart_.reserved = true;
    ++loads;
    NEXT_C;
}
op_SC_W : {
    const uint64_t a = RS1;
    CHECK_ATOMIC(a, 4);
    const bool ok = hart_.reserved && hart_.reservation == a;
    if (ok) {
        Write<uint32_t>(mem, a, static_cast<uint32_t>(RS2));
        ++stores;
    }
    hart_.reserved = false;
    RD = ok ? 0 : 1;
    NEXT_4;
}
op_SC_W_c : {
    const uint64_t a = RS1;
    CHECK_ATOMIC(a, 4);
    const bool ok = hart_.reserved && hart_.reservation == a;
    if (ok) {
        Write<uint32_t>(mem, a, static_cast<uint32_t>(RS2));
        ++stores;
    }
    hart_.reserved = false;
    RD = ok ? 0 : 1;
    NEXT_C;
}
op_SC_D : {
    const uint64_t a = RS1;
    CHECK_ATOMIC(a, 8);
    const bool ok = hart_.reserved && hart_.reservation == a;
    if (ok) {
        Write<uint64_t>(mem, a, RS2);
        ++stores;
    }
    hart_.reserved = false;
    RD = ok ? 0 : 1;
    NEXT_4;
}
op_SC_D_c : {
    const uint64_t a = RS1;
    CHECK_ATOMIC(a, 8);
    const bool ok = hart_.reserved && hart_.reservation == a;
    if (ok) {
        Write<uint64_t>(mem, a, RS2);
        ++stores;
    }
    hart_.reserved = false;
    RD = ok ? 0 : 1;
    NEXT_C;
}
op_AMOSWAP_W:
    AMO_OP(uint32_t, AmoKind::Swap);
    NEXT_4;
op_AMOSWAP_W_c:
    AMO_OP(uint32_t, AmoKind::Swap);
    NEXT_C;
op_AMOADD_W:
    AMO_OP(uint32_t, AmoKind::Add);
    NEXT_4;
op_AMOADD_W_c:
    AMO_OP(uint32_t, AmoKind::Add);
    NEXT_C;
op_AMOXOR_W:
    AMO_OP(uint32_t, AmoKind::Xor);
    NEXT_4;
op_AMOXOR_W_c:
    AMO_OP(uint32_t, AmoKind::Xor);
    NEXT_C;
op_AMOAND_W:
    AMO_OP(uint32_t, AmoKind::And);
    NEXT_4;
op_AMOAND_W_c:
    AMO_OP(uint32_t, AmoKind::And);
    NEXT_C;
op_AMOOR_W:
    AMO_OP(uint32_t, AmoKind::Or);
    NEXT_4;
op_AMOOR_W_c:
    AMO_OP(uint32_t, AmoKind::Or);
    NEXT_C;
op_AMOMIN_W:
    AMO_OP(uint32_t, AmoKind::Min);
    NEXT_4;
op_AMOMIN_W_c:
    AMO_OP(uint32_t, AmoKind::Min);
    NEXT_C;
op_AMOMAX_W:
    AMO_OP(uint32_t, AmoKind::Max);
    NEXT_4;
op_AMOMAX_W_c:
    AMO_OP(uint32_t, AmoKind::Max);
    NEXT_C;
op_AMOMINU_W:
    AMO_OP(uint32_t, AmoKind::MinU);
    NEXT_4;
op_AMOMINU_W_c:
    AMO_OP(uint32_t, AmoKind::MinU);
    NEXT_C;
op_AMOMAXU_W:
    AMO_OP(uint32_t, AmoKind::MaxU);
    NEXT_4;
op_AMOMAXU_W_c:
    AMO_OP(uint32_t, AmoKind::MaxU);
    NEXT_C;
op_AMOSWAP_D:
    AMO_OP(uint64_t, AmoKind::Swap);
    NEXT_4;
op_AMOSWAP_D_c:
    AMO_OP(uint64_t, AmoKind::Swap);
    NEXT_C;
op_AMOADD_D:
    AMO_OP(uint64_t, AmoKind::Add);
    NEXT_4;
op_AMOADD_D_c:
    AMO_OP(uint64_t, AmoKind::Add);
    NEXT_C;
op_AMOXOR_D:
    AMO_OP(uint64_t, AmoKind::Xor);
    NEXT_4;
op_AMOXOR_D_c:
    AMO_OP(uint64_t, AmoKind::Xor);
    NEXT_C;
op_AMOAND_D:
    AMO_OP(uint64_t, AmoKind::And);
    NEXT_4;
op_AMOAND_D_c:
    AMO_OP(uint64_t, AmoKind::And);
    NEXT_C;
op_AMOOR_D:
    AMO_OP(uint64_t, AmoKind::Or);
    NEXT_4;
op_AMOOR_D_c:
    AMO_OP(uint64_t, AmoKind::Or);
    NEXT_C;
op_AMOMIN_D:
    AMO_OP(uint64_t, AmoKind::Min);
    NEXT_4;
op_AMOMIN_D_c:
    AMO_OP(uint64_t, AmoKind::Min);
    NEXT_C;
op_AMOMAX_D:
    AMO_OP(uint64_t, AmoKind::Max);
    NEXT_4;
op_AMOMAX_D_c:
    AMO_OP(uint64_t, AmoKind::Max);
    NEXT_C;
op_AMOMINU_D:
    AMO_OP(uint64_t, AmoKind::MinU);
    NEXT_4;
op_AMOMINU_D_c:
    AMO_OP(uint64_t, AmoKind::MinU);
    NEXT_C;
op_AMOMAXU_D:
    AMO_OP(uint64_t, AmoKind::MaxU);
    NEXT_4;
op_AMOMAXU_D_c:
    AMO_OP(uint64_t, AmoKind::MaxU);
    NEXT_C;
op_FLW : {
    const uint64_t a = RS1 + IMM;
    CHECK(a, 4);
    f[d->rd] = fp::BoxS(Read<uint32_t>(mem, a));
    ++loads;
    NEXT_4;
}
op_FLW_c : {
    const uint64_t a = RS1 + IMM;
    CHECK(a, 4);
    f[d->rd] = fp::BoxS(Read<uint32_t>(mem, a));
    ++loads;
    NEXT_C;
}
op_FLD : {
    const uint64_t a = RS1 + IMM;
    CHECK(a, 8);
    f[d->rd] = Read<uint64_t>(mem, a);
    ++loads;
    NEXT_4;
}
op_FLD_c : {
    const uint64_t a = RS1 + IMM;
    CHECK(a, 8);
    f[d->rd] = Read<uint64_t>(mem, a);
    ++loads;
    NEXT_C;
}
op_FSW : {
    const uint64_t a = RS1 + IMM;
    CHECK(a, 4);
    Write<uint32_t>(mem, a, static_cast<uint32_t>(f[d->rs2]));
    ++stores;
    NEXT_4;
}
op_FSW_c : {
    const uint64_t a = RS1 + IMM;
    CHECK(a, 4);
    Write<uint32_t>(mem, a, static_cast<uint32_t>(f[d->rs2]));
    ++stores;
    NEXT_C;
}
op_FSD : {
    const uint64_t a = RS1 + IMM;
    CHECK(a, 8);
    Write<uint64_t>(mem, a, f[d->rs2]);
    ++stores;
    NEXT_4;
}
op_FSD_c : {
    const uint64_t a = RS1 + IMM;
    CHECK(a, 8);
    Write<uint64_t>(mem, a, f[d->rs2]);
    ++stores;
    NEXT_C;
}
op_FMADD_S:
    FUSED_S(fp::Fused::MulAdd);
    NEXT_4;
op_FMADD_S_c:
    FUSED_S(fp::Fused::MulAdd);
    NEXT_C;
op_FMSUB_S:
    FUSED_S(fp::Fused::MulSub);
    NEXT_4;
op_FMSUB_S_c:
    FUSED_S(fp::Fused::MulSub);
    NEXT_C;
op_FNMSUB_S:
    FUSED_S(fp::Fused::NegMulSub);
    NEXT_4;
op_FNMSUB_S_c:
    FUSED_S(fp::Fused::NegMulSub);
    NEXT_C;
op_FNMADD_S:
    FUSED_S(fp::Fused::NegMulAdd);
    NEXT_4;
op_FNMADD_S_c:
    FUSED_S(fp::Fused::NegMulAdd);
    NEXT_C;
op_FMADD_D:
    FUSED_D(fp::Fused::MulAdd);
    NEXT_4;
op_FMADD_D_c:
    FUSED_D(fp::Fused::MulAdd);
    NEXT_C;
op_FMSUB_D:
    FUSED_D(fp::Fused::MulSub);
    NEXT_4;
op_FMSUB_D_c:
    FUSED_D(fp::Fused::MulSub);
    NEXT_C;
op_FNMSUB_D:
    FUSED_D(fp::Fused::NegMulSub);
    NEXT_4;
op_FNMSUB_D_c:
    FUSED_D(fp::Fused::NegMulSub);
    NEXT_C;
op_FNMADD_D:
    FUSED_D(fp::Fused::NegMulAdd);
    NEXT_4;
op_FNMADD_D_c:
    FUSED_D(fp::Fused::NegMulAdd);
    NEXT_C;
op_FADD_S:
    ARITH_S(fp::Arith::Add, FS1 + FS2);
    NEXT_4;
op_FADD_S_c:
    ARITH_S(fp::Arith::Add, FS1 + FS2);
    NEXT_C;
op_FSUB_S:
    ARITH_S(fp::Arith::Sub, FS1 - FS2);
    NEXT_4;
op_FSUB_S_c:
    ARITH_S(fp::Arith::Sub, FS1 - FS2);
    NEXT_C;
op_FMUL_S:
    ARITH_S(fp::Arith::Mul, FS1 * FS2);
    NEXT_4;
op_FMUL_S_c:
    ARITH_S(fp::Arith::Mul, FS1 * FS2);
    NEXT_C;
op_FDIV_S:
    ARITH_S(fp::Arith::Div, FS1 / FS2);
    NEXT_4;
op_FDIV_S_c:
    ARITH_S(fp::Arith::Div, FS1 / FS2);
    NEXT_C;
op_FSQRT_S:
    ARITH_S(fp::Arith::Sqrt, std::sqrt(FS1));
    NEXT_4;
op_FSQRT_S_c:
    ARITH_S(fp::Arith::Sqrt, std::sqrt(FS1));
    NEXT_C;
op_FADD_D:
    ARITH_D(fp::Arith::Add, FD1 + FD2);
    NEXT_4;
op_FADD_D_c:
    ARITH_D(fp::Arith::Add, FD1 + FD2);
    NEXT_C;
op_FSUB_D:
    ARITH_D(fp::Arith::Sub, FD1 - FD2);
    NEXT_4;
op_FSUB_D_c:
    ARITH_D(fp::Arith::Sub, FD1 - FD2);
    NEXT_C;
op_FMUL_D:
    ARITH_D(fp::Arith::Mul, FD1 * FD2);
    NEXT_4;
op_FMUL_D_c:
    ARITH_D(fp::Arith::Mul, FD1 * FD2);
    NEXT_C;
op_FDIV_D:
    ARITH_D(fp::Arith::Div, FD1 / FD2);
    NEXT_4;
op_FDIV_D_c:
    ARITH_D(fp::Arith::Div, FD1 / FD2);
    NEXT_C;
op_FSQRT_D:
    ARITH_D(fp::Arith::Sqrt, std::sqrt(FD1));
    NEXT_4;
op_FSQRT_D_c:
    ARITH_D(fp::Arith::Sqrt, std::sqrt(FD1));
    NEXT_C;
op_FSGNJ_S : {
    const uint32_t a = fp::UnboxS(f[d->rs1]), b = fp::UnboxS(f[d->rs2]);
    f[d->rd] = fp::BoxS((a & 0x7FFFFFFFu) | (b & 0x80000000u));
    NEXT_4;
}
op_FSGNJ_S_c : {
    const uint32_t a = fp::UnboxS(f[d->rs1]), b = fp::UnboxS(f[d->rs2]);
    f[d->rd] = fp::BoxS((a & 0x7FFFFFFFu) | (b & 0x80000000u));
    NEXT_C;
}
op_FSGNJN_S : {
    const uint32_t a = fp::UnboxS(f[d->rs1]), b = fp::UnboxS(f[d->rs2]);
    f[d->rd] = fp::BoxS((a & 0x7FFFFFFFu) | (~b & 0x80000000u));
    NEXT_4;
}
op_FSGNJN_S_c : {
    const uint32_t a = fp::UnboxS(f[d->rs1]), b = fp::UnboxS(f[d->rs2]);
    f[d->rd] = fp::BoxS((a & 0x7FFFFFFFu) | (~b & 0x80000000u));
    NEXT_C;
}
op_FSGNJX_S : {
    const uint32_t a = fp::UnboxS(f[d->rs1]), b = fp::UnboxS(f[d->rs2]);
    f[d->rd] = fp::BoxS(a ^ (b & 0x80000000u));
    NEXT_4;
}
op_FSGNJX_S_c : {
    const uint32_t a = fp::UnboxS(f[d->rs1]), b = fp::UnboxS(f[d->rs2]);
    f[d->rd] = fp::BoxS(a ^ (b & 0x80000000u));
    NEXT_C;
}
op_FSGNJ_D:
    f[d->rd] = (f[d->rs1] & ~(1ull << 63)) | (f[d->rs2] & (1ull << 63));
    NEXT_4;
op_FSGNJ_D_c:
    f[d->rd] = (f[d->rs1] & ~(1ull << 63)) | (f[d->rs2] & (1ull << 63));
    NEXT_C;
op_FSGNJN_D:
    f[d->rd] = (f[d->rs1] & ~(1ull << 63)) | (~f[d->rs2] & (1ull << 63));
    NEXT_4;
op_FSGNJN_D_c:
    f[d->rd] = (f[d->rs1] & ~(1ull << 63)) | (~f[d->rs2] & (1ull << 63));
    NEXT_C;
op_FSGNJX_D:
    f[d->rd] = f[d->rs1] ^ (f[d->rs2] & (1ull << 63));
    NEXT_4;
op_FSGNJX_D_c:
    f[d->rd] = f[d->rs1] ^ (f[d->rs2] & (1ull << 63));
    NEXT_C;
op_FMIN_S:
    f[d->rd] =
        fp::BoxS(fp::MinMaxS(fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), false, hart_.fflags));
    NEXT_4;
op_FMIN_S_c:
    f[d->rd] =
        fp::BoxS(fp::MinMaxS(fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), false, hart_.fflags));
    NEXT_C;
op_FMAX_S:
    f[d->rd] =
        fp::BoxS(fp::MinMaxS(fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), true, hart_.fflags));
    NEXT_4;
op_FMAX_S_c:
    f[d->rd] =
        fp::BoxS(fp::MinMaxS(fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), true, hart_.fflags));
    NEXT_C;
op_FMIN_D:
    f[d->rd] = fp::MinMaxD(f[d->rs1], f[d->rs2], false, hart_.fflags);
    NEXT_4;
op_FMIN_D_c:
    f[d->rd] = fp::MinMaxD(f[d->rs1], f[d->rs2], false, hart_.fflags);
    NEXT_C;
op_FMAX_D:
    f[d->rd] = fp::MinMaxD(f[d->rs1], f[d->rs2], true, hart_.fflags);
    NEXT_4;
op_FMAX_D_c:
    f[d->rd] = fp::MinMaxD(f[d->rs1], f[d->rs2], true, hart_.fflags);
    NEXT_C;
op_FCVT_S_D : {
    ROUNDING_MODE(mode);
    f[d->rd] = fp::BoxS(fp::DoubleToS(f[d->rs1], mode, hart_.fflags));
    NEXT_4;
}
op_FCVT_S_D_c : {
    ROUNDING_MODE(mode);
    f[d->rd] = fp::BoxS(fp::DoubleToS(f[d->rs1], mode, hart_.fflags));
    NEXT_C;
}
op_FCVT_D_S : {
    ROUNDING_MODE(mode);
    (void)mode;
    f[d->rd] = fp::SingleToD(fp::UnboxS(f[d->rs1]), hart_.fflags);
    NEXT_4;
}
op_FCVT_D_S_c : {
    ROUNDING_MODE(mode);
    (void)mode;
    f[d->rd] = fp::SingleToD(fp::UnboxS(f[d->rs1]), hart_.fflags);
    NEXT_C;
}
op_FEQ_S:
    RD = fp::CompareS(fp::Compare::Eq, fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), hart_.fflags);
    NEXT_4;
op_FEQ_S_c:
    RD = fp::CompareS(fp::Compare::Eq, fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), hart_.fflags);
    NEXT_C;
op_FLT_S:
    RD = fp::CompareS(fp::Compare::Lt, fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), hart_.fflags);
    NEXT_4;
op_FLT_S_c:
    RD = fp::CompareS(fp::Compare::Lt, fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), hart_.fflags);
    NEXT_C;
op_FLE_S:
    RD = fp::CompareS(fp::Compare::Le, fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), hart_.fflags);
    NEXT_4;
op_FLE_S_c:
    RD = fp::CompareS(fp::Compare::Le, fp::UnboxS(f[d->rs1]), fp::UnboxS(f[d->rs2]), hart_.fflags);
    NEXT_C;
op_FEQ_D:
    RD = fp::CompareD(fp::Compare::Eq, f[d->rs1], f[d->rs2], hart_.fflags);
    NEXT_4;
op_FEQ_D_c:
    RD = fp::CompareD(fp::Compare::Eq, f[d->rs1], f[d->rs2], hart_.fflags);
    NEXT_C;
op_FLT_D:
    RD = fp::CompareD(fp::Compare::Lt, f[d->rs1], f[d->rs2], hart_.fflags);
    NEXT_4;
op_FLT_D_c:
    RD = fp::CompareD(fp::Compare::Lt, f[d->rs1], f[d->rs2], hart_.fflags);
    NEXT_C;
op_FLE_D:
    RD = fp::CompareD(fp::Compare::Le, f[d->rs1], f[d->rs2], hart_.fflags);
    NEXT_4;
op_FLE_D_c:
    RD = fp::CompareD(fp::Compare::Le, f[d->rs1], f[d->rs2], hart_.fflags);
    NEXT_C;
op_FCVT_W_S:
    TO_INT(FS1, fp::IntKind::W);
    NEXT_4;
op_FCVT_W_S_c:
    TO_INT(FS1, fp::IntKind::W);
    NEXT_C;
op_FCVT_WU_S:
    TO_INT(FS1, fp::IntKind::WU);
    NEXT_4;
op_FCVT_WU_S_c:
    TO_INT(FS1, fp::IntKind::WU);
    NEXT_C;
op_FCVT_L_S:
    TO_INT(FS1, fp::IntKind::L);
    NEXT_4;
op_FCVT_L_S_c:
    TO_INT(FS1, fp::IntKind::L);
    NEXT_C;
op_FCVT_LU_S:
    TO_INT(FS1, fp::IntKind::LU);
    NEXT_4;
op_FCVT_LU_S_c:
    TO_INT(FS1, fp::IntKind::LU);
    NEXT_C;
op_FCVT_W_D:
    TO_INT(FD1, fp::IntKind::W);
    NEXT_4;
op_FCVT_W_D_c:
    TO_INT(FD1, fp::IntKind::W);
    NEXT_C;
op_FCVT_WU_D:
    TO_INT(FD1, fp::IntKind::WU);
    NEXT_4;
op_FCVT_WU_D_c:
    TO_INT(FD1, fp::IntKind::WU);
    NEXT_C;
op_FCVT_L_D:
    TO_INT(FD1, fp::IntKind::L);
    NEXT_4;
op_FCVT_L_D_c:
    TO_INT(FD1, fp::IntKind::L);
    NEXT_C;
op_FCVT_LU_D:
    TO_INT(FD1, fp::IntKind::LU);
    NEXT_4;
op_FCVT_LU_D_c:
    TO_INT(FD1, fp::IntKind::LU);
    NEXT_C;
op_FCVT_S_W:
    FROM_INT_S(fp::IntKind::W);
    NEXT_4;
op_FCVT_S_W_c:
    FROM_INT_S(fp::IntKind::W);
    NEXT_C;
op_FCVT_S_WU:
    FROM_INT_S(fp::IntKind::WU);
    NEXT_4;
op_FCVT_S_WU_c:
    FROM_INT_S(fp::IntKind::WU);
    NEXT_C;
op_FCVT_S_L:
    FROM_INT_S(fp::IntKind::L);
    NEXT_4;
op_FCVT_S_L_c:
    FROM_INT_S(fp::IntKind::L);
    NEXT_C;
op_FCVT_S_LU:
    FROM_INT_S(fp::IntKind::LU);
    NEXT_4;
op_FCVT_S_LU_c:
    FROM_INT_S(fp::IntKind::LU);
    NEXT_C;
op_FCVT_D_W:
    FROM_INT_D(fp::IntKind::W);
    NEXT_4;
op_FCVT_D_W_c:
    FROM_INT_D(fp::IntKind::W);
    NEXT_C;
op_FCVT_D_WU:
    FROM_INT_D(fp::IntKind::WU);
    NEXT_4;
op_FCVT_D_WU_c:
    FROM_INT_D(fp::IntKind::WU);
    NEXT_C;
op_FCVT_D_L:
    FROM_INT_D(fp::IntKind::L);
    NEXT_4;
op_FCVT_D_L_c:
    FROM_INT_D(fp::IntKind::L);
    NEXT_C;
op_FCVT_D_LU:
    FROM_INT_D(fp::IntKind::LU);
    NEXT_4;
op_FCVT_D_LU_c:
    FROM_INT_D(fp::IntKind::LU);
    NEXT_C;
op_FMV_X_W:
    RD = SignExtend32(f[d->rs1]);
    NEXT_4;
op_FMV_X_W_c:
    RD = SignExtend32(f[d->rs1]);
    NEXT_C;
op_FCLASS_S:
    RD = fp::ClassifyS(fp::UnboxS(f[d->rs1]));
    NEXT_4;
op_FCLASS_S_c:
    RD = fp::ClassifyS(fp::UnboxS(f[d->rs1]));
    NEXT_C;
op_FMV_X_D:
    RD = f[d->rs1];
    NEXT_4;
op_FMV_X_D_c:
    RD = f[d->rs1];
    NEXT_C;
op_FCLASS_D:
    RD = fp::ClassifyD(f[d->rs1]);
    NEXT_4;
op_FCLASS_D_c:
    RD = fp::ClassifyD(f[d->rs1]);
    NEXT_C;
op_FMV_W_X:
    f[d->rd] = fp::BoxS(static_cast<uint32_t>(RS1));
    NEXT_4;
op_FMV_W_X_c:
    f[d->rd] = fp::BoxS(static_cast<uint32_t>(RS1));
    NEXT_C;
op_FMV_D_X:
    f[d->rd] = RS1;
    NEXT_4;

op_FMV_D_X_c:
    f[d->rd] = RS1;
    NEXT_C;

limitReached:
    if constexpr (Blocks) {
        // The next block does not fit in the budget: the caller goes on instruction by
        // instruction from here.
        handover = true;
    } else {
        remaining = 0;
    }
    result.stop = RunResult::Stop::InstructionLimit;
    goto finished;
fetchFault:
    // The instruction that jumped here has retired; nothing else ran.
    result.message =
        "jump to unmapped or non-executable address " + HexText(faultAddress ? faultAddress : pc);
    result.stop = RunResult::Stop::Fault;
    goto finished;
memoryFault:
    UNCOUNT();
    result.message =
        Describe("memory access outside the program's memory: address", pc, faultAddress);
    result.stop = RunResult::Stop::Fault;
    goto finished;
misalignedAtomic:
    UNCOUNT();
    result.message = Describe("misaligned atomic memory operation: address", pc, faultAddress);
    result.stop = RunResult::Stop::Fault;
    goto finished;
finished:
    // The counters lived in host registers during the run (nothing may take their address).
    result.instructions = limit - remaining;
    result.loads = loads;
    result.stores = stores;
    hart_.pc = pc;
    hart_.instret = retiredBefore_ + result.instructions;
    hart_.fflags |= fp::TakeHostFlags();
    return result;
}

#undef f

template RunResult Interpreter::Loop<true, false>(uint64_t, bool&);
template RunResult Interpreter::Loop<false, false>(uint64_t, bool&);
template RunResult Interpreter::Loop<false, true>(uint64_t, bool&);

} // namespace sim
