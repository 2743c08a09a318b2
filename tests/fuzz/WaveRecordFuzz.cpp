// Raw waveform records: "<base>.cfg" and "<base>.data" in any bytes and under any
// names, opened and analysed by the record-analysis pool and every waveform data set
// read back.

#include <cstddef>
#include <cstdint>
#include <string>

#include "lib/recordpool/Sampolyx.h"
#include "platform/base/Encoding.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& folder = fuzz::FuzzFolder::Get();
    folder.Fresh();
    folder.Write(fuzz::SplitNamedFiles(std::string_view(reinterpret_cast<const char*>(data), size), 3));
    const std::wstring path = platform::FromPath(folder.Input());

    ISampolyxDataPool* pool = Sampolyx_CreateDataPool();
    if (pool == nullptr) {
        return 0;
    }
    if (pool->Open(path) && pool->Analyse(path)) {
        (void)pool->GetStartTime();
        (void)pool->GetRecordCount();
        (void)pool->GetPointsPer200ms();
        (void)pool->GetIntervalCount();
        unsigned char config[1196];
        (void)pool->GetConfigBlock(config);
        for (int channel = 0; channel < 8; ++channel) {
            IDataSetManager* set = pool->GetDataSet(channel);
            if (set == nullptr) {
                continue;
            }
            std::int64_t first = 0;
            std::int64_t last = set->GetPointCount();
            (void)set->SetRange(&first, &last);
            set->SetStep(64);
            float value = 0.0f;
            for (int type = 0; type <= 3; ++type) {
                for (std::int64_t position = 0; position < 4; ++position) {
                    (void)set->ReadBlock(position * 64, &value, type);
                }
            }
        }
    }
    pool->Release();
    return 0;
}
