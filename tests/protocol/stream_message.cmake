if(TARGET protocol AND TARGET channel)
  qm_add_test(stream_message_test LABEL protocol
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/stream_message_test.cpp
    LIBS protocol channel common ustring)
endif()
