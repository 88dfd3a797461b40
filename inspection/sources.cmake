target_sources(vx305_core PRIVATE
    inspection/analysiskeeper.cpp inspection/analysiskeeper.h
    inspection/analysisrecord.h
    inspection/analysisstore.cpp inspection/analysisstore.h
    inspection/findingpanel.cpp inspection/findingpanel.h
    inspection/findings.cpp inspection/findings.h
    inspection/inspectionreport.cpp inspection/inspectionreport.h
    inspection/inspectionreportdialog.cpp inspection/inspectionreportdialog.h
    forms/inspectionreportdialog.ui)
