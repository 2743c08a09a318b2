#pragma once
// CRecordTabulist: exports the statistic items chosen in the active record view,
// one file per item type (consecutive items of one type), one row per record time,
// one column per phase and statistic, times to the millisecond.

#include "export/TabulistEx.h"

class ISimpleDataManager;

class CRecordTabulist : public ITabulistEx {
public:
    CRecordTabulist() = default;
    ~CRecordTabulist() override = default;

    int Export(const ExportSource& source, const std::wstring& folder) override;

    // True when the supplier holds no sample: nothing to export.
    static bool IsEmpty(ISimpleDataManager* supplier);

    // What an item type's file is called and how its table is titled.
    struct ItemDescription {
        std::wstring title;
        std::wstring name;
        int staticsType = 0;  // "StaticsType" of the item in "itemInfo.ini"
        bool zeroIsMissing = false;
    };
    ItemDescription DescribeItem(const ExportKey& key) const;
    // The column of one item: order prefix, phase prefix and statistic name.
    std::wstring ColumnName(const ExportKey& key, int staticsType) const;

protected:
    bool DescribeGroup(const ExportSource& source, const Group& group, GroupTable& table) override;
};
