# Installation (cmake --install BUILD --prefix P) and the Debian package (cpack -G DEB).
# The programs and every file they look for beside the executable go to P/lib/quorvane;
# P/bin holds links to them and P/share the desktop entry, AppStream metadata, icons,
# file type, manuals, completion, copyright and changelog. Included last, once every
# target exists.

set(QV_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(QV_PACKAGING_BINARY ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${QV_PACKAGING_BINARY}/bin)

set(QV_DOC_DIR share/doc/quorvane)

# The changelog's newest entry is the release the programs report; its date is the
# release date the metadata announces.
file(STRINGS ${QV_PACKAGING_SOURCE}/changelog qv_changelog_top LIMIT_COUNT 1)
if(NOT qv_changelog_top MATCHES "^quorvane \\(${QV_PRODUCT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog must start with the entry for version ${QV_PRODUCT_VERSION}")
endif()
file(STRINGS ${QV_PACKAGING_SOURCE}/changelog qv_changelog_signature REGEX "^ -- " LIMIT_COUNT 1)
if(NOT qv_changelog_signature MATCHES ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: no date in \"${qv_changelog_signature}\"")
endif()
set(qv_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND qv_months ${CMAKE_MATCH_2} qv_month)
math(EXPR qv_month "${qv_month} + 1")
math(EXPR qv_day "${CMAKE_MATCH_1}")
set(QV_RELEASE_DATE ${CMAKE_MATCH_3})
foreach(part ${qv_month} ${qv_day})
  if(part LESS 10)
    set(part 0${part})
  endif()
  string(APPEND QV_RELEASE_DATE -${part})
endforeach()

# Debian keeps changelogs and manuals compressed, reproducibly (no name, no time).
function(qv_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip ${source} ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()

function(qv_install_program target)
  if(NOT TARGET ${target})
    return()
  endif()
  # As distributions link what they ship: symbols resolved at start, relocations read-only.
  target_link_options(${target} PRIVATE LINKER:-z,relro LINKER:-z,now)
  install(TARGETS ${target} RUNTIME DESTINATION ${QV_INSTALL_LIBDIR})
  # A relative link, so the tree works wherever the prefix lies; the programs
  # resolve it to find their files.
  file(CREATE_LINK ../${QV_INSTALL_LIBDIR}/${target} ${QV_PACKAGING_BINARY}/bin/${target} SYMBOLIC)
  install(FILES ${QV_PACKAGING_BINARY}/bin/${target} DESTINATION bin)
endfunction()
qv_install_program(quorvane-cli)
qv_install_program(quorvane)

# The print module, a private library of the package: hardened like the programs, not
# executable, in the architecture's library folder (QV_INSTALL_MODULEDIR, top CMakeLists.txt).
if(TARGET quorvane-print)
  target_link_options(quorvane-print PRIVATE LINKER:-z,relro LINKER:-z,now)
  install(TARGETS quorvane-print LIBRARY DESTINATION ${QV_INSTALL_MODULEDIR}
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endif()

if(TARGET rptQVR1)
  install(FILES ${PROJECT_BINARY_DIR}/bin/rptQVR1.rav DESTINATION ${QV_INSTALL_LIBDIR})
endif()

if(TARGET quorvane)
  install(FILES ${PROJECT_SOURCE_DIR}/src/app/main/quorvane-help.html DESTINATION ${QV_INSTALL_LIBDIR})

  install(FILES ${QV_PACKAGING_SOURCE}/${QV_APPLICATION_ID}.desktop DESTINATION share/applications)
  configure_file(${QV_PACKAGING_SOURCE}/${QV_APPLICATION_ID}.metainfo.xml.in
                 ${QV_PACKAGING_BINARY}/${QV_APPLICATION_ID}.metainfo.xml @ONLY)
  install(FILES ${QV_PACKAGING_BINARY}/${QV_APPLICATION_ID}.metainfo.xml DESTINATION share/metainfo)
  install(FILES ${QV_PACKAGING_SOURCE}/quorvane-mime.xml DESTINATION share/mime/packages RENAME quorvane.xml)
  if(TARGET program_icons)
    install(DIRECTORY ${PROJECT_BINARY_DIR}/share/icons/ DESTINATION share/icons)
  endif()
endif()

# Manual pages.
set(qv_manuals)
foreach(page quorvane quorvane-cli)
  if(page STREQUAL "quorvane" AND NOT TARGET quorvane)
    continue()
  endif()
  configure_file(${QV_PACKAGING_SOURCE}/${page}.1.in ${QV_PACKAGING_BINARY}/${page}.1 @ONLY)
  qv_gzip(${QV_PACKAGING_BINARY}/${page}.1 ${QV_PACKAGING_BINARY}/${page}.1.gz)
  list(APPEND qv_manuals ${QV_PACKAGING_BINARY}/${page}.1.gz)
  install(FILES ${QV_PACKAGING_BINARY}/${page}.1.gz DESTINATION share/man/man1)
  # bash-completion loads a command's completion from a file of the command's name.
  install(FILES ${QV_PACKAGING_SOURCE}/quorvane.bash-completion
          DESTINATION share/bash-completion/completions RENAME ${page})
endforeach()
add_custom_target(qv_manuals ALL DEPENDS ${qv_manuals})

# The licence and the history where packagers and users look for them. The version
# carries no packaging revision, so the package is native and its changelog is
# changelog.gz.
install(FILES ${QV_PACKAGING_SOURCE}/copyright DESTINATION ${QV_DOC_DIR})
qv_gzip(${QV_PACKAGING_SOURCE}/changelog ${QV_PACKAGING_BINARY}/changelog.gz)
add_custom_target(qv_changelog ALL DEPENDS ${QV_PACKAGING_BINARY}/changelog.gz)
install(FILES ${QV_PACKAGING_BINARY}/changelog.gz DESTINATION ${QV_DOC_DIR})

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
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Control files readable by all, as dpkg and lintian expect.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Library dependencies are computed from the binaries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so not found by that: the fonts the windows are designed for,
# the desktop opener for help, web site, e-mail and report previews.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
