# zarvo_embed_resources(<target>): builds the files of resources/ into the
# executable <target>. The helper zarvo_embed (tools/) writes them as byte
# arrays into a source of the target's own, whose static initializer hands
# the table to the platform's resource lookup; it runs again whenever one of
# the files, or the helper, changes.
set(ZARVO_RESOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/../resources")
cmake_path(NORMAL_PATH ZARVO_RESOURCE_DIR)

function(zarvo_embed_resources target)
  set(dir "${ZARVO_RESOURCE_DIR}")
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp")
  set(inputs "${dir}/zarvo.ico" "${dir}/brick.wav" "${dir}/zarvo.manifest"
             "${dir}/zarvo.version")
  # Resource types by number: 24 is the manifest.
  add_custom_command(
    OUTPUT "${out}"
    COMMAND zarvo_embed --output "${out}"
            --icon-group 1005 "${dir}/zarvo.ico"
            --named WAVE 1008 "${dir}/brick.wav"
            --numbered 24 1 "${dir}/zarvo.manifest"
            --version 1 "${dir}/zarvo.version"
    DEPENDS zarvo_embed ${inputs}
    COMMENT "Embedding the resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
