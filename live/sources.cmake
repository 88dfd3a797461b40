target_sources(vx305_core PRIVATE
    live/liveframe.cpp live/liveframe.h
    live/qtcameracapture.cpp live/qtcameracapture.h)
