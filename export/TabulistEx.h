#pragma once
// ITabulistEx: the base of the table exporters. The main frame's export command
// makes one exporter per export (CComtradeTabulist for a COMTRADE record,
// CRecordTabulist for statistic records), sets its mode and progress sink, calls
// Export on its worker thread and then asks how many files were written and under
// which name. Each group of channels or items becomes one ".csv" file written
// through the table library.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "export/ExportSource.h"

// Receives the export's progress in percent (0-100).
using TabulistProgress = std::function<void(double)>;

class ITabulistEx {
public:
    // Results of Export.
    static constexpr int kExported = 0;
    static constexpr int kNothingToExport = 1;
    static constexpr int kFailed = 2;  // a group could not be written; the files before it stay

    ITabulistEx() = default;
    virtual ~ITabulistEx();
    ITabulistEx(const ITabulistEx&) = delete;
    ITabulistEx& operator=(const ITabulistEx&) = delete;

    // Writes the source's groups into the folder, one file each, and returns one of
    // the results above.
    virtual int Export(const ExportSource& source, const std::wstring& folder) = 0;

    void SetProgressCallback(TabulistProgress sink) { m_Progress = std::move(sink); }
    // The last file written, without its ".csv".
    std::wstring GetName() const { return m_Name; }
    // The files the last export wrote.
    int GetCount() const { return m_Count; }
    // Why the last export failed when a file could not be saved (errno, ENOSPC when
    // the disk is full); 0 otherwise.
    int GetError() const { return m_Error; }
    void SetMode(int mode) { m_Mode = mode; }

protected:
    // Channels [first, end) of the source and the share of the progress they take.
    struct Group {
        std::size_t first = 0;
        std::size_t end = 0;
        double base = 0.0;
        double span = 0.0;
    };

    // What one group's file holds besides the samples.
    struct GroupTable {
        std::wstring title;  // the table's name inside the file
        std::wstring name;   // the file's name and the busy indicator's text
        std::vector<std::wstring> columns;
        bool microseconds = false;
        std::int64_t rows = 0;  // samples to write
        double interval = 0.0;  // seconds between rows
        bool zeroIsMissing = false;  // a value of 0.0 is written as an empty cell
    };

    // Fills the description of one group; false when the group cannot be written.
    virtual bool DescribeGroup(const ExportSource& source, const Group& group, GroupTable& table) = 0;

    // Writes the groups [first, end) in order, sharing the progress evenly; stops at
    // the first group that cannot be written.
    int ExportGroups(const ExportSource& source, const std::wstring& folder,
                     const std::vector<std::pair<std::size_t, std::size_t>>& ranges);
    void ReportProgress(double percent);

    int m_Mode = -1;

private:
    bool WriteGroup(const ExportSource& source, const Group& group, const GroupTable& table, const std::wstring& folder);

    TabulistProgress m_Progress;
    std::wstring m_Name;
    int m_Count = 0;
    int m_Error = 0;
};
