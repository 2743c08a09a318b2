#pragma once
// CFtpClient: the FTP side of a network terminal. Folder walks and sizes come from
// the server's listings (our own parsing), file times from MDTM. Every name a
// listing gives is checked before it is used: a name that is not one plain path
// component fails the copy with kErrorInvalidName instead of being written
// anywhere (RefusedName() then says which name it was). Remote paths use "/"
// between folders and start at the login folder.
//
// File times: a terminal keeps one clock without a time zone and its server
// reports that clock's reading. The times here are those readings taken as
// UTC fields (seconds since 1970 of the terminal's wall clock), and the record
// times they are compared with are converted the same way, so neither side is
// shifted by the PC's time zone.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "core/ZVBoardInfo.h"
#include "platform/net/FtpConnection.h"

class IProgressRunner;

class CFtpClient {
public:
    CFtpClient();
    virtual ~CFtpClient();
    CFtpClient(const CFtpClient&) = delete;
    CFtpClient& operator=(const CFtpClient&) = delete;

    // One login attempt on a dotted IPv4 host; 1 when logged in.
    int Open(const std::wstring& host, std::uint16_t port, const std::wstring& user, const std::wstring& password);
    void Close();
    bool IsConnected() const { return m_connected; }

    // 1 when the folder can be listed ("" or "/" is the login folder).
    int SetCurrentDirectory(const std::wstring& path);
    // 1 when the current folder holds a file of that name.
    int FindFile(const std::wstring& name);
    // 1 when the path names a file (its name compared without regard to case).
    int FileExists(const std::wstring& path);
    // The sub-folders of a folder; 1 when it could be listed and held entries.
    // Names that are not plain components are left out.
    int ListSubfolders(const std::wstring& folder, std::vector<std::wstring>& names);
    // Adds the sizes and count of every file below the folder; 0 or an error code.
    // Names that are not plain components are passed over: nothing is fetched for
    // them.
    int GetFolderSize(const std::wstring& folder, std::uint64_t& total, std::uint64_t& count);
    // Fetches one file into the local folder under its own name; 0 or an error code.
    int GetFile(const std::wstring& remotePath, const std::wstring& localFolder, int failIfExists);
    // Copies the folder tree into the local folder; 0, an error code, or
    // kErrorCancelled once the cancel flag is set.
    int CopyFolder(const std::wstring& remote, const std::wstring& local, int failIfExists);
    // Every file below the folder with its time (see above) and its path.
    int ListFilesRecursive(const std::wstring& folder, std::vector<CZVBoardInfo>& files);
    // CopyFolder under the progress runner; 0, -1 when not connected or
    // cancelled, else an error code. total: the number of files.
    int DownloadWithProgress(const std::wstring& remote, const std::wstring& local, std::uint64_t total,
                             int failIfExists);
    // Creates the local folder and its missing parents.
    static void MakeFolderPath(const std::wstring& path);

    void SetProgressRunner(IProgressRunner* progress) { m_progress = progress; }
    void SetListingLimits(const net::FtpListingLimits& limits) { m_connection.SetListingLimits(limits); }

    // The error of the first listing since the last reset that broke off (the
    // connection dropped, the server stalled or sent more than any terminal
    // lists); 0 when none did. A folder the server lacks or refuses is no such
    // failure.
    int GetListingFailure() const { return m_listingFailure; }
    void ResetListingFailure() { m_listingFailure = 0; }
    // How many listings broke off since the client was made.
    std::uint64_t BrokenListings() const { return m_brokenListings; }
    // The remote path that made the last copy fail with kErrorInvalidName: a name
    // that is not a plain component, or a folder nested deeper than any terminal's.
    const std::wstring& RefusedName() const { return m_refused; }

private:
    struct Entry {
        std::wstring name;
        bool directory = false;
        bool safe = true;
        std::uint64_t size = 0;
    };
    int List(const std::wstring& folder, std::vector<Entry>& entries);
    // The listing of a folder depth levels down; deeper than a terminal nests is refused.
    int ListAt(const std::wstring& folder, std::vector<Entry>& entries, int depth);
    int FetchFile(const std::wstring& remotePath, const std::wstring& localFile, std::uint64_t expectedSize,
                  bool knowsSize, int failIfExists);
    int CopyFolderAt(const std::wstring& remote, const std::wstring& local, int failIfExists, int depth);
    int FolderSizeAt(const std::wstring& folder, std::uint64_t& total, std::uint64_t& count, int depth);
    int FilesAt(const std::wstring& folder, std::vector<CZVBoardInfo>& files, int depth);
    std::string Encode(const std::wstring& path) const;
    std::wstring Decode(const std::string& name);
    IProgressRunner& Progress() const;

    net::FtpConnection m_connection;
    bool m_connected = false;
    std::wstring m_host;
    std::wstring m_currentDirectory;
    // Set once a listing held a name that is not UTF-8: the server speaks CP936.
    bool m_gbkNames = false;
    IProgressRunner* m_progress = nullptr;
    std::atomic<std::int32_t> m_cancel{0};
    std::wstring m_remote;
    std::wstring m_local;
    int m_failIfExists = 0;
    int m_result = 0;
    int m_listingFailure = 0;
    std::uint64_t m_brokenListings = 0;
    std::wstring m_refused;
};
