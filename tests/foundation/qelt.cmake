# Tests of the support library (locks, address literals, sockets, buffered IO,
# bandwidth control, TLS streams, mapped windows).
add_library(qelt_test_support STATIC ${CMAKE_CURRENT_LIST_DIR}/qelt_test_support.cpp)
target_link_libraries(qelt_test_support PUBLIC qm_test_support)
target_include_directories(qelt_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})

qm_add_test(qelt_net_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/qelt_net_test.cpp
  LIBS qelt)
qm_add_test(qelt_lock_timer_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/qelt_lock_timer_test.cpp
  LIBS qelt)
qm_add_test(qelt_socket_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/qelt_socket_test.cpp
  LIBS qelt qelt_test_support)
qm_add_test(qelt_buffered_io_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/qelt_buffered_io_test.cpp
  LIBS qelt qelt_test_support)
qm_add_test(qelt_bandwidth_controller_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/qelt_bandwidth_controller_test.cpp
  LIBS qelt qelt_test_support)
qm_add_test(qelt_mmap_handler_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/qelt_mmap_handler_test.cpp
  LIBS qelt qelt_test_support)
qm_add_test(qelt_ssl_socket_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/qelt_ssl_socket_test.cpp
  LIBS qelt qelt_test_support)
