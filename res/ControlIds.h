// Numeric identifiers of the main window's controls, menu items and resources.
// Every subsystem names a control by these numbers, as the dialog template does.
#pragma once

namespace ids {

// Commands of the dialog itself.
constexpr int IDOK = 1;     // Start picture button, the accept command
constexpr int IDCANCEL = 2; // Stop picture button, the cancel command

// Controls of template 102.
constexpr int IDC_ANIMATE = 1000;
constexpr int IDC_BROWSE = 1001;
constexpr int IDC_EXIT = 1002;
constexpr int IDC_BENCHMARK = 1003;
constexpr int IDC_MAX_INSTRUCTIONS = 1004;
constexpr int IDC_LOCALITY_RADIO = 1005;
constexpr int IDC_PREDICTION_RADIO = 1006;
constexpr int IDC_LOCALITY_USE_HISTORY = 1007;
constexpr int IDC_LOCALITY_HISTORY = 1008;
constexpr int IDC_INSTRUCTION_ADDRESS = 1009;
constexpr int IDC_DATA_ADDRESS = 1010;
constexpr int IDC_DIRECT_MAPPED = 1011;
constexpr int IDC_ASSOCIATIVE = 1012;
constexpr int IDC_LVPT_SIZE = 1013;
constexpr int IDC_PREDICTION_USE_HISTORY = 1014;
constexpr int IDC_LOCALITY_ON_REGISTERS = 1015;
constexpr int IDC_LOCALITY_ON_INSTRUCTIONS = 1016;
constexpr int IDC_HYBRID_PREDICTION = 1017;
constexpr int IDC_PREDICTION_HISTORY = 1018;
constexpr int IDC_PATTERN_SIZE = 1019;
constexpr int IDC_RESULT_INSTRUCTIONS = 1020;
constexpr int IDC_RESULT_LOADS = 1021;
constexpr int IDC_RESULT_LOAD_LOCALITY = 1022;
constexpr int IDC_RESULT_PREDICTED = 1023;
constexpr int IDC_RESULT_CLASSIFIED_PRED = 1024;
constexpr int IDC_RESULT_CORRECT_UNPRED = 1025;
constexpr int IDC_RESULT_CLASSIFIED_UNPRED = 1026;
constexpr int IDC_LABEL_LOCALITY_HISTORY = 1027;
constexpr int IDC_LABEL_LVPT_SIZE = 1028;
constexpr int IDC_LABEL_PREDICTION_HISTORY = 1029;
constexpr int IDC_LABEL_PATTERN_SIZE = 1030;
constexpr int IDC_GROUP_LOCALITY = 1031;
constexpr int IDC_GROUP_PREDICTION = 1032;
constexpr int IDC_GROUP_PREDICTION_HISTORY = 1033;
constexpr int IDC_LABEL_LOAD_LOCALITY = 1034;
constexpr int IDC_LABEL_PREDICTED = 1035;
constexpr int IDC_LABEL_CLASSIFIED_PRED = 1036;
constexpr int IDC_LABEL_CORRECT_UNPRED = 1037;
constexpr int IDC_LABEL_CLASSIFIED_UNPRED = 1038;
constexpr int IDC_GROUP_JOB = 1039;
constexpr int IDC_GROUP_ADDRESS = 1040;
constexpr int IDC_LABEL_BENCHMARK = 1041;
constexpr int IDC_LABEL_MAX_INSTRUCTIONS = 1042;
constexpr int IDC_RESULT_ALUS = 1043;
constexpr int IDC_LABEL_ALUS = 1044;
constexpr int IDC_OPEN_REGS_FILE = 1045;
constexpr int IDC_LABEL_ALU_LOCALITY = 1047;
constexpr int IDC_RESULT_ALU_LOCALITY = 1048;
constexpr int IDC_STATIC = -1; // controls that nothing refers to

// Menu 130.
constexpr int IDR_MENU = 130;
constexpr int ID_SIMULATOR_START = 32771;
constexpr int ID_SIMULATOR_STOP = 32772;
constexpr int ID_WINDOW_EXIT = 32773;
constexpr int ID_HELP_ABOUT = 32774;

// Other resources.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDD_ZEMLO_DIALOG = 102;
constexpr int IDB_BITMAP = 142;
constexpr int IDR_MAINFRAME = 150;
constexpr int IDM_ABOUTBOX = 0x0010;

// System commands, and the application's help command.
constexpr int SC_MINIMIZE = 0xF020;
constexpr int SC_CLOSE = 0xF060;
constexpr int ID_HELP = 57670;

} // namespace ids
