# Tests of the product's own build (32-bit), included from tests/CMakeLists.txt.
set(RUN_TEST ${CMAKE_CURRENT_SOURCE_DIR}/wine/run-test)

# The import table, read without Wine: what every Windows from 95 and NT 4.0 on can load.
add_test(NAME win32.imports COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/imports/check-imports
         ${CMAKE_OBJDUMP} $<TARGET_FILE:zandry> ${CMAKE_CURRENT_SOURCE_DIR}/imports/allowed-imports.txt)
set_tests_properties(win32.imports PROPERTIES LABELS everywhere)

# Where the kernel runs no 32-bit code, Wine's 32-bit loader runs under qemu-i386 and every
# start of one of our programs costs about a minute: the test preset win32-emulated runs this
# chosen set instead of the suites above. Its prefix is 64-bit, so that Wine's own services
# run natively and only our programs, zandry.exe among them, are emulated.
set(EMULATED_ENV ${WINE_ENV})
list(FILTER EMULATED_ENV EXCLUDE REGEX "^WINEPREFIX=")
list(APPEND EMULATED_ENV "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-emulated"
     "WINEBOOT_LOADER=/usr/lib/wine/wine64" "ZANDRY_TEST_PATIENCE=30")
function(emulated_test name)
  add_test(NAME wine.emulated.${name} COMMAND ${ARGN})
  set_tests_properties(wine.emulated.${name} PROPERTIES ENVIRONMENT "${EMULATED_ENV}"
    SKIP_RETURN_CODE 77 TIMEOUT 1500 LABELS emulated FIXTURES_REQUIRED wine_emulated)
endfunction()

emulated_test(prefix ${CMAKE_CURRENT_SOURCE_DIR}/wine/prepare-prefix $<TARGET_FILE:wine_probe>)
set_tests_properties(wine.emulated.prefix PROPERTIES FIXTURES_REQUIRED "" FIXTURES_SETUP wine_emulated)
# The Win32 layer's contract and the reference suites, each in one process. Left out: the
# test that starts a program, and the one that Wine run by root skips, as a skip (or any
# failure) has gtest start a thread that Wine under qemu-i386 cannot wait for.
emulated_test(contract ${RUN_TEST} $<TARGET_FILE:zandry_tests>
  "--gtest_filter=PlatformContract.*:Profile.*:ProfileStoreTest.*-PlatformContract.StartedProgramRunsInTheWorkingFolder:PlatformContract.CopyNeverReplacesAReadOnlyTarget")
emulated_test(reference ${RUN_TEST} $<TARGET_FILE:zandry_reference_tests>)
# zandry.exe on the command line: the worked example with a double-byte pet name, in a folder
# whose path holds a blank and double-byte characters.
emulated_test(cli ${RUN_TEST} $<TARGET_FILE:zandry_cli_tests>
  "--gtest_filter=Folders/CommandLine.WorkedExampleEndsAsExpected/cp932folder")
# zandry.exe in real windows: a first run through the setup window to a launch from the chooser.
emulated_test(windows ${CMAKE_CURRENT_SOURCE_DIR}/wine/windows/with-display ${RUN_TEST}
  $<TARGET_FILE:zandry_window_tests> --gtest_filter=RealWindows.FirstRunSetsUpTheRosterThenLaunchesThePetChosen)
# The model's random sessions with failing calls, and every run stopped at each of its calls,
# where the system answers as Windows 98 too: each a program start, the work itself is quick.
emulated_test(model ${RUN_TEST} $<TARGET_FILE:zandry_model_tests>)
emulated_test(kill ${RUN_TEST} $<TARGET_FILE:zandry_kill_tests>)
set_tests_properties(wine.emulated.cli wine.emulated.windows wine.emulated.model wine.emulated.kill
  PROPERTIES ${SERIAL_TESTS})
add_test(NAME wine.emulated.shutdown COMMAND sh -c "wineserver -k >/dev/null 2>&1; exit 0")
set_tests_properties(wine.emulated.shutdown PROPERTIES FIXTURES_CLEANUP wine_emulated
  ENVIRONMENT "${EMULATED_ENV}" LABELS emulated)

# The release: built twice, from two clones in other folders at other times, the same bytes;
# and its guide, in code page 932 with CRLF, quoting only the windows' own texts.
add_test(NAME win32.reproducible COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/release/check-reproducible ${CMAKE_SOURCE_DIR})
set_tests_properties(win32.reproducible PROPERTIES LABELS everywhere TIMEOUT 1500)
add_test(NAME win32.guide COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/guide/check-guide
         ${CMAKE_SOURCE_DIR}/docs/使い方.txt ${CMAKE_SOURCE_DIR}/res/zandry.rc)
set_tests_properties(win32.guide PROPERTIES LABELS everywhere)
