#pragma once
// The reference the terminal benchmarks measure beside their readers: `cat FILES >
// /dev/null`, run without a shell.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline void CatFiles(const std::vector<std::string>& files)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>("cat"));
        for (const auto& file : files) {
            argv.push_back(const_cast<char*>(file.c_str()));
        }
        argv.push_back(nullptr);
        execvp("cat", argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

}  // namespace bench
