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
