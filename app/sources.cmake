target_sources(vx305_core PRIVATE
    app/configrecord.cpp app/configrecord.h
    app/dialogs.cpp app/dialogs.h
    app/mainwindow.cpp app/mainwindow.h
    app/preferences.cpp app/preferences.h
    app/seting.cpp app/seting.h
    app/startup.cpp app/startup.h
    app/tabstyle.h
    forms/mainwindow.ui
    forms/seting.ui)
