#pragma once

#include <QObject>
#include <QString>

// A started camera that hands its frames to a video surface. Made by
// Platform::openCamera(); the owner starts it, and stops it before the surface goes.
class CameraStream : public QObject
{
    Q_OBJECT

public:
    // What went wrong, as far as a user can act on it.
    enum class Failure {
        None,
        Busy, // another program holds the video node
        PermissionDenied, // the user may not open the video node
        StreamLost, // frames stopped: cable pulled, device gone, end of stream
        Other, // anything else; detail() says what
    };
    Q_ENUM(Failure)

    using QObject::QObject;

    virtual void start() = 0;
    // Stops the frames; when it returns, the surface is no longer called.
    virtual void stop() = 0;

    [[nodiscard]] virtual bool isActive() const = 0;
    [[nodiscard]] virtual Failure failure() const = 0;
    // The camera stack's own description of the failure (untranslated), or empty.
    [[nodiscard]] virtual QString detail() const = 0;
    [[nodiscard]] bool hasError() const { return failure() != Failure::None; }

signals:
    // Emitted once, on the thread that owns the stream, when failure() becomes set.
    void failed();
};
