# The installed layout: the client with its tools beside it where it looks for them, the
# service, its configuration and its unit. DESTDIR is honoured ("DESTDIR=/tmp/x cmake --install").
# The service refuses an installation folder that is not root's alone, so install as root.
set(CORVALINK_INSTALL_DIR "/opt/corvalink" CACHE PATH "Absolute folder of the client and its tools")
set(CORVALINK_UNIT_DIR "/lib/systemd/system" CACHE PATH "Folder of the systemd units")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(_dir "${CORVALINK_INSTALL_DIR}")
set(_gen "${CMAKE_BINARY_DIR}/install-files")

install(TARGETS corvalink network-tool killswitch dns DESTINATION "${_dir}")
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
# The client runs stunnel itself, as the user: a link to the system's program does.
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}${_dir}/stunnel/bin\")
  file(CREATE_LINK /usr/bin/stunnel4 \"\$ENV{DESTDIR}${_dir}/stunnel/bin/stunnel\" SYMBOLIC)
  message(STATUS \"Installing: \$ENV{DESTDIR}${_dir}/stunnel/bin/stunnel -> /usr/bin/stunnel4\")")

# The desktop entry, pointing at this installation folder, and its icon.
configure_file("${CMAKE_SOURCE_DIR}/resources/corvalink.desktop.in"
  "${_gen}/corvalink.desktop" @ONLY)
install(FILES "${_gen}/corvalink.desktop" DESTINATION /usr/share/applications)
install(FILES "${CMAKE_SOURCE_DIR}/resources/icons/app/app-256.png" DESTINATION "${_dir}"
  RENAME corvalink.png)

# The example configuration with this installation folder.
file(READ "${CMAKE_SOURCE_DIR}/tools/vpn-service/vpn-service.conf.example" _conf)
string(REPLACE "/opt/corvalink" "${_dir}" _conf "${_conf}")
file(WRITE "${_gen}/vpn-service.conf" "${_conf}")
install(FILES "${_gen}/vpn-service.conf" DESTINATION /etc/corvalink
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(READ "${CMAKE_SOURCE_DIR}/tools/vpn-service/corvalink-vpn-service.service" _unit)
string(REPLACE "/opt/corvalink" "${_dir}" _unit "${_unit}")
file(WRITE "${_gen}/corvalink-vpn-service.service" "${_unit}")
install(FILES "${_gen}/corvalink-vpn-service.service" DESTINATION "${CORVALINK_UNIT_DIR}")

install(CODE "
  execute_process(COMMAND id -u OUTPUT_VARIABLE _uid OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT _uid STREQUAL \"0\")
    message(WARNING \"Not installed as root: the service refuses folders that are not root's\")
  endif()")
