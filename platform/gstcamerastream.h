#pragma once

#include "platform/camerastream.h"

#include <QTimer>

#include <atomic>

class QAbstractVideoSurface;
typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;
typedef struct _GError GError;

// The imager's frames through GStreamer, `<source> ! capsfilter ! appsink`, each buffer
// handed whole to the surface: a frame is read by its bytes, not by its declared format,
// so the readings behind the picture survive. The surface is called on GStreamer's
// streaming thread; errors are read from the bus on the thread that owns the stream.
class GstCameraStream final : public CameraStream
{
    Q_OBJECT

public:
    // `source` is the gst-launch description of what produces the frames, for the imager
    // "v4l2src device=/dev/video0"; `device` is the video node whose access rights explain
    // a failure, empty when there is none.
    GstCameraStream(const QString &source, const QString &device, QAbstractVideoSurface *surface,
        QObject *parent = nullptr);
    ~GstCameraStream() override;

    // Opens the source, picks its mode (chooseImagerMode) and starts playing.
    void start() override;
    // Sets the pipeline to NULL, which joins the streaming thread.
    void stop() override;
    [[nodiscard]] bool isActive() const override { return m_running; }
    [[nodiscard]] Failure failure() const override { return m_failure; }
    [[nodiscard]] QString detail() const override { return m_detail; }

private:
    struct Callbacks;
    friend struct Callbacks;

    bool build();
    void chooseMode();
    void readBus(bool stateChangeFailed);
    [[nodiscard]] Failure classify(const GError *error) const;
    void fail(Failure failure, const QString &detail);

    QString m_source;
    QString m_device;
    QAbstractVideoSurface *m_surface;
    GstElement *m_pipeline = nullptr;
    QTimer m_busTimer;
    bool m_running = false;
    std::atomic<bool> m_streamed {false};
    Failure m_failure = Failure::None;
    QString m_detail;
};

// The mode to ask of a camera whose modes are `deviceCaps` (as gst_caps_to_string prints
// them): among the YUY2 modes of fixed width and height, the smallest 240 wide whose frame
// holds at least a whole imager frame (153,606 bytes, e.g. 240 x 321), else 240 x 320, else
// the first. Its highest own frame rate is kept and every other field fixated, so the result
// is fixed caps the camera offers. Empty when there is no such mode.
[[nodiscard]] QString chooseImagerMode(const QString &deviceCaps);

// Initialises GStreamer once; false (and a debug line) when it cannot be used.
[[nodiscard]] bool gstreamerReady();
