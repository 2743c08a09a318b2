#include "device/CommunicationBase.h"

#include "device/RecordTimes.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

int ICommunicationBase::SetDevice(const CZVDeviceInfo&, int, IProgressRunner*) { return 0; }
int ICommunicationBase::Connect() { return 0; }
int ICommunicationBase::Verify() { return 0; }
int ICommunicationBase::Disconnect() { return 0; }
int ICommunicationBase::ListFolders(std::vector<ZVFolderInfo>&) { return 0; }
int ICommunicationBase::ListScreenFiles(const std::wstring&, int) { return 0; }
int ICommunicationBase::CopyFiles(const std::wstring&, const std::wstring&, int) { return 0; }
int ICommunicationBase::GetSnapshots(const ZVFolderInfo&, const std::wstring&, const SystemTime&, const SystemTime&) {
    return 0;
}
int ICommunicationBase::ReadRecordTimes(const ZVFolderInfo&, const std::wstring&, SystemTime&, SystemTime&) {
    return 0;
}
int ICommunicationBase::DownloadRecord(const ZVFolderInfo&, const std::wstring&) { return 0; }
bool ICommunicationBase::IsRecordLocked(const ZVFolderInfo&) { return false; }
int ICommunicationBase::GetListingError() { return 0; }
std::wstring ICommunicationBase::GetRefusedName() { return {}; }

std::wstring LocalRecordFolder(const ZVFolderInfo& folder, const std::wstring& localFolder) {
    return platform::FromPath(platform::ToPath(localFolder) / platform::ToPath(folder.GetFolderName(1)));
}

int ReadDownloadedRecordTimes(const ZVFolderInfo& folder, const std::wstring& localFolder, SystemTime& start,
                              SystemTime& end) {
    const auto file = platform::ResolveNoCase(platform::ToPath(LocalRecordFolder(folder, localFolder)), kRecordInfoFile);
    return ReadRecordTimeFile(platform::FromPath(file), start, end);
}
