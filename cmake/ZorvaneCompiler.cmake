# Compiler settings for the project's own targets (never for the libraries it uses).

# The native build's sanitizers: "address" (AddressSanitizer and UndefinedBehaviorSanitizer),
# "thread" (ThreadSanitizer, which cannot be combined with those) or "none".
set(ZORVANE_SANITIZE "address" CACHE STRING "Sanitizers of the native build: address, thread or none")
# Older build trees hold the earlier yes/no form of this setting.
if(ZORVANE_SANITIZE MATCHES "^(ON|TRUE|YES|1)$")
  set(ZORVANE_SANITIZE "address" CACHE STRING "" FORCE)
elseif(ZORVANE_SANITIZE MATCHES "^(OFF|FALSE|NO|0)$")
  set(ZORVANE_SANITIZE "none" CACHE STRING "" FORCE)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/ZorvaneWarnings.cmake)

function(zorvane_target target)
  target_compile_options(${target} PRIVATE ${ZORVANE_WARNINGS}
    # Sources are UTF-8; the program's texts are code page 936 (GBK) byte strings. GB18030
    # gives every character GBK has the same bytes as GBK, and also encodes what GBK lacks
    # (the standard library's <chrono> holds a "µs"), so it is the execution charset.
    -finput-charset=UTF-8 -fexec-charset=GB18030)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(NOT WIN32 AND ZORVANE_SANITIZE STREQUAL "address")
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                           -fno-sanitize-recover=all)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  elseif(NOT WIN32 AND ZORVANE_SANITIZE STREQUAL "thread")
    target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(${target} PUBLIC -fsanitize=thread)
  endif()
endfunction()

if(WIN32)
  # One self-contained executable: the C and C++ runtimes and winpthread linked in.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
