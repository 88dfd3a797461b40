target_sources(vx305_core PRIVATE
    browser/drivechoice.cpp browser/drivechoice.h
    browser/photo_window.cpp browser/photo_window.h
    browser/picturelisting.cpp browser/picturelisting.h
    browser/thumbnailfiller.cpp browser/thumbnailfiller.h
    forms/photo_window.ui)
