#include "sim/SimOptions.h"

#include <functional>

namespace sim {

namespace {

// Digits only, no sign, no trailing text, no overflow: "12abc", "-8" and "" are refused.
bool ParseUnsigned(const std::string& text, uint64_t& value) {
    if (text.empty() || text.size() > 20)
        return false;
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (v > (UINT64_MAX - digit) / 10)
            return false;
        v = v * 10 + digit;
    }
    value = v;
    return true;
}

struct OptionRule {
    const char* name;
    const char* expects; // for the message
    std::function<bool(const std::string&, SimOptions&)> apply;
};

bool Flag(const std::string& text, int& out) {
    if (text != "0" && text != "1")
        return false;
    out = text == "1";
    return true;
}

bool AtLeastOne(const std::string& text, uint64_t& out) {
    uint64_t v;
    if (!ParseUnsigned(text, v) || v == 0)
        return false;
    out = v;
    return true;
}

const std::vector<OptionRule>& Rules() {
    static const std::vector<OptionRule> rules = {
        {"-redir:sim", "a file name",
         [](const std::string& v, SimOptions& o) {
             return !v.empty() && (o.statisticsFile = v, true);
         }},
        {"-redir:prog", "a file name",
         [](const std::string& v, SimOptions& o) {
             return !v.empty() && (o.programOutput = v, true);
         }},
        {"-max:inst", "a number of instructions (0 for no limit)",
         [](const std::string& v, SimOptions& o) { return ParseUnsigned(v, o.maxInstructions); }},
        {"-memaddr", "0 or 1",
         [](const std::string& v, SimOptions& o) { return Flag(v, o.memoryAddress); }},
        {"-history", "a whole number of at least 1",
         [](const std::string& v, SimOptions& o) { return AtLeastOne(v, o.history); }},
        {"-pred", "0 or 1", [](const std::string& v, SimOptions& o) { return Flag(v, o.predict); }},
        {"-assoc", "0 or 1",
         [](const std::string& v, SimOptions& o) { return Flag(v, o.associative); }},
        {"-lvpt", "a whole number of entries of at least 1",
         [](const std::string& v, SimOptions& o) { return AtLeastOne(v, o.lvptEntries); }},
    };
    return rules;
}

} // namespace

ParsedOptions ParseSimOptions(const std::vector<std::string>& words) {
    ParsedOptions parsed;
    size_t i = 0;
    while (i < words.size() && words[i].size() > 1 && words[i][0] == '-') {
        const std::string& name = words[i];
        if (name == "-h" || name == "-help") {
            parsed.options.help = true;
            parsed.ok = true;
            return parsed;
        }
        const OptionRule* rule = nullptr;
        for (const OptionRule& r : Rules())
            if (name == r.name)
                rule = &r;
        if (!rule) {
            parsed.error = "unknown option '" + name + "'";
            return parsed;
        }
        if (i + 1 >= words.size()) {
            parsed.error = "option " + name + " needs a value (" + rule->expects + ")";
            return parsed;
        }
        const std::string& value = words[i + 1];
        if (!rule->apply(value, parsed.options)) {
            parsed.error = "option " + name + " expects " + rule->expects + ", not '" + value + "'";
            return parsed;
        }
        i += 2;
    }
    if (i >= words.size()) {
        parsed.error = "no program to simulate";
        return parsed;
    }
    parsed.options.program.assign(words.begin() + static_cast<long>(i), words.end());
    parsed.ok = true;
    return parsed;
}

std::string UsageText(const std::string& programName) {
    return "usage: " + programName +
           " [-redir:sim FILE] [-redir:prog FILE] [-max:inst N] [-memaddr 0|1] [-history N]\n"
           "       [-pred 0|1] [-assoc 0|1] [-lvpt N] PROGRAM [ARGUMENTS...]\n";
}

} // namespace sim
