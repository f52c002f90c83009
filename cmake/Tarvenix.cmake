# Helpers shared by every folder of the build.

# Warnings for our own targets; third-party headers come in as system includes.
function(tarvenix_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(TARVENIX_SANITIZE)
        # Undefined behaviour stops the program like a memory error does, so
        # a test cannot pass over it; only null arguments to memcmp and the
        # like are reported and go on, so that .ci/ubsan.supp can name the
        # ones inside Qt's headers.
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
            -fno-sanitize-recover=undefined -fsanitize-recover=nonnull-attribute
            -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# tarvenix_library(NAME SOURCES ... LIBS ...): a static library for one source folder.
function(tarvenix_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    tarvenix_warnings(${name})
    if(TARVENIX_SANITIZE)
        target_link_options(${name} INTERFACE -fsanitize=address,undefined)
    endif()
endfunction()

# tarvenix_test(NAME SOURCES ... LIBS ... [TIMEOUT s]): one Qt Test executable under CTest,
# run offscreen from the run directory so relative picture paths resolve.
function(tarvenix_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 60)
    endif()
    if(TARVENIX_SANITIZE)
        math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * 4")
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    tarvenix_warnings(${name})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${TARVENIX_RUN_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TARVENIX_SOURCE_DIR=${CMAKE_SOURCE_DIR};TARVENIX_RUN_DIR=${TARVENIX_RUN_DIR}")
    if(TARGET rundata)
        add_dependencies(${name} rundata)
    endif()
endfunction()

# tarvenix_man_page(PAGE COMPONENT): a manual page (its section its ending), with
# @PROJECT_VERSION@ and @TARVENIX_DATA@ filled in, compressed as Debian wants
# it and installed with the component.
function(tarvenix_man_page page component)
    set(TARVENIX_DATA ${CMAKE_INSTALL_PREFIX}/${TARVENIX_INSTALL_DATADIR})
    configure_file(${page} ${CMAKE_CURRENT_BINARY_DIR}/${page} @ONLY)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz
        COMMAND gzip -9nf -k ${CMAKE_CURRENT_BINARY_DIR}/${page}
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${page}
        COMMENT "Compressing the manual page ${page}")
    add_custom_target(man-${page} ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz)
    # The section is the page's ending: tarvenix.6, tarvenixctl.8.
    string(REGEX MATCH "[0-9]$" section ${page})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${page}.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} COMPONENT ${component})
endfunction()

# The installed programs: relocations read-only and bound at start, as
# Debian builds its own.
function(tarvenix_program target)
    target_link_options(${target} PRIVATE -Wl,-z,relro,-z,now)
endfunction()
