#pragma once
// The wiring of a terminal: category and subtype (from "recordset.ini" or from a
// wiring code of the item files) select a phase mask and a display name.

#include <cstdint>
#include <string>

#include "terminal/BasicInfo.h"

// Phase indices 0 L1, 1 L2, 2 L3, 3 N are present when their bit is set; 4 (a total
// or a value without phase) is always present.
bool IsPhaseInMask(std::uint32_t mask, std::uint32_t phase);

// Reads section "WireConnectType" of the INI file into the record's wiring name and
// phase mask; a category or subtype of 5 or more leaves both as they were. Always 1.
int ReadWiring(const std::wstring& iniPath, BasicInfo& info);

// The same pair for a wiring code of the item files and of raw waveform records
// (1..50). Always 1.
int GetWiringChannels(std::uint32_t code, std::wstring& name, std::uint32_t& mask);

// The phase mask alone of such a wiring code: the one mapping every reader and
// window of the program takes a wiring code's phases from.
std::uint32_t WiringPhaseMask(std::uint32_t code);

// The cell of the wiring table: mask and language-string id of the name.
struct WiringCell {
    std::uint32_t mask;
    unsigned int nameId;
};
WiringCell LookupWiring(std::uint32_t category, std::uint32_t subtype);
