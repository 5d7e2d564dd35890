# The Debian package: `cpack -G DEB` in a build tree makes talvo_<version>_amd64.deb of what
# `cmake --install` puts under /usr, with its library dependencies worked out by dpkg-shlibdeps.
# The changelog and copyright file are what Debian asks of every package's documentation.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9n -c ${CMAKE_CURRENT_LIST_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talvo)
set(CPACK_PACKAGE_CONTACT "The talvo developers <talvo@talvo.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "voice-modem jobs for calling scripts")
# Debian shows the description as it stands: lines of at most 80 characters.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "talvo runs one voice-telephony job on a voice modem and exits: it plays a\n"
    "stored message to a dialled number or on the modem's speaker and collects\n"
    "the keys the called party presses, or it records one voice message. It\n"
    "leaves its result in job files for the script that started it.\n"
    "talvo-voice converts voice files from and to WAV, vmodem simulates a voice\n"
    "modem on a pseudo-terminal, and korvin prints an identification report of\n"
    "the host.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The example prompt script speaks with espeak-ng.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS espeak-ng)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
