target_sources(vx305_core PRIVATE
    platform/platform.h
    platform/platform.cpp
    platform/linuxplatform.cpp platform/linuxplatform.h
    platform/camerastream.h
    platform/multimediacamerastream.cpp platform/multimediacamerastream.h)
if(NOT WIN32)
    target_sources(vx305_core PRIVATE
        platform/gstcamerastream.cpp platform/gstcamerastream.h)
endif()
