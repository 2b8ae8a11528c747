#include "job/JobValidation.h"

#include "job/LeadingInteger.h"
#include "res/ControlIds.h"

namespace {

// A value that is placed on the command line must also be free of shell syntax: the line is
// run by /bin/sh, and a typed "; rm -rf ~" must not become a command. Such a value fails its
// step exactly as a missing one does.
bool IsMissingOrUnsafe(const std::string& text) {
    return IsMissing(text) || HoldsShellSyntax(text);
}

} // namespace

bool HoldsShellSyntax(const std::string& text) {
    static constexpr std::string_view kShellSyntax = ";&|<>()$`\\\"'*?[~#\n";
    return text.find_first_of(kShellSyntax) != std::string::npos;
}

std::optional<ValidationFailure> ValidateJobSettings(const JobSettings& s) {
    if (s.benchmark.empty())
        return ValidationFailure{"Please select a benchmark.", ids::IDC_BENCHMARK};

    if (s.mode == SimulationMode::ValueLocality && s.useLocalityHistory &&
        IsMissingOrUnsafe(s.localityHistory))
        return ValidationFailure{"Please choose a value for locality history.",
                                 ids::IDC_LOCALITY_HISTORY};

    if (s.mode != SimulationMode::ValuePrediction)
        return std::nullopt;

    if (IsMissingOrUnsafe(s.lvptSize))
        return ValidationFailure{"Please choose a value for LVPT size.", ids::IDC_LVPT_SIZE};

    // Prediction with history is never offered by the window (its controls are hidden), but a
    // record that asks for it is still checked. These two values never reach the line.
    if (s.usePredictionHistory && !s.localityOnRegisters) {
        if (IsMissing(s.predictionHistory))
            return ValidationFailure{"Please choose a value for prediction history.",
                                     ids::IDC_PREDICTION_HISTORY};
        if (IsMissing(s.patternSize))
            return ValidationFailure{"Please choose a value for pattern size.",
                                     ids::IDC_PATTERN_SIZE};
    }
    return std::nullopt;
}
