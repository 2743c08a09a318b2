#pragma once
// Starting other programs: no shell in between, every argument handed over as one
// argument whatever it holds, the same environment, none of our open files
// inherited. Nothing waits for the child unless asked.

#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace platform {

// Starts the program (a path, or a name looked up through PATH) with the
// arguments; the child's process id, or nothing when it could not be started.
std::optional<pid_t> StartProcess(const std::string& program, const std::vector<std::string>& arguments);

enum class ProcessState { Running, Succeeded, Failed };
// Looks at a child without waiting; once it has ended the answer is final and the
// child is gone from the system's table. A process id that is no child of ours
// counts as failed.
ProcessState PollProcess(pid_t child);

}  // namespace platform
