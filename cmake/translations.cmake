# The catalogues of src/translations, compiled to .qm at build time and embedded under
# ":/src/translations" through a resource file of their own (base name "translations"). The .ts
# files are refreshed by scripts/update-translations.sh only: the build never rewrites them.
# Included from src/CMakeLists.txt, so that the .qm rules live beside the library that embeds them.
file(GLOB CORVALINK_TS_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/translations/vpnclient_*.ts")
set(_qm_dir "${CMAKE_CURRENT_BINARY_DIR}/translations")
set_source_files_properties(${CORVALINK_TS_FILES} PROPERTIES OUTPUT_LOCATION "${_qm_dir}")
qt5_add_translation(CORVALINK_QM_FILES ${CORVALINK_TS_FILES} OPTIONS -silent)

set(_qrc_text "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/src/translations\">\n")
foreach(_qm ${CORVALINK_QM_FILES})
  get_filename_component(_name "${_qm}" NAME)
  string(APPEND _qrc_text "    <file alias=\"${_name}\">${_qm}</file>\n")
endforeach()
string(APPEND _qrc_text "</qresource>\n</RCC>\n")
set(CORVALINK_TRANSLATIONS_QRC "${CMAKE_BINARY_DIR}/translations.qrc")
file(CONFIGURE OUTPUT "${CORVALINK_TRANSLATIONS_QRC}" CONTENT "${_qrc_text}")
# Compiled here rather than by AUTORCC, which would list the not yet built .qm files at configure
# time; the .qm files are the rule's dependencies.
set_source_files_properties("${CORVALINK_TRANSLATIONS_QRC}" PROPERTIES SKIP_AUTORCC ON)
qt5_add_resources(CORVALINK_TRANSLATIONS_SOURCES "${CORVALINK_TRANSLATIONS_QRC}")
