# Sorts each subsystem's sources into the two layers:
#   <dir>/win_*.cpp  the Win32 layer (handles, messages, GDI), cross-compiled only;
#   <dir>/*.cpp      everything else: platform-free, built natively and cross.
# Platform-free files must compile without windows.h.
function(kbx_collect_sources)
  set(portable "")
  set(win32 "")
  foreach(dir ${ARGN})
    file(GLOB all CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    foreach(f ${all})
      get_filename_component(name ${f} NAME)
      if(name MATCHES "^win_")
        list(APPEND win32 ${f})
      else()
        list(APPEND portable ${f})
      endif()
    endforeach()
  endforeach()
  set(KBX_PORTABLE_SOURCES ${portable} PARENT_SCOPE)
  set(KBX_WIN32_SOURCES ${win32} PARENT_SCOPE)
endfunction()
