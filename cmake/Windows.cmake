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
# GDI+, COM and the shell's path helpers serve only the marks, the pointer window, the save and the
# clipboard: they load at their first use, after the capture is on the screen (framework/DelayLoad.cpp
# ends the program with a message when one cannot be loaded then).
include(cmake/DelayImport.cmake)
set(CORVANE_DELAYED_LIBS)
foreach(name gdiplus ole32 shlwapi)
  corvane_delay_import(${name} delayed)
  list(APPEND CORVANE_DELAYED_LIBS ${delayed})
  add_dependencies(corvane_core corvane_delayimp_${name})
endforeach()
target_link_libraries(corvane_core PUBLIC
  user32 gdi32 msimg32 comctl32 comdlg32 ${CORVANE_DELAYED_LIBS} oleaut32 shell32 uuid)
# The failure hook of framework/DelayLoad.cpp, taken from the archive before the runtime's empty one.
target_link_options(corvane_core INTERFACE -Wl,--undefined=__pfnDliFailureHook2)

# The icons and the pointer picture are drawn by tools/make_resources.cpp, built for this machine with
# the host compiler and run before the resource compiler; the repository keeps no binary images.
find_program(HOST_CXX NAMES g++ c++ REQUIRED)
set(CORVANE_GEN_DIR ${CMAKE_BINARY_DIR}/gen)
set(MAKE_RESOURCES_EXE ${CMAKE_BINARY_DIR}/host-tools/make_resources${CMAKE_HOST_EXECUTABLE_SUFFIX})
set(MAKE_RESOURCES_SOURCES
  ${CMAKE_SOURCE_DIR}/tools/make_resources.cpp
  ${CMAKE_SOURCE_DIR}/tools/logic/PointerPng.cpp)
add_custom_command(OUTPUT ${MAKE_RESOURCES_EXE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
  COMMAND ${HOST_CXX} -std=c++17 -O2 ${CORVANE_WARNINGS} -I${CMAKE_SOURCE_DIR} ${MAKE_RESOURCES_SOURCES}
          -o ${MAKE_RESOURCES_EXE}
  DEPENDS ${MAKE_RESOURCES_SOURCES} ${CMAKE_SOURCE_DIR}/tools/logic/PointerPng.h
          ${CMAKE_SOURCE_DIR}/res/resource.h
  COMMENT "Building the resource generator for the host"
  VERBATIM)

# One .ico per tool bar icon id, as make_resources writes them and res/corvane.rc names them.
set(CORVANE_TOOL_ICON_IDS
  143 144 145 146 147 149 151 152 154 156 157 158 159 160 161 162 163 164
  166 167 168 169 170 171 172 173 174 176)
set(CORVANE_GENERATED_RESOURCES ${CORVANE_GEN_DIR}/corvane.ico ${CORVANE_GEN_DIR}/pointer.png)
foreach(id ${CORVANE_TOOL_ICON_IDS})
  list(APPEND CORVANE_GENERATED_RESOURCES ${CORVANE_GEN_DIR}/tool_${id}.ico)
endforeach()
add_custom_command(OUTPUT ${CORVANE_GENERATED_RESOURCES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CORVANE_GEN_DIR}
  COMMAND ${MAKE_RESOURCES_EXE} ${CORVANE_GEN_DIR}
  DEPENDS ${MAKE_RESOURCES_EXE}
  COMMENT "Drawing the icons and the pointer picture"
  VERBATIM)
add_custom_target(corvane_resources DEPENDS ${CORVANE_GENERATED_RESOURCES})

set(CORVANE_RC ${CMAKE_SOURCE_DIR}/res/corvane.rc)
set_source_files_properties(${CORVANE_RC} PROPERTIES
  INCLUDE_DIRECTORIES ${CORVANE_GEN_DIR}
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/corvane.manifest;${CORVANE_GENERATED_RESOURCES}")

add_executable(corvane WIN32 ${CMAKE_SOURCE_DIR}/app/Main.cpp ${CORVANE_RC})
target_link_libraries(corvane PRIVATE corvane_core)
target_link_options(corvane PRIVATE -static -municode)
add_dependencies(corvane corvane_resources)

# GoogleTest built with the same cross compiler; its tests run through Wine.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources and headers are not held to the project's warnings.
target_compile_options(gtest PRIVATE -w)
set_target_properties(gtest PROPERTIES
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES $<TARGET_PROPERTY:gtest,INTERFACE_INCLUDE_DIRECTORIES>)

file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(win_tests ${WIN_TEST_SOURCES} ${CORVANE_RC})
target_link_libraries(win_tests PRIVATE corvane_core gtest version)
target_link_options(win_tests PRIVATE -static)
add_dependencies(win_tests corvane_resources)
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

# The benchmark (scripts/bench): a minimal full-screen program as the reference for the start, a watcher
# that times a program's start from the outside, and the capture's start phases and mouse steps timed
# from the inside, linked with the same code and resources as the program and the dialog tests.
add_executable(bench_minimal WIN32 ${CMAKE_SOURCE_DIR}/bench/MinimalWindow.cpp)
target_link_options(bench_minimal PRIVATE -static -municode)

add_executable(bench_startwatch ${CMAKE_SOURCE_DIR}/bench/StartWatch.cpp)
target_link_libraries(bench_startwatch PRIVATE user32 gdi32 psapi)
target_link_options(bench_startwatch PRIVATE -static -municode)

add_executable(corvane_bench ${CMAKE_SOURCE_DIR}/bench/CaptureBench.cpp ${CORVANE_RC})
target_link_libraries(corvane_bench PRIVATE corvane_core psapi)
target_link_options(corvane_bench PRIVATE -static)
add_dependencies(corvane_bench corvane_resources)
