#pragma once
// The language texts of the table exporters, fetched by id from the program's
// resource manager (the language pack, then the built-in resources).

#include <string>

namespace exporttext {

inline constexpr unsigned kExporting = 10104;      // "正在导出"
inline constexpr unsigned kUnit = 10105;           // " 单位"
inline constexpr unsigned kNoUnit = 10106;         // "无"
inline constexpr unsigned kEffective = 10111;      // "有效值"
inline constexpr unsigned kContentRatio = 6268;    // "含有率"
inline constexpr unsigned kPhaseAngle = 6162;      // "相位角"
inline constexpr unsigned kCurrentWave = 6269;     // "电流波形值"
inline constexpr unsigned kCurrentRms = 6270;      // "电流波形有效值"
inline constexpr unsigned kVoltageWave = 6271;     // "电压波形值"
inline constexpr unsigned kVoltageRms = 6272;      // "电压波形有效值"

}  // namespace exporttext

std::wstring ExportText(unsigned int id);

// One line in the program's log.
void ExportLog(const std::wstring& line);
