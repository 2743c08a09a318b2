#pragma once
// Our own reading of an FTP server's directory listing (the LIST reply): the
// Unix "ls -l" form most servers send and the DOS form of Windows servers. Names
// are the server's bytes, untouched: whether a name is safe to use as a local
// path is for the caller to decide.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace net {

struct FtpEntry {
    std::string name;
    bool directory = false;
    std::uint64_t size = 0;
};

// One entry per line that names a file or a folder. Lines that are not entries
// ("total 12"), symbolic links and devices, and the "." and ".." entries are left
// out; so is a line whose size does not fit 64 bits.
std::vector<FtpEntry> ParseFtpListing(std::string_view listing);

}  // namespace net
