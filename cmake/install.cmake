# The installed layout: the client with its tools beside it where it looks for them, the
# service, its configuration and its unit, links on the PATH, the desktop entry, icons, metadata
# and documentation. DESTDIR is honoured ("DESTDIR=/tmp/x cmake --install"); the Debian package
# is made of exactly this (cmake/package.cmake). The service refuses an installation folder that
# is not root's alone, so install as root.
set(CORVALINK_INSTALL_DIR "/usr/lib/corvalink" CACHE PATH "Absolute folder of the client and its tools")
set(CORVALINK_UNIT_DIR "/lib/systemd/system" CACHE PATH "Folder of the systemd units")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(_dir "${CORVALINK_INSTALL_DIR}")
set(_gen "${CMAKE_BINARY_DIR}/install-files")

install(TARGETS corvalink corvalink-themeditor network-tool killswitch dns DESTINATION "${_dir}")
install(TARGETS wireguard-service DESTINATION "${_dir}/wireguard/bin")
# The client knows the service by its process name "vpn-service": it lives beside the client.
install(TARGETS vpn-service DESTINATION "${_dir}")

# The version the client shows with --version and on its start line.
file(WRITE "${_gen}/components.xml"
  "<Packages><Package><Name>corvalink</Name><Version>${PROJECT_VERSION}</Version></Package></Packages>\n")
install(FILES "${_gen}/components.xml" DESTINATION "${_dir}")

# The service refuses a link at the path the client names, and runs the system's OpenVPN in its
# place anyway; the file there is a plain script for anyone who starts it by hand.
file(WRITE "${_gen}/openvpn"
  "#!/bin/sh\n# The service runs /usr/sbin/openvpn for this path; this file only names it.\n"
  "exec /usr/sbin/openvpn \"$@\"\n")
install(PROGRAMS "${_gen}/openvpn" DESTINATION "${_dir}/openvpn/bin")
# Relative links, so that they hold in a DESTDIR copy and in the package alike.
function(corvalink_install_link target link)
  get_filename_component(_folder "${link}" DIRECTORY)
  file(RELATIVE_PATH _relative "${_folder}" "${target}")
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}${_folder}\")
    file(CREATE_LINK \"${_relative}\" \"\$ENV{DESTDIR}${link}\" SYMBOLIC)
    message(STATUS \"Installing: \$ENV{DESTDIR}${link} -> ${_relative}\")")
endfunction()
# The client runs stunnel itself, as the user: a link to the system's program does.
corvalink_install_link(/usr/bin/stunnel4 "${_dir}/stunnel/bin/stunnel")
# On the PATH; the client finds its tools beside the executable the link resolves to.
corvalink_install_link("${_dir}/corvalink" /usr/bin/corvalink)
corvalink_install_link("${_dir}/corvalink-themeditor" /usr/bin/corvalink-themeditor)

# The desktop entry, its icon in every size the theme asks for, and the software centre's
# metadata.
set(CORVALINK_APP_ID "com.corvalink.Corvalink")
configure_file("${CMAKE_SOURCE_DIR}/resources/corvalink.desktop.in"
  "${_gen}/${CORVALINK_APP_ID}.desktop" @ONLY)
install(FILES "${_gen}/${CORVALINK_APP_ID}.desktop" DESTINATION /usr/share/applications)
foreach(_size 16 32 48 64 128 256)
  install(FILES "${CMAKE_SOURCE_DIR}/resources/icons/app/app-${_size}.png"
    DESTINATION "/usr/share/icons/hicolor/${_size}x${_size}/apps" RENAME corvalink.png)
endforeach()
configure_file("${CMAKE_SOURCE_DIR}/packaging/corvalink.metainfo.xml.in"
  "${_gen}/${CORVALINK_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${_gen}/${CORVALINK_APP_ID}.metainfo.xml" DESTINATION /usr/share/metainfo)

# The manual page, the copyright and the changelog, compressed as Debian keeps them.
set(CORVALINK_PACKAGE_VERSION "" CACHE STRING "Version of the Debian package (the project's when empty)")
if(NOT CORVALINK_PACKAGE_VERSION)
  set(CORVALINK_PACKAGE_VERSION "${PROJECT_VERSION}")
endif()
set(_doc /usr/share/doc/corvalink)
# The changelog's date is the packaged revision's, so that a rebuild makes the same file.
execute_process(COMMAND git log -1 --format=%cD WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
  OUTPUT_VARIABLE CORVALINK_PACKAGE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT CORVALINK_PACKAGE_DATE)
  string(TIMESTAMP CORVALINK_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
endif()
configure_file("${CMAKE_SOURCE_DIR}/packaging/changelog.in" "${_gen}/changelog" @ONLY)
add_custom_command(OUTPUT "${_gen}/changelog.gz" "${_gen}/corvalink.1.gz"
  COMMAND gzip -9nc "${_gen}/changelog" > "${_gen}/changelog.gz"
  COMMAND gzip -9nc "${CMAKE_SOURCE_DIR}/packaging/corvalink.1" > "${_gen}/corvalink.1.gz"
  DEPENDS "${_gen}/changelog" "${CMAKE_SOURCE_DIR}/packaging/corvalink.1")
add_custom_target(corvalink-docs ALL DEPENDS "${_gen}/changelog.gz" "${_gen}/corvalink.1.gz")
install(FILES "${_gen}/changelog.gz" "${CMAKE_SOURCE_DIR}/packaging/copyright" DESTINATION "${_doc}")
install(FILES "${_gen}/corvalink.1.gz" DESTINATION /usr/share/man/man1)
corvalink_install_link(/usr/share/man/man1/corvalink.1.gz
  /usr/share/man/man1/corvalink-themeditor.1.gz)

# The example configuration with this installation folder.
file(READ "${CMAKE_SOURCE_DIR}/tools/vpn-service/vpn-service.conf.example" _conf)
string(REPLACE "/usr/lib/corvalink" "${_dir}" _conf "${_conf}")
file(WRITE "${_gen}/vpn-service.conf" "${_conf}")
install(FILES "${_gen}/vpn-service.conf" DESTINATION /etc/corvalink
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(READ "${CMAKE_SOURCE_DIR}/tools/vpn-service/corvalink-vpn-service.service" _unit)
string(REPLACE "/usr/lib/corvalink" "${_dir}" _unit "${_unit}")
file(WRITE "${_gen}/corvalink-vpn-service.service" "${_unit}")
install(FILES "${_gen}/corvalink-vpn-service.service" DESTINATION "${CORVALINK_UNIT_DIR}")

install(CODE "
  execute_process(COMMAND id -u OUTPUT_VARIABLE _uid OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT _uid STREQUAL \"0\")
    message(WARNING \"Not installed as root: the service refuses folders that are not root's\")
  endif()")
