target_sources(vx305_core PRIVATE
    analysis/colormap.cpp analysis/colormap.h
    analysis/matimage.cpp analysis/matimage.h
    analysis/radiometricfile.cpp analysis/radiometricfile.h)
