#include "sim/InstructionSet.h"

namespace sim {

namespace {
const InstructionInfo kTable[] = {
    {"(not decoded)", 0, 0, OperandFormat::None, InstructionClass::Other, Destination::None},
    {"(page end)", 0, 0, OperandFormat::None, InstructionClass::Other, Destination::None},
    {"(illegal)", 0, 0, OperandFormat::None, InstructionClass::Other, Destination::None},
#define ZEMLO_RV_ROW(name, match, mask, format, cls, dest)                                         \
    {#name, match, mask, OperandFormat::format, InstructionClass::cls, Destination::dest},
    ZEMLO_RV_INSTRUCTIONS(ZEMLO_RV_ROW)
#undef ZEMLO_RV_ROW
};
static_assert(sizeof(kTable) / sizeof(kTable[0]) == kOpCount);
} // namespace

const InstructionInfo& InfoOf(Op op) {
    return kTable[static_cast<int>(op)];
}

} // namespace sim
