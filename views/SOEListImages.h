#pragma once
// The image list of the alarm-event list, made from the drawn pictures.

#include <memory>

#include <wx/imaglist.h>

std::unique_ptr<wxImageList> MakeSoeListImages();
