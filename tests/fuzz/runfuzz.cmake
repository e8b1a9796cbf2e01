# Configures and builds the fuzz project with clang, makes the seed corpus and runs the
# fuzzer for a bounded time. Prints "FUZZ SKIPPED" (which the test treats as a skip) when
# clang or libFuzzer is not installed; under CI (CI=true), where scripts/deps.sh installed
# them, their absence is a failure instead.
#
# Variables: SOURCE_DIR (the repository), BINARY_DIR, GENERATOR, QT5_DIR, SECONDS.

function(fuzz_skip reason)
    if("$ENV{CI}" STREQUAL "true")
        message(FATAL_ERROR "the fuzzer cannot run: ${reason}")
    endif()
    message("FUZZ SKIPPED: ${reason}")
endfunction()

find_program(CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
if(NOT CLANGXX OR NOT EXISTS "${CLANGXX}")
    fuzz_skip("clang++ is not installed")
    return()
endif()

execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/fuzz/project -B ${BINARY_DIR} -G ${GENERATOR}
        -DCMAKE_CXX_COMPILER=${CLANGXX} -DQt5_DIR=${QT5_DIR} -DLUMORA_SOURCE_DIR=${SOURCE_DIR}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "configuring the fuzz project failed:\n${out}")
endif()
if(EXISTS ${BINARY_DIR}/unavailable)
    fuzz_skip("${CLANGXX} cannot build libFuzzer targets (libclang-rt-dev missing?)")
    return()
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} --parallel 2
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "building the fuzz project failed:\n${out}")
endif()

set(seeds ${BINARY_DIR}/seeds)
set(corpus ${BINARY_DIR}/corpus)
file(REMOVE_RECURSE ${seeds} ${corpus})
file(MAKE_DIRECTORY ${seeds} ${corpus} ${BINARY_DIR}/artifacts)
execute_process(COMMAND ${BINARY_DIR}/make_seeds ${seeds} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "writing the seed corpus failed")
endif()

# New inputs go to corpus/, the seeds are only read; a crashing input is kept in artifacts/.
execute_process(
    COMMAND ${BINARY_DIR}/fuzz_schemereader -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
        -max_len=65536 -dict=${SOURCE_DIR}/tests/fuzz/scheme.dict -print_final_stats=1
        -artifact_prefix=${BINARY_DIR}/artifacts/ ${corpus} ${seeds}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
string(LENGTH "${out}" length)
if(length GREATER 6000)
    math(EXPR from "${length} - 6000")
    string(SUBSTRING "${out}" ${from} -1 out)
endif()
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the scheme reader fuzzer failed (exit ${rc}):\n${out}")
endif()
message("${out}")
