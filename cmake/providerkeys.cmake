# The provider's key material, taken from one folder chosen at configure time: the CA certificate
# and tls-crypt key of the two OpenVPN templates and the WireGuard servers' public key. The
# default is the lab's, whose private halves are in the repository: such a build says so.
set(CORVALINK_LAB_PROVIDER_DIR "${CMAKE_SOURCE_DIR}/resources/provider/lab")
set(CORVALINK_PROVIDER_DIR "${CORVALINK_LAB_PROVIDER_DIR}" CACHE PATH
  "Folder with the provider's ca.crt, tls-crypt.key and server.pub (WireGuard servers' key)")
# The server key used to be a cache value of its own; the folder is now the only source.
unset(CORVALINK_WIREGUARD_SERVER_KEY CACHE)

function(corvalink_read_provider_file name out)
  set(path "${CORVALINK_PROVIDER_DIR}/${name}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "Provider key material: '${path}' is missing")
  endif()
  file(READ "${path}" text)
  string(REPLACE "\r" "" text "${text}")
  string(STRIP "${text}" text)
  file(READ "${CORVALINK_LAB_PROVIDER_DIR}/${name}" lab)
  string(REPLACE "\r" "" lab "${lab}")
  string(STRIP "${lab}" lab)
  if(text STREQUAL lab)
    set(CORVALINK_LAB_KEY_MATERIAL 1 PARENT_SCOPE)
  endif()
  set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${path}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(CORVALINK_LAB_KEY_MATERIAL 0)
corvalink_read_provider_file(ca.crt _ca)
corvalink_read_provider_file(tls-crypt.key _tls_crypt)
corvalink_read_provider_file(server.pub CORVALINK_WIREGUARD_SERVER_KEY)

if(NOT _ca MATCHES "^-----BEGIN CERTIFICATE-----\n[A-Za-z0-9+/=\n]+\n-----END CERTIFICATE-----$")
  message(FATAL_ERROR "Provider key material: ca.crt is not one PEM certificate")
endif()
if(NOT _tls_crypt MATCHES "-----BEGIN OpenVPN Static key V1-----\n[0-9a-f\n]+\n-----END OpenVPN Static key V1-----$")
  message(FATAL_ERROR "Provider key material: tls-crypt.key is not an OpenVPN static key")
endif()
if(NOT CORVALINK_WIREGUARD_SERVER_KEY MATCHES "^[A-Za-z0-9+/]+=$"
   OR NOT CORVALINK_WIREGUARD_SERVER_KEY MATCHES "^............................................$")
  message(FATAL_ERROR "Provider key material: server.pub is not a 44-character WireGuard key")
endif()
if(CORVALINK_LAB_KEY_MATERIAL)
  message(WARNING "Built with the lab's key material: not for real use")
endif()

set(CORVALINK_CA_CERTIFICATE "${_ca}")
set(CORVALINK_TLS_CRYPT_KEY "${_tls_crypt}")
set(CORVALINK_GENERATED_CONFIG_DIR "${CMAKE_BINARY_DIR}/generated/config")
foreach(_template general.ovpn stunnel.ovpn)
  set(_input "${CMAKE_SOURCE_DIR}/resources/config/${_template}.in")
  file(READ "${_input}" _text)
  string(REPLACE "\r" "" _text "${_text}")
  string(CONFIGURE "${_text}" _text @ONLY)
  # The templates' lines end with CR LF, the inserted blocks' too.
  string(REPLACE "\n" "\r\n" _text "${_text}")
  set(_output "${CORVALINK_GENERATED_CONFIG_DIR}/${_template}")
  set(_old "")
  if(EXISTS "${_output}")
    file(READ "${_output}" _old)
  endif()
  # Rewritten only on a change, so that the resources are not rebuilt at every configure.
  if(NOT _old STREQUAL _text)
    file(WRITE "${_output}" "${_text}")
  endif()
  set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_input}")
endforeach()

# The resource file, with the same base name, lists every file of the source tree by its
# absolute path and adds the two filled templates under their usual names.
file(READ "${CMAKE_SOURCE_DIR}/resources.qrc" _qrc)
string(REGEX REPLACE "<file>([^<]+)</file>" "<file alias=\"\\1\">${CMAKE_SOURCE_DIR}/\\1</file>"
  _qrc "${_qrc}")
# Entries that carry their own alias keep it; only their relative path becomes absolute.
string(REGEX REPLACE "<file alias=\"([^\"]+)\">([^/<][^<]*)</file>"
  "<file alias=\"\\1\">${CMAKE_SOURCE_DIR}/\\2</file>" _qrc "${_qrc}")
string(REPLACE "</qresource>"
  "    <file alias=\"resources/config/general.ovpn\">${CORVALINK_GENERATED_CONFIG_DIR}/general.ovpn</file>\n    <file alias=\"resources/config/stunnel.ovpn\">${CORVALINK_GENERATED_CONFIG_DIR}/stunnel.ovpn</file>\n</qresource>"
  _qrc "${_qrc}")
set(CORVALINK_RESOURCES_QRC "${CMAKE_BINARY_DIR}/resources.qrc")
file(CONFIGURE OUTPUT "${CORVALINK_RESOURCES_QRC}" CONTENT "${_qrc}" @ONLY)
set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources.qrc")
