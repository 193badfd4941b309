include(${CMAKE_CURRENT_LIST_DIR}/LayerTable.cmake)

# Warnings and sanitizers, applied per target. A fuzzing build adds the coverage that guides
# libFuzzer to every target.
function(quarn_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(QUARN_FUZZ)
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
    if(QUARN_SANITIZE OR QUARN_FUZZ)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                               -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
        # GCC's flow analysis under the sanitizers reports uninitialised members inside
        # libstdc++'s <regex> that are not; the normal build keeps the warning.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
        endif()
    endif()
endfunction()

# One static library per layer, quarn_<layer>, from the sources in the layer's folder. It
# links the layers it builds on, and its include path holds only its own folder and theirs (a
# directory of links made at configure time), so that an include of a layer above does not
# compile.
#   quarn_layer(<layer> SOURCES ... [LIBS ...])
function(quarn_layer layer)
    cmake_parse_arguments(L "" "" "SOURCES;LIBS" ${ARGN})
    set(target quarn_${layer})
    add_library(${target} STATIC ${L_SOURCES})
    set(root ${PROJECT_BINARY_DIR}/layers/${layer})
    file(MAKE_DIRECTORY ${root})
    quarn_layer_closure(${layer} allowed)
    foreach(folder ${allowed})
        if(NOT EXISTS ${root}/${folder})
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
    foreach(dep ${QUARN_LAYER_DEPS_${layer}})
        target_link_libraries(${target} PUBLIC quarn_${dep})
    endforeach()
    target_link_libraries(${target} PUBLIC ${L_LIBS})
    quarn_target_defaults(${target})
endfunction()

# Compile and link a target against wxWidgets (GUI, GL canvas and base).
function(quarn_use_wx target)
    target_include_directories(${target} SYSTEM PRIVATE ${wxWidgets_INCLUDE_DIRS})
    target_compile_definitions(${target} PRIVATE ${wxWidgets_DEFINITIONS})
    target_compile_options(${target} PRIVATE ${wxWidgets_CXX_FLAGS})
    target_link_libraries(${target} PRIVATE ${wxWidgets_LIBRARIES})
endfunction()

# The environment every test runs in: the sanitizers' options, and in the sanitizer build
# Mesa's softpipe rasteriser instead of llvmpipe. LeakSanitizer's scan at exit reads the
# thread-local blocks that llvmpipe's LLVM code allocates through __tls_get_addr, and the
# sanitizer runtime of GCC 12 can crash on them on Debian 12's glibc ("Tracer caught signal
# 11"), depending on how the process happens to be laid out.
set(QUARN_TEST_ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
if(QUARN_SANITIZE)
    list(APPEND QUARN_TEST_ENVIRONMENT "GALLIUM_DRIVER=softpipe")
endif()

# One GoogleTest binary per unit, registered with CTest. Tests may include every layer.
#   quarn_add_test(NAME name SOURCES ... [LIBS ...] [WX])
function(quarn_add_test)
    cmake_parse_arguments(T "WX" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest GTest::gtest_main ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${T_NAME} PRIVATE
        QUARN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        QUARN_BINARY_DIR="${PROJECT_BINARY_DIR}")
    if(T_WX)
        quarn_use_wx(${T_NAME})
    endif()
    quarn_target_defaults(${T_NAME})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${QUARN_TEST_ENVIRONMENT}")
    # Windows of two GUI tests on one display would overlap and take each other's input.
    if(T_WX)
        set_tests_properties(${T_NAME} PROPERTIES RUN_SERIAL TRUE)
    endif()
endfunction()
