#pragma once
// IDataModel: the lazy holder of one reader and of the folder it reads. A model
// loads on the first data query and releases through its reader.

#include <array>
#include <cstdint>
#include <string>

#include "terminal/DevFileAnalysis.h"

class IDataModel {
public:
    IDataModel() = default;
    virtual ~IDataModel();
    IDataModel(const IDataModel&) = delete;
    IDataModel& operator=(const IDataModel&) = delete;

    virtual int CreateAnalysis(std::uint32_t flag) = 0;
    virtual int GetSource(std::uint32_t* source) = 0;
    // The request that opens data (a controller item; its type belongs to the controller).
    virtual int OpenData(void* request) = 0;
    virtual int Release();
    virtual int GetData(QueryWord w0, QueryWord w1, QueryWord w2, QueryWord w3, QueryWord w4, QueryWord w5);
    virtual int QueryBasicInfo(BasicInfo* info) = 0;
    virtual IDevFileAnalysis* GetAnalysis();

protected:
    // Owned by the derived model, which deletes it; this base only releases it.
    IDevFileAnalysis* analysis = nullptr;
    std::array<std::uint32_t, 14> query{};
    std::wstring path;
    std::uint32_t loaded = 0;
};
