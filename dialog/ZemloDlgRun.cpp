// The window's seam to the simulator run: the launch of the composed line and the process
// work of Stop. Until the launcher exists, Start ends once the line is composed and Stop has
// no process to end; neither pretends to run anything.
#include "dialog/ZemloDlg.h"

void CZemloDlg::LaunchSimulator(const std::string& /*strCommandLine*/) {}

void CZemloDlg::StopRun() {}
