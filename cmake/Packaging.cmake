# The Debian package: `cpack -G DEB` in the build folder (./package.sh builds and packages) makes
# tonefalls_<version>_<arch>.deb with the game, tonefalls-cli, their data, the desktop entry and
# icons (installed by app/qt), and the manual pages, the copyright file, the changelog and the
# AppStream metadata installed here.
include(GNUInstallDirs)

set(TF_PACKAGE_MAINTAINER "The Tonefalls developers <tonefalls@users.noreply.github.com>"
    CACHE STRING "The package's Maintainer, NAME <EMAIL>")
set(tf_package_dir ${CMAKE_BINARY_DIR}/package)
set(tf_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tonefalls)

# Each version has its entry in CHANGELOG.md, from which the Debian changelog is made.
file(STRINGS ${CMAKE_SOURCE_DIR}/CHANGELOG.md tf_release_heading REGEX "^## ${PROJECT_VERSION} - ")
if(NOT tf_release_heading)
    message(WARNING "CHANGELOG.md has no \"## ${PROJECT_VERSION} - YYYY-MM-DD\" section for this version")
endif()

# Manual pages and the changelog go in gzipped without a time stamp, as Debian wants them.
find_program(TF_GZIP gzip)
if(TF_GZIP)
    set(tf_package_docs)
    foreach(page tonefalls.6 tonefalls-cli.6)
        configure_file(${CMAKE_SOURCE_DIR}/res/man/${page} ${tf_package_dir}/${page} @ONLY)
        add_custom_command(OUTPUT ${tf_package_dir}/${page}.gz
                           COMMAND ${TF_GZIP} -9nfk ${tf_package_dir}/${page}
                           DEPENDS ${tf_package_dir}/${page}
                           COMMENT "Compressing the manual page ${page}")
        list(APPEND tf_package_docs ${tf_package_dir}/${page}.gz)
    endforeach()
    add_custom_command(OUTPUT ${tf_package_dir}/changelog.gz
                       COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/debian-changelog.sh ${CMAKE_SOURCE_DIR}/CHANGELOG.md
                               "${TF_PACKAGE_MAINTAINER}" ${tf_package_dir}/changelog.gz
                       DEPENDS ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${CMAKE_SOURCE_DIR}/scripts/debian-changelog.sh
                       COMMENT "Making the Debian changelog from CHANGELOG.md"
                       VERBATIM)
    list(APPEND tf_package_docs ${tf_package_dir}/changelog.gz)
    add_custom_target(tonefalls-package-docs ALL DEPENDS ${tf_package_docs})

    install(FILES ${tf_package_dir}/tonefalls.6.gz ${tf_package_dir}/tonefalls-cli.6.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    install(FILES ${tf_package_dir}/changelog.gz DESTINATION ${tf_doc_dir})
else()
    message(WARNING "No gzip: the manual pages and the changelog are not installed")
endif()
install(FILES ${CMAKE_SOURCE_DIR}/res/debian/copyright DESTINATION ${tf_doc_dir})
install(FILES ${CMAKE_SOURCE_DIR}/res/io.github.tonefalls.Tonefalls.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tonefalls)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tonefalls developers")
set(CPACK_PACKAGE_CONTACT "${TF_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard rhythm game that plays any MIDI file")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/tonefalls/tonefalls")
# CPack puts the summary above this as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tonefalls turns any Standard MIDI File into a rhythm game played on the
computer keyboard. Open a song, see how many notes each of its sixteen parts
holds, tick the parts you want to play, and play: the game sounds the
accompaniment while the notes of your parts fall down up to fifteen lanes and
sound only when you press the lane's key. Every press is judged, and a result
screen shows the counts and a mark.
.
The package also holds tonefalls-cli, the game without a window: note counts,
charts, event logs and WAV rendering of a song.")
# The libraries come from the programs themselves; the SoundFont (the built-in synthesizer's
# default, /usr/share/sounds/sf2/default-GM.sf2) and the Japanese fonts of the dialogs and
# screens, and Qt's Japanese texts, are read at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fluid-soundfont-gm | timgm6mb-soundfont, fonts-ipafont-gothic, qt6-translations-l10n")

# Debian keeps the programs of games in /usr/games (./package.sh configures that).
if(NOT TF_INSTALL_PROGRAM_DIR STREQUAL "games")
    message(STATUS "Packaging: for a Debian package configure with -DTF_INSTALL_PROGRAM_DIR=games "
                   "before cpack (./package.sh does)")
endif()

include(CPack)

# The package's contents, checked once the package is built (cpack -G DEB); skipped until then.
enable_testing()
add_test(NAME package.contents
         COMMAND ${CMAKE_SOURCE_DIR}/tests/package/check-package.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
set_tests_properties(package.contents PROPERTIES SKIP_RETURN_CODE 77)
