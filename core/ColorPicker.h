#pragma once
// CColorPicker: the colour-scheme store, the one way into "color.cfg" in the program
// folder, where every chart finds the colours of its curves, bars and markers.
//
// The file has one section per page kind (the k... section names below). In a page
// section a key names one item colour; its value is "RGB(r,g,b)" or the name of a
// colour listed in the section "ColorSchemes". Beside each item key, "Default"
// followed by the key holds the item's factory colour (read, never written).
// Colours are 32-bit values with red in the low byte, then green, then blue.
//
// How to use it: hold a store as a member, Open() it once on the page kind, then ask
// GetItemColor() (views, reports) or ReadColor() (literal keys, the scheme sheet)
// while drawing. Reads are cheap: the parsed file is kept until the file changes on
// disk (its size, modification time or inode) or any store of this process writes,
// so a paint never re-reads an unchanged file and a saved colour is seen by the next
// read of every store. Reading never writes.
//
// A store object belongs to one thread at a time; several objects, on any threads,
// may use the file at once.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include "platform/base/PrivateProfile.h"

class CColorPicker {
public:
    // The page kinds, each a section of the file.
    static constexpr const wchar_t* kVoltageCurrent = L"V&C";
    static constexpr const wchar_t* kFrequency = L"Freq";
    static constexpr const wchar_t* kHarmonic = L"Harmonic";
    static constexpr const wchar_t* kFluctuationFlicker = L"Fluct&Flicker";
    static constexpr const wchar_t* kPowerEnergy = L"Power&Energy";
    static constexpr const wchar_t* kUnbalance = L"Unbalance";
    // Named colours that values may refer to; never written.
    static constexpr const wchar_t* kSchemesSection = L"ColorSchemes";
    // Prefix of the factory colour key of an item ("DefaultAmax").
    static constexpr const wchar_t* kDefaultPrefix = L"Default";

    // Item codes of MakeItemKey: 0 to 51 harmonic orders, then THD, DC and K factor;
    // kNoItem (any code above 54) builds the key from the phase and statistic masks.
    static constexpr int kItemThd = 52;
    static constexpr int kItemDc = 53;
    static constexpr int kItemKFactor = 54;
    static constexpr int kNoItem = -1;

    // Pure red: every item colour while the store is closed, and the colour of a value
    // that neither names a colour nor reads as "RGB(r,g,b)" when "Red" does not help.
    static constexpr std::uint32_t kFallbackColor = 255;

    // One colour of a batch write: page kind (section), key and colour.
    struct Entry {
        std::wstring section;
        std::wstring key;
        std::uint32_t color = 0;
    };

    // How the store reaches its file. Tests substitute it to count reads or to make
    // writes fail; the default reads the file whole and writes through CIni.
    struct FileAccess {
        std::function<std::optional<std::string>(const std::filesystem::path&)> read;
        // All entries in one replace of the file; false when nothing was written.
        std::function<bool(const std::filesystem::path&, const std::vector<platform::ProfileEntry>&)> write;
    };
    static FileAccess DefaultFileAccess();

    CColorPicker();
    explicit CColorPicker(FileAccess access);
    virtual ~CColorPicker();
    CColorPicker(const CColorPicker&) = delete;
    CColorPicker& operator=(const CColorPicker&) = delete;

    // "color.cfg" in the program folder.
    static std::filesystem::path SchemeFile();

    // Sets the section that every later item read and write uses and checks that the
    // file exists (it is never created). Returns 1 and opens the store when it does,
    // else 0 and the store stays closed. May be called again for another section.
    int Open(const std::wstring& section);
    bool IsOpen() const { return m_open != 0; }
    const std::wstring& Section() const { return m_section; }

    // The colour of a key of the current section: an absent key takes the colour named
    // "Red", a value naming a colour of "ColorSchemes" takes that colour. 0 with the
    // out untouched when closed, else 1.
    int ReadColor(const std::wstring& key, std::uint32_t& color) const;
    // The same for the key's factory colour ("Default" followed by the key).
    int ReadDefaultColor(const std::wstring& key, std::uint32_t& color) const;
    // Writes "RGB(r,g,b)" under the key of the current section. 1 when the file was
    // replaced, 0 when closed or the write failed (the file is then as it was).
    int WriteColor(const std::wstring& key, std::uint32_t color);
    // Writes all entries, of any sections, with one replace of the file: every colour
    // or, on failure (0, also when closed), none. For the scheme sheet's save.
    int WriteColors(const std::vector<Entry>& entries);

    // The key of an item. Codes 0 to 54 (compared as unsigned) are the harmonic family:
    // "HARM<n>", "THD", "DC", "KF". Any other code gives a phase prefix ("A", "B", "C",
    // "N", "ALL" for masks 1, 2, 4, 8, 16; none otherwise) and a statistic suffix
    // ("max", "min", "avg", "cp95", "rms", "org" for masks 1 to 32; none otherwise).
    static std::wstring MakeItemKey(int phaseMask, int statisticMask, int itemCode);
    // The item's colour, kFallbackColor when closed.
    std::uint32_t GetItemColor(int phaseMask, int statisticMask, int itemCode) const;
    // The item's factory colour, kFallbackColor when closed.
    std::uint32_t GetItemDefaultColor(int phaseMask, int statisticMask, int itemCode) const;
    // Writes the item's colour; 1 on success, 0 when closed or the write failed.
    int SetItemColor(std::uint32_t color, int phaseMask, int statisticMask, int itemCode);
    // The harmonic histogram colours "HARMmax", "HARMmin" and "HARMavg"; 0 with the
    // outs untouched when closed, else 1.
    int GetHarmColors(std::uint32_t& maxColor, std::uint32_t& minColor, std::uint32_t& avgColor) const;

    // "RGB(r,g,b)" of the colour's low, middle and high bytes.
    static std::wstring FormatColor(std::uint32_t color);
    // Three decimal integers by the pattern "RGB(%d,%d,%d)", each kept to its low 8
    // bits; nothing when the text does not hold all three.
    static std::optional<std::uint32_t> ParseColor(std::wstring_view text);

private:
    // What the file was when the cache was filled.
    struct FileStamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        std::int64_t modified = 0;  // nanoseconds
        std::uint64_t writes = 0;   // the process's store writes until then
        bool operator==(const FileStamp&) const = default;
    };

    const platform::ProfileSnapshot& Snapshot() const;
    std::optional<std::wstring> Lookup(std::wstring_view section, std::wstring_view key) const;

    std::filesystem::path m_path;
    std::wstring m_section;
    int m_open = 0;
    FileAccess m_access;
    mutable std::optional<FileStamp> m_stamp;  // nothing: the cache is empty
    mutable platform::ProfileSnapshot m_snapshot;
};
