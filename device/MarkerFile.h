#pragma once
// The marker file "jmr_zv.verify" that a terminal writes at the root of its data
// medium: its whole content is the 1544-byte device information block.

#include <string>

#include "device/ZVDeviceInfo.h"

inline constexpr const wchar_t* kMarkerFileName = L"jmr_zv.verify";

// 1 when the whole block was read. A missing file gives 0 and no log line; a file
// that cannot be opened or is shorter than the block gives 0 and log lines.
int ReadMarkerRecord(const std::wstring& path, CZVDeviceInfo::Block& block);

// Opens and reads the block (cleared first); 1 on success, else 0 with the reason
// in the log.
int LoadMarkerFile(const std::wstring& path, CZVDeviceInfo::Block& block);
