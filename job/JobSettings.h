// The job as read from the window at Start: six texts kept exactly as the controls show
// them, and the check states of the option buttons.
#pragma once

#include <string>

enum class SimulationMode { ValueLocality, ValuePrediction };

struct JobSettings {
    // Texts, 8-bit characters, never trimmed or converted: a number stays text all the way
    // into the command line.
    std::string benchmark;
    std::string maxInstructions;
    std::string localityHistory = "16";
    std::string lvptSize = "512";
    std::string predictionHistory = "256";
    std::string patternSize = "4";

    // States, as the window opens.
    SimulationMode mode = SimulationMode::ValuePrediction;
    bool useLocalityHistory = false;
    bool usePredictionHistory = false;
    bool localityOnRegisters = true;
    bool localityOnInstructions = false;
    bool hybridPrediction = false;
    bool useDataAddress = false;
    bool directMapped = false;
};
