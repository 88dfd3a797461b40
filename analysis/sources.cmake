target_sources(vx305_core PRIVATE
    analysis/analysis_widget.cpp analysis/analysis_widget.h
    analysis/batchreport.cpp analysis/batchreport.h
    analysis/chartpanel.cpp analysis/chartpanel.h
    analysis/colormap.cpp analysis/colormap.h
    analysis/exports.cpp analysis/exports.h
    analysis/matimage.cpp analysis/matimage.h
    analysis/radiometricfile.cpp analysis/radiometricfile.h
    analysis/report.cpp analysis/report.h
    analysis/scalelock.cpp analysis/scalelock.h
    analysis/thermalcharts.cpp analysis/thermalcharts.h
    forms/analysis_widget.ui)
