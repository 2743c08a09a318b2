#include "report/PicOutputDataMgr.h"

void CPicOutputDataMgr::GetRange(std::int64_t* first, std::int64_t* second)
{
    if (first != nullptr) {
        *first = 0;
    }
    if (second != nullptr) {
        *second = -1;
    }
}

bool CPicOutputDataMgr::AddValue(double value)
{
    m_Values.push_back(static_cast<float>(value));
    return true;
}
