# The application core against the test file server: a 100,000-entry folder
# from pushEvent to the listing on the main thread beside ProtoUI::ListNode
# alone; a 10,000-file upload from pushEvent to all tasks stored beside
# listLocal walking the tree; a task-monitor pass over 10,000 finished tasks,
# row by row and in one transaction.
if(TARGET qz-core AND TARGET quillmar_test_server_lib)
  include(${PROJECT_SOURCE_DIR}/tests/support/support.cmake)
  qm_add_bench(core_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_bench.cpp
    LIBS qz-core quillmar_test_server_lib qm_test_support)
  target_include_directories(core_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
