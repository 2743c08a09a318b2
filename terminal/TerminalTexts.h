#pragma once
// Texts shown to the user come from the program's language resources by id.

#include <string>

std::wstring TerminalText(unsigned int id);

// One line in the program's log.
void TerminalLog(const std::wstring& line);
