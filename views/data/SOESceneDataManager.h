#pragma once
// CSOESceneDataManager: the one-record manager through which the SOE reader hands
// the scene view the field-data snapshot stored with an event (116 little-endian
// float32 words; see SoeSceneTable.h for what each word is).

#include <array>
#include <cstdint>

#include "terminal/SOEBlock.h"
#include "terminal/ZVDataManager.h"

using CSoeScene = std::array<float, kSOESceneBytes / 4>;

class CSOESceneDataManager : public IZVDataManager, public ISOESceneSink {
public:
    std::uint64_t GetCount() override { return 1; }
    void SetScene(const std::uint8_t* scene) override;
    // Copies the scene out; the index is not read. 1.
    int GetScene(std::int64_t index, CSoeScene* scene) const;

private:
    CSoeScene m_Scene{};
};
