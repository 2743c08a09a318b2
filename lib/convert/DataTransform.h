#pragma once
// IDataTransform: the conversion library's one object. The program drives it as
// SetPath (output folder), DeleteDataFiles when SetPath answered 1,
// SetProgressCallback, Convert (the terminal's statistic folder) and Release.
// Progress arrives on the thread that called Convert, as a percentage.

#include <string>

// Receives the progress of a conversion in percent.
using TransProgressCallback = void (*)(double percent);

// Results of Convert.
enum ConvertResult : int {
    kConvertOk = 0,           // converted; "pre_convert" = "1" has been written
    kConvertBadInput = 2,     // no block files, or statistic.cfg / itemInfo.ini do not describe them
    kConvertIoFailure = 4,    // a file could not be read, created, written or put in place
    kConvertOldFormat = 5,    // statistic.cfg lacks "BlockTypeCount": data of an older format
    kConvertNotRegular = 6,   // a block file is not a regular file (a pipe, a device, a link to one)
    kConvertReadOnly = 7,     // the output folder cannot be written (read-only medium, no permission)
    kConvertDiskFull = 8,     // the output's disk (or the user's quota) is full
    kConvertPathTooLong = 9,  // an output path is longer than the system accepts
    kConvertNoMemory = 10,    // memory ran out
};

class IDataTransform {
public:
    // 1 when `folder` already holds item files ("*.data"), else 0.
    virtual int SetPath(std::wstring folder) = 0;
    // Null switches reporting off.
    virtual void SetProgressCallback(TransProgressCallback callback) = 0;
    virtual int Convert(std::wstring folder) = 0;
    // Marks the item files of `folder` for removal: they go when a conversion has
    // written their replacements, so a failed conversion leaves them as they were.
    // 1 when they can be removed (or there are none), 0 otherwise.
    virtual int DeleteDataFiles(std::wstring folder) = 0;
    // Destroys the object.
    virtual void Release() = 0;

protected:
    ~IDataTransform() = default;
};

extern "C" {
// A new converter, or null when it cannot be made. The caller ends it with Release.
__attribute__((visibility("default"))) IDataTransform* GetTransInstance();
}
