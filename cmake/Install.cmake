# Installation (cmake --install BUILD --prefix P) and the Debian package (cpack -G DEB).
# The programs and every file they look for beside the executable go to P/lib/quorvane;
# P/bin holds links to them and P/share the desktop entry, icons, file type, manuals
# and completion. Included last, once every target exists.

set(QV_INSTALL_LIBDIR lib/quorvane)
set(QV_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(QV_PACKAGING_BINARY ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${QV_PACKAGING_BINARY}/bin)

# The About window's version is the package's.
file(STRINGS ${PROJECT_SOURCE_DIR}/src/app/ProductInfo.h qv_version_line REGEX "version = \"")
string(REGEX MATCH "\"([^\"]+)\"" qv_version_match "${qv_version_line}")
set(QV_PRODUCT_VERSION ${CMAKE_MATCH_1})

function(qv_install_program target)
  if(NOT TARGET ${target})
    return()
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION ${QV_INSTALL_LIBDIR})
  # A relative link, so the tree works wherever the prefix lies; the programs
  # resolve it to find their files.
  file(CREATE_LINK ../${QV_INSTALL_LIBDIR}/${target} ${QV_PACKAGING_BINARY}/bin/${target} SYMBOLIC)
  install(FILES ${QV_PACKAGING_BINARY}/bin/${target} DESTINATION bin)
endfunction()
qv_install_program(quorvane-cli)
qv_install_program(quorvane)

if(TARGET rptQVR1)
  install(FILES ${PROJECT_BINARY_DIR}/bin/rptQVR1.rav DESTINATION ${QV_INSTALL_LIBDIR})
endif()

if(TARGET quorvane)
  install(FILES ${PROJECT_SOURCE_DIR}/src/app/main/quorvane-help.html DESTINATION ${QV_INSTALL_LIBDIR})

  install(FILES ${QV_PACKAGING_SOURCE}/quorvane.desktop DESTINATION share/applications)
  install(FILES ${QV_PACKAGING_SOURCE}/quorvane-mime.xml DESTINATION share/mime/packages RENAME quorvane.xml)
  if(TARGET program_icons)
    install(DIRECTORY ${PROJECT_BINARY_DIR}/share/icons/ DESTINATION share/icons)
  endif()
endif()

# Manual pages, compressed as Debian keeps them.
set(qv_manuals)
foreach(page quorvane quorvane-cli)
  if(page STREQUAL "quorvane" AND NOT TARGET quorvane)
    continue()
  endif()
  configure_file(${QV_PACKAGING_SOURCE}/${page}.1.in ${QV_PACKAGING_BINARY}/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${QV_PACKAGING_BINARY}/${page}.1.gz
    COMMAND sh -c "gzip -9nc ${page}.1 > ${page}.1.gz"
    DEPENDS ${QV_PACKAGING_BINARY}/${page}.1
    WORKING_DIRECTORY ${QV_PACKAGING_BINARY}
    VERBATIM)
  list(APPEND qv_manuals ${QV_PACKAGING_BINARY}/${page}.1.gz)
  install(FILES ${QV_PACKAGING_BINARY}/${page}.1.gz DESTINATION share/man/man1)
  # bash-completion loads a command's completion from a file of the command's name.
  install(FILES ${QV_PACKAGING_SOURCE}/quorvane.bash-completion
          DESTINATION share/bash-completion/completions RENAME ${page})
endforeach()
add_custom_target(qv_manuals ALL DEPENDS ${qv_manuals})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${QV_PRODUCT_VERSION})
set(CPACK_PACKAGE_VENDOR Quorvane)
set(CPACK_PACKAGE_CONTACT "Quorvane <support@quorvane.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop loan amortization calculator")
set(CPACK_PACKAGE_DESCRIPTION "Enter amount, yearly rate, term and loan date and get the monthly payment,
a month-by-month schedule, totals and a chart. Extra payments typed into the
schedule re-amortize the loan. Loans are saved as .qvl text files; reports
are previewed, printed or written as PDF. Includes quorvane-cli.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quorvane.com/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
# Library dependencies are computed from the binaries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so not found by that: the fonts the windows are designed for,
# the desktop opener for help, web site, e-mail and report previews.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
