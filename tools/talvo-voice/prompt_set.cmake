# The spoken prompt set the package ships: talvo-prompts run at build time with the freshly
# built converter, in the coding the `#` set's modems use after their reset.
set(prompt_dir ${CMAKE_BINARY_DIR}/prompts)
set(prompt_names zero one two three four five six seven eight nine star verif1 verif2)
list(TRANSFORM prompt_names PREPEND ${prompt_dir}/ OUTPUT_VARIABLE prompt_files)
set(prompt_script ${CMAKE_CURRENT_LIST_DIR}/talvo-prompts)
add_custom_command(
  OUTPUT ${prompt_files}
  COMMAND ${CMAKE_COMMAND} -E env TALVO_VOICE=$<TARGET_FILE:talvo-voice>
          ${prompt_script} ${prompt_dir} --coding rockwell4 --rate 7200
  DEPENDS talvo-voice ${prompt_script}
  COMMENT "Speaking the read-back prompts"
  VERBATIM)
add_custom_target(prompt_set ALL DEPENDS ${prompt_files})
install(FILES ${prompt_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/talvo/prompts)
