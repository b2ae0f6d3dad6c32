# GoogleTest built from source with whatever compiler this build uses
# (native g++, the MinGW cross compiler, MSVC): from the sources Debian's
# googletest package installs, else from a pinned release archive when it
# can be downloaded. Without either the tests are left out and the rest of
# the build goes on; KBX_HAVE_GTEST says which happened.
set(KBX_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources")
option(KBX_GTEST_DOWNLOAD "Download GoogleTest when its sources are not in KBX_GTEST_SOURCE_DIR" ON)
set(KBX_GTEST_URL "https://github.com/google/googletest/archive/refs/tags/release-1.12.1.tar.gz")
set(KBX_GTEST_SHA256 "81964fe578e9bd7c94dfdb09c8e4d6e6759e19967e397dbea48d1c10e45d0df2")

set(KBX_HAVE_GTEST OFF)
set(kbx_gtest_dir "")
set(kbx_no_download "downloads are off (KBX_GTEST_DOWNLOAD)")
if(EXISTS ${KBX_GTEST_SOURCE_DIR}/googletest/CMakeLists.txt)
  set(kbx_gtest_dir ${KBX_GTEST_SOURCE_DIR}/googletest)
elseif(KBX_GTEST_DOWNLOAD)
  # Downloaded here rather than by FetchContent, which stops the configure
  # when it cannot reach the server.
  set(kbx_archive ${PROJECT_BINARY_DIR}/_deps/googletest-release-1.12.1.tar.gz)
  set(kbx_unpacked ${PROJECT_BINARY_DIR}/_deps/googletest-release-1.12.1)
  if(NOT EXISTS ${kbx_unpacked}/googletest/CMakeLists.txt)
    file(DOWNLOAD ${KBX_GTEST_URL} ${kbx_archive} STATUS kbx_status TIMEOUT 60 INACTIVITY_TIMEOUT 20)
    list(GET kbx_status 0 kbx_code)
    list(GET kbx_status 1 kbx_no_download)
    set(kbx_no_download "the download failed: ${kbx_no_download}")
    if(kbx_code EQUAL 0)
      file(SHA256 ${kbx_archive} kbx_hash)
      if(kbx_hash STREQUAL KBX_GTEST_SHA256)
        file(ARCHIVE_EXTRACT INPUT ${kbx_archive} DESTINATION ${PROJECT_BINARY_DIR}/_deps)
      else()
        set(kbx_no_download "the downloaded archive has SHA256 ${kbx_hash}, not ${KBX_GTEST_SHA256}")
      endif()
    endif()
    file(REMOVE ${kbx_archive})
  endif()
  if(EXISTS ${kbx_unpacked}/googletest/CMakeLists.txt)
    set(kbx_gtest_dir ${kbx_unpacked}/googletest)
  endif()
endif()

if(NOT kbx_gtest_dir)
  message(NOTICE "kobrix: tests skipped: no GoogleTest sources in ${KBX_GTEST_SOURCE_DIR} and ${kbx_no_download}; "
                 "install them (Debian: scripts/deps.sh) or pass -DKBX_GTEST_SOURCE_DIR=<googletest checkout>")
  return()
endif()

set(KBX_HAVE_GTEST ON)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# With MSVC this leaves the run-time library as the build chose it
# (CMAKE_MSVC_RUNTIME_LIBRARY), the one the framework and the tests use.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${kbx_gtest_dir} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(MINGW)
  # Static runtime, so the test .exe runs under Wine with no DLL beside it.
  target_link_options(gtest INTERFACE -static -static-libgcc -static-libstdc++)
endif()
