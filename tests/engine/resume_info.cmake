qm_add_test(resume_info_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/resume_info_test.cpp
  LIBS kavelin)
