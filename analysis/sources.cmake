target_sources(vx305_core PRIVATE
    analysis/analysis_widget.cpp analysis/analysis_widget.h
    analysis/batchreport.cpp analysis/batchreport.h
    analysis/colormap.cpp analysis/colormap.h
    analysis/exports.cpp analysis/exports.h
    analysis/matimage.cpp analysis/matimage.h
    analysis/radiometricfile.cpp analysis/radiometricfile.h
    analysis/report.cpp analysis/report.h
    forms/analysis_widget.ui)
