# Every target of ours gets the same warning set; CI turns them into errors.
function(koppelo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(KOPPELO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
