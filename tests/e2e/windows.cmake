# celestrix.exe under Wine on a private X server, driven with xdotool; a small
# Windows program reads the window tree beside it. Included from tests/ when
# building for Windows.
add_executable(win_probe ${CMAKE_CURRENT_LIST_DIR}/win_probe.cpp)
find_program(CELESTRIX_WINESERVER NAMES wineserver64 wineserver HINTS /usr/lib/wine)

set(E2E_WINDOWS_ENVIRONMENT
  "CELESTRIX_EXE=$<TARGET_FILE:celestrix>"
  "CELESTRIX_WIN_PROBE=$<TARGET_FILE:win_probe>"
  "CELESTRIX_WINE=${CELESTRIX_WINE64}"
  "CELESTRIX_WINESERVER=${CELESTRIX_WINESERVER}"
  "CELESTRIX_WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix-e2e"
  "CELESTRIX_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
  "PYTHONDONTWRITEBYTECODE=1")
add_test(NAME e2e_windows
  COMMAND python3 -m unittest -v test_windows
  WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR})
set_tests_properties(e2e_windows PROPERTIES ENVIRONMENT "${E2E_WINDOWS_ENVIRONMENT}" TIMEOUT 600)
