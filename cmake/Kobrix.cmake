# add_kobrix_program(<name> <source.cpp>...)
#
# Turns a user program (a source file that defines KBX_Setup and KBX_Main)
# into a Windows GUI executable: the framework supplies the program entry,
# the control window and everything else, and an application manifest that
# declares the program aware of the display scale (kobrix.manifest beside
# this file). With MinGW the executable is statically linked; with MSVC it
# uses the C++ run-time the build chose (CMAKE_MSVC_RUNTIME_LIBRARY).
# Available after add_subdirectory() or FetchContent of KOBRIX, and after
# find_package(kobrix).
set_property(GLOBAL PROPERTY KBX_MANIFEST ${CMAKE_CURRENT_LIST_DIR}/kobrix.manifest)

function(add_kobrix_program name)
  add_executable(${name} WIN32 ${ARGN} $<TARGET_OBJECTS:kobrix::kobrix_entry>)
  target_link_libraries(${name} PRIVATE kobrix::kobrix)
  get_property(manifest GLOBAL PROPERTY KBX_MANIFEST)
  if(MSVC)
    # The linker merges a .manifest source into the one it embeds.
    target_sources(${name} PRIVATE ${manifest})
  else()
    # MinGW: the manifest as resource 1 of type RT_MANIFEST (24).
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/kobrix_manifest.rc)
    file(CONFIGURE OUTPUT ${rc} CONTENT "1 24 \"${manifest}\"\n")
    target_sources(${name} PRIVATE ${rc})
  endif()
  if(MINGW)
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# add_kobrix_test(<name> <source.cpp>... PROGRAM <target>)
#
# A test of a KOBRIX program: builds the sources (with a main of their own
# or a test framework's) against kobrix::testing and registers a ctest that
# runs them with KBX_TEST_PROGRAM set to the program (KBX_TestProgramPath).
# On Windows the test runs as it is; built from Linux it runs under Wine
# through kobrix-run: on $DISPLAY, or in a private Xvfb when there is none,
# in the Wine prefix KOBRIX_TEST_WINEPREFIX when that is set, else in
# kobrix-run's own.
if(DEFINED KOBRIX_RUNNER)
  set_property(GLOBAL PROPERTY KBX_RUNNER ${KOBRIX_RUNNER})
else()
  set_property(GLOBAL PROPERTY KBX_RUNNER ${CMAKE_CURRENT_LIST_DIR}/../scripts/kobrix-run)
endif()
set(KOBRIX_TEST_WINEPREFIX "" CACHE PATH "Wine prefix for add_kobrix_test's tests (empty: kobrix-run's own)")

function(add_kobrix_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PROGRAM" "SOURCES")
  if(NOT arg_PROGRAM)
    message(FATAL_ERROR "add_kobrix_test(${name}): PROGRAM <target> is missing")
  endif()
  add_executable(${name} ${arg_SOURCES} ${arg_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE kobrix::testing)
  if(MINGW)
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
  add_dependencies(${name} ${arg_PROGRAM})
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_HOST_WIN32)
    get_property(runner GLOBAL PROPERTY KBX_RUNNER)
    set(prefix "")
    if(KOBRIX_TEST_WINEPREFIX)
      set(prefix --prefix ${KOBRIX_TEST_WINEPREFIX})
    endif()
    add_test(NAME ${name} COMMAND bash ${runner} ${prefix} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  # References (KBX_TestMatchPicture) are looked up beside the test's sources.
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "KBX_TEST_PROGRAM=$<TARGET_FILE:${arg_PROGRAM}>;KBX_TEST_REFERENCES=${CMAKE_CURRENT_SOURCE_DIR}"
    TIMEOUT 300)
endfunction()
