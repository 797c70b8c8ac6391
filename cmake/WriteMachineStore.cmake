# cmake -DSTORE=file -DPROGRAM_FOLDER=folder/ -P WriteMachineStore.cmake
# Writes the machine registry store (HKEY_LOCAL_MACHINE) with the entries
# this installation provides. Format: docs/formats.md, "Registry store files".
foreach(var STORE PROGRAM_FOLDER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "WriteMachineStore.cmake needs -D${var}=...")
  endif()
endforeach()
string(REPLACE "\\" "\\\\" folder "${PROGRAM_FOLDER}")
string(REPLACE "\"" "\\\"" folder "${folder}")
set(text "Quorvex Registry 1
; Quorvex's registry store. Format: docs/formats.md, \"Registry store files\".

[SOFTWARE\\Corvane\\Quorvex\\8.0]
\"Path\"=\"${folder}\"
\"Compiler\"=\"${folder}compiler\"

[SOFTWARE\\Corvane\\Quorvex\\8.0\\Table Converter]
\"InstalledTo\"=\"${folder}\"
\"Converter\"=\"built-in\"

")
get_filename_component(dir "${STORE}" DIRECTORY)
file(MAKE_DIRECTORY "${dir}")
# Written beside the store and renamed over it, so a reader never sees half a file.
file(WRITE "${STORE}.new" "${text}")
file(RENAME "${STORE}.new" "${STORE}")
