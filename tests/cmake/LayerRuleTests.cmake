# The layer rule refuses each wrong link at the configure step: one small project per case.
set(QUARN_LAYER_RULE_CASES
  "sound|^$"
  "widgets-in-app-core|layer rule: app_core may not link Qt6::Widgets"
  "widget-layer-in-app-core|layer rule: app_core may not link components_widgets"
  "plain-library-in-engine|layer rule: quarn_engine may not link z"
  "widgets-below-a-foreign-library|layer rule: app_core is GUI-free and may not link Qt6::Widgets"
  "widgets-in-components-core|layer rule: components_core may not link Qt6::Widgets")
foreach(entry IN LISTS QUARN_LAYER_RULE_CASES)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 case)
  list(GET parts 1 expected)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/layer-rule/${case})
  add_test(NAME LayerRule.${case}
    COMMAND ${CMAKE_COMMAND} -E env --unset=CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_SOURCE_DIR}/cmake/layer-rule -B ${dir} -G Ninja
      -DQUARN_SOURCE_DIR=${PROJECT_SOURCE_DIR} -DCASE=${case})
  if(case STREQUAL "sound")
    set_tests_properties(LayerRule.${case} PROPERTIES FAIL_REGULAR_EXPRESSION "layer rule")
  else()
    set_tests_properties(LayerRule.${case} PROPERTIES PASS_REGULAR_EXPRESSION "${expected}")
  endif()
endforeach()

# The windows' folders include nothing of the main window: the program's sources keep the rule,
# and a window that includes the main window is refused.
add_test(NAME LayerRule.gui-folders
  COMMAND ${CMAKE_COMMAND} -DGUI_ROOT=${PROJECT_SOURCE_DIR}/app/gui
    -P ${PROJECT_SOURCE_DIR}/cmake/CheckGuiFolders.cmake)
add_test(NAME LayerRule.gui-window-including-main
  COMMAND ${CMAKE_COMMAND} -DGUI_ROOT=${CMAKE_CURRENT_SOURCE_DIR}/cmake/gui-folder-rule
    -P ${PROJECT_SOURCE_DIR}/cmake/CheckGuiFolders.cmake)
set_tests_properties(LayerRule.gui-window-including-main PROPERTIES PASS_REGULAR_EXPRESSION
  "include rule: input/TUpwardWindow.h may not include main/")
