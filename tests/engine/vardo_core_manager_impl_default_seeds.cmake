qm_add_test(vardo_core_manager_impl_default_seeds_test LABEL engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/vardo_core_manager_impl_default_seeds_test.cpp
  LIBS kavelin)
