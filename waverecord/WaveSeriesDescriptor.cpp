#include "waverecord/WaveSeriesDescriptor.h"

CWaveSeriesDescriptor::CWaveSeriesDescriptor(IDataSetManager* set) : dataSet(set), built(1) {}

CWaveSeriesDescriptor::CWaveSeriesDescriptor(bool isRequired, std::int32_t a, std::int32_t b, std::int32_t c)
    : required(isRequired), carried{a, b, c}, built(1)
{
}

bool CWaveSeriesDescriptor::IsUsable() const
{
    return dataSet != nullptr || !required;
}

bool CWaveSeriesDescriptor::ReadAt(std::int64_t position, float* value) const
{
    return dataSet != nullptr && value != nullptr && dataSet->ReadBlock(position, value, readType);
}

std::int64_t CWaveSeriesDescriptor::GetCount() const
{
    return dataSet != nullptr ? dataSet->GetPointCount() : 0;
}

bool CWaveSeriesDescriptor::ClampRange(std::int64_t* first, std::int64_t* last) const
{
    return dataSet != nullptr && first != nullptr && last != nullptr && dataSet->SetRange(first, last);
}
