// Template 102, the main window. One row per control, in tab order.
#include "res/ControlIds.h"
#include "res/Templates.h"

using namespace flags;
using K = ControlKind;

namespace {
constexpr unsigned ResultField = ReadOnly | AutoScroll | Border | TabStop;
}

const DialogTemplate& MainDialogTemplate() {
    static const DialogTemplate dialog{
        ids::IDD_ZEMLO_DIALOG,
        "Simulation Tool for extracting the locality degree of Instruction/Registers. Last Zemlo.",
        427,
        311,
        "MS Sans Serif",
        8,
        {
            // clang-format off
// kind               caption                                      id                                x    y    w    h    style
{K::PictureButton, "OK",                                         ids::IDOK,                          7,   2,  23,  19, TabStop},
{K::PictureButton, "CANCEL",                                     ids::IDCANCEL,                     33,   2,  23,  19, Disabled | TabStop},
{K::Animation,     "Animate1",                                   ids::IDC_ANIMATE,                 391,   0,  29,  19, Border | TabStop},
{K::PushButton,    "Browse...",                                  ids::IDC_BROWSE,                  217,  45,  38,  13, TabStop},
{K::Edit,          "",                                           ids::IDC_BENCHMARK,                90,  44, 122,  13, ReadOnly | AutoScroll | Border | TabStop},
{K::Label,         "Benchmark:",                                 ids::IDC_LABEL_BENCHMARK,          15,  48,  66,  12, Group},
{K::Edit,          "",                                           ids::IDC_MAX_INSTRUCTIONS,        141,  62,  71,  13, Number | Border | TabStop},
{K::Label,         "Maximum Number of Instructions:",            ids::IDC_LABEL_MAX_INSTRUCTIONS,   16,  67, 106,  10, Group},
{K::GroupBox,      "Job",                                        ids::IDC_GROUP_JOB,                 7, 110, 122,  44, 0},
{K::RadioButton,   "Value Locality",                             ids::IDC_LOCALITY_RADIO,           15, 126,  60,  10, Group},
{K::RadioButton,   "Value Prediction",                           ids::IDC_PREDICTION_RADIO,         15, 139,  67,  10, Group},
{K::GroupBox,      "Value Locality",                             ids::IDC_GROUP_LOCALITY,            7, 171, 122,  92, Disabled},
{K::CheckBox,      "Use History of Values",                      ids::IDC_LOCALITY_USE_HISTORY,     16, 186,  83,  10, Disabled | TabStop},
{K::ComboBox,      "",                                           ids::IDC_LOCALITY_HISTORY,         65, 199,  55,  42, Disabled | TabStop},
{K::Label,         "History:",                                   ids::IDC_LABEL_LOCALITY_HISTORY,   16, 201,  40,  11, Disabled | Group},
{K::GroupBox,      "Address Type",                               ids::IDC_GROUP_ADDRESS,           141, 110, 118,  45, 0},
{K::RadioButton,   "Use Instruction Address",                    ids::IDC_INSTRUCTION_ADDRESS,     148, 127,  91,  10, Group},
{K::RadioButton,   "Use Data Address",                           ids::IDC_DATA_ADDRESS,            148, 140,  73,  10, Group},
{K::GroupBox,      "Value Prediction",                           ids::IDC_GROUP_PREDICTION,        142, 171, 117,  93, 0},
{K::RadioButton,   "Direct Mapped LVPT",                         ids::IDC_DIRECT_MAPPED,           149, 198,  83,  10, Group},
{K::RadioButton,   "Associative LVPT",                           ids::IDC_ASSOCIATIVE,             149, 211,  72,  10, Group},
{K::ComboBox,      "",                                           ids::IDC_LVPT_SIZE,               200, 242,  54,  43, TabStop},
{K::Label,         "Size of LVPT:",                              ids::IDC_LABEL_LVPT_SIZE,         150, 246,  44,  11, Group},
{K::GroupBox,      "Value Prediction with History",              ids::IDC_GROUP_PREDICTION_HISTORY, 42,  31, 118,   9, Hidden},
{K::CheckBox,      "Use History of Values",                      ids::IDC_PREDICTION_USE_HISTORY,  295,  14,  83,  10, Hidden | TabStop},
{K::RadioButton,   "Locality on Registers",                      ids::IDC_LOCALITY_ON_REGISTERS,    17, 229,  81,  10, Disabled | Group},
{K::RadioButton,   "Locality on Instructions",                   ids::IDC_LOCALITY_ON_INSTRUCTIONS, 17, 242,  88,  10, Disabled | Group},
{K::RadioButton,   "Hybrid Prediction",                          ids::IDC_HYBRID_PREDICTION,        98,  18,  69,  10, Hidden | Disabled | Group},
{K::ComboBox,      "",                                           ids::IDC_PREDICTION_HISTORY,      226,   7,  55,  46, Hidden | Disabled | TabStop},
{K::ComboBox,      "",                                           ids::IDC_PATTERN_SIZE,            225,  24,  55,  42, Hidden | Disabled | TabStop},
{K::Label,         "History:",                                   ids::IDC_LABEL_PREDICTION_HISTORY, 170, 15,  41,  10, Hidden | Disabled | Group},
{K::Label,         "Pattern Size:",                              ids::IDC_LABEL_PATTERN_SIZE,      171,  26,  45,  10, Hidden | Disabled | Group},
{K::GroupBox,      "Results",                                    ids::IDC_STATIC,                  273,  54, 147, 243, 0},
{K::Label,         "Correctly Classified Unpredictable Loads:",  ids::IDC_LABEL_CORRECT_UNPRED,    278, 234, 129,  11, Group},
{K::Label,         "Number of Instructions Executed:",           ids::IDC_STATIC,                  277,  42, 108,  10, Group},
{K::Label,         "Number of Loads Executed:",                  ids::IDC_STATIC,                  277,  69,  91,   8, Group},
{K::Label,         "Previeusly Seen Load Values:",               ids::IDC_LABEL_LOAD_LOCALITY,     279, 146,  97,   8, Disabled | Group},
{K::Label,         "Correctly Predicted Load Values:",           ids::IDC_LABEL_PREDICTED,         279, 175, 105,  10, Group},
{K::Label,         "Loads Classified as Predictable:",           ids::IDC_LABEL_CLASSIFIED_PRED,   279, 205, 102,   8, Group},
{K::Label,         "Loads Classified as Unpredictable:",         ids::IDC_LABEL_CLASSIFIED_UNPRED, 279, 266, 109,   8, Group},
{K::Edit,          "",                                           ids::IDC_RESULT_INSTRUCTIONS,     278,  52, 128,  12, ResultField},
{K::Edit,          "",                                           ids::IDC_RESULT_LOADS,            278,  79, 128,  12, ResultField},
{K::Edit,          "",                                           ids::IDC_RESULT_LOAD_LOCALITY,    279, 156, 127,  12, Disabled | ResultField},
{K::Edit,          "",                                           ids::IDC_RESULT_PREDICTED,        279, 185, 127,  13, ResultField},
{K::Edit,          "",                                           ids::IDC_RESULT_CLASSIFIED_PRED,  278, 215, 128,  13, ResultField},
{K::Edit,          "",                                           ids::IDC_RESULT_CORRECT_UNPRED,   279, 246, 127,  12, ResultField},
{K::Edit,          "",                                           ids::IDC_RESULT_CLASSIFIED_UNPRED, 279, 276, 127, 13, ResultField},
{K::PictureButton, "EXIT",                                       ids::IDC_EXIT,                     59,   2,  23,  19, TabStop},
{K::Label,         "Number of ALUs Executed:",                   ids::IDC_LABEL_ALUS,              278,  92,  91,   8, Group},
{K::Edit,          "",                                           ids::IDC_RESULT_ALUS,             279, 103, 128,  12, ResultField},
{K::Label,         "Previeusly Seen ALU Values:",                ids::IDC_LABEL_ALU_LOCALITY,      278, 119,  97,   8, Disabled | Group},
{K::Edit,          "",                                           ids::IDC_RESULT_ALU_LOCALITY,     278, 129, 127,  12, Disabled | ResultField},
{K::PushButton,    "Open_Regs_File",                             ids::IDC_OPEN_REGS_FILE,           15, 273,  63,  18, TabStop},
            // clang-format on
        },
        true};
    return dialog;
}
