#include "platform/gfx/FontConfig.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <system_error>

#include "platform/base/Encoding.h"

namespace gfx {

bool LoadFontConfig(const std::filesystem::path& programFolder) {
    const std::filesystem::path file = programFolder / kFontConfigFileName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return false;
    }
    // A fresh configuration (the system's files plus ours) rather than adding rules
    // to the current one, which may already be in use.
    FcConfig* config = FcInitLoadConfig();
    if (config == nullptr) {
        return false;
    }
    const std::string path = platform::PathToUtf8(file);
    if (!FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(path.c_str()), FcTrue) ||
        !FcConfigBuildFonts(config) || !FcConfigSetCurrent(config)) {
        FcConfigDestroy(config);
        return false;
    }
    FcConfigDestroy(config);  // the current configuration holds its own reference
    PangoFontMap* fontMap = pango_cairo_font_map_get_default();
    if (PANGO_IS_FC_FONT_MAP(fontMap)) {
        pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(fontMap));
    }
    return true;
}

}  // namespace gfx
