#include "sim/StatisticsWriter.h"

namespace sim {

void StatisticsWriter::Add(const std::string& name, const std::string& value,
                           const std::string& description) {
    lines_.push_back({name, value, description});
}

void StatisticsWriter::Add(const std::string& name, uint64_t value,
                           const std::string& description) {
    Add(name, std::to_string(value), description);
}

void StatisticsWriter::Add(const std::string& name, double value, const std::string& description) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    Add(name, std::string(text), description);
}

std::string StatisticsWriter::Text() const {
    std::string text;
    for (const Line& line : lines_) {
        char row[512];
        std::snprintf(row, sizeof row, "%-28s %16s # %s\n", line.name.c_str(), line.value.c_str(),
                      line.description.c_str());
        text += row;
    }
    return text;
}

bool StatisticsWriter::WriteTo(std::FILE* stream) const {
    const std::string text = Text();
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
           std::fflush(stream) == 0;
}

bool StatisticsWriter::WriteTo(const std::string& path) const {
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file)
        return false;
    const bool written = WriteTo(file);
    return std::fclose(file) == 0 && written;
}

} // namespace sim
