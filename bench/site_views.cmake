# The site views at 100,000 entries (offscreen): the detail pane and details
# view from the cache to the first page drawn, a re-sort, scrolling and the
# folder tree's merge, beside a QStandardItemModel in a QTableView.
if(TARGET qz-site-views)
  find_package(Qt5 5.15 REQUIRED COMPONENTS Widgets)
  qm_add_bench(site_views_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/site_views_bench.cpp
    LIBS qz-site-views Qt5::Widgets)
  target_compile_definitions(site_views_bench PRIVATE
    QM_RESOURCE_SOURCE_DIR="${PROJECT_SOURCE_DIR}/ui-client/resource")
  set_target_properties(site_views_bench PROPERTIES AUTOMOC ON)
endif()
