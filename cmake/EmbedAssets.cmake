# embed_assets(<target> <file>...): compiles the files into <target> as byte arrays. The
# generated function RegisterAssets_<target>() registers each under its file name with the
# asset registry of the class library, so the program reads no files at run time.
function(embed_assets target)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_assets.cpp")
  set(inputs)
  foreach(file IN LISTS ARGN)
    get_filename_component(abs "${file}" ABSOLUTE)
    list(APPEND inputs "${abs}")
  endforeach()
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} "-DOUT=${out}" "-DINPUTS=${inputs}" "-DFUNCTION=RegisterAssets_${target}"
            -P "${PROJECT_SOURCE_DIR}/cmake/GenerateAssets.cmake"
    DEPENDS ${inputs} "${PROJECT_SOURCE_DIR}/cmake/GenerateAssets.cmake"
    COMMENT "Embedding assets into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
