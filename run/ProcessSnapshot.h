// A snapshot of the system's process list, with each process's parent, in the order the
// system lists them.
#pragma once

#include <optional>
#include <string_view>
#include <sys/types.h>
#include <vector>

struct ProcessEntry {
    pid_t pid = 0;
    pid_t parentPid = 0;
};

std::vector<ProcessEntry> TakeProcessSnapshot();

// The parent of a process from the text of its /proc/PID/stat. The name field may hold
// spaces and parentheses, so the fields after it are found from the last ")".
std::optional<pid_t> ParentFromStat(std::string_view stat);
