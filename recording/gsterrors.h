#pragma once

// Errors GStreamer posts on a pipeline's bus, as text.

#include <QByteArray>
#include <QString>

#include <optional>

typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;

// The text of an error message; GStreamer's debug detail into debug when given.
QString gstErrorText(GstMessage *message, QByteArray *debug = nullptr);

// The oldest error waiting on the pipeline's bus, taken off it; nothing when none waits.
std::optional<QString> takeGstError(GstElement *pipeline, QByteArray *debug = nullptr);
