# add_kobrix_program(<name> <source.cpp>...)
#
# Turns a user program (a source file that defines KBX_Setup and KBX_Main)
# into a statically linked Windows GUI executable: the framework supplies
# the program entry, the control window and everything else. Available
# after add_subdirectory() or FetchContent of KOBRIX, and after
# find_package(kobrix).
function(add_kobrix_program name)
  add_executable(${name} WIN32 ${ARGN} $<TARGET_OBJECTS:kobrix::kobrix_entry>)
  target_link_libraries(${name} PRIVATE kobrix::kobrix)
  if(MINGW)
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
