#include "tests/waverecord/WaveRecordFixture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/ProgramFolderFixture.h"
#include "waverecord/WaveItemTable.h"
#include "waverecord/WaveSettings.h"

namespace wavetest {

namespace {

// Fills the program folder (language texts) before any test runs.
class ProgramFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override { testsupport::PrepareProgramFolder(); }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new ProgramFolderEnvironment);

}  // namespace

int RecordingPool::s_live = 0;
RecordingPool* RecordingPool::s_last = nullptr;
bool RecordingPool::s_throw = false;

RecordingPool::RecordingPool(ISampolyxDataPool* inner) : m_inner(inner)
{
    ++s_live;
    s_last = this;
}

RecordingPool::~RecordingPool()
{
    m_wrapped.clear();
    m_inner->Release();
    --s_live;
    if (s_last == this) {
        s_last = nullptr;
    }
}

bool RecordingPool::Analyse(const std::wstring& folder)
{
    if (s_throw) {
        s_throw = false;
        throw std::runtime_error("analysis failed");
    }
    m_wrapped.clear();
    return m_inner->Analyse(folder);
}

bool RecordingPool::Close()
{
    m_wrapped.clear();
    return m_inner->Close();
}

RecordingDataSet* RecordingPool::Wrap(IDataSetManager* inner)
{
    if (!inner) {
        return nullptr;
    }
    std::unique_ptr<RecordingDataSet>& wrapped = m_wrapped[inner];
    if (!wrapped) {
        wrapped = std::make_unique<RecordingDataSet>(inner);
    }
    return wrapped.get();
}

RecordingDataSet* RecordingPool::Watched(int kind, int index, int subIndex)
{
    return Wrap(m_inner->FindDataSet(kind, index, subIndex));
}

RecordingDataSet* RecordingPool::WatchedChannel(int channel)
{
    return Wrap(m_inner->GetDataSet(channel));
}

RecordingPools::RecordingPools()
{
    CWaveAnalysisManager::DestroyInstance();
    CWaveAnalysisManager::SetPoolFactory([]() -> ISampolyxDataPool* {
        ISampolyxDataPool* inner = Sampolyx_CreateDataPool();
        return inner ? new RecordingPool(inner) : nullptr;
    });
}

RecordingPools::~RecordingPools()
{
    CWaveAnalysisManager::DestroyInstance();
    CWaveAnalysisManager::SetPoolFactory(nullptr);
}

GeneratedRecord::GeneratedRecord(const gen::WaveRecordOptions& recordOptions) : options(recordOptions)
{
    EXPECT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
    expected = gen::ParseWaveExpected(testsupport::ReadAll(dir / (options.baseName + ".expected")));
}

double GeneratedRecord::Expected(const std::string& name) const
{
    const auto found = expected.find(name);
    EXPECT_NE(found, expected.end()) << name;
    return found != expected.end() ? found->second : 0.0;
}

std::wstring GeneratedRecord::Folder() const
{
    return platform::FromPath(dir.Path());
}

gen::WaveRecordOptions ShortRecord(std::int32_t wiring)
{
    gen::WaveRecordOptions options = gen::ThreePhaseWaveRecord(12800, 2.0);
    options.wiring = wiring;
    return options;
}

bool OpenAndDispatchAll(CWaveAnalysisManager& manager, const GeneratedRecord& record, IWaveViewHost* host)
{
    if (!manager.OpenRecord(record.Folder())) {
        return false;
    }
    for (const WaveDispatchRow& row : WaveDispatchRows()) {
        manager.Dispatch(row.item, host);
    }
    return true;
}

void SetWaveSystemIni(const std::string& text)
{
    const std::filesystem::path file = platform::ProgramFolder() / "WaveSystem.ini";
    if (text.empty()) {
        std::filesystem::remove(file);
    } else {
        ASSERT_TRUE(platform::AtomicWriteFile(file, text));
    }
    CWaveSettings::Instance().Reload();
}

std::vector<std::wstring> CsvLines(const std::filesystem::path& file)
{
    std::wistringstream text(platform::GbkToWide(testsupport::ReadAll(file)));
    std::vector<std::wstring> lines;
    for (std::wstring line; std::getline(text, line);) {
        if (!line.empty() && line.back() == L'\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace wavetest
