#pragma once
// CComtradeModel: the model behind the transient-event panes. It lists the COMTRADE
// records below a terminal folder's "COMTRADE" sub-folders (names
// "<xx>_<yyyymmdd>_<hhmmss>_<mmm>", filtered by the selection's time range) and,
// once a record is chosen, lets the waveform panes pull its series through the
// COMTRADE reader.

#include <cstdint>
#include <string>

#include "core/ZVTimeStamp.h"
#include "terminal/BasicInfo.h"
#include "terminal/CtrlItem.h"
#include "terminal/DataModel.h"
#include "terminal/Subject.h"

// One listed record: its time and its path below the folder root.
struct CComtradeListItem {
    CZVTimeStamp time;
    std::wstring path;
};

// What receives the listing (the transient-event list's manager).
class IComtradeRecordSink {
public:
    virtual ~IComtradeRecordSink() = default;
    virtual void AddRecord(const CComtradeListItem& item) = 0;
};

class CComtradeModel : public ISubject, public IDataModel {
public:
    CComtradeModel() = default;
    ~CComtradeModel() override;

    int CreateAnalysis(std::uint32_t flag) override;
    int GetSource(std::uint32_t* source) override;
    // The request handler; `request` is a CCtrlItem (0x002, 0x010, 0x200).
    int OpenData(void* request) override;
    // w0: phase; w4: 0 lists the records into w5 (an IComtradeRecordSink, reached
    // from the IZVDataManager word), 1-16 a series of the chosen record into w5.
    int GetData(QueryWord w0, QueryWord w1, QueryWord w2, QueryWord w3, QueryWord w4, QueryWord w5) override;
    // Loads the chosen record and fills its times, side-file values and wiring.
    int QueryBasicInfo(BasicInfo* info) override;

    // The file filter for listing records of a time span (CFileManager::SetFileFilter):
    // the context words are the start and the end time (64-bit, low word first); a
    // file whose name is a record name of a time from start to end, both included,
    // is taken. Either separator may come before the name.
    static int RecordFileFilter(std::uint32_t startLow, std::uint32_t startHigh, std::uint32_t endLow,
                                std::uint32_t endHigh, const std::wstring& relativeName);

    std::uint32_t GetScanScale() const { return m_ScanScale; }
    std::uint32_t GetFilesPerFolder() const { return m_FilesPerFolder; }
    const std::wstring& GetRoot() const { return m_Root; }
    const std::wstring& GetCurrentPath() const { return path; }

private:
    void OpenFolder(CCtrlItem& request);
    void ListRecords(IComtradeRecordSink& sink);

    std::wstring m_Root;
    BasicInfo m_RecordSet;
    std::uint32_t m_ScanScale = 10;
    std::uint32_t m_FilesPerFolder = 300;
};
