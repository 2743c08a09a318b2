#include "platform/ui/FilePicker.h"

#include <filesystem>
#include <mutex>
#include <system_error>

#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>

#include "platform/base/Encoding.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace ui {
namespace {

std::mutex g_filePickerResponderLock;
PickerResponder g_filePickerResponder;

PickerResponder CurrentFilePickerResponder() {
    std::lock_guard guard(g_filePickerResponderLock);
    return g_filePickerResponder;
}

bool IsFolder(const std::wstring& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(platform::ToPath(path), error);
}

wxWindow* Parent(Window* owner) {
    if (owner != nullptr && Window::SerialOf(owner) != 0 && owner->GetWx() != nullptr) {
        return owner->GetWx();
    }
    return wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
}

std::wstring ShowFolder(const PickerRequest& request, Window* owner) {
    std::wstring start = IsFolder(request.initialFolder) ? request.initialFolder
                         : IsFolder(request.rootFolder)  ? request.rootFolder
                                                         : std::wstring();
    wxDirDialog dialog(Parent(owner), wxString(request.title), wxString(start),
                       wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) {
        return {};
    }
    return dialog.GetPath().ToStdWstring();
}

std::wstring ShowFile(const PickerRequest& request, Window* owner) {
    const bool save = request.kind == PickerRequest::Kind::SaveFile;
    const long style = save ? (wxFD_SAVE | wxFD_OVERWRITE_PROMPT) : (wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    wxFileDialog dialog(Parent(owner), wxString(request.title), wxString(request.initialFolder), wxString(),
                        wxString(ToWildcard(request.filter)), style);
    if (dialog.ShowModal() != wxID_OK) {
        return {};
    }
    const std::wstring path = dialog.GetPath().ToStdWstring();
    return save ? WithDefaultExtension(path, request.defaultExtension) : path;
}

std::wstring Pick(const PickerRequest& request, Window* owner) {
    std::wstring chosen;
    const auto answered = CallOnUiThread([&]() -> LResult {
        if (const PickerResponder responder = CurrentFilePickerResponder()) {
            chosen = responder(request);
        } else {
            chosen = request.kind == PickerRequest::Kind::Folder ? ShowFolder(request, owner) : ShowFile(request, owner);
        }
        return 1;
    });
    return answered ? chosen : std::wstring();
}

std::wstring PickFile(PickerRequest::Kind kind, Window* owner, const std::wstring& title, const std::wstring& filter,
                      const std::wstring& defaultExtension, const std::wstring& initialFolder) {
    PickerRequest request;
    request.kind = kind;
    request.title = title;
    request.filter = filter;
    request.defaultExtension = defaultExtension;
    request.initialFolder = initialFolder;
    return Pick(request, owner);
}

}  // namespace

void SetPickerResponder(PickerResponder responder) {
    std::lock_guard guard(g_filePickerResponderLock);
    g_filePickerResponder = std::move(responder);
}

std::wstring BrowseForFolder(const std::wstring& title, Window* owner, const std::wstring& initialFolder,
                             const std::wstring& rootFolder) {
    PickerRequest request;
    request.kind = PickerRequest::Kind::Folder;
    request.title = title;
    request.initialFolder = initialFolder;
    request.rootFolder = rootFolder;
    return Pick(request, owner);
}

std::wstring OpenFileDialog(Window* owner, const std::wstring& title, const std::wstring& filter,
                            const std::wstring& defaultExtension, const std::wstring& initialFolder) {
    return PickFile(PickerRequest::Kind::OpenFile, owner, title, filter, defaultExtension, initialFolder);
}

std::wstring SaveFileDialog(Window* owner, const std::wstring& title, const std::wstring& filter,
                            const std::wstring& defaultExtension, const std::wstring& initialFolder) {
    return PickFile(PickerRequest::Kind::SaveFile, owner, title, filter, defaultExtension, initialFolder);
}

std::wstring ToWildcard(const std::wstring& filter) {
    std::wstring result = filter;
    while (!result.empty() && result.back() == L'|') {
        result.pop_back();
    }
    return result;
}

std::wstring WithDefaultExtension(const std::wstring& path, const std::wstring& defaultExtension) {
    std::wstring extension = defaultExtension;
    if (extension.rfind(L"*.", 0) == 0) {
        extension.erase(0, 2);
    } else if (extension.rfind(L".", 0) == 0) {
        extension.erase(0, 1);
    }
    if (extension.empty() || extension.find_first_of(L"*?") != std::wstring::npos || path.empty()) {
        return path;
    }
    const auto slash = path.find_last_of(L'/');
    const auto dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash + 1)) {
        return path;
    }
    return path + L"." + extension;
}

}  // namespace ui
