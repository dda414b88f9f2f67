if(TARGET quillmar_test_server_lib OR EXISTS ${CMAKE_CURRENT_LIST_DIR}/../tests/server/data_server.cpp)
  include(${PROJECT_SOURCE_DIR}/tests/support/support.cmake)
  qm_add_bench(transfer_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/transfer_bench.cpp
            ${CMAKE_CURRENT_LIST_DIR}/transfer_bench_syscalls.cpp
            ${PROJECT_SOURCE_DIR}/tests/engine/transfer_e2e_support.cpp
    LIBS quillmar_test_server_lib kavelin qm_test_support PkgConfig::LZ4)
endif()
