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

# A target sees the headers of its own folders, and those of the targets it links: each
# folder's headers are linked one by one into an include tree of the target's own, named as
# in the sources ("countdown/countdown.h"). So a layer that includes a header of a folder it
# does not link, one above it, fails to compile.
function(zorvane_include_folders target)
  set(tree ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${tree})
  foreach(folder IN LISTS ARGN)
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    file(MAKE_DIRECTORY ${tree}/${folder})
    foreach(header IN LISTS headers)
      get_filename_component(name ${header} NAME)
      file(CREATE_LINK ${header} ${tree}/${folder}/${name} SYMBOLIC)
    endforeach()
  endforeach()
  target_include_directories(${target} PUBLIC ${tree})
endfunction()

# The project's own targets: warnings, the character sets, the sanitizers, and the include
# folders, by default the folder of the CMakeLists.txt (FOLDERS names others, relative to the
# project's root).
function(zorvane_target target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" FOLDERS)
  if(NOT arg_FOLDERS)
    file(RELATIVE_PATH arg_FOLDERS ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  zorvane_include_folders(${target} ${arg_FOLDERS})
  target_compile_options(${target} PRIVATE ${ZORVANE_WARNINGS}
    # Sources are UTF-8; the program's texts are code page 936 (GBK) byte strings. GB18030
    # gives every character GBK has the same bytes as GBK, and also encodes what GBK lacks
    # (the standard library's <chrono> holds a "µs"), so it is the execution charset.
    -finput-charset=UTF-8 -fexec-charset=GB18030)
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
  # One self-contained executable: the C and C++ runtimes and winpthread linked in. Each
  # function and datum in a section of its own, so that the linker leaves out what nothing
  # calls. Sections aligned in the file as in memory (a page): a loader can then map the
  # image straight from the file, where with the default 512 bytes Wine copies all of it
  # into the process's own memory (some 0.9 MB more of it).
  add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections
                   -Wl,--file-alignment=0x1000)
  add_compile_options(-ffunction-sections -fdata-sections)
endif()
