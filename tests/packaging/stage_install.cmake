# Installs the build into a fresh folder, as `cmake --install` does for users:
#   cmake -DBUILD_DIR=... -DPREFIX=... -P stage_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
