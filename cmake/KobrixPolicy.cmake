# kbx_own_target(<target>)
#
# What KOBRIX's own targets are built with: the warnings, the Windows header
# trims and wide-character defaults the framework's sources are written for,
# and (native builds with KBX_SANITIZE) ASan and UBSan. Applied target by
# target, so that none of it reaches a project that consumes the framework.
function(kbx_own_target target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
    if(MSVC)
      target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
    else()
      target_compile_options(${target} PRIVATE -Wno-cast-function-type)
    endif()
  elseif(KBX_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    # Whatever links a sanitized library needs the run-times too.
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()
