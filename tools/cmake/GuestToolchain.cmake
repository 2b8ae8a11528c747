# Checks, at configure time, the tools that build and check guest programs, so that a missing
# package stops the configuration with a message that names it instead of failing later in
# the middle of the build:
#   ZEMLO_RISCV_CC      the riscv64 cross compiler, which builds a static C program using stdio
#                       and libm (the C library is a package of its own)
#   ZEMLO_QEMU_RISCV64  qemu-riscv64, which runs that program
#   ZEMLO_FUZZING       ON when clang++-14 links a libFuzzer target (ZEMLO_CLANGXX)
set(_probe_dir ${CMAKE_BINARY_DIR}/toolchain-probe)
file(MAKE_DIRECTORY ${_probe_dir})
set(_install_hint "tools/install-deps.sh installs it")

find_program(ZEMLO_RISCV_CC riscv64-linux-gnu-gcc)
if(NOT ZEMLO_RISCV_CC)
    message(FATAL_ERROR "riscv64-linux-gnu-gcc not found: install the Debian package "
                        "gcc-riscv64-linux-gnu (${_install_hint}).")
endif()

file(WRITE ${_probe_dir}/probe.c [=[
#include <math.h>
#include <stdio.h>
int main(int argc, char** argv) {
    (void)argv;
    printf("%.3f\n", sqrt(2.0 * argc));
    return 0;
}
]=])
execute_process(COMMAND ${ZEMLO_RISCV_CC} -O2 -static -o ${_probe_dir}/probe ${_probe_dir}/probe.c -lm
                RESULT_VARIABLE _status OUTPUT_VARIABLE _output ERROR_VARIABLE _output)
if(NOT _status EQUAL 0)
    message(FATAL_ERROR "${ZEMLO_RISCV_CC} cannot build a static riscv64 C program with stdio "
                        "and libm: install the Debian package libc6-dev-riscv64-cross, the riscv64 "
                        "C library (${_install_hint}). The compiler said:\n${_output}")
endif()

find_program(ZEMLO_QEMU_RISCV64 qemu-riscv64)
if(NOT ZEMLO_QEMU_RISCV64)
    message(FATAL_ERROR "qemu-riscv64 not found: install the Debian package qemu-user "
                        "(${_install_hint}).")
endif()
execute_process(COMMAND ${ZEMLO_QEMU_RISCV64} ${_probe_dir}/probe RESULT_VARIABLE _status
                OUTPUT_VARIABLE _output ERROR_VARIABLE _output)
if(NOT _status EQUAL 0 OR NOT _output STREQUAL "1.414\n")
    message(FATAL_ERROR "${ZEMLO_QEMU_RISCV64} cannot run a static riscv64 program (it said: "
                        "${_output}): reinstall the Debian package qemu-user (${_install_hint}).")
endif()

# The fuzz targets are optional: without clang's libFuzzer runtime they are left out.
set(ZEMLO_FUZZING OFF)
find_program(ZEMLO_CLANGXX clang++-14)
if(ZEMLO_CLANGXX)
    file(WRITE ${_probe_dir}/fuzz.cpp [=[
#include <cstddef>
#include <cstdint>
extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }
]=])
    execute_process(COMMAND ${ZEMLO_CLANGXX} -fsanitize=fuzzer,address,undefined
                            -o ${_probe_dir}/fuzz ${_probe_dir}/fuzz.cpp
                    RESULT_VARIABLE _status OUTPUT_QUIET ERROR_QUIET)
    if(_status EQUAL 0)
        set(ZEMLO_FUZZING ON)
    endif()
endif()
if(NOT ZEMLO_FUZZING AND NOT ZEMLO_SANITIZE)
    message(NOTICE "Fuzz targets left out: clang++-14 cannot link a libFuzzer program "
                   "(install the Debian packages clang-14 and libclang-rt-14-dev).")
endif()
