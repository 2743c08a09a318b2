#pragma once
// File and folder pickers. Tests install a responder that answers in place of the
// user; without one the toolkit's dialogs are shown (user-interface thread).

#include <functional>
#include <string>

namespace ui {

class Window;

struct PickerRequest {
    enum class Kind { Folder, OpenFile, SaveFile };
    Kind kind = Kind::Folder;
    std::wstring title;
    std::wstring initialFolder;
    std::wstring rootFolder;     // folders only
    std::wstring filter;         // files: "text|pattern|text|pattern|" (a closing "|" is allowed)
    std::wstring defaultExtension;
};

// The chosen path, or empty for a cancel.
using PickerResponder = std::function<std::wstring(const PickerRequest&)>;
void SetPickerResponder(PickerResponder responder);

// The folder dialog: existing file-system folders only, no new-folder button. A
// non-empty root is where the dialog opens when the initial folder does not exist;
// an existing initial folder is selected when it opens. The chosen folder's path,
// or empty when the user cancels.
std::wstring BrowseForFolder(const std::wstring& title, Window* owner, const std::wstring& initialFolder,
                             const std::wstring& rootFolder);

// The open and save dialogs. The default extension ("jpg" or "*.jpg") is added to a
// name typed without one; the save dialog asks before overwriting.
std::wstring OpenFileDialog(Window* owner, const std::wstring& title, const std::wstring& filter,
                            const std::wstring& defaultExtension, const std::wstring& initialFolder);
std::wstring SaveFileDialog(Window* owner, const std::wstring& title, const std::wstring& filter,
                            const std::wstring& defaultExtension, const std::wstring& initialFolder);

// The filter in the toolkit's form (no empty closing pairs).
std::wstring ToWildcard(const std::wstring& filter);
// The name with the default extension added when it has none.
std::wstring WithDefaultExtension(const std::wstring& path, const std::wstring& defaultExtension);

}  // namespace ui
