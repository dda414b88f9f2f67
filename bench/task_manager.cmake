# The Task Manager over 1,000 and 100,000 waiting tasks (offscreen): the bare
# page queries beside each view's poll with repaint, and Clear and move to top
# of 100 selected tasks with their reload.
if(TARGET qz-transfer)
  find_package(Qt5 5.15 REQUIRED COMPONENTS Widgets)
  qm_add_bench(task_manager_bench
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/task_manager_bench.cpp
    LIBS qz-transfer Qt5::Widgets)
  target_compile_definitions(task_manager_bench PRIVATE
    QM_RESOURCE_SOURCE_DIR="${PROJECT_SOURCE_DIR}/ui-client/resource")
endif()
