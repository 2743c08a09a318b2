#include <new>

#include "lib/convert/DataTransform.h"
#include "lib/convert/DataTransformManager.h"

extern "C" IDataTransform* GetTransInstance()
{
    return new (std::nothrow) CDataTransformManager();
}
