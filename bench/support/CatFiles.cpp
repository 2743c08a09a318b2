#include "bench/support/CatFiles.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

void CatFiles(const std::vector<std::string>& files) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr) {
            _exit(126);
        }
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
