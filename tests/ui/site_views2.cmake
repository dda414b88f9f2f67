# Tests of the site pane's path bars and its sort and filter menus (label
# ui): Qt Test programs offscreen over a stand-in pane; screenshots go to
# ${CMAKE_BINARY_DIR}/test-artifacts/. The widget tests' helpers come from a
# fragment read later: the registration waits for the end of the directory.
function(siteviews2_add_tests dir)
  if(NOT TARGET qz-site-views2 OR NOT COMMAND vexoqelt_add_widget_test)
    return()
  endif()
  foreach(name siteview2_bars_test siteview2_drop_test)
    if(EXISTS ${dir}/${name}.cpp)
      vexoqelt_add_widget_test(${name} SOURCES ${dir}/${name}.cpp ${dir}/siteview_test_pane.h LIBS qz-site-views2)
      target_include_directories(${name} PRIVATE ${dir})
      set_tests_properties(ui.${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=Europe/Berlin")
      if(TARGET qm-resources)
        target_compile_definitions(${name} PRIVATE QM_STAGE_RESOURCE_DIR="${QM_STAGE_RESOURCE_DIR}")
        add_dependencies(${name} qm-resources)
      endif()
    endif()
  endforeach()
endfunction()
cmake_language(EVAL CODE "cmake_language(DEFER CALL siteviews2_add_tests [[${CMAKE_CURRENT_LIST_DIR}]])")
