# The Debian package: the installed layout of cmake/install.cmake as it stands, made by CPack from
# this build (scripts/package.sh). CPack rather than a debian/ folder with dpkg-buildpackage: the
# install rules already describe the layout (the lab installs from them too), and the package
# comes from the build the suites ran against instead of a second build from a clean tree.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvalink)
set(CPACK_PACKAGE_VERSION "${CORVALINK_PACKAGE_VERSION}")
set(CPACK_PACKAGE_CONTACT "Corvalink maintainers <maintainers@corvalink.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VPN client for OpenVPN and WireGuard servers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Corvalink keeps a VPN account, downloads the provider's server list, ranks
the servers by latency and connects over OpenVPN (UDP, TCP or Stealth through
stunnel) or WireGuard. It can block traffic outside the tunnel, force the
tunnel's DNS servers, reconnect after a drop and connect when it starts.
.
A privileged service does what needs administrator rights, for root and the
members of the group corvalink.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://corvalink.example")
# The libraries the programs link come from dpkg-shlibdeps; the programs they run and the QML
# modules they load from here. The client reads OpenVPN's management channel and stunnel's log as
# OpenVPN 2.6 and stunnel 5.68 write them (the fakes of the suites speak as those do).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "adduser, iproute2, nftables, openvpn (>= 2.6), stunnel4 (>= 3:5.68), wireguard-tools, \
wireguard-go, \
qml-module-qtquick2 (>= 5.15), qml-module-qtquick-window2 (>= 5.15), \
qml-module-qtquick-layouts (>= 5.15), qml-module-qtquick-controls2 (>= 5.15), \
qml-module-qtquick-templates2 (>= 5.15), qml-module-qt-labs-platform (>= 5.15)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  "${CMAKE_SOURCE_DIR}/packaging/debian/postinst;${CMAKE_SOURCE_DIR}/packaging/debian/prerm;\
${CMAKE_SOURCE_DIR}/packaging/debian/postrm;${CMAKE_SOURCE_DIR}/packaging/debian/conffiles")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# Every install rule names an absolute folder: they land in the staging folder through DESTDIR,
# never in the building machine's own.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
include(CPack)
