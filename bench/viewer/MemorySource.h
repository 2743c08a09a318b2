#pragma once
// A host sample source over samples held in memory, made in a file of its own so
// that the benchmarks' own loops reach it only through the interface, as the
// viewer does (the compiler cannot call it directly or inline it there), and the
// signal the viewer benchmarks show.

#include <cstdint>
#include <memory>
#include <vector>

#include "terminal/SimpleDataManager.h"

std::unique_ptr<ISimpleDataManager> MakeMemorySource(std::vector<std::int64_t> samples);

// Whether the machine has the memory for that many samples and a margin; says
// why not on the error output.
bool EnoughMemoryFor(std::int64_t count);

// A 50 Hz wave sampled at 10 kHz with some noise and, now and then, a stretch
// without values, as display positions (0 .. 2^32).
std::vector<std::int64_t> WaveSamples(std::int64_t count);
