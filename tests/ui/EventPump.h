#pragma once
// Runs the user-interface thread's events inside a test until a condition holds.

#include <functional>

namespace uitest {

// False when the condition still failed after a generous limit (a hang guard).
bool PumpUntil(const std::function<bool()>& condition);

}  // namespace uitest
