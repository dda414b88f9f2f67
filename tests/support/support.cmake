# qm_test_support: fixtures more than one test area needs (temporary folders,
# files, loopback sockets, certificates made with the OpenSSL API, digests,
# a relay that paces and delays a link, the CPU time of threads).
# Tests include them as "support/<name>.h". Benchmark fragments include this
# file too when the tests are not built, hence the guard. Link names resolve
# when the build is generated, so fragments included before this one may
# link qm_test_support as well.
# Linked into every test or program that runs Qt under a sanitizer build.
set(QM_QT_SANITIZER_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/qt_sanitizer_suppressions.cpp)
if(TARGET qm_test_support)
  return()
endif()
add_library(qm_test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/certificates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/damaged_sqlite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/digest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loopback.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pacing_relay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/relay_sockets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/temp_dir.cpp
  ${CMAKE_CURRENT_LIST_DIR}/thread_cpu.cpp)
target_include_directories(qm_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(qm_test_support PUBLIC OpenSSL::SSL OpenSSL::Crypto SQLite::SQLite3)
