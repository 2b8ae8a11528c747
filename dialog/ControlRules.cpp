// The control-state rules of the main window. Each is a fixed sequence of enable, disable,
// check and uncheck steps; the only thing a rule reads is a check mark.
#include "dialog/RunLists.h"
#include "dialog/ZemloDlg.h"

#include "platform/AnimationControl.h"

using namespace ids;

void CZemloDlg::EnableAll(std::initializer_list<int> controlIds, bool enable) {
    for (int id : controlIds) {
        EnableControl(id, enable);
    }
}

void CZemloDlg::UncheckAll(std::initializer_list<int> controlIds) {
    for (int id : controlIds) {
        SetCheck(id, false);
    }
}

void CZemloDlg::EnableComponents(bool bEnable) {
    EnableControl(IDOK, bEnable);
    EnableControl(IDCANCEL, !bEnable);
    // The "&Simulator" popup: Start at position 0, Stop at position 1.
    constexpr int menuSimulator = 0;
    if (bEnable) {
        EnableMenuItemByPosition(menuSimulator, 0, true);
        EnableMenuItemByPosition(menuSimulator, 1, false);
    } else {
        EnableMenuItemByPosition(menuSimulator, 0, false);
        EnableMenuItemByPosition(menuSimulator, 1, true);
    }
}

void CZemloDlg::EnablePredictionResults(bool bEnable) {
    EnableAll({IDC_LABEL_CORRECT_UNPRED, IDC_RESULT_CORRECT_UNPRED, IDC_LABEL_PREDICTED,
               IDC_RESULT_PREDICTED, IDC_LABEL_CLASSIFIED_PRED, IDC_RESULT_CLASSIFIED_PRED,
               IDC_LABEL_CLASSIFIED_UNPRED, IDC_RESULT_CLASSIFIED_UNPRED},
              bEnable);
    EnableAll({IDC_LABEL_LOAD_LOCALITY, IDC_LABEL_ALU_LOCALITY, IDC_RESULT_LOAD_LOCALITY,
               IDC_RESULT_ALU_LOCALITY},
              !bEnable);
}

void CZemloDlg::OnLocalityRadio() {
    EnableAll({IDC_GROUP_LOCALITY, IDC_LOCALITY_USE_HISTORY}, true);
    UncheckAll({IDC_PREDICTION_RADIO});
    EnableAll({IDC_LOCALITY_HISTORY, IDC_LABEL_LOCALITY_HISTORY},
              GetCheck(IDC_LOCALITY_USE_HISTORY) == 1);
    EnableAll({IDC_GROUP_PREDICTION, IDC_DIRECT_MAPPED, IDC_ASSOCIATIVE, IDC_LABEL_LVPT_SIZE,
               IDC_LVPT_SIZE, IDC_GROUP_PREDICTION_HISTORY, IDC_PREDICTION_USE_HISTORY,
               IDC_HYBRID_PREDICTION, IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY,
               IDC_LABEL_PATTERN_SIZE, IDC_PATTERN_SIZE},
              false);
    EnableAll({IDC_LOCALITY_ON_REGISTERS, IDC_LOCALITY_ON_INSTRUCTIONS}, true);
}

void CZemloDlg::OnPredictionRadio() {
    EnableAll({IDC_GROUP_LOCALITY, IDC_LOCALITY_USE_HISTORY, IDC_LOCALITY_HISTORY,
               IDC_LABEL_LOCALITY_HISTORY},
              false);
    UncheckAll({IDC_LOCALITY_RADIO});
    EnableAll({IDC_GROUP_PREDICTION, IDC_DIRECT_MAPPED, IDC_ASSOCIATIVE, IDC_LABEL_LVPT_SIZE,
               IDC_LVPT_SIZE, IDC_GROUP_PREDICTION_HISTORY, IDC_PREDICTION_USE_HISTORY},
              true);
    if (GetCheck(IDC_PREDICTION_USE_HISTORY) == 1) {
        EnableControl(IDC_HYBRID_PREDICTION, true);
        if (GetCheck(IDC_LOCALITY_ON_INSTRUCTIONS) == 1 || GetCheck(IDC_HYBRID_PREDICTION) == 1) {
            EnableAll({IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY, IDC_LABEL_PATTERN_SIZE,
                       IDC_PATTERN_SIZE},
                      true);
        }
    }
    EnableAll({IDC_LOCALITY_ON_REGISTERS, IDC_LOCALITY_ON_INSTRUCTIONS}, false);
}

void CZemloDlg::OnLocalityHistoryCheck() {
    EnableAll({IDC_LOCALITY_HISTORY, IDC_LABEL_LOCALITY_HISTORY},
              GetCheck(IDC_LOCALITY_USE_HISTORY) == 1);
}

void CZemloDlg::OnPredictionHistoryCheck() {
    if (GetCheck(IDC_PREDICTION_USE_HISTORY) == 1) {
        EnableAll({IDC_LOCALITY_ON_REGISTERS, IDC_LOCALITY_ON_INSTRUCTIONS, IDC_HYBRID_PREDICTION},
                  true);
        if (GetCheck(IDC_LOCALITY_ON_INSTRUCTIONS) == 1 || GetCheck(IDC_HYBRID_PREDICTION) == 1) {
            EnableAll({IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY, IDC_LABEL_PATTERN_SIZE,
                       IDC_PATTERN_SIZE},
                      true);
        }
    } else {
        EnableAll({IDC_LOCALITY_ON_REGISTERS, IDC_LOCALITY_ON_INSTRUCTIONS, IDC_HYBRID_PREDICTION,
                   IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY, IDC_LABEL_PATTERN_SIZE,
                   IDC_PATTERN_SIZE},
                  false);
    }
}

void CZemloDlg::OnIncrementalRadio() {
    UncheckAll({IDC_LOCALITY_ON_INSTRUCTIONS, IDC_HYBRID_PREDICTION});
    EnableAll({IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY, IDC_LABEL_PATTERN_SIZE,
               IDC_PATTERN_SIZE},
              false);
}

void CZemloDlg::OnContextualRadio() {
    UncheckAll({IDC_HYBRID_PREDICTION, IDC_LOCALITY_ON_REGISTERS});
    EnableAll({IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY, IDC_LABEL_PATTERN_SIZE,
               IDC_PATTERN_SIZE},
              true);
}

void CZemloDlg::OnHybridRadio() {
    UncheckAll({IDC_LOCALITY_ON_INSTRUCTIONS, IDC_LOCALITY_ON_REGISTERS});
    EnableAll({IDC_LABEL_PREDICTION_HISTORY, IDC_PREDICTION_HISTORY, IDC_LABEL_PATTERN_SIZE,
               IDC_PATTERN_SIZE},
              true);
}

void CZemloDlg::OnInstructionAddressRadio() {
    UncheckAll({IDC_DATA_ADDRESS});
}
void CZemloDlg::OnDataAddressRadio() {
    UncheckAll({IDC_INSTRUCTION_ADDRESS});
}
void CZemloDlg::OnDirectMappedRadio() {
    UncheckAll({IDC_ASSOCIATIVE});
}
void CZemloDlg::OnAssociativeRadio() {
    UncheckAll({IDC_DIRECT_MAPPED});
}

void CZemloDlg::DisableRunStartList() {
    for (int id : runlists::RunStart) {
        EnableControl(id, false);
    }
}

void CZemloDlg::EnableRunEndList() {
    for (int id : runlists::RunEnd) {
        EnableControl(id, true);
    }
}

void CZemloDlg::ApplyModeRule() {
    if (GetCheck(IDC_PREDICTION_RADIO) == 1) {
        OnPredictionRadio();
    } else {
        OnLocalityRadio();
    }
}

void CZemloDlg::RestoreIdleWindow() {
    EnableComponents(true);
    EnableRunEndList();
    ApplyModeRule();
    animation()->Seek(0);
}
