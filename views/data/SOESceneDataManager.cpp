#include "views/data/SOESceneDataManager.h"

#include <cstring>

void CSOESceneDataManager::SetScene(const std::uint8_t* scene)
{
    if (scene == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < m_Scene.size(); ++i) {
        const std::uint8_t* at = scene + 4 * i;
        const std::uint32_t bits = static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
                                   (static_cast<std::uint32_t>(at[2]) << 16) |
                                   (static_cast<std::uint32_t>(at[3]) << 24);
        std::memcpy(&m_Scene[i], &bits, sizeof bits);
    }
}

int CSOESceneDataManager::GetScene(std::int64_t, CSoeScene* scene) const
{
    if (scene != nullptr) {
        *scene = m_Scene;
    }
    return 1;
}
