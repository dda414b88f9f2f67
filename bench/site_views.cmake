# The site views at 100,000 entries (offscreen): the detail pane and details
# view from the cache to the first page drawn, a re-sort, scrolling and the
# folder tree's merge, beside a QStandardItemModel in a QTableView; with
# the tests built, also a pane on the test file server over TLS listing a
# folder of 100,000 files.
if(TARGET qz-site-views)
  find_package(Qt5 5.15 REQUIRED COMPONENTS Widgets)
  qm_add_bench(site_views_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/site_views_bench.cpp
    LIBS qz-site-views Qt5::Widgets)
  target_compile_definitions(site_views_bench PRIVATE
    QM_RESOURCE_SOURCE_DIR="${PROJECT_SOURCE_DIR}/ui-client/resource")
  set_target_properties(site_views_bench PROPERTIES AUTOMOC ON)
  # End to end over TLS with the site pane's test fixture, when the tests are built.
  if(TARGET sitepane_host)
    target_link_libraries(site_views_bench PRIVATE sitepane_host)
    target_compile_definitions(site_views_bench PRIVATE QM_SITE_VIEWS_TLS)
  endif()
  if(TARGET qm-resources)
    # The pane's context menu draws the staged menu images.
    target_compile_definitions(site_views_bench PRIVATE QM_RESOURCE_DIR_STAGED="${QM_STAGE_RESOURCE_DIR}")
    add_dependencies(site_views_bench qm-resources)
  endif()
endif()
