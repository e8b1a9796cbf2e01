# Configures BINARY_DIR as a build of SOURCE_DIR with the address and undefined-behaviour
# sanitizers, builds TESTS there and runs each; any sanitizer report fails.
#
# Variables: SOURCE_DIR, BINARY_DIR, GENERATOR, TESTS (a list of test executables).

set(flags "-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer")
execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} -G ${GENERATOR}
        -DCMAKE_BUILD_TYPE=RelWithDebInfo
        "-DCMAKE_C_FLAGS=${flags}" "-DCMAKE_CXX_FLAGS=${flags}"
        "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined"
        "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined"
        -DLUMORA_SANITIZED_BUILD=ON
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "configuring the sanitized build failed:\n${out}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} --parallel 2 --target ${TESTS}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    string(LENGTH "${out}" length)
    if(length GREATER 8000)
        math(EXPR from "${length} - 8000")
        string(SUBSTRING "${out}" ${from} -1 out)
    endif()
    message(FATAL_ERROR "building the sanitized tests failed:\n${out}")
endif()

# Leaks stay out: the graphics stack and the media libraries keep process-long allocations
# that are no fault of ours.
set(ENV{ASAN_OPTIONS} "detect_leaks=0:abort_on_error=0:halt_on_error=1")
set(ENV{UBSAN_OPTIONS} "print_stacktrace=1:halt_on_error=1")
set(failed "")
foreach(test ${TESTS})
    file(GLOB_RECURSE exe LIST_DIRECTORIES false ${BINARY_DIR}/tests/*/${test})
    if(NOT exe)
        message(FATAL_ERROR "${test} was not built")
    endif()
    execute_process(COMMAND ${exe} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out
        TIMEOUT 600)
    string(REGEX MATCH "Totals:[^\n]*" totals "${out}")
    message("${test}: ${totals} (exit ${rc})")
    if(NOT rc EQUAL 0 OR out MATCHES "ERROR: AddressSanitizer|runtime error:")
        string(LENGTH "${out}" length)
        if(length GREATER 12000)
            math(EXPR from "${length} - 12000")
            string(SUBSTRING "${out}" ${from} -1 out)
        endif()
        message("${out}")
        list(APPEND failed ${test})
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "failed under the sanitizers: ${failed}")
endif()
