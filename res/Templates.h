// The dialog templates of the program: 102, the main window, and 100, the About box.
#pragma once

#include "res/DialogTemplate.h"

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();
