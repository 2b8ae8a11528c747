#include "run/RunReferences.h"

ProcessInformation prInfo;
ProcessRef hProc;
MonitorThread hThread;
