// The checks a job passes before anything is written or started.
#pragma once

#include "job/JobSettings.h"

#include <optional>
#include <string>

struct ValidationFailure {
    std::string message;
    int focusId; // the control that receives the keyboard focus once the message is closed
};

// The first failing check, or nothing when the job is valid. Reads the record only.
std::optional<ValidationFailure> ValidateJobSettings(const JobSettings& settings);

// True when the text holds a character that the command interpreter would read as syntax
// (or a line end). Such a value must not reach the shell line.
bool HoldsShellSyntax(const std::string& text);
