#pragma once
// A host sample source over samples held in memory, made in a file of its own so
// that the benchmark's own loops reach it only through the interface, as the
// viewer does (the compiler cannot call it directly or inline it there).

#include <cstdint>
#include <memory>
#include <vector>

#include "terminal/SimpleDataManager.h"

std::unique_ptr<ISimpleDataManager> MakeMemorySource(std::vector<std::int64_t> samples);
