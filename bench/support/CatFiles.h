#pragma once
// Runs `cat FILES > /dev/null` (no shell) and waits for it: the time a plain read
// of the files takes, the reference the benchmarks report beside their figures.

#include <string>
#include <vector>

void CatFiles(const std::vector<std::string>& files);
