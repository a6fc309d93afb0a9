# Project-wide helpers: warnings on our own targets, test registration.

function(zelmar_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(ZELMAR_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A static library made of every source under src/<name>; headers are included as "<name>/Header.h".
function(zelmar_library name)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/src/${name}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/src/${name}/*.h)
    if(NOT sources MATCHES "\\.cpp")
        # A library that has no sources yet still gives its include folder to those that link it.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/src)
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/src)
    zelmar_warnings(${name})
endfunction()

# One GoogleTest executable per *_test.cpp file of the current folder, each linked with the given libraries.
function(zelmar_gtests)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp)
    foreach(test_source IN LISTS tests)
        get_filename_component(test_name ${test_source} NAME_WE)
        add_executable(${test_name} ${test_source} ${helpers})
        target_link_libraries(${test_name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
        target_include_directories(${test_name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
        set_target_properties(${test_name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        zelmar_warnings(${test_name})
        # Suites that draw (the report's PDF pages) load fontconfig, whose caches the leak checker reports.
        gtest_discover_tests(${test_name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120
            ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
    endforeach()
endfunction()

# One QtTest executable per *_test.cpp file of the current folder, run on the offscreen platform.
function(zelmar_qtests)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/support/*.h)
    foreach(test_source IN LISTS tests)
        get_filename_component(test_name ${test_source} NAME_WE)
        add_executable(${test_name} ${test_source} ${helpers})
        set_target_properties(${test_name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        target_link_libraries(${test_name} PRIVATE ${ARGN} Qt5::Test)
        target_include_directories(${test_name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
        zelmar_warnings(${test_name})
        add_test(NAME ${test_name} COMMAND ${test_name})
        set_tests_properties(${test_name} PROPERTIES TIMEOUT 300
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp")
    endforeach()
endfunction()

# Links a library made by zelmar_library to its dependencies, whether it has sources yet or not.
function(zelmar_link name)
    get_target_property(type ${name} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_link_libraries(${name} INTERFACE ${ARGN})
    else()
        target_link_libraries(${name} PUBLIC ${ARGN})
    endif()
endfunction()
