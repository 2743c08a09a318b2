#pragma once
// The texts of one row of the alarm-event list (SOERow, as the list's items
// manager hands it out): the event name, the limit value and the time, and the
// picture of its first column.
//
// Record words: w0 the event type (0 a block's head row), w1 non-zero at the
// start of an event, w2 the phase (the wiring class for type 19), w3 the harmonic
// order less one (the wiring variant for type 19), w4 the value as a float's bits.

#include <cstdint>
#include <string>

#include "terminal/SOEBlock.h"

namespace soetext {

// The unit of an event type; empty for a type without entry.
std::wstring Unit(std::int32_t type);
// True for the types the list knows (0 and 4 to 21).
bool HasEntry(std::int32_t type);
// The wiring name of a class and variant; empty where the table has none, and for
// a class or variant outside 0 to 3.
std::wstring WiringName(std::int32_t wiringClass, std::int32_t variant);

std::wstring Name(const SOERow& row);
// "--" for a value without value; "%.3f <unit>" otherwise; empty on a head row.
std::wstring Value(const SOERow& row);
// "2013-05-06 07:08:09.045" from the block's time.
std::wstring Time(const SOERow& row);
// The picture index of the first column: the row's kind (0 collapsed head,
// 1 expanded head, 2 event, 3 last event of its block).
int Image(const SOERow& row);

}  // namespace soetext
