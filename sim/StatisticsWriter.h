// The statistics file, SimpleScalar style: one "name value # description" line per
// statistic, in the order added. The engine adds its counters and each model its own.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace sim {

class StatisticsWriter {
public:
    void Add(const std::string& name, const std::string& value, const std::string& description);
    void Add(const std::string& name, uint64_t value, const std::string& description);
    void Add(const std::string& name, double value, const std::string& description);

    std::string Text() const;
    // Writes the whole file; false if it could not be written completely.
    bool WriteTo(const std::string& path) const;
    bool WriteTo(std::FILE* stream) const;

private:
    struct Line {
        std::string name, value, description;
    };
    std::vector<Line> lines_;
};

} // namespace sim
