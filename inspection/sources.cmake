target_sources(vx305_core PRIVATE
    inspection/analysiskeeper.cpp inspection/analysiskeeper.h
    inspection/analysisrecord.h
    inspection/analysisstore.cpp inspection/analysisstore.h
    inspection/findingpanel.cpp inspection/findingpanel.h
    inspection/findings.cpp inspection/findings.h
    inspection/inspectionreport.cpp inspection/inspectionreport.h
    inspection/inspectionreportdialog.cpp inspection/inspectionreportdialog.h
    forms/inspectionreportdialog.ui)

# SHA-256 of every picture opened or listed with its finding: OpenSSL's is several times faster
# than Qt's, which a command over thousands of pictures needs.
find_package(OpenSSL REQUIRED COMPONENTS Crypto)
target_link_libraries(vx305_core PRIVATE OpenSSL::Crypto)
