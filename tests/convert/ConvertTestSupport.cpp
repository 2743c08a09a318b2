#include "ConvertTestSupport.h"

#include <cstring>

#include <gtest/gtest.h>

#include "lib/convert/ItemNameTable.h"
#include "platform/base/Encoding.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tools/gen/DescriptionFiles.h"

namespace converttest {

std::wstring Wide(const std::filesystem::path& path)
{
    return platform::FromPath(path);
}

Terminal::Terminal(gen::StatisticFolderOptions o) : options(std::move(o))
{
    static const bool prepared = (testsupport::PrepareProgramFolder(), true);
    (void)prepared;
    written = gen::WriteStatisticFolder(dir.Path(), options);
    EXPECT_TRUE(written);
}

int Terminal::Convert(CDataTransformManager& converter, void (*progress)(double)) const
{
    if (makeItemFolder) {
        std::filesystem::create_directories(ItemFolder());
    }
    if (converter.SetPath(Wide(ItemFolder())) == 1) {
        EXPECT_EQ(converter.DeleteDataFiles(Wide(ItemFolder())), 1);
    }
    converter.SetProgressCallback(progress);
    return converter.Convert(Wide(Statistic()));
}

void Terminal::EditCfg(const std::function<void(gen::IniDocument&)>& edit) const
{
    gen::StatisticCfg cfg;
    cfg.blockSize = static_cast<int>(gen::BlockSizeOf(options.items));
    cfg.blockCount = static_cast<int>(options.records);
    cfg.items.assign(options.items.begin(), options.items.end());
    cfg.blockCountPerFile = static_cast<int>(options.blockCountPerFile);
    gen::IniDocument document = gen::StatisticCfgDocument(cfg);
    edit(document);
    ASSERT_TRUE(document.Write(Statistic() / "statistic.cfg", gen::FileFormat{}));
}

std::vector<float> ReadFloats(const std::filesystem::path& file)
{
    const std::string bytes = testsupport::ReadAll(file);
    std::vector<float> values(bytes.size() / 4);
    if (!values.empty()) {
        std::memcpy(values.data(), bytes.data(), values.size() * 4);
    }
    return values;
}

std::vector<std::string> OutputNames(std::uint32_t itemId)
{
    const std::string name = platform::WideToUtf8(convertix::NameOfItem(static_cast<int>(itemId))->name);
    const bool threeKinds = (itemId >= 25 && itemId <= 74) || (itemId >= 212 && itemId <= 261) ||
                            (itemId >= 399 && itemId <= 448);
    const bool twoKinds = itemId == 24 || itemId == 211 || itemId == 398 || (itemId >= 75 && itemId <= 209) ||
                          (itemId >= 262 && itemId <= 396);
    if (threeKinds) {
        return {name + "_EFF", name + "_RAT", name + "_PHA"};
    }
    if (twoKinds) {
        return {name + "_EFF", name + "_RAT"};
    }
    return {name};
}

}  // namespace converttest
