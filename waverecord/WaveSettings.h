#pragma once
// CWaveSettings: the three analysis windows of the waveform-record window, kept in
// "WaveSystem.ini" (section "WAVE_CONFIG") in the program folder. One reader for the
// whole program: the analysis manager, the settings dialog, the raw-waveform frame
// and the statistic views all read through it, and only the dialog writes.
//
// The file's values are cached. The cache is filled on first use, replaced by
// Reload (the analysis manager reloads whenever it opens a record, so hand edits
// count from the next record on) and updated by Write in the same lock as the file
// is written, so every reader sees what the dialog stored at once.
//
// Units: the RMS window in half cycles, the harmonic window in 200 ms intervals, the
// flicker (Pst) window in minutes. A record of N intervals of W cycles each allows
// an RMS window of 2 .. 2·N·W half cycles, a harmonic window of 1 .. N intervals and
// a Pst window of 1 .. 10 minutes. Values outside are replaced by the defaults.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

struct WaveAnalysisSettings {
    static constexpr std::int64_t kDefaultRms = 20;
    static constexpr std::int64_t kDefaultHarm = 1;
    static constexpr std::int64_t kDefaultPst = 1;

    std::int64_t rms = kDefaultRms;    // half cycles
    std::int64_t harm = kDefaultHarm;  // 200 ms intervals
    std::int64_t pst = kDefaultPst;    // minutes
};

enum class WaveSetting { Rms, Harm, Pst };

// Result of checking one value against its range.
enum class WaveSettingCheck { Valid = 0, TooSmall = 1, TooLarge = 2 };

// The ranges the settings of one record must lie in.
struct WaveSettingBounds {
    // Cycles of one 200 ms interval at the nominal frequency, rounded half up (10 at
    // 50 Hz, 12 at 60 Hz); 0 without a record or below 2.5 Hz.
    std::int64_t cyclesPerInterval = 0;
    std::int64_t rmsMin = 2, rmsMax = 0;
    std::int64_t harmMin = 1, harmMax = 0;
    std::int64_t pstMin = 1, pstMax = 10;

    // For a record of `intervals` 200 ms intervals at the nominal frequency (Hz; not
    // positive without a record).
    static WaveSettingBounds For(std::int64_t intervals, double nominalFrequency);

    WaveSettingCheck Check(WaveSetting which, std::int64_t value) const;
    // The value when it is valid, else the setting's default.
    std::int64_t Correct(WaveSetting which, std::int64_t value) const;
};

class CWaveSettings {
public:
    static constexpr const wchar_t* kFileName = L"WaveSystem.ini";
    static constexpr const wchar_t* kSection = L"WAVE_CONFIG";
    static constexpr const wchar_t* kRmsKey = L"RmsAnalysis";
    static constexpr const wchar_t* kHarmKey = L"HarmAnalysis";
    static constexpr const wchar_t* kPstKey = L"PstAnalysis";

    // The program's one instance, over "WaveSystem.ini" in the program folder.
    static CWaveSettings& Instance();

    // Over another file (tests).
    explicit CWaveSettings(std::wstring path);
    CWaveSettings(const CWaveSettings&) = delete;
    CWaveSettings& operator=(const CWaveSettings&) = delete;

    // The values as stored: the defaults for missing keys, unchecked. A value that
    // is not a number reads as 0, a negative one as a large number (the keys are
    // unsigned), so both fall outside every range.
    WaveAnalysisSettings Stored();
    // The stored values corrected for a record; the file is not touched.
    WaveAnalysisSettings Corrected(std::int64_t intervals, double nominalFrequency);
    // Reads the file again.
    void Reload();
    // The dialog's confirmation: each value that is given and not below its
    // setting's minimum is written (upper bounds depend on the record and are
    // checked by readers); the others keep what the file holds. False when a write
    // failed; the cache then keeps the file's value for that key.
    bool Write(std::optional<std::int64_t> rms, std::optional<std::int64_t> harm, std::optional<std::int64_t> pst);

    const std::wstring& Path() const { return m_path; }

private:
    void LoadLocked();

    std::wstring m_path;
    std::mutex m_lock;
    bool m_loaded = false;
    WaveAnalysisSettings m_stored;
};
