# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh).
# Dependencies come from the programs' shared libraries; the few things loaded
# at run time without a link are named here.
set(QV_DOC_DESTINATION share/doc/quorvex)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${QV_DOC_DESTINATION})
set(QV_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${QV_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${QV_CHANGELOG_GZ}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_target(qv_changelog ALL DEPENDS ${QV_CHANGELOG_GZ})
install(FILES ${QV_CHANGELOG_GZ} DESTINATION ${QV_DOC_DESTINATION})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Quorvex developers <quorvex@corvane.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Install steps that record the program folder see /usr, not the staging
# folder: the package installs with DESTDIR into the prefix /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write business plans and marketing plans")
# The synopsis is the summary above; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quorvex helps small-business owners write a business plan or a marketing
plan. A plan starts from a template for the kind of business (service,
manufacturing, wholesale, retail or custom), is shaped by a
question-and-answer wizard, and is written section by section beside
instructions and a worked example, with linked financial tables, graphs,
spell checking and a compile step that assembles the finished document.

Quorvex works offline and keeps every plan in open, documented file
formats.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.corvane.com/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windowing plugins and the spelling dictionary are loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, hunspell-en-us")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-dejavu-core, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
