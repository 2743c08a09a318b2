#pragma once
// COndravaLog: the program's diagnostic log "OndravaLog.log" in the program folder,
// one dated line per message ("%Y-%m-%d  %H:%M:%S >> " then the text and CR LF).
// Created on first use from any thread; Release closes it at exit, after which
// writes are ignored. The object itself outlives Release, so a thread that still
// holds the pointer writes into a closed log rather than into freed memory.

#include <string>

class CLogFile;

class COndravaLog {
public:
    static COndravaLog* GetInstance();
    static void Release();

    void Write(const std::wstring& message);

    virtual ~COndravaLog();
    COndravaLog(const COndravaLog&) = delete;
    COndravaLog& operator=(const COndravaLog&) = delete;

private:
    COndravaLog();
    CLogFile* m_file;
};
