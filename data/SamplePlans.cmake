# The finished sample plans of the installed library: the plan of each demo
# answers file, written out with the library's example texts and compiled
# by the plan compiler (`qvtool sample`), as
#   Data/ENG/BusPlan/Samples/New/<Kind>.cpd, .../Samples/Existing/<Kind>.cpd
#   Data/ENG/MrktPlan/Samples/<Kind>.cpd
# One command per sample, so that they are made side by side. Each runs with
# a settings folder of its own in the build, so that no user preference
# changes what the samples say.
set(QV_SAMPLE_SETTINGS ${CMAKE_CURRENT_BINARY_DIR}/sample-settings)
set(QV_SAMPLE_PLANS)

function(qv_sample_plan answers sample)
  set(output ${QV_INSTALL_DIR}/Data/ENG/${sample})
  string(REPLACE "/" "-" settings ${sample})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QV_SAMPLE_SETTINGS}/${settings}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${QV_SAMPLE_SETTINGS}/${settings}
            $<TARGET_FILE:qvtool> sample --install ${QV_INSTALL_DIR}
            ${CMAKE_CURRENT_SOURCE_DIR}/demo/${answers} ${output}
    DEPENDS qvtool ${QV_LIBRARY_STAMP} ${CMAKE_CURRENT_SOURCE_DIR}/demo/${answers}
    COMMENT "Compiling the sample plan ${sample}"
    VERBATIM)
  set(QV_SAMPLE_PLANS ${QV_SAMPLE_PLANS} ${output} PARENT_SCOPE)
endfunction()

foreach(kind Service Manuf Whlesale Retail Custom)
  qv_sample_plan(${kind}-New.qa BusPlan/Samples/New/${kind}.cpd)
  qv_sample_plan(${kind}-Exist.qa BusPlan/Samples/Existing/${kind}.cpd)
  qv_sample_plan(Marketing-${kind}.qa MrktPlan/Samples/${kind}.cpd)
endforeach()

add_custom_target(qv_sample_plans ALL DEPENDS ${QV_SAMPLE_PLANS})
add_dependencies(qv_install_tree_ready qv_sample_plans)
