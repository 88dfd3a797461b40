target_sources(vx305_core PRIVATE
    recording/alarmclips.cpp recording/alarmclips.h
    recording/prealarmbuffer.cpp recording/prealarmbuffer.h
    recording/recorder.cpp recording/recorder.h
    recording/recordingformat.cpp recording/recordingformat.h
    recording/replaystream.cpp recording/replaystream.h
    recording/syntheticscene.cpp recording/syntheticscene.h
    recording/videoexport.cpp recording/videoexport.h)
