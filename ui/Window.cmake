# The main window, the about window, the text boundary and start-up.
add_library(kelmora_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Cp932.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayGuard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KelmoraApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineListModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultLogView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Unit1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Unit1.h
  ${CMAKE_CURRENT_LIST_DIR}/Unit2.h
  ${CMAKE_CURRENT_LIST_DIR}/Unit2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowPlacement.cpp
)
target_include_directories(kelmora_ui PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(kelmora_ui PUBLIC Qt6::Widgets kelmora_core kelmora_browser kelmora_resources)
set_target_properties(kelmora_ui PROPERTIES AUTOMOC ON)

add_executable(kelmora ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(kelmora PRIVATE kelmora_ui)
install(TARGETS kelmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
