# Windows build (MinGW-w64): the program, its dialog tests under Wine and the end-to-end helpers.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)

# Everything but the entry point, so the dialog tests link the same code as the program.
file(GLOB CORVANE_WIN_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/framework/*.cpp
  ${CMAKE_SOURCE_DIR}/app/*.cpp
  ${CMAKE_SOURCE_DIR}/capture/*.cpp
  ${CMAKE_SOURCE_DIR}/selection/*.cpp
  ${CMAKE_SOURCE_DIR}/annotation/*.cpp
  ${CMAKE_SOURCE_DIR}/palette/*.cpp
  ${CMAKE_SOURCE_DIR}/output/*.cpp)
list(FILTER CORVANE_WIN_SOURCES EXCLUDE REGEX ".*/app/Main\\.cpp$")

add_library(corvane_core STATIC ${CORVANE_WIN_SOURCES} ${CORVANE_LOGIC_SOURCES})
target_include_directories(corvane_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(corvane_core PUBLIC
  user32 gdi32 msimg32 gdiplus comctl32 comdlg32 ole32 oleaut32 shell32 shlwapi uuid)

set(CORVANE_RC ${CMAKE_SOURCE_DIR}/res/corvane.rc)
set_source_files_properties(${CORVANE_RC} PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/corvane.manifest;${CMAKE_SOURCE_DIR}/res/corvane.ico")

add_executable(corvane WIN32 ${CMAKE_SOURCE_DIR}/app/Main.cpp ${CORVANE_RC})
target_link_libraries(corvane PRIVATE corvane_core)
target_link_options(corvane PRIVATE -static -municode)

# GoogleTest built with the same cross compiler; its tests run through Wine.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(win_tests ${WIN_TEST_SOURCES} ${CORVANE_RC})
target_link_libraries(win_tests PRIVATE corvane_core gtest)
target_link_options(win_tests PRIVATE -static)
include(GoogleTest)
# One Wine process per run keeps the suite fast; the cases inside report separately.
add_test(NAME win_tests COMMAND win_tests --gtest_color=no)

# Helper programs of the end-to-end tests (known desktop, clipboard reader, message sender).
file(GLOB E2E_HELPER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/helpers/*.cpp)
foreach(src ${E2E_HELPER_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE user32 gdi32 comdlg32 ole32 gdiplus)
  target_link_options(${name} PRIVATE -static -municode)
endforeach()
