#pragma once
// Where the converted item files of a terminal folder go and are read from. They go
// into the folder itself ("Statistic/newfiles") where it can be written; a folder on
// a read-only medium, or one whose paths grow too long, has them in the user's cache
// instead: $XDG_CACHE_HOME/ondrava/ (default ~/.cache/ondrava/), one folder per
// terminal folder, keyed by its full path, with a marker saying the conversion there
// is complete. No display is needed here: the program passes the converter in.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "lib/convert/DataTransform.h"

namespace converted {

// The cache folder of all terminal folders.
std::filesystem::path CacheRoot();
// The cache folder of one terminal folder (its name and a hash of its full path).
std::filesystem::path CacheFolderOf(const std::filesystem::path& terminalFolder);
// The item files of a terminal folder converted into the cache, when the cache holds
// a complete conversion of that folder.
std::optional<std::filesystem::path> CachedItemFolder(const std::filesystem::path& terminalFolder);

// Whether a new file can be made in `folder`. Tests replace the probe: a test that
// runs as root cannot make a folder read-only by its permissions.
bool CanWriteInto(const std::filesystem::path& folder);
using WriteProbe = bool (*)(const std::filesystem::path& folder);
void SetWriteProbe(WriteProbe probe);  // null: the real probe

// Converts the statistic data of `terminalFolder` into `itemFolder` (the folder's own
// item folder) or, where that cannot be written, into the cache. `makeConverter`
// gives a converter (null: none could be made). The result is a ConvertResult, or -1
// when no converter could be made; on success `usedFolder` is where the item files
// went.
int ConvertInto(const std::filesystem::path& terminalFolder, const std::filesystem::path& itemFolder,
                const std::function<IDataTransform*()>& makeConverter, TransProgressCallback progress,
                std::filesystem::path& usedFolder);

}  // namespace converted
