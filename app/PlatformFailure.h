// What to tell the user when the window system cannot be reached. Qt reports the failure of its
// platform plugin through its message handler and then aborts; the program turns that into one
// line on standard error and exit status 1, so that a user without a display (over ssh, say)
// learns why nothing opened.
#pragma once

#include <string>
#include <vector>

namespace app {

// platformMessages: the messages of Qt's platform categories ("qt.qpa.*") seen so far, oldest
// first; fatalMessage: the fatal message that ends the start. Answers the line to print, without
// its line end, e.g. "zemlo: cannot open a window: no X display (DISPLAY is not set)".
std::string DescribePlatformFailure(const std::vector<std::string>& platformMessages,
                                    const std::string& fatalMessage);

// Installs the message handler: Qt's own diagnostics are otherwise discarded (nothing is
// logged), but a fatal one prints its description and ends the process with status 1.
void InstallPlatformFailureHandler();

} // namespace app
