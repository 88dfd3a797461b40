target_sources(vx305_core PRIVATE
    automation/commandline.cpp automation/commandline.h
    automation/dailyreadings.cpp automation/dailyreadings.h
    automation/monitor.cpp automation/monitor.h
    automation/monitorcommands.cpp automation/monitorcommands.h
    automation/mqttmessages.cpp automation/mqttmessages.h
    automation/mqttpublisher.cpp automation/mqttpublisher.h
    automation/picturecommands.cpp automation/picturecommands.h
    automation/stopsignals.cpp automation/stopsignals.h
    automation/temperaturetiff.cpp automation/temperaturetiff.h)
target_compile_definitions(vx305_core PRIVATE VX305_VERSION="${PROJECT_VERSION}")

# The float TIFF of the temperatures (libtiff) and the MQTT publisher (libmosquitto, the Eclipse
# client).
find_package(TIFF REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(MOSQUITTO REQUIRED IMPORTED_TARGET libmosquitto)
target_link_libraries(vx305_core PUBLIC TIFF::TIFF PkgConfig::MOSQUITTO)
