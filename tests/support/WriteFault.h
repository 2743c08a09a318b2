#pragma once
// Write faults for tests: while a WriteFault lives, writes of this process into
// files below its folder fail as on a full disk (ENOSPC) or kill the process as a
// user's kill would, once the given number of bytes went through. Writes anywhere
// else pass untouched. It replaces write(2) for the whole test program, so it
// reaches the writes of the libraries the program links.

#include <cstdint>
#include <filesystem>

namespace testsupport {

class WriteFault {
public:
    enum class Kind { DiskFull, Kill };

    WriteFault(const std::filesystem::path& folder, Kind kind, std::uint64_t bytesBefore = 0);
    ~WriteFault();
    WriteFault(const WriteFault&) = delete;
    WriteFault& operator=(const WriteFault&) = delete;

    // Writes that failed so far.
    std::uint64_t Failures() const;
};

}  // namespace testsupport
