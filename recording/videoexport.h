#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// Writes a recording, or a part of it, as a WebM video (VP8) that any browser or player
// opens: each frame at twice the imager's size with its maximum, threshold and time drawn
// in, at the times it was recorded.
namespace VideoExport {

struct Request
{
    QString source; // the recording
    QString target; // the .webm to write
    qint64 fromUs = -1; // the part, in the recording's own time; -1 for its ends
    qint64 toUs = -1;
    qint64 startMs = 0; // wall time of the recording's first frame, for the drawn time
};

struct Outcome
{
    int frames = 0;
    bool cancelled = false;
    QString error; // empty on success; GStreamer's own words
};

// Runs on the calling thread; `progress` gets 0..1 after every frame and cancels the export
// by returning false, which removes the unfinished file.
[[nodiscard]] Outcome exportWebm(const Request &request,
                                 const std::function<bool(double)> &progress);

} // namespace VideoExport
