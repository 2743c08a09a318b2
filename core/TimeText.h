#pragma once
// Local times as text, through the wide-character strftime patterns the program
// uses ("%Y-%m-%d  %H:%M:%S >> " for the log, "_%Y_%m_%d_%H_%M_%S" for crash dumps).

#include <ctime>
#include <string>

// The local time of the value formatted with the pattern, at most 128 characters
// (terminator included, as the callers' buffers were). Empty when the pattern is
// null, the value has no local time, or the text does not fit.
std::wstring FormatTimeText(std::time_t value, const wchar_t* pattern);
// The same with a UTF-8 pattern.
std::wstring FormatTimeText(std::time_t value, const char* pattern);
