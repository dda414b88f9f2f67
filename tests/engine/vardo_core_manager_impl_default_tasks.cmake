qm_add_test(vardo_core_manager_impl_default_tasks_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/vardo_core_manager_impl_default_tasks_test.cpp
  LIBS kavelin)
