# ProtoUI listing a 100,000-entry folder from the test file server, beside the
# codec's decode of the same listing. Needs the test server and test fixtures.
if(TARGET quillmar_test_server_lib AND TARGET qelt_test_support)
  qm_add_bench(proto_ui_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/proto_ui_bench.cpp
            ${PROJECT_SOURCE_DIR}/tests/protocol/pstream_memory_channel.cpp
    LIBS quillmar_test_server_lib qelt_test_support protocol channel common ustring OpenSSL::Crypto)
  target_include_directories(proto_ui_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/protocol)
endif()
