# One place for the compile settings of every Quorvex target.
add_library(qv_settings INTERFACE)
target_compile_features(qv_settings INTERFACE cxx_std_20)
# gcc 12 reports false maybe-uninitialized warnings through std::optional.
target_compile_options(qv_settings INTERFACE -Wall -Wextra $<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
target_compile_definitions(qv_settings INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_USE_QSTRINGBUILDER
  QT_NO_FOREACH
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
if(QV_WERROR)
  target_compile_options(qv_settings INTERFACE -Werror)
endif()
if(QV_SANITIZE)
  target_compile_options(qv_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(qv_settings INTERFACE -fsanitize=address,undefined)
endif()

# qv_add_library(name [WIDGETS] SOURCES ... LIBS ...)
# A library of one area. Libraries without WIDGETS must not link QtWidgets;
# the check below keeps that promise visible in the build.
function(qv_add_library name)
  cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC qv_settings ${ARG_LIBS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  if(NOT ARG_WIDGETS)
    set_property(TARGET ${name} PROPERTY QV_NO_WIDGETS TRUE)
    foreach(lib IN LISTS ARG_LIBS)
      if(lib STREQUAL "Qt6::Widgets" OR lib STREQUAL "Qt::Widgets")
        message(FATAL_ERROR "${name} is a library without windows and must not link QtWidgets")
      endif()
    endforeach()
  endif()
endfunction()

# qv_add_program(name SOURCES ... LIBS ...): an executable of the install folder.
function(qv_add_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE qv_settings ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QV_INSTALL_DIR})
  install(TARGETS ${name} RUNTIME DESTINATION ${QV_PROGRAM_DESTINATION})
  add_dependencies(qv_install_tree_ready ${name})
endfunction()
