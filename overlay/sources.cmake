target_sources(vx305_core PRIVATE
    overlay/my_colorslider.cpp overlay/my_colorslider.h
    overlay/toolmodel.cpp overlay/toolmodel.h
    forms/my_colorslider.ui)
target_sources(vx305_core PRIVATE
    overlay/mylabel.cpp overlay/mylabel.h
    overlay/overlaygeometry.cpp overlay/overlaygeometry.h)
