if(TARGET protocol AND TARGET channel)
  add_library(pstream_test_support STATIC
    ${CMAKE_CURRENT_LIST_DIR}/pstream_memory_channel.cpp)
  target_link_libraries(pstream_test_support PUBLIC protocol channel OpenSSL::Crypto)
  qm_add_test(pstream_test LABEL protocol
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/pstream_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/pstream_file_test.cpp
    LIBS pstream_test_support qm_test_support protocol channel common ustring)
endif()
