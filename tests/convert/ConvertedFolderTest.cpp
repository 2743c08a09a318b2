#include <gtest/gtest.h>

#include <cstdlib>

#include "ConvertTestSupport.h"
#include "terminal/ConvertedFolder.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/K7700StatisticAnalysis.h"

namespace {

namespace fs = std::filesystem;
using converttest::Terminal;
using converttest::Wide;

// The folders a test pretends cannot be written (a test running as root writes
// through any permission bits).
std::vector<fs::path> g_readOnly;
bool Probe(const fs::path& folder)
{
    for (const fs::path& readOnly : g_readOnly) {
        const std::string text = folder.string();
        if (text.rfind(readOnly.string(), 0) == 0) {
            return false;
        }
    }
    return true;
}

// A folder that cannot be written converts into the user's cache, which the item
// reader then reads; where the cache cannot be written either, the result says so.
TEST(ConvertedFolder, ConvertsWhereItCanWriteAndReadsFromThere)
{
    struct Case {
        const char* row;
        bool folderReadOnly;
        bool cacheReadOnly;
        int result;
        bool inCache;
    };
    const Case cases[] = {
        {"writable folder", false, false, kConvertOk, false},
        {"read-only folder", true, false, kConvertOk, true},
        {"read-only folder and cache", true, true, kConvertReadOnly, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        gen::StatisticFolderOptions options;
        options.items = {1, 7};
        options.records = 9;
        options.blockCountPerFile = 4;
        Terminal terminal(options);
        testsupport::TempDir cache;
        ::setenv("XDG_CACHE_HOME", cache.Path().c_str(), 1);
        g_readOnly.clear();
        if (c.folderReadOnly) {
            g_readOnly.push_back(terminal.dir.Path());
        }
        if (c.cacheReadOnly) {
            g_readOnly.push_back(cache.Path());
        }
        converted::SetWriteProbe(Probe);
        fs::path used;
        const int result = converted::ConvertInto(terminal.dir.Path(), terminal.ItemFolder(),
                                                  [] { return GetTransInstance(); }, nullptr, used);
        converted::SetWriteProbe(nullptr);
        ASSERT_EQ(result, c.result);
        const std::optional<fs::path> cached = converted::CachedItemFolder(terminal.dir.Path());
        EXPECT_EQ(cached.has_value(), c.inCache);
        if (result != kConvertOk) {
            ::unsetenv("XDG_CACHE_HOME");
            continue;
        }
        EXPECT_EQ(used, c.inCache ? *cached : terminal.ItemFolder());
        EXPECT_EQ(used.string().rfind(cache.Path().string(), 0) == 0, c.inCache);
        EXPECT_EQ(fs::exists(terminal.ItemFolder() / "ESIN_VRMS.data"), !c.inCache);

        // The item reader finds the files where they went.
        CGlobalDataConfig& config = GlobalDataConfig::get_mutable_instance();
        config.SetKind(CGlobalDataConfig::K7700);
        config.SetItemFolder(Wide(terminal.dir.Path()), c.inCache ? Wide(*cached) : std::wstring());
        CK7700StatisticAnalysis reader;
        reader.SetQueryParams({0, 0, 9, 0, 9, 0, 0, 0, 0, 0});
        EXPECT_EQ(reader.LoadFile(Wide(terminal.dir.Path()), 1), 1);
        config.SetItemFolder(std::wstring(), std::wstring());
        config.SetKind(CGlobalDataConfig::Unknown);
        ::unsetenv("XDG_CACHE_HOME");
    }
}

// The cache folder is one per terminal folder and stays under $XDG_CACHE_HOME/ondrava.
TEST(ConvertedFolder, CacheFolderIsKeyedByTheFolder)
{
    ::setenv("XDG_CACHE_HOME", "/var/cache-test", 1);
    const fs::path a = converted::CacheFolderOf("/media/card/Board1");
    const fs::path b = converted::CacheFolderOf("/media/other/Board1");
    ::unsetenv("XDG_CACHE_HOME");
    EXPECT_NE(a, b);
    EXPECT_EQ(a.parent_path(), fs::path("/var/cache-test/ondrava"));
    EXPECT_EQ(a.filename().string().rfind("Board1-", 0), 0u);
}

}  // namespace
