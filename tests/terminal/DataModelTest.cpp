#include <gtest/gtest.h>

#include "terminal/DataModel.h"

namespace {

class CountingReader : public IDevFileAnalysis {
public:
    int loadResult = 0;
    int loads = 0;
    int releases = 0;
    int queries = 0;
    std::wstring loadedFolder;

    int LoadFile(std::wstring folder, std::uint32_t requireCache) override
    {
        ++loads;
        loadedFolder = folder;
        EXPECT_EQ(requireCache, 0u);
        return loadResult;
    }
    int ReleaseFile() override
    {
        ++releases;
        return 1;
    }
    int GetBasicInfo(BasicInfo*) override { return 0; }
    int GetData(QueryWord w0, QueryWord, QueryWord, QueryWord, QueryWord, QueryWord w5) override
    {
        ++queries;
        return static_cast<int>(w0 + w5);
    }
    int GetItemData(std::vector<ItemRequest*>&) override { return 0; }
    int SetQueryParams(const std::array<std::uint32_t, 10>&) override { return 1; }
    int SetOption(std::uint32_t) override { return 1; }
};

class Model : public IDataModel {
public:
    explicit Model(CountingReader* reader)
    {
        analysis = reader;
        path = L"/data/K7700";
    }
    ~Model() override = default;  // the reader belongs to the test here
    int CreateAnalysis(std::uint32_t) override { return 1; }
    int GetSource(std::uint32_t*) override { return 1; }
    int OpenData(void*) override { return 0; }
    int QueryBasicInfo(BasicInfo*) override { return 0; }
    std::uint32_t Loaded() const { return loaded; }
};

TEST(DataModel, LoadsOnFirstQueryAndReleasesAFailedLoad)
{
    Model empty(nullptr);
    EXPECT_EQ(empty.GetData(1, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(empty.Release(), 1);
    EXPECT_EQ(empty.GetAnalysis(), nullptr);

    CountingReader failing;
    {
        Model model(&failing);
        EXPECT_EQ(model.GetData(1, 0, 0, 0, 0, 0), 0);
        EXPECT_EQ(failing.loads, 1);
        EXPECT_EQ(failing.releases, 1);
        EXPECT_EQ(failing.queries, 0);
    }
    EXPECT_EQ(failing.releases, 2) << "destruction releases the reader's data";

    CountingReader good;
    good.loadResult = 1;
    Model model(&good);
    EXPECT_EQ(model.GetData(2, 0, 0, 0, 0, 3), 5) << "the words pass through unchanged";
    EXPECT_EQ(model.GetData(2, 0, 0, 0, 0, 3), 5);
    EXPECT_EQ(good.loads, 1) << "loaded once";
    EXPECT_EQ(good.loadedFolder, L"/data/K7700");
    EXPECT_EQ(model.GetAnalysis(), &good);
    EXPECT_EQ(model.Release(), 1);
    EXPECT_EQ(model.Loaded(), 0u);
    model.GetData(0, 0, 0, 0, 0, 0);
    EXPECT_EQ(good.loads, 2) << "a release makes the next query load again";
}

}  // namespace
