// CHtmlDrawer: the picture elements bmp, icon and ilst.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "lib/viewer/html/HtmlDrawer.h"
#include "lib/viewer/html/HtmlLayoutMath.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/PictureStore.h"

namespace {

// Where a picture's shadow falls: 4 pixels right and down, blurred, in mid grey.
const TipShadow kPictureShadow{4, 4, 7, 7, 0x808080};
constexpr unsigned kAnyShadow = kImageShadow | kImageBlurredShadow;

unsigned EffectLetters(const std::wstring& letters) {
    unsigned flags = 0;
    for (const wchar_t letter : letters) {
        switch (letter) {
            case L'g': flags |= kImageGrey; break;
            case L'd': flags |= kImageDarken; break;
            case L'l': flags |= kImageLighten; break;
            case L's': flags |= kImageBlurredShadow; break;
            default: break;
        }
    }
    return flags;
}

// The file only when it lies inside the program folder (links and ".." resolved).
std::filesystem::path FileInsideProgramFolder(const std::wstring& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(platform::ProgramFolder(), error);
    if (error || file.empty()) {
        return {};
    }
    const fs::path given = file[0] == L'/' ? platform::ToPath(file) : platform::ResolveNoCase(folder, file);
    const fs::path full = fs::weakly_canonical(given, error);
    if (error) {
        return {};
    }
    const auto [inFolder, inFull] = std::mismatch(folder.begin(), folder.end(), full.begin(), full.end());
    return inFolder == folder.end() && inFull != full.end() ? full : fs::path();
}

}  // namespace

gfx::Bitmap CHtmlDrawer::LoadPictureSource(int resourceId, const std::wstring& file) const {
    if (resourceId > 0) {
        return gfx::LoadPicture(resourceId);
    }
    const std::filesystem::path path = FileInsideProgramFolder(file);
    return path.empty() ? gfx::Bitmap() : gfx::Bitmap::LoadPng(path);
}

void CHtmlDrawer::DrawImage(Flow& flow, int code, const std::wstring& attributes) {
    int index = 0;
    int resourceId = 0;
    std::wstring file;
    int cellWidth = 0;
    int cellHeight = 0;
    std::wstring width = L"100%";
    std::wstring height = L"100%";
    int speed = 0;
    TipColourKey key;
    unsigned flags = 0;
    unsigned hotFlags = 0;
    // Resources of other libraries and existing handles are never taken from markup.
    for (const auto& [name, value] : ParseAttributes(attributes)) {
        if (name == L"index") {
            index = ParseLength(0, value);
        } else if (name == L"idres") {
            resourceId = ParseLength(0, value);
        } else if (name == L"file") {
            if (!value.empty()) {
                file = value;
            }
        } else if (name == L"cx") {
            cellWidth = ParseLength(0, value);
        } else if (name == L"cy") {
            cellHeight = ParseLength(0, value);
        } else if (name == L"width") {
            width = value;
        } else if (name == L"height") {
            height = value;
        } else if (name == L"speed") {
            speed = ParseLength(0, value);
        } else if (name == L"mask") {
            key.use = true;
            key.colour = ParseColour(value, key.colour);
        } else if (name == L"style") {
            flags = hotFlags = EffectLetters(value);
        } else if (name == L"hotstyle") {
            hotFlags = EffectLetters(value);
        }
    }
    const gfx::Bitmap picture = LoadPictureSource(resourceId, file);
    if (picture.IsEmpty()) {
        return;
    }
    HtmlSize natural = CTipDrawManager::GetBitmapSize(picture);
    int frameCount = 0;
    if (code == kTagIcon) {
        // Icons are drawn at the size asked for; percentages are of the system icon size.
        natural = {ParseLength(kSystemIconSize, width), ParseLength(kSystemIconSize, height)};
        width = height = L"100%";
        key.use = false;
    } else if (code == kTagImageList) {
        if (cellWidth <= 0 && cellHeight <= 0) {
            cellWidth = cellHeight = std::min(natural.cx, natural.cy);
        } else if (cellWidth <= 0) {
            cellWidth = cellHeight;
        } else if (cellHeight <= 0) {
            cellHeight = cellWidth;
        }
        frameCount = (natural.cx / cellWidth) * (natural.cy / cellHeight);
        natural = {cellWidth, cellHeight};
        if (speed != 0) {
            ++m_animationIndex;
            if (m_measuring) {
                m_animations.push_back({index, frameCount, 0, speed});
            } else if (static_cast<std::size_t>(m_animationIndex) < m_animations.size()) {
                index = m_animations[static_cast<std::size_t>(m_animationIndex)].currentFrame;
            }
        }
        if (frameCount <= 0 || index < 0 || index >= frameCount) {
            return;
        }
    }
    const bool shadow = ((flags | hotFlags) & kAnyShadow) != 0;
    const int w = ParseLength(natural.cx, width);
    const int h = ParseLength(natural.cy, height);
    const int boxWidth = shadow && w != 0 && h != 0 ? w + kPictureShadow.dx : w;
    const int boxHeight = shadow && w != 0 && h != 0 ? h + kPictureShadow.dy : h;
    PlaceImage(flow, boxWidth, boxHeight, [&](int x, int y) {
        const bool hot = m_style.linkKind != kLinkNone && m_linkNumber == m_hotLink;
        const unsigned effect = hot ? hotFlags : flags;
        if (code == kTagImageList) {
            m_draw.DrawImageFromStrip(*m_dc, x, y, w, h, picture, index, cellWidth, cellHeight, key, effect,
                                      kPictureShadow);
        } else {
            m_draw.DrawBitmap(*m_dc, x, y, w, h, picture, key, effect, kPictureShadow);
        }
    });
}

void CHtmlDrawer::PlaceImage(Flow& flow, int width, int height, const std::function<void(int x, int y)>& draw) {
    if (m_measuring) {
        m_line.alignment = m_style.align;
        m_line.height = std::max(m_line.height, height);
    } else {
        const int y = PlacedTop(flow.y, height, false);
        if (width != 0 && height != 0) {
            RecordHotArea({flow.x, y, AddClamped(flow.x, width), AddClamped(y, height)});
            draw(flow.x, y);
        }
    }
    flow.x = AddClamped(flow.x, width);
}
