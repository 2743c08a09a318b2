#pragma once
// CDataTransformManager: the converter behind IDataTransform. Convert finds the
// block files, reads the description, sizes one value buffer per output file and
// lets the block reader and the item file writer do the work; the item files reach
// the output folder only when everything succeeded, and only then is the statistic
// folder marked as converted.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/convert/BlockReader.h"
#include "lib/convert/ConvertDescription.h"
#include "lib/convert/ConvertProgress.h"
#include "lib/convert/DataTransform.h"
#include "lib/convert/ItemFileWriter.h"
#include "lib/convert/ValueBuffer.h"

class CDataTransformManager : public IDataTransform, public convertix::IConvertProgress {
public:
    CDataTransformManager() = default;
    virtual ~CDataTransformManager();
    CDataTransformManager(const CDataTransformManager&) = delete;
    CDataTransformManager& operator=(const CDataTransformManager&) = delete;

    int SetPath(std::wstring folder) override;
    void SetProgressCallback(TransProgressCallback callback) override;
    int Convert(std::wstring folder) override;
    int DeleteDataFiles(std::wstring folder) override;
    void Release() override;

    void ReportCount(std::uint64_t done) override;
    void ReportStep(double step) override;

    // Bytes of one value buffer for the free physical memory given.
    static std::size_t BufferBytesFor(std::uint64_t availablePhysical);
    // Block folders ("001", "002", ... without gaps) and their block files in order.
    static bool FindSources(const std::filesystem::path& statisticFolder, std::vector<std::filesystem::path>& folders,
                            std::vector<std::filesystem::path>& sources);

protected:
    // The read buffer's size; tests make it small to convert in several chunks.
    virtual std::size_t ReadBufferBytes() const { return convertix::CBlockReader::kReadBufferBytes; }
    // Bytes of one value buffer; tests make it small to flush several times.
    virtual std::size_t ValueBufferBytes() const;

private:
    int RunConvert(const std::filesystem::path& statisticFolder);
    void BuildOutputs();
    void Report(double percent);

    std::unique_ptr<convertix::CBlockReader> m_Reader;
    std::vector<std::wstring> m_OutputNames;
    std::wstring m_OutputFolder;
    TransProgressCallback m_Callback = nullptr;
    std::unique_ptr<convertix::CItemFileWriter> m_Writer;
    std::vector<convertix::ValueBuffer> m_Buffers;
    std::uint64_t m_BytesWritten = 0;
    std::int64_t m_Total = 0;
    std::int32_t m_BlockSize = 0;
    std::int32_t m_BlockCount = 0;
    std::int32_t m_BlockCountPerFile = 0;
    std::vector<convertix::ItemRecord> m_Items;
    std::vector<std::filesystem::path> m_SourceFiles;
    std::vector<std::filesystem::path> m_BlockFolders;
    std::vector<std::uint32_t> m_ValuePositions;
    std::vector<std::filesystem::path> m_ReplacedFolders;
    double m_LastPercent = 0.0;
};
