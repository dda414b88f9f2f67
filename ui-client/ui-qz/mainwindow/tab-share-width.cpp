#include "tab-share-width.h"

#include <algorithm>

int tabShareWidth(int room, int full_width_sum, int tab_count)
{
    if (tab_count <= 0 || room >= full_width_sum)
        return 0;
    return std::max(room / tab_count, 80);
}
