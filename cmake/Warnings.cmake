# Project-wide warning flags; warnings are errors unless TOVERA_WERROR is off.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                    -Wno-missing-field-initializers)
# GCC 12 reports std::string copies as overlapping at -O3 (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-restrict)
endif()
if(TOVERA_WERROR)
    add_compile_options(-Werror)
endif()

# tovera_test(<name> <label> SOURCES ... LIBS ...) builds one test executable
# and registers its cases with CTest under the given label.
function(tovera_test name label)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        TOVERA_SOURCE_DIR="${TOVERA_SOURCE_DIR}"
        TOVERA_RESOURCE_DIR="${TOVERA_RESOURCE_DIR}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES LABELS ${label} TIMEOUT 120)
endfunction()
