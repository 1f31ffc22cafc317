# Linux host build: the plain logic and its GoogleTest unit tests.
add_library(corvane_logic STATIC ${CORVANE_LOGIC_SOURCES})
target_include_directories(corvane_logic PUBLIC ${CMAKE_SOURCE_DIR})

find_package(GTest REQUIRED)
file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE corvane_logic GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests)
