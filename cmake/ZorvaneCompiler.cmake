# Compiler settings for the project's own targets (never for the libraries it uses).

option(ZORVANE_SANITIZE "Build the native tests with AddressSanitizer and UBSan" ON)

function(zorvane_target target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Wnull-dereference
    -Werror
    # Sources are UTF-8; the program's texts are code page 936 (GBK) byte strings.
    -finput-charset=UTF-8 -fexec-charset=GBK)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(NOT WIN32 AND ZORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                           -fno-sanitize-recover=all)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

if(WIN32)
  # One self-contained executable: the C and C++ runtimes and winpthread linked in.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
