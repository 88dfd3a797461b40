# The demo beside the executable, where Help -> Demo finds it: a recording and a folder of
# pictures of both models, made by a generator of our own.
add_executable(vx305_makedemo recording/makedemo.cpp)
target_include_directories(vx305_makedemo PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(vx305_makedemo PRIVATE vx305_core)

set(VX305_DEMO "${CMAKE_BINARY_DIR}/demo")
add_custom_command(OUTPUT "${VX305_DEMO}/Demo.mkv"
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:vx305_makedemo> "${VX305_DEMO}"
    DEPENDS vx305_makedemo
    COMMENT "Writing the demo recording and pictures"
    VERBATIM)
add_custom_target(vx305_demo ALL DEPENDS "${VX305_DEMO}/Demo.mkv")
