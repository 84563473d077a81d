# The libraries of the Windows build, built once into the build folder while
# it is configured: libjpeg from Debian's libjpeg-turbo source package, and
# GoogleTest from Debian's /usr/src/googletest. Nothing of theirs lands in the
# source tree.

set(CELESTRIX_DEPS_DIR "${CMAKE_BINARY_DIR}/deps")
set(CELESTRIX_DEPS_PREFIX "${CELESTRIX_DEPS_DIR}/prefix")
set(CELESTRIX_LIBJPEG_TURBO_SOURCE "" CACHE PATH
  "An unpacked libjpeg-turbo source; empty: fetch Debian's source package into the build folder")
set(CELESTRIX_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "The GoogleTest source to build")

function(celestrix_run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "Failed (${result}): ${command}\n${output}")
  endif()
endfunction()

# Configures one CMake project with this build's toolchain and builds the
# target given.
function(celestrix_build_dependency name source target)
  set(build "${CELESTRIX_DEPS_DIR}/${name}-build")
  celestrix_run(${CMAKE_COMMAND} -S "${source}" -B "${build}" -G "${CMAKE_GENERATOR}"
    "-DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}"
    -DCMAKE_BUILD_TYPE=Release
    "-DCMAKE_INSTALL_PREFIX=${CELESTRIX_DEPS_PREFIX}"
    ${ARGN})
  celestrix_run(${CMAKE_COMMAND} --build "${build}" --target ${target} --parallel 2)
endfunction()

if(NOT EXISTS "${CELESTRIX_DEPS_PREFIX}/lib/libjpeg.a")
  set(source "${CELESTRIX_LIBJPEG_TURBO_SOURCE}")
  if(NOT source)
    message(STATUS "Fetching Debian's libjpeg-turbo source package")
    execute_process(
      COMMAND sh "${PROJECT_SOURCE_DIR}/tools/windows/fetch-libjpeg-turbo.sh" "${CELESTRIX_DEPS_DIR}/src"
      RESULT_VARIABLE result OUTPUT_VARIABLE source ERROR_VARIABLE output OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "Cannot fetch the libjpeg-turbo source:\n${output}")
    endif()
  endif()
  message(STATUS "Building libjpeg for Windows from ${source}")
  # API version 62, static, without the SIMD code (it needs an assembler, and
  # the program decodes one small picture).
  # Only the library and its four headers are taken.
  celestrix_build_dependency(libjpeg-turbo "${source}" jpeg-static
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
    -DWITH_JPEG7=OFF -DWITH_JPEG8=OFF)
  set(build "${CELESTRIX_DEPS_DIR}/libjpeg-turbo-build")
  file(COPY "${source}/jpeglib.h" "${source}/jmorecfg.h" "${source}/jerror.h" "${build}/jconfig.h"
    DESTINATION "${CELESTRIX_DEPS_PREFIX}/include")
  file(COPY "${build}/libjpeg.a" DESTINATION "${CELESTRIX_DEPS_PREFIX}/lib")
endif()

if(CELESTRIX_TESTS AND NOT EXISTS "${CELESTRIX_DEPS_PREFIX}/lib/libgtest.a")
  message(STATUS "Building GoogleTest for Windows from ${CELESTRIX_GOOGLETEST_SOURCE}")
  # Windows' own threads and locks, not winpthreads.
  celestrix_build_dependency(googletest "${CELESTRIX_GOOGLETEST_SOURCE}" install
    -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -Dgtest_disable_pthreads=ON -DCMAKE_INSTALL_LIBDIR=lib)
endif()

set(JPEG_INCLUDE_DIR "${CELESTRIX_DEPS_PREFIX}/include" CACHE PATH "" FORCE)
set(JPEG_LIBRARY_RELEASE "${CELESTRIX_DEPS_PREFIX}/lib/libjpeg.a" CACHE FILEPATH "" FORCE)
set(GTest_DIR "${CELESTRIX_DEPS_PREFIX}/lib/cmake/GTest" CACHE PATH "" FORCE)
