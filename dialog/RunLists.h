// The controls a run switches off when it starts and on again when it ends, in their order,
// and the result fields in the order Start empties them.
#pragma once

#include "res/ControlIds.h"

#include <array>

namespace runlists {
using namespace ids;

// Every job option with its labels and frames, the hidden ones included.
constexpr std::array<int, 29> RunStart{
    IDC_LABEL_BENCHMARK,
    IDC_BENCHMARK,
    IDC_BROWSE,
    IDC_LABEL_MAX_INSTRUCTIONS,
    IDC_MAX_INSTRUCTIONS,
    IDC_GROUP_JOB,
    IDC_LOCALITY_RADIO,
    IDC_PREDICTION_RADIO,
    IDC_GROUP_LOCALITY,
    IDC_LOCALITY_USE_HISTORY,
    IDC_LABEL_LOCALITY_HISTORY,
    IDC_LOCALITY_HISTORY,
    IDC_GROUP_PREDICTION,
    IDC_DIRECT_MAPPED,
    IDC_ASSOCIATIVE,
    IDC_LABEL_LVPT_SIZE,
    IDC_LVPT_SIZE,
    IDC_GROUP_ADDRESS,
    IDC_INSTRUCTION_ADDRESS,
    IDC_DATA_ADDRESS,
    IDC_GROUP_PREDICTION_HISTORY,
    IDC_PREDICTION_USE_HISTORY,
    IDC_LOCALITY_ON_REGISTERS,
    IDC_LOCALITY_ON_INSTRUCTIONS,
    IDC_HYBRID_PREDICTION,
    IDC_LABEL_PREDICTION_HISTORY,
    IDC_PREDICTION_HISTORY,
    IDC_LABEL_PATTERN_SIZE,
    IDC_PATTERN_SIZE,
};

// The options usable in both modes; the mode rule sets the others afterwards.
constexpr std::array<int, 11> RunEnd{
    IDC_LABEL_BENCHMARK,  IDC_BENCHMARK,           IDC_BROWSE,         IDC_LABEL_MAX_INSTRUCTIONS,
    IDC_MAX_INSTRUCTIONS, IDC_GROUP_JOB,           IDC_LOCALITY_RADIO, IDC_PREDICTION_RADIO,
    IDC_GROUP_ADDRESS,    IDC_INSTRUCTION_ADDRESS, IDC_DATA_ADDRESS,
};

constexpr std::array<int, 9> ResultFieldsInClearingOrder{
    IDC_RESULT_INSTRUCTIONS,
    IDC_RESULT_LOADS,
    IDC_RESULT_ALUS,
    IDC_RESULT_LOAD_LOCALITY,
    IDC_RESULT_ALU_LOCALITY,
    IDC_RESULT_PREDICTED,
    IDC_RESULT_CLASSIFIED_PRED,
    IDC_RESULT_CLASSIFIED_UNPRED,
    IDC_RESULT_CORRECT_UNPRED,
};
} // namespace runlists
