#pragma once
// CZVReportUtil: how the reports write a value into a table cell.

#include <string>

class CZVReportUtil {
public:
    static double AbsValue(float value);
    // The value rounded half away from zero to 1/1000 and written with three
    // decimals ("%.3f", whatever the locale). Magnitudes whose thousandfold does not
    // fit 64 bits have no finer digits to round and are written as they are.
    static std::wstring FormatValue3(float value);
};
