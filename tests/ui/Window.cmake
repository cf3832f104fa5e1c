# The main window, the about window and the text boundary, driven through real widgets.
add_executable(ui_window_tests
  ${CMAKE_CURRENT_LIST_DIR}/WindowTestMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowTestSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Cp932Test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultLogViewTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RoundTripTest.cpp
)
target_link_libraries(ui_window_tests PRIVATE kelmora_ui Qt6::Test GTest::gtest)
set_target_properties(ui_window_tests PROPERTIES AUTOMOC ON)
gtest_discover_tests(ui_window_tests TEST_PREFIX "ui.window."
  DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 120)

# Without a display the program says so in one line and points to kelmora-check.
add_test(NAME ui.no_display
  COMMAND env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $<TARGET_FILE:kelmora>)
set_tests_properties(ui.no_display PROPERTIES
  PASS_REGULAR_EXPRESSION "^kelmora: cannot open the window: no display \\(DISPLAY is not set\\)\\. To check tickets without a window, use kelmora-check"
  TIMEOUT 30)
