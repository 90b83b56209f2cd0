# vek_add_engineer(NAME <lib> DEF <file.def> [RUNTIME_ONLY] SOURCES ... [LIBS ...])
# Builds the engineer's code once as an object library (linked by its tests)
# and the host extension <lib>.mfx from it, laid out in dist/Extensions.
set(VEK_SHARED_ENGINEER_SOURCES
  ${CMAKE_SOURCE_DIR}/engineer/EngineerFactory.cpp
  ${CMAKE_SOURCE_DIR}/engineer/EngineerOptions.cpp
  ${CMAKE_SOURCE_DIR}/engineer/ExtensionList.cpp
  ${CMAKE_SOURCE_DIR}/engineer/PluginDescription.cpp
  ${CMAKE_SOURCE_DIR}/engineer/StreamBlocks.cpp
  ${CMAKE_SOURCE_DIR}/framework/EngineerModule.cpp
  ${CMAKE_SOURCE_DIR}/framework/InertExports.cpp
  ${CMAKE_SOURCE_DIR}/framework/Parameters.cpp
  ${CMAKE_SOURCE_DIR}/framework/Registry.cpp
  ${CMAKE_SOURCE_DIR}/framework/RunExports.cpp)

function(vek_add_engineer)
  cmake_parse_arguments(ENG "RUNTIME_ONLY" "NAME;DEF" "SOURCES;LIBS;WIN32_SOURCES;WIN32_LIBS" ${ARGN})
  set(objects ${ENG_NAME}_objects)
  add_library(${objects} OBJECT ${VEK_SHARED_ENGINEER_SOURCES} ${ENG_SOURCES})
  if(NOT ENG_RUNTIME_ONLY)
    # The edit-time side of the framework: portable logic, and Windows glue.
    file(GLOB edit_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/framework/edit/*.cpp)
    target_sources(${objects} PRIVATE ${edit_sources})
    if(VEK_WIN32)
      file(GLOB edit_win32_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/framework/edit/win32/*.cpp)
      target_sources(${objects} PRIVATE ${edit_win32_sources})
    endif()
  endif()
  if(VEK_WIN32)
    target_sources(${objects} PRIVATE ${ENG_WIN32_SOURCES})
  endif()
  target_include_directories(${objects} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${objects} PUBLIC vek_platform ${ENG_LIBS})
  if(VEK_WIN32)
    target_link_libraries(${objects} PUBLIC ${ENG_WIN32_LIBS})
  endif()
  if(ENG_RUNTIME_ONLY)
    target_compile_definitions(${objects} PUBLIC VEK_RUNTIME_ONLY)
  endif()

  add_library(${ENG_NAME} SHARED $<TARGET_OBJECTS:${objects}>)
  target_link_libraries(${ENG_NAME} PRIVATE ${objects})
  set_target_properties(${ENG_NAME} PROPERTIES PREFIX "" SUFFIX ".mfx"
    LIBRARY_OUTPUT_DIRECTORY ${VEK_EXTENSIONS_DIR}
    RUNTIME_OUTPUT_DIRECTORY ${VEK_EXTENSIONS_DIR})
  if(VEK_WIN32)
    target_sources(${ENG_NAME} PRIVATE ${ENG_DEF})
    target_link_options(${ENG_NAME} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
endfunction()
