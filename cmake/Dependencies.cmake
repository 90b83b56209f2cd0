# libsndfile: Debian's i386 library natively; for Windows a DLL built once from
# Debian's source package with the same mingw toolchain.
if(VEK_WIN32)
  set(VEK_SNDFILE_DIR ${CMAKE_BINARY_DIR}/libsndfile-win32)
  if(NOT EXISTS ${VEK_SNDFILE_DIR}/bin/libsndfile-1.dll)
    message(STATUS "Building libsndfile-1.dll (once)")
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/cmake/build-libsndfile.sh ${VEK_SNDFILE_DIR}
                    RESULT_VARIABLE sndfile_result)
    if(NOT sndfile_result EQUAL 0)
      message(FATAL_ERROR "libsndfile-1.dll could not be built")
    endif()
  endif()
  add_library(sndfile SHARED IMPORTED GLOBAL)
  set_target_properties(sndfile PROPERTIES
    IMPORTED_IMPLIB ${VEK_SNDFILE_DIR}/lib/libsndfile.dll.a
    IMPORTED_LOCATION ${VEK_SNDFILE_DIR}/bin/libsndfile-1.dll
    INTERFACE_INCLUDE_DIRECTORIES ${VEK_SNDFILE_DIR}/include)
  file(MAKE_DIRECTORY ${VEK_DIST_DIR}/Extensions)
  file(COPY ${VEK_SNDFILE_DIR}/bin/libsndfile-1.dll DESTINATION ${VEK_DIST_DIR})
else()
  find_library(VEK_SNDFILE_LIBRARY NAMES sndfile PATHS /usr/lib/i386-linux-gnu NO_DEFAULT_PATH REQUIRED)
  add_library(sndfile UNKNOWN IMPORTED GLOBAL)
  set_target_properties(sndfile PROPERTIES IMPORTED_LOCATION ${VEK_SNDFILE_LIBRARY})
endif()

if(VEK_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
