if(TARGET protocol AND TARGET channel)
  qm_add_bench(pobject_codec_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/pobject_codec_bench.cpp
            ${PROJECT_SOURCE_DIR}/tests/protocol/pstream_memory_channel.cpp
    LIBS protocol channel common ustring OpenSSL::Crypto)
  target_include_directories(pobject_codec_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests/protocol)
endif()
