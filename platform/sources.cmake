target_sources(vx305_core PRIVATE
    platform/platform.h
    platform/platform.cpp
    platform/linuxplatform.cpp platform/linuxplatform.h)
