#include "lib/viewer/html/HtmlColourNames.h"

#include <array>

namespace {

constexpr HtmlNamedColour kNamed[] = {
    {L"aqua", 0xffff00}, {L"black", 0x000000}, {L"blue", 0xff0000}, {L"brown", 0x2a2aa5}, {L"cyan", 0xffff00},
    {L"gold", 0x00d7ff}, {L"gray", 0x808080}, {L"green", 0x008000}, {L"magenta", 0xff00ff}, {L"maroon", 0x000080},
    {L"navy", 0x800000}, {L"olive", 0x008080}, {L"orange", 0x00a5ff}, {L"pink", 0xcbc0ff}, {L"purple", 0x800080},
    {L"red", 0x0000ff}, {L"silver", 0xc0c0c0}, {L"snow", 0xfafaff}, {L"violet", 0xee82ee}, {L"white", 0xffffff},
    {L"yellow", 0x00ffff}, {L"aliceblue", 0xfff8f0}, {L"antiquewhite", 0xd7ebfa}, {L"aquamarine", 0xd4ff7f},
    {L"azure", 0xfffff0}, {L"beige", 0xdcf5f5}, {L"bisque", 0xc4e4ff}, {L"blanchedalmond", 0xcdebff},
    {L"blueviolet", 0xe22b8a}, {L"burlywood", 0x87b8de}, {L"cadetblue", 0xa09e5f}, {L"chartreuse", 0x00ff7f},
    {L"chocolate", 0x1e69d2}, {L"coral", 0x507fff}, {L"cornflowerblue", 0xed9564}, {L"cornsilk", 0xdcf8ff},
    {L"crimson", 0x3c14dc}, {L"darkblue", 0x8b0000}, {L"darkcyan", 0x8b8b00}, {L"darkgoldenrod", 0x0b86b8},
    {L"darkgray", 0xa9a9a9}, {L"darkgreen", 0x006400}, {L"darkkhaki", 0x6bb7bd}, {L"darkmagenta", 0x8b008b},
    {L"darkolivegreen", 0x2f6b55}, {L"darkorange", 0x008cff}, {L"darkorchid", 0xcc3299}, {L"darkred", 0x00008b},
    {L"darksalmon", 0x7a96e9}, {L"darkseagreen", 0x8bbc8f}, {L"darkslateblue", 0x8b3d48},
    {L"darkslategray", 0x4f4f2f}, {L"darkturquoise", 0xd1ce00}, {L"darkviolet", 0xd30094}, {L"deeppink", 0x9314ff},
    {L"deepskyblue", 0xffbf00}, {L"dimgray", 0x696969}, {L"dodgerblue", 0xff901e}, {L"firebrick", 0x2222b2},
    {L"floralwhite", 0xf0faff}, {L"forestgreen", 0x228b22}, {L"fuchsia", 0xff00ff}, {L"gainsboro", 0xdcdcdc},
    {L"ghostwhite", 0xfff8f8}, {L"goldenrod", 0x20a5da}, {L"greenyellow", 0x2fffad}, {L"honeydew", 0xf0fff0},
    {L"hotpink", 0xb469ff}, {L"indianred", 0x5c5ccd}, {L"indigo", 0x82004b}, {L"ivory", 0xf0ffff},
    {L"khaki", 0x8ce6f0}, {L"lavender", 0xfae6e6}, {L"lavenderblush", 0xf5f0ff}, {L"lawngreen", 0x00fc7c},
    {L"lemonchiffon", 0xcdfaff}, {L"lightblue", 0xe6d8ad}, {L"lightcoral", 0x8080f0}, {L"lightcyan", 0xffffe0},
    {L"lightgoldenrodyellow", 0xd2fafa}, {L"lightgreen", 0x90ee90}, {L"lightgrey", 0xd3d3d3},
    {L"lightpink", 0xc1b6ff}, {L"lightsalmon", 0x7aa0ff}, {L"lightseagreen", 0xaab220}, {L"lightskyblue", 0xface87},
    {L"lightslategray", 0x998877}, {L"lightsteelblue", 0xdec4b0}, {L"lightyellow", 0xe0ffff}, {L"lime", 0x00ff00},
    {L"limegreen", 0x32cd32}, {L"linen", 0xe6f0fa}, {L"mediumaquamarine", 0xaacd66}, {L"mediumblue", 0xcd0000},
    {L"mediumorchid", 0xd355ba}, {L"mediumpurple", 0xdb7093}, {L"mediumseagreen", 0x71b33c},
    {L"mediumslateblue", 0xee687b}, {L"mediumspringgreen", 0x9afa00}, {L"mediumturquoise", 0xccd148},
    {L"mediumvioletred", 0x8515c7}, {L"midnightblue", 0x701919}, {L"mintcream", 0xfafff5}, {L"mistyrose", 0xe1e4ff},
    {L"moccasin", 0xb5e4ff}, {L"navajowhite", 0xaddeff}, {L"oldlace", 0xe6f5fd}, {L"olivedrab", 0x238e6b},
    {L"orangered", 0x0045ff}, {L"orchid", 0xd670da}, {L"palegoldenrod", 0xaae8ee}, {L"palegreen", 0x98fb98},
    {L"paleturquoise", 0xeeeeaf}, {L"palevioletred", 0x9370db}, {L"papayawhip", 0xd5efff}, {L"peachpuff", 0xb9daff},
    {L"peru", 0x3f85cd}, {L"plum", 0xdda0dd}, {L"powderblue", 0xe6e0b0}, {L"rosybrown", 0x8f8fbc},
    {L"royalblue", 0xe16941}, {L"saddlebrown", 0x13458b}, {L"salmon", 0x7280fa}, {L"sandybrown", 0x60a4f4},
    {L"seagreen", 0x578b2e}, {L"seashell", 0xeef5ff}, {L"sienna", 0x2d52a0}, {L"skyblue", 0xebce87},
    {L"slateblue", 0xcd5a6a}, {L"slategray", 0x908070}, {L"springgreen", 0x7fff00}, {L"steelblue", 0xb48246},
    {L"tan", 0x8cb4d2}, {L"teal", 0x808000}, {L"thistle", 0xd8bfd8}, {L"tomato", 0x4763ff}, {L"turquoise", 0xd0e040},
    {L"wheat", 0xb3def5}, {L"whitesmoke", 0xf5f5f5}, {L"yellowgreen", 0x32cd9a},
};

constexpr HtmlSystemColourName kSystem[] = {
    {L"activeborder", 10}, {L"activecaption", 2}, {L"appworkspace", 12}, {L"background", 1}, {L"buttonface", 15},
    {L"buttonhighlight", 20}, {L"buttonshadow", 16}, {L"buttontext", 18}, {L"captiontext", 9}, {L"graytext", 17},
    {L"highlight", 13}, {L"highlighttext", 14}, {L"inactiveborder", 11}, {L"inactivecaption", 3},
    {L"inactivecaptiontext", 19}, {L"infobackground", 24}, {L"infotext", 23}, {L"menu", 4}, {L"menutext", 7},
    {L"scrollbar", 0}, {L"threeddarkshadow", 21}, {L"threedface", 15}, {L"threedhighlight", 20},
    {L"threedlightshadow", 22}, {L"threedshadow", 16}, {L"window", 5}, {L"windowframe", 6}, {L"windowtext", 8},
};

constexpr std::array<std::uint32_t, kSystemColourCount> kDefaults = {
    0xc8c8c8, 0x000000, 0xd1b499, 0xdbcdbf, 0xf0f0f0, 0xffffff, 0x646464, 0x000000, 0x000000, 0x000000, 0xb4b4b4,
    0xfcf7f4, 0xababab, 0xff9933, 0xffffff, 0xf0f0f0, 0xa0a0a0, 0x6d6d6d, 0x000000, 0x544e43, 0xffffff, 0x696969,
    0xe3e3e3, 0x000000, 0xe1ffff,
};

}  // namespace

std::span<const HtmlNamedColour> HtmlNamedColours() { return kNamed; }

std::span<const HtmlSystemColourName> HtmlSystemColourNames() { return kSystem; }

std::uint32_t DefaultSystemColour(int index) {
    return index >= 0 && index < kSystemColourCount ? kDefaults[static_cast<std::size_t>(index)] : 0;
}
