// The references of the watched run, one set for the whole process: the interpreter that the
// script's start yields, the simulator found as its child, and the monitor thread.
#pragma once

#include "run/MonitorThread.h"
#include "run/ProcessRef.h"
#include "run/ScriptProcess.h"

extern ProcessInformation prInfo;
extern ProcessRef hProc;
extern MonitorThread hThread;
