# Buffered IO over loopback, plain and TLS (MB/s).
if(NOT TARGET qelt_test_support)
  include(${CMAKE_CURRENT_LIST_DIR}/../tests/support/support.cmake)
  add_library(qelt_test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/../tests/foundation/qelt_test_support.cpp)
  target_link_libraries(qelt_test_support PUBLIC qm_test_support)
  target_include_directories(qelt_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR}/../tests/foundation)
endif()
qm_add_bench(qelt_socket_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/qelt_socket_bench.cpp
  LIBS qelt qelt_test_support)
