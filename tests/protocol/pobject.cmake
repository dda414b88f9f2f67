if(TARGET protocol)
  qm_add_test(pobject_test LABEL protocol
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/pobject_test.cpp
    LIBS protocol ustring)
endif()
