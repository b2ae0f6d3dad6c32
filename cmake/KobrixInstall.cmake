# cmake --install: the public headers, the libraries, the program entry and
# a package configuration, so that find_package(kobrix CONFIG) gives
# kobrix::kobrix and add_kobrix_program. The MinGW toolchain files and the
# runner (kobrix-run, Wine and Xvfb) go to share/kobrix for cross builds
# without the sources.
include(CMakePackageConfigHelpers)

set(KBX_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/kobrix)
set(KBX_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/kobrix)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")

set(KBX_INSTALLED_TARGETS kobrix_portable)
if(TARGET kobrix)
  list(APPEND KBX_INSTALLED_TARGETS kobrix kobrix_entry kobrix_testing)
endif()
# Debug and Release install side by side into one prefix (multi-config
# generators such as Visual Studio build both): the Debug libraries carry a
# d, the program entry goes to objects-<config>, and the package maps a
# consumer's configuration to the matching one.
set_target_properties(${KBX_INSTALLED_TARGETS} PROPERTIES DEBUG_POSTFIX d)
install(TARGETS ${KBX_INSTALLED_TARGETS} EXPORT kobrixTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/kobrix)
install(EXPORT kobrixTargets NAMESPACE kobrix:: DESTINATION ${KBX_CONFIG_DIR})

# MSVC: the run-time library this build chose (CMake's default when none
# was set), which a project linking the installed libraries must share.
set(KBX_MSVC_RUNTIME "")
if(MSVC)
  set(KBX_MSVC_RUNTIME "${CMAKE_MSVC_RUNTIME_LIBRARY}")
  if(NOT KBX_MSVC_RUNTIME)
    set(KBX_MSVC_RUNTIME "MultiThreaded$<$<CONFIG:Debug>:Debug>DLL")
  endif()
endif()
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/kobrixConfig.cmake.in
  ${PROJECT_BINARY_DIR}/kobrixConfig.cmake INSTALL_DESTINATION ${KBX_CONFIG_DIR} PATH_VARS KBX_SHARE_DIR)
# The version file also checks the pointer size: a 32-bit build never picks
# up a 64-bit installation.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kobrixConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kobrixConfig.cmake ${PROJECT_BINARY_DIR}/kobrixConfigVersion.cmake
              ${PROJECT_SOURCE_DIR}/cmake/Kobrix.cmake ${PROJECT_SOURCE_DIR}/cmake/kobrix.manifest
        DESTINATION ${KBX_CONFIG_DIR})

install(FILES ${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-x86_64.cmake
              ${PROJECT_SOURCE_DIR}/cmake/toolchain-mingw-i686.cmake
        DESTINATION ${KBX_SHARE_DIR})
install(PROGRAMS ${PROJECT_SOURCE_DIR}/scripts/wine-exec.sh ${PROJECT_SOURCE_DIR}/scripts/kobrix-run
        DESTINATION ${KBX_SHARE_DIR})
