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

# tovera_test(<name> <label> SOURCES ... LIBS ... [TIMEOUT seconds]) builds
# one test executable and registers its cases with CTest under the given
# label, each allowed TIMEOUT seconds (120 unless given).
function(tovera_test name label)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        TOVERA_SOURCE_DIR="${TOVERA_SOURCE_DIR}"
        TOVERA_RESOURCE_DIR="${TOVERA_RESOURCE_DIR}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES LABELS ${label} TIMEOUT ${T_TIMEOUT})
endfunction()
