# Each platform wrapper has a _win32.cpp and a _posix.cpp half; a build takes the half of its target.
function(sondrix_glob_sources out_var)
    set(result)
    foreach(dir IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp")
        foreach(file IN LISTS found)
            if(WIN32 AND file MATCHES "_posix\\.cpp$")
                continue()
            endif()
            if(NOT WIN32 AND file MATCHES "_win32\\.cpp$")
                continue()
            endif()
            list(APPEND result "${file}")
        endforeach()
    endforeach()
    set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# Warnings are errors in our own code, never in third-party code.
function(sondrix_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wno-unused-parameter)
endfunction()

# Every executable of the project allocates through the memory tracker.
function(sondrix_executable target)
    target_link_libraries(${target} PRIVATE sondrix_tracker)
    sondrix_warnings(${target})
endfunction()

# One test executable per subsystem; under Wine each start costs a second, so tests are grouped.
function(sondrix_test name)
    cmake_parse_arguments(T "GUI" "" "DIRS;LIBS" ${ARGN})
    sondrix_glob_sources(sources ${T_DIRS})
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    # The engine asks through queryValue, which the front-end library provides: it follows the engine.
    target_link_libraries(${name} PRIVATE ${T_LIBS} sondrix_testsupport gtest sondrix_engine ${T_LIBS})
    sondrix_executable(${name})
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "GTEST_COLOR=no" TIMEOUT 600)
endfunction()
