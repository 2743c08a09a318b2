#pragma once
// The record-analysis library Sampolyx: opens a raw waveform record (a folder holding
// "<base>.cfg" and "<base>.data"), analyses it interval by interval through the
// computation library zv, keeps the results as data sets keyed by kind, index and
// sub-index, and reports progress to a sink of the caller.
//
// Calling order: Sampolyx_CreateDataPool; Close; SetOption; SetCallback; Analyse with
// the record folder; the getters, FindDataSet and the data-set managers; Release. The
// pool and its data-set managers belong to the library: the caller never deletes them.
// No exception leaves the library: failures are false, -1, 0.0 or null results.

#include <cstdint>
#include <string>

#define SAMPOLYX_API __attribute__((visibility("default")))

// Progress of an analysis: event 1005 with code 502 and the number of chunks before the
// first chunk, then code 0 with the number of chunks done, the last one when all are.
inline constexpr int kSampolyxProgressEvent = 1005;
inline constexpr int kSampolyxProgressChunks = 502;
inline constexpr int kSampolyxProgressDone = 0;

// What the last Open or Analyse found in the record's configuration file
// (GetConfigGrade): sound; usable with values a terminal does not write (the
// values shown may be off); damaged (the record was refused); not read.
inline constexpr int kSampolyxConfigSound = 0;
inline constexpr int kSampolyxConfigUnusual = 1;
inline constexpr int kSampolyxConfigDamaged = 2;
inline constexpr int kSampolyxConfigNotRead = -1;

class IAnalysisProgressSink {
public:
    // The return value is ignored.
    virtual int OnEvent(int event, int code, std::intptr_t data) = 0;

protected:
    ~IAnalysisProgressSink() = default;
};

// Reads one data set in steps of `step` values, one aggregated value per step.
class IDataSetManager {
protected:
    virtual ~IDataSetManager() = default;

public:
    // Type 0: maximum (minimum when the mode is not 0); 1: mean (average flag 1) or RMS
    // (flag 0); 2: minimum (maximum when the mode is not 0); 3: the value at the step's
    // start. False when the step lies outside the range or lacks values.
    virtual bool ReadBlock(std::int64_t position, float* out, int type) = 0;
    virtual std::int64_t GetPointCount() = 0;
    virtual void SetStep(int step) = 0;
    virtual void SetFlag(int flag) = 0;
    virtual void SetMode(int mode) = 0;
    // Values outside the data set are replaced by its bounds and written back; true when
    // at least one of the two was taken.
    virtual bool SetRange(std::int64_t* first, std::int64_t* last) = 0;
    virtual bool GetRange(std::int64_t* start, std::int64_t* end) = 0;
};

class ISampolyxDataPool {
protected:
    virtual ~ISampolyxDataPool() = default;

public:
    virtual int GetSampleRate() = 0;
    // Nanoseconds since 1970 of the record's local start time; -1 without a record.
    virtual std::int64_t GetStartTime() = 0;
    // Waveform of a channel: voltages in the first half of the channels, currents after.
    virtual IDataSetManager* GetDataSet(int channel) = 0;
    virtual IDataSetManager* FindDataSet(int kind, int index, int subIndex) = 0;
    virtual int GetDataSetCount(int kind, int index) = 0;
    virtual int GetRecordCount() = 0;
    virtual int GetPointsPer200ms() = 0;
    virtual double GetNominalFrequency() = 0;
    // Copies the 1196-byte record configuration block.
    virtual bool GetConfigBlock(unsigned char* destination) = 0;
    virtual int GetIntervalCount() = 0;
    virtual bool Analyse(const std::wstring& folder) = 0;
    virtual bool Open(const std::wstring& folder) = 0;
    virtual bool Close() = 0;
    virtual int SetOption(int id, int value, int unused) = 0;
    virtual void SetCallback(IAnalysisProgressSink* sink) = 0;
    virtual void Release() = 0;
    // One of kSampolyxConfig...: what the last Open or Analyse found in the record's
    // configuration file.
    virtual int GetConfigGrade() = 0;
};

extern "C" {
// A new, empty pool, or null when it cannot be made.
SAMPOLYX_API ISampolyxDataPool* Sampolyx_CreateDataPool();
}
