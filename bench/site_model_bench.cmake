# Filter and sort of 100,000 folder entries beside std::sort of their names,
# and the local helper's listing of a 100,000-file folder beside `ls -f`.
if(TARGET site-model)
  include(${PROJECT_SOURCE_DIR}/tests/support/support.cmake)
  qm_add_bench(site_model_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/site_model_bench.cpp
    LIBS site-model qm_test_support)
endif()
