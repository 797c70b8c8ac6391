# The build tree lays out the install folder: the programs sit beside
# Data/, Help/, Compile/, System/ and My Plans/, exactly as after installation,
# so the program runs from the build tree as installed.
set(QV_INSTALL_DIR ${CMAKE_BINARY_DIR}/Quorvex)
file(MAKE_DIRECTORY ${QV_INSTALL_DIR} ${QV_INSTALL_DIR}/Data ${QV_INSTALL_DIR}/Help
     ${QV_INSTALL_DIR}/Compile ${QV_INSTALL_DIR}/System "${QV_INSTALL_DIR}/My Plans")
add_custom_target(qv_install_tree_ready ALL)

# qv_install_files(DESTINATION dir FILES ...): copies files into the laid-out
# install folder at build time and installs them under the same folder.
function(qv_install_files)
  cmake_parse_arguments(ARG "" "DESTINATION;TARGET" "FILES" ${ARGN})
  set(outputs)
  foreach(f IN LISTS ARG_FILES)
    get_filename_component(fname ${f} NAME)
    set(out "${QV_INSTALL_DIR}/${ARG_DESTINATION}/${fname}")
    add_custom_command(OUTPUT "${out}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${QV_INSTALL_DIR}/${ARG_DESTINATION}"
      COMMAND ${CMAKE_COMMAND} -E copy_if_different "${f}" "${out}"
      DEPENDS "${f}" VERBATIM)
    list(APPEND outputs "${out}")
  endforeach()
  add_custom_target(${ARG_TARGET} ALL DEPENDS ${outputs})
  add_dependencies(qv_install_tree_ready ${ARG_TARGET})
  install(FILES ${ARG_FILES} DESTINATION "${ARG_DESTINATION}")
endfunction()

install(DIRECTORY DESTINATION "My Plans")
install(DIRECTORY DESTINATION "Compile")
