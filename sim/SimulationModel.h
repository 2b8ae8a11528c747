// A model that the simulator drives: it watches retired instructions and adds its own lines
// to the statistics file. Each of the three programs is the same driver with one model.
#pragma once

#include "sim/RetireListener.h"
#include "sim/SimOptions.h"
#include "sim/StatisticsWriter.h"

#include <functional>
#include <memory>

namespace sim {

class SimulationModel : public RetireListener {
public:
    virtual void ReportStatistics(StatisticsWriter& statistics) const = 0;
};

// Makes the program's model from its options; may answer null: the engine alone.
using ModelFactory = std::function<std::unique_ptr<SimulationModel>(const SimOptions&)>;

} // namespace sim
