#include "results/StatisticsFile.h"

#include "res/ControlIds.h"

#include <utility>
#include <vector>

namespace {

using Search = std::pair<const char*, int>; // a statistic's name and the field it fills

// One pass: open the file anew and run the searches in order, each continuing where the
// previous one stopped. The token buffer is the reading's, shared by all passes.
void RunPass(const std::string& path, std::string& buffer, const std::vector<Search>& searches,
             const FieldSetter& setField, bool skipToFirstUnpredictable = false) {
    TokenReader file(path);
    if (!file.isOpen()) {
        for (const Search& s : searches)
            setField(s.second, std::string());
        return;
    }
    for (const Search& s : searches) {
        // The value of the last prediction statistic follows the second "unpredictable" after
        // "classifiedUnpred": the first is passed over without setting a field.
        if (skipToFirstUnpredictable && s.second == ids::IDC_RESULT_CORRECT_UNPRED) {
            while (file.next(buffer) && buffer != "unpredictable") {
            }
        }
        FindStatistic(file, buffer, s.first, s.second, setField);
    }
}

} // namespace

void FindStatistic(TokenReader& file, std::string& buffer, const std::string& name, int fieldId,
                   const FieldSetter& setField) {
    bool found = false;
    while (file.next(buffer)) {
        if (buffer == name) {
            found = true;
            break;
        }
    }
    const bool hasValue = found && file.next(buffer);
    setField(fieldId, hasValue ? buffer : std::string());
}

void ReadStatisticsFile(SimulationMode mode, bool onInstructions, const FieldSetter& setField,
                        const std::string& path) {
    const bool locality = mode == SimulationMode::ValueLocality;
    std::string buffer;

    RunPass(path, buffer, {{"sim_num_insn", ids::IDC_RESULT_INSTRUCTIONS}}, setField);

    if (locality && onInstructions)
        RunPass(path, buffer, {{"sim_num_ALUs", ids::IDC_RESULT_ALUS}}, setField);

    std::vector<Search> pass3 = {{"sim_num_loads", ids::IDC_RESULT_LOADS}};
    if (locality)
        pass3.push_back({"loadValueLocality", ids::IDC_RESULT_LOAD_LOCALITY});
    if (locality && onInstructions)
        pass3.push_back({"ALUValueLocality", ids::IDC_RESULT_ALU_LOCALITY});
    RunPass(path, buffer, pass3, setField);

    if (!locality)
        RunPass(path, buffer,
                {{"valuePrediction", ids::IDC_RESULT_PREDICTED},
                 {"classifiedPred", ids::IDC_RESULT_CLASSIFIED_PRED},
                 {"classifiedUnpred", ids::IDC_RESULT_CLASSIFIED_UNPRED},
                 {"unpredictable", ids::IDC_RESULT_CORRECT_UNPRED}},
                setField, /*skipToFirstUnpredictable=*/true);
}
