#pragma once
// Shared helpers of the conversion tests: a generated terminal folder with its
// statistic folder and item folder, a converter with small buffers, reading an item
// file back, and rewriting statistic.cfg key by key.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "lib/convert/DataTransformManager.h"
#include "tests/support/TempDir.h"
#include "tools/gen/IniDocument.h"
#include "tools/gen/StatisticFolder.h"

namespace converttest {

std::wstring Wide(const std::filesystem::path& path);

// A converter whose read buffer and value buffers are as small as a test wants.
class SmallConverter : public CDataTransformManager {
public:
    SmallConverter(std::size_t readBufferBytes, std::size_t valueBufferBytes)
        : m_ReadBufferBytes(readBufferBytes), m_ValueBufferBytes(valueBufferBytes)
    {
    }

protected:
    std::size_t ReadBufferBytes() const override { return m_ReadBufferBytes; }
    std::size_t ValueBufferBytes() const override { return m_ValueBufferBytes; }

private:
    std::size_t m_ReadBufferBytes;
    std::size_t m_ValueBufferBytes;
};

// A generated terminal folder and where its statistic and item files go.
struct Terminal {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    bool written = false;
    bool makeItemFolder = true;  // Convert makes the item folder first

    explicit Terminal(gen::StatisticFolderOptions o);
    std::filesystem::path Statistic() const { return dir.Path() / "Statistic"; }
    std::filesystem::path ItemFolder() const { return Statistic() / "newfiles"; }
    // Makes the item folder and runs the program's order of calls; the result of Convert.
    int Convert(CDataTransformManager& converter, void (*progress)(double) = nullptr) const;
    // Rewrites statistic.cfg as the generator describes the folder, edited by `edit`.
    void EditCfg(const std::function<void(gen::IniDocument&)>& edit) const;
};

std::vector<float> ReadFloats(const std::filesystem::path& file);

// The output names of an item as the conversion forms them.
std::vector<std::string> OutputNames(std::uint32_t itemId);

}  // namespace converttest
