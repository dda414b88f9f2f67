# ProtoUI and the request skeleton, tested against the test file server
# (tests/server) running in-process on a loopback port.
if(TARGET protocol AND TARGET channel)
  add_library(proto_ui_test_fixture STATIC ${CMAKE_CURRENT_LIST_DIR}/proto_ui_fixture.cpp)
  target_link_libraries(proto_ui_test_fixture PUBLIC quillmar_test_server_lib qm_test_support
    protocol channel GTest::gtest)
  qm_add_test(proto_ui_test LABEL protocol
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/proto_ui_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/proto_ui_file_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/proto_ui_error_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/proto_ui_skeleton_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/pstream_memory_channel.cpp
    LIBS proto_ui_test_fixture)
endif()
