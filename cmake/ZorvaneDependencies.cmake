# libjpeg-turbo and GoogleTest: Debian's packages natively; for Windows, Debian's source
# package of libjpeg-turbo and the GoogleTest source under /usr/src, cross-built here.

if(WIN32)
  set(ZORVANE_JPEG_PREFIX ${CMAKE_BINARY_DIR}/deps/libjpeg-turbo)
  # The script returns at once when the kept build was made the way it makes one.
  execute_process(
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-libjpeg-mingw.sh ${ZORVANE_JPEG_PREFIX}
            ${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw32.cmake
    RESULT_VARIABLE jpeg_result)
  if(NOT jpeg_result EQUAL 0)
    message(FATAL_ERROR "Cross-building libjpeg-turbo failed")
  endif()
  add_library(jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(jpeg PROPERTIES
    IMPORTED_LOCATION ${ZORVANE_JPEG_PREFIX}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${ZORVANE_JPEG_PREFIX}/include)

  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(JPEG REQUIRED)
  add_library(jpeg INTERFACE IMPORTED GLOBAL)
  target_link_libraries(jpeg INTERFACE JPEG::JPEG)
  find_package(GTest REQUIRED)
endif()
