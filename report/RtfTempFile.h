#pragma once
// CRtfTempFile: the file the RTF report is written into. It is created beside the
// target under a fresh name made exclusively (never one that exists, so a report
// running at the same time or a file left behind is never written into), the
// process-wide writer (CRtfWriter) is attached to it and the document started; at
// the end the document is closed, flushed and renamed over the target. The target
// therefore only ever holds a complete report, and an existing report at the path
// is replaced only by a complete one.
//
// Every failure keeps the system's error number (GetError): the report tells the
// user "access denied" for EACCES and EROFS and "disk full" for ENOSPC and EDQUOT.
// Whatever happens, the temporary file does not outlive this object.

#include <functional>
#include <string>
#include <string_view>

#include "report/RtfWriter.h"

class CRtfTempFile {
public:
    // How the file is reached. Tests substitute it to make a call fail with a chosen
    // error number (as root, permissions alone do not); each function returns what
    // its system call returns and leaves errno set on failure.
    struct FileAccess {
        std::function<int(const std::string& path)> createExclusive;  // a descriptor, or -1
        std::function<long(int fd, const char* data, std::size_t size)> write;
        std::function<int(int fd)> sync;
        std::function<int(int fd)> close;
        std::function<int(const std::string& from, const std::string& to)> rename;
        std::function<int(const std::string& path)> remove;
    };
    static FileAccess DefaultFileAccess();

    // The font and colour lists the report's document declares.
    static constexpr std::wstring_view kFonts = L"Times New Roman;Arial;宋体;";
    static constexpr std::wstring_view kColors = L"0;0;0;255;0;0;192;192;192;255;255;255";

    CRtfTempFile();
    explicit CRtfTempFile(FileAccess access);
    ~CRtfTempFile();
    CRtfTempFile(const CRtfTempFile&) = delete;
    CRtfTempFile& operator=(const CRtfTempFile&) = delete;

    // Creates the temporary file in the target's folder and opens the writer on it
    // with the report's fonts and colours (the header is written). 1 when open; 0
    // when a file is open already (nothing changes); -1 when no file could be
    // created and -2 when the header could not be written (the file is removed
    // again); GetError tells why.
    int Open(const std::wstring& targetPath);
    bool IsOpen() const { return !m_Path.empty(); }
    // The temporary file's path (UTF-8); empty while none is open.
    const std::string& GetPath() const { return m_Path; }

    // Whether everything written so far reached the file.
    bool Healthy() const { return m_Error == 0; }
    // The error number of the first failure; 0 when there was none.
    int GetError() const { return m_Error; }

    // Closes the document (trailer), flushes it and renames it to the target; then
    // destroys the writer. 0 on success, else the error number of the first failure,
    // and the temporary file is removed; -1 when no file was open.
    int CloseAndCopy(const std::wstring& targetPath);
    // Closes the writer without finishing the document and removes the file.
    void Discard();

private:
    class Output : public IRtfOutput {
    public:
        explicit Output(CRtfTempFile& owner) : m_Owner(owner) {}
        bool Write(std::string_view bytes) override;
        bool Close() override;

    private:
        CRtfTempFile& m_Owner;
    };

    void NoteError(int error);
    void CloseDescriptor();
    void RemoveFile();

    FileAccess m_Access;
    Output m_Output{*this};
    std::string m_Path;
    int m_Fd = -1;
    int m_Error = 0;
};
