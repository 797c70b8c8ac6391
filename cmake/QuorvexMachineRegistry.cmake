# The machine registry store (HKEY_LOCAL_MACHINE): System/HKEY_LOCAL_MACHINE.reg
# in the install folder, holding the program folder, the compiler and the
# table converter. The build writes it for the laid-out install folder;
# installation writes it again for the folder installed to.
set(QV_INSTALL_PROGRAM_DIR "." CACHE STRING "Folder of the programs below the install prefix")
set(_qv_store_script ${CMAKE_CURRENT_LIST_DIR}/WriteMachineStore.cmake)
set(_qv_store ${QV_INSTALL_DIR}/System/HKEY_LOCAL_MACHINE.reg)
add_custom_command(OUTPUT ${_qv_store}
  COMMAND ${CMAKE_COMMAND} -DSTORE=${_qv_store} -DPROGRAM_FOLDER=${QV_INSTALL_DIR}/ -P ${_qv_store_script}
  DEPENDS ${_qv_store_script} VERBATIM)
add_custom_target(qv_machine_store ALL DEPENDS ${_qv_store})
add_dependencies(qv_install_tree_ready qv_machine_store)
install(CODE "
  cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_PREFIX NORMALIZE OUTPUT_VARIABLE _qv_prefix)
  cmake_path(APPEND _qv_prefix \"${QV_INSTALL_PROGRAM_DIR}\" OUTPUT_VARIABLE _qv_folder)
  cmake_path(NORMAL_PATH _qv_folder)
  string(REGEX REPLACE \"/*$\" \"/\" _qv_folder \"\${_qv_folder}\")
  execute_process(COMMAND \"${CMAKE_COMMAND}\"
    \"-DSTORE=\$ENV{DESTDIR}\${_qv_folder}System/HKEY_LOCAL_MACHINE.reg\"
    \"-DPROGRAM_FOLDER=\${_qv_folder}\"
    -P \"${_qv_store_script}\" COMMAND_ERROR_IS_FATAL ANY)
")
