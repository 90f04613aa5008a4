# Shared build settings: warnings, ccache, and the program folder that the
# build lays out (executables with their data folders beside them).

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

add_compile_options(-Wall -Wextra)
if(QUILLON_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

list(APPEND CMAKE_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}")

set(QUILLON_PROGRAM_DIR "${CMAKE_BINARY_DIR}/program")
foreach(sub 数据库 皮肤 帮助文档)
  file(MAKE_DIRECTORY "${QUILLON_PROGRAM_DIR}/${sub}")
endforeach()

# An executable that ships: it lands in the program folder.
function(quillon_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${QUILLON_PROGRAM_DIR}")
endfunction()
