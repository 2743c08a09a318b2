#pragma once
// The checks an open command makes on the folder the user chose: is it a
// terminal's data folder, does it hold statistic files, is the data folder the one
// above it, or the first "Board" folder inside it. Names inside the folders are
// found without regard to case, as the folders come from FAT drives and Windows
// disks; "first" is first in name order, without regard to case.
//
// Folders are given as text; each check adds a separator to a folder that does
// not end in one, and an empty folder passes none of them.

#include <map>
#include <string>

// Both "recordinfo.cfg" and "recordset.ini" are in the folder.
bool IsDataFolder(const std::wstring& folder);
// The folder holds at least one "*.data" file and at least one "*.cfg" file.
bool HasStatisticFiles(const std::wstring& folder);
// True when the folder is a data folder; otherwise, when the folder above it (the
// text before its last separator, trailing separators aside) is one, the folder
// becomes that text and the result is true.
bool FindDataFolder(std::wstring& folder);
// Looks only at the first sub-folder whose name starts with "Board": with mode 0
// whether it is a data folder, with any other mode whether it holds statistic files.
bool FindBoardFolder(const std::wstring& folder, int mode);

// The sub-folders named "Board<number>" that hold data (with mode 0 a data folder,
// with any other mode statistic files), by board number, each with its name as it
// stands on the disk. Of two folders with the same number the first in name order
// counts.
std::map<int, std::wstring> FindBoards(const std::wstring& folder, int mode);

// Both versions read as "<major>.<minor>.<patch>" after an optional "V" or "v"
// (fields that do not read count as 0); 1 when the first is at least the second,
// comparing major, then minor, then patch, else 0.
int IsVersionAtLeast(const std::wstring& version, const std::wstring& minimum);
