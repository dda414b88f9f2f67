#pragma once
// A size in pixels at scale 1, times the display scale, fraction dropped.
#include "dpi_info.h"

inline int scaled(int pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}
