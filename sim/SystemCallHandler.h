// What the interpreter hands an ecall to.
#pragma once

#include "sim/Hart.h"

#include <string>

namespace sim {

struct SyscallOutcome {
    enum class Kind { Continue, Exit, Fatal } kind = Kind::Continue;
    int status = 0;      // Exit: the program's exit status
    std::string message; // Fatal: why the program cannot go on
};

class SystemCallHandler {
public:
    virtual ~SystemCallHandler() = default;
    // a7 holds the number, a0..a5 the arguments; the result goes to a0.
    virtual SyscallOutcome Call(Hart& hart) = 0;
};

} // namespace sim
