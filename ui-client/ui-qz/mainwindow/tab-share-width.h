#pragma once
// How the row of site tabs shares its room.

// The width each tab is given, in base pixels: 0 (no limit) while the tabs'
// full widths fit into `room`; otherwise room / count, but never below 80.
// `room` is in screen pixels and the full widths in base pixels; they are
// compared as they are.
int tabShareWidth(int room, int full_width_sum, int tab_count);
