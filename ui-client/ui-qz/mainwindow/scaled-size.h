#pragma once
// A size in base pixels times the display scale, the fraction dropped.
#include "dpi_info.h"

inline int scaledSize(double pixels)
{
    return static_cast<int>(pixels * DPIinfo::getInstance()->getDPI());
}
