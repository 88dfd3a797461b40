target_sources(vx305_core PRIVATE
    live/alarmhistory.cpp live/alarmhistory.h
    live/alarmrule.cpp live/alarmrule.h
    live/camer_window.cpp live/camer_window.h live/camer_window_recording.cpp
    live/camer_window_publishing.cpp
    live/liveframe.cpp live/liveframe.h
    live/livepicturelabel.cpp live/livepicturelabel.h
    live/qtcameracapture.cpp live/qtcameracapture.h
    live/readingslog.cpp live/readingslog.h
    live/trendchart.cpp live/trendchart.h
    forms/camer_window.ui)
