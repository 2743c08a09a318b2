#pragma once
// The program ships a fontconfig file ("fonts.conf" in the program folder) that
// maps the Windows font names its texts ask for to installed families, with a CJK
// family behind each so that Chinese text always finds its glyphs. Loading it makes
// a new current fontconfig configuration (the system's plus ours) and tells pango.
// Call it once at start, before any text is drawn.

#include <filesystem>

namespace gfx {

inline constexpr const char* kFontConfigFileName = "fonts.conf";

// False when the file is missing or broken; the system configuration then stays.
bool LoadFontConfig(const std::filesystem::path& programFolder);

}  // namespace gfx
