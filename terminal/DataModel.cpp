#include "terminal/DataModel.h"

IDataModel::~IDataModel()
{
    loaded = 0;
    if (analysis != nullptr) {
        analysis->ReleaseFile();
    }
}

int IDataModel::Release()
{
    if (analysis == nullptr) {
        return 1;
    }
    loaded = 0;
    return analysis->ReleaseFile();
}

int IDataModel::GetData(QueryWord w0, QueryWord w1, QueryWord w2, QueryWord w3, QueryWord w4, QueryWord w5)
{
    if (analysis == nullptr) {
        return 0;
    }
    if (loaded == 0) {
        loaded = analysis->LoadFile(path, 0) != 0 ? 1 : 0;
        if (loaded == 0) {
            analysis->ReleaseFile();
            return 0;
        }
    }
    return analysis->GetData(w0, w1, w2, w3, w4, w5);
}

IDevFileAnalysis* IDataModel::GetAnalysis()
{
    return analysis;
}
