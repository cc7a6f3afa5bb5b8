# Installation and the Debian package (cpack -G DEB).
#
# The programs, the tamper-check library and the rule folders go together into lib/kestrova, the
# program folder, because the programs find the rule tables and the library beside their own real
# path. bin/ holds links to the three programs; the desktop entry, icon, AppStream metainfo,
# manual pages and the package documentation go to their usual places under share/.
include(GNUInstallDirs)

set(KESTROVA_INSTALL_PROGRAM_DIR lib/kestrova)
set(KESTROVA_METAINFO_ID org.kestrova.kestrova)
set(KESTROVA_PACKAGE_MAINTAINER "Kestrova maintainers <maintainers@kestrova.invalid>"
    CACHE STRING "Maintainer named in the Debian package")
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

# The release history must name the version being packaged.
file(STRINGS ${packaging_dir}/changelog changelog_head LIMIT_COUNT 1)
file(READ ${packaging_dir}/${KESTROVA_METAINFO_ID}.metainfo.xml metainfo)
if(NOT changelog_head MATCHES "^kestrova \\(${PROJECT_VERSION}\\) "
   OR NOT metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "packaging/changelog and packaging/${KESTROVA_METAINFO_ID}.metainfo.xml "
                      "need an entry for version ${PROJECT_VERSION} at the top")
endif()

set(kestrova_programs kestrova-check kestrova-sign)
if(TARGET kestrova)
  list(APPEND kestrova_programs kestrova)
endif()

install(TARGETS ${kestrova_programs} RUNTIME DESTINATION ${KESTROVA_INSTALL_PROGRAM_DIR})
# Loaded at run time, never executed.
install(TARGETS JACIC_CheckHash LIBRARY DESTINATION ${KESTROVA_INSTALL_PROGRAM_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

foreach(program ${kestrova_programs})
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${KESTROVA_INSTALL_PROGRAM_DIR}/${program} \"\${link}\" SYMBOLIC)
    message(STATUS \"Installing: \${link}\")
  ")
endforeach()

# Manual pages and the changelog, compressed as Debian installs them.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(packaging_build_dir ${CMAKE_BINARY_DIR}/packaging)
set(compressed_files)
foreach(program ${kestrova_programs})
  set(page ${packaging_build_dir}/${program}.1)
  configure_file(${packaging_dir}/man/${program}.1.in ${page} @ONLY)
  list(APPEND compressed_files ${page})
endforeach()
configure_file(${packaging_dir}/changelog ${packaging_build_dir}/changelog COPYONLY)
list(APPEND compressed_files ${packaging_build_dir}/changelog)
set(compressed_outputs)
foreach(file ${compressed_files})
  add_custom_command(OUTPUT ${file}.gz
    COMMAND ${GZIP_EXECUTABLE} -9nkf ${file}
    DEPENDS ${file} VERBATIM)
  list(APPEND compressed_outputs ${file}.gz)
endforeach()
add_custom_target(kestrova_compressed_docs ALL DEPENDS ${compressed_outputs})

list(TRANSFORM kestrova_programs PREPEND ${packaging_build_dir}/ OUTPUT_VARIABLE pages)
list(TRANSFORM pages APPEND .1.gz)
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_dir}/copyright ${packaging_build_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrova)
install(FILES ${packaging_dir}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME kestrova)

if(TARGET kestrova)
  install(FILES ${PROJECT_SOURCE_DIR}/src/app/kestrova.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/src/app/kestrova.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
  install(FILES ${packaging_dir}/${KESTROVA_METAINFO_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(CPACK_PACKAGE_NAME kestrova)
set(CPACK_PACKAGE_VENDOR "The Kestrova developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "checker for deliveries of construction record photographs")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrova checks a medium of an electronic delivery of construction record\n"
    "photographs before it is handed over: the folder and file structure, the\n"
    "management file and the photo attribute file against their DTDs and rule\n"
    "tables, every value in them, and every photo and drawing they name. It\n"
    "writes a Japanese result log in which every finding has an error code and a\n"
    "severity.\n"
    "\n"
    "The package holds the command-line checker kestrova-check, the desktop\n"
    "program kestrova, the seal tool kestrova-sign and the tamper-check library.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "${KESTROVA_PACKAGE_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-noto-cjk)
include(CPack)
