#pragma once
// Terminal media mounted on this machine. The mount table is read and every
// mount that may be a terminal's drive is looked at for the marker file: those
// the kernel calls removable, and, since many USB disks do not call themselves
// removable, every other mount of a block device that is not part of the system
// itself (the root, /usr, /boot, ...). Pseudo and network file systems are never
// looked at.

#include <optional>
#include <string>
#include <vector>

#include "device/ZVDeviceInfo.h"

struct MountEntry {
    std::string mountPoint;  // decoded, UTF-8
    std::string fsType;
    std::string source;
    unsigned major = 0;
    unsigned minor = 0;
};

// The table the scan reads (default "/proc/self/mountinfo"); tests give their own.
void SetMountTablePath(const std::wstring& path);
std::wstring GetMountTablePath();

// The entries of a mountinfo file; nothing when it cannot be read.
std::optional<std::vector<MountEntry>> ReadMountTable(const std::wstring& path);

// Whether the mount may be a terminal's drive.
bool IsCandidateMount(const MountEntry& entry);

// Appends one record (transport 1, address = mount point with a trailing "/")
// per candidate mount whose marker file reads; 1 when the table could be read,
// else 0 with a log line.
int ScanDrivesForMarkers(std::vector<CZVDeviceInfo>& devices);
