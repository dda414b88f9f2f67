qm_add_test(lz4_processor_test LABEL foundation
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/lz4_processor_test.cpp
  LIBS common qm_test_support PkgConfig::LZ4)
