# Translations are compiled from their .ts sources and embedded through a generated qrc.
set(vx305_ts_files
    ${CMAKE_SOURCE_DIR}/resources/translations/Demo_EN.ts
    ${CMAKE_SOURCE_DIR}/resources/translations/Demo_KO.ts
    ${CMAKE_SOURCE_DIR}/resources/translations/Demo_RU.ts)
set_source_files_properties(${vx305_ts_files} PROPERTIES
    OUTPUT_LOCATION ${CMAKE_BINARY_DIR}/translations)
qt5_add_translation(vx305_qm_files ${vx305_ts_files})

set(vx305_qrc_body "")
foreach(qm ${vx305_qm_files})
    get_filename_component(name ${qm} NAME)
    string(APPEND vx305_qrc_body "    <file alias=\"${name}\">${qm}</file>\n")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/translations/translations.qrc
    "<RCC>\n  <qresource prefix=\"/\">\n${vx305_qrc_body}  </qresource>\n</RCC>\n")

# The qm files do not exist at configure time, so rcc is run with explicit dependencies.
set(vx305_translations_cpp ${CMAKE_BINARY_DIR}/translations/qrc_translations.cpp)
add_custom_command(OUTPUT ${vx305_translations_cpp}
    COMMAND Qt5::rcc --name translations
            --output ${vx305_translations_cpp}
            ${CMAKE_BINARY_DIR}/translations/translations.qrc
    DEPENDS ${vx305_qm_files} ${CMAKE_BINARY_DIR}/translations/translations.qrc
    VERBATIM)
set_source_files_properties(${vx305_translations_cpp} PROPERTIES
    SKIP_AUTOMOC ON SKIP_AUTOUIC ON GENERATED ON)

target_sources(vx305_core PRIVATE
    ${CMAKE_SOURCE_DIR}/resources/resources.qrc
    ${vx305_translations_cpp})
