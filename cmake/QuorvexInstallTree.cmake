# The build tree lays out the program folder: the programs sit beside
# Data/, Help/, Compile/, System/ and My Plans/, so the program runs from the
# build tree as installed. Every install rule of the program folder is here or
# goes through the functions below.
#
# Installed, the same folder is PREFIX/lib/quorvex, without "My Plans" and
# with the marker file that tells the program it is installed: an installed
# program keeps plans in the user's documents folder and never writes into
# its own folder.
set(QV_INSTALL_DIR ${CMAKE_BINARY_DIR}/Quorvex)
set(QV_PROGRAM_DESTINATION lib/quorvex)
file(MAKE_DIRECTORY ${QV_INSTALL_DIR} ${QV_INSTALL_DIR}/Data ${QV_INSTALL_DIR}/Help
     ${QV_INSTALL_DIR}/Compile ${QV_INSTALL_DIR}/System "${QV_INSTALL_DIR}/My Plans")
add_custom_target(qv_install_tree_ready ALL)

# The programs a user starts by name get a link in PREFIX/bin; the others
# (the setup assistants) are started by quorvex from the program folder.
# LINK=PROGRAM gives a program's link another name: "viewer" alone would
# claim too general a command.
set(QV_COMMANDS quorvex qvtool compiler quorvex-viewer=viewer)

# qv_install_files(DESTINATION dir FILES ...): copies files into the laid-out
# program folder at build time and installs them under the same folder.
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
  install(FILES ${ARG_FILES} DESTINATION "${QV_PROGRAM_DESTINATION}/${ARG_DESTINATION}")
endfunction()

# qv_install_program_directory(SOURCE dir DESTINATION dir): installs a folder
# the build wrote into the laid-out program folder.
function(qv_install_program_directory)
  cmake_parse_arguments(ARG "" "SOURCE;DESTINATION" "" ${ARGN})
  install(DIRECTORY "${ARG_SOURCE}" DESTINATION "${QV_PROGRAM_DESTINATION}/${ARG_DESTINATION}")
endfunction()

install(DIRECTORY DESTINATION "${QV_PROGRAM_DESTINATION}/Compile")
install(FILES ${PROJECT_SOURCE_DIR}/cmake/quorvex.installed DESTINATION "${QV_PROGRAM_DESTINATION}")

# Called once every program is defined: links PREFIX/bin/NAME to the
# program in the program folder for each command this build has.
function(qv_install_command_links)
  set(links ${CMAKE_BINARY_DIR}/command-links)
  file(MAKE_DIRECTORY ${links})
  foreach(command IN LISTS QV_COMMANDS)
    set(program ${command})
    if(command MATCHES "^(.+)=(.+)$")
      set(command ${CMAKE_MATCH_1})
      set(program ${CMAKE_MATCH_2})
    endif()
    if(TARGET ${program})
      file(CREATE_LINK ../${QV_PROGRAM_DESTINATION}/${program} ${links}/${command} SYMBOLIC)
      install(FILES ${links}/${command} DESTINATION bin)
    endif()
  endforeach()
endfunction()
