# "Software Manual.pdf" beside the executable, where Help -> User's manual opens it.
add_executable(vx305_makemanual docs/manual/makemanual.cpp)
target_link_libraries(vx305_makemanual PRIVATE Qt5::Gui)

set(VX305_MANUAL "${CMAKE_BINARY_DIR}/Software Manual.pdf")
add_custom_command(OUTPUT "${VX305_MANUAL}"
    # Leak checks of a sanitizer build do not concern this tool.
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:vx305_makemanual> "${CMAKE_SOURCE_DIR}/docs/manual/manual.md" "${VX305_MANUAL}"
    DEPENDS vx305_makemanual "${CMAKE_SOURCE_DIR}/docs/manual/manual.md"
            "${CMAKE_SOURCE_DIR}/docs/manual/images/live-video.png"
            "${CMAKE_SOURCE_DIR}/docs/manual/images/analysis.png"
            "${CMAKE_SOURCE_DIR}/docs/manual/images/charts.png"
            "${CMAKE_SOURCE_DIR}/docs/manual/images/finding.png"
            "${CMAKE_SOURCE_DIR}/docs/manual/images/replay.png"
    COMMENT "Writing Software Manual.pdf"
    VERBATIM)
add_custom_target(vx305_manual ALL DEPENDS "${VX305_MANUAL}")
