#include "recording/gsterrors.h"

#include <gst/gst.h>

QString gstErrorText(GstMessage *message, QByteArray *debug)
{
    GError *error = nullptr;
    gchar *detail = nullptr;
    gst_message_parse_error(message, &error, debug ? &detail : nullptr);
    const QString text = QString::fromUtf8(error->message);
    if (debug)
        *debug = QByteArray(detail ? detail : "");
    g_error_free(error);
    g_free(detail);
    return text;
}

std::optional<QString> takeGstError(GstElement *pipeline, QByteArray *debug)
{
    GstBus *bus = gst_element_get_bus(pipeline);
    GstMessage *message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    if (!message)
        return std::nullopt;
    const QString text = gstErrorText(message, debug);
    gst_message_unref(message);
    return text;
}
