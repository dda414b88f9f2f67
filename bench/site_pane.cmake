# The site pane's folder-cache work at 100,000 entries: removing 10,000 names
# after a remove, and checking a clean listing's names as it enters the cache,
# each beside copying the same listing once.
if(TARGET qz-site-pane)
  qm_add_bench(site_pane_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/site_pane_bench.cpp
    LIBS qz-site-pane)
endif()
