# Builds binary files (pictures, sound clips) into the program as constant byte arrays.
#
# zorvane_embed(TARGET target NAMESPACE ns FILES name=path ...) adds to `target` a
# generated source that defines, for each file, `const std::span<const std::uint8_t> name`
# in namespace `ns`, declared in the header the caller writes.

function(zorvane_embed)
  cmake_parse_arguments(ARG "" "TARGET;NAMESPACE;OUTPUT" "FILES" ${ARGN})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${ARG_OUTPUT})
  set(depends)
  set(pairs)
  foreach(entry IN LISTS ARG_FILES)
    string(REPLACE "=" ";" parts ${entry})
    list(GET parts 0 name)
    list(GET parts 1 path)
    get_filename_component(path ${path} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND depends ${path})
    list(APPEND pairs "${name}=${path}")
  endforeach()
  string(REPLACE ";" "|" pairs_arg "${pairs}")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DNAMESPACE=${ARG_NAMESPACE}
            "-DPAIRS=${pairs_arg}" -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    DEPENDS ${depends} ${PROJECT_SOURCE_DIR}/cmake/EmbedFiles.cmake
    COMMENT "Embedding ${ARG_OUTPUT}"
    VERBATIM)
  target_sources(${ARG_TARGET} PRIVATE ${output})
endfunction()
