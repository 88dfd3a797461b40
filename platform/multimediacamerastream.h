#pragma once

#include "platform/camerastream.h"

class QAbstractVideoSurface;
class QCamera;

// A camera of Qt Multimedia with the surface as its viewfinder; the frame source on
// Windows, where the camera stack hands over whole frames.
class MultimediaCameraStream final : public CameraStream
{
    Q_OBJECT

public:
    MultimediaCameraStream(
        const QByteArray &deviceName, QAbstractVideoSurface *surface, QObject *parent = nullptr);

    void start() override;
    void stop() override;
    [[nodiscard]] bool isActive() const override;
    [[nodiscard]] Failure failure() const override;
    [[nodiscard]] QString detail() const override;

private:
    QCamera *m_camera;
};
