// Fills the result fields of a finished run from the simulator's statistics file.
#pragma once

#include "job/JobSettings.h"
#include "results/TokenReader.h"

#include <functional>
#include <string>

// Sets the text of a result field, by control id.
using FieldSetter = std::function<void(int fieldId, const std::string& text)>;

// One search step within a pass: skips forward to the token equal to name and puts the token
// after it into the field. A name not found before the end of the file, or with nothing after
// it, gives an empty field rather than a stray token of the file.
void FindStatistic(TokenReader& file, std::string& buffer, const std::string& name, int fieldId,
                   const FieldSetter& setField);

// Reads the statistics of the job in four passes over the file, setting the job's fields in
// their fixed order. A file that cannot be opened leaves the job's fields empty.
void ReadStatisticsFile(SimulationMode mode, bool onInstructions, const FieldSetter& setField,
                        const std::string& path = "simout.res");
