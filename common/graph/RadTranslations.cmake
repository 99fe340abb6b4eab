# rad_add_translations(<target> <catalogue> TS_FILES <files...>)
# Compiles the Qt Linguist sources with lrelease and embeds the .qm files under ":/i18n/", where
# rad::InstallTranslations looks for "<catalogue>_ja.qm".
function(rad_add_translations target catalogue)
  cmake_parse_arguments(T "" "" "TS_FILES" ${ARGN})
  set_source_files_properties(${T_TS_FILES} PROPERTIES OUTPUT_LOCATION ${CMAKE_CURRENT_BINARY_DIR}/i18n)
  qt6_add_lrelease(${target} TS_FILES ${T_TS_FILES} QM_FILES_OUTPUT_VARIABLE qm_files)
  qt6_add_resources(${target} ${catalogue}_translations PREFIX /i18n BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n
                    FILES ${qm_files})
endfunction()
