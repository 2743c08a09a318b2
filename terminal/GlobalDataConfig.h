#pragma once
// CGlobalDataConfig: the kind of terminal whose folder is open, process-wide. The
// statistic readers ask it where the statistic files of the folder live.

#include <cstdint>
#include <filesystem>
#include <string>

#include <boost/serialization/singleton.hpp>

class CGlobalDataConfig {
public:
    enum Kind : std::uint32_t { Unknown = 0, K7700 = 1, K7800 = 2, K7900 = 3 };

    std::uint32_t GetKind() const { return m_Kind; }
    void SetKind(std::uint32_t kind) { m_Kind = kind; }

    // Sets the kind from "DeviceType" (section "cfg") of the folder's
    // "recordinfo.cfg": the first of "K7700", "K7800" and "K7900" found anywhere in
    // the upper-cased value. True when one was found; false with the kind Unknown
    // when none was, and false with the kind unchanged when the file is missing.
    bool ReadDeviceType(const std::wstring& folder);

    // The statistic sub-folder relative to the terminal folder: "Statistic" for
    // unrecognised and K7900 data, "Statistic/newfiles" for K7700 and K7800 (their
    // converted item files), empty for any other kind; with the flag a separator is
    // appended (also to the empty text).
    std::wstring GetStatisticPath(bool withSeparator) const;
    // The converted item files of `terminalFolder` live in `itemFolder` (the user's
    // cache, for a folder that cannot be written); an empty folder forgets it.
    void SetItemFolder(const std::wstring& terminalFolder, const std::wstring& itemFolder);
    // The folder the statistic readers read for `terminalFolder`: its statistic
    // sub-folder (found without regard to case), or the item folder set for it.
    std::filesystem::path StatisticFolderOf(const std::filesystem::path& terminalFolder) const;

private:
    std::uint32_t m_Kind = Unknown;
    std::wstring m_ItemFolderOwner;
    std::wstring m_ItemFolder;
};

using GlobalDataConfig = boost::serialization::singleton<CGlobalDataConfig>;
