#include "lib/viewer/data/RowItemImp.h"

#include "lib/viewer/data/RowImpAnalog.h"
#include "lib/viewer/data/RowImpBus.h"
#include "lib/viewer/data/RowImpSingal.h"

namespace tracelume {

IRowItemImp* CreateRowImp(int kind) {
    switch (kind) {
    case kRowKindBus:
        return new CRowImpBus;
    case kRowKindSingleBit:
        return new CRowImpSingal;
    case kRowKindAnalog:
        return new CRowImpAnalog;
    default:
        return nullptr;
    }
}

}  // namespace tracelume
