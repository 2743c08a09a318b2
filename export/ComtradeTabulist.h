#pragma once
// CComtradeTabulist: exports the sampled channels of an open COMTRADE record, one
// file per phase set (channels whose order keys rise), one row per sample instant,
// times to the microsecond. Effective-value groups hold one value per 64 samples.

#include "export/TabulistEx.h"

class ISimpleDataManager;

class CComtradeTabulist : public ITabulistEx {
public:
    CComtradeTabulist() = default;
    ~CComtradeTabulist() override = default;

    int Export(const ExportSource& source, const std::wstring& folder) override;

    // True when the supplier holds fewer than two samples: nothing worth a table.
    static bool HasFewChannels(ISimpleDataManager* supplier);
    // The column name of a channel type (1-16); empty for any other.
    static std::wstring ChannelName(int type);

protected:
    bool DescribeGroup(const ExportSource& source, const Group& group, GroupTable& table) override;
};
