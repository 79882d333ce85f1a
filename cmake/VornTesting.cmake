# vorn_test(<name> LABEL <area> SOURCES <files...> [LIBS <targets...>])
# One GoogleTest executable per behaviour group; every test case runs as its own
# CTest test (its own process), since the support library's state is process-wide.
find_package(GTest REQUIRED)
include(GoogleTest)

function(vorn_test name)
    cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${name}
        PROPERTIES LABELS ${T_LABEL}
        DISCOVERY_TIMEOUT 60)
endfunction()
