# ProtoUI against a scripted hostile server (oversized, endless, trickled and
# malformed answers). One process per case, so each checks its own peak memory.
if(TARGET protocol AND TARGET channel)
  qm_add_test(proto_ui_hostile_test LABEL protocol
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/proto_ui_hostile_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/hostile_server.cpp
            ${CMAKE_CURRENT_LIST_DIR}/pstream_memory_channel.cpp
    LIBS qm_test_support protocol channel common ustring OpenSSL::Crypto)
endif()
