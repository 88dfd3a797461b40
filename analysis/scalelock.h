#pragma once

#include <QObject>

// The locked colour scale, kept for the session and shared by every analysis window: while
// locked, each picture is coloured from its temperatures over the same span, so equal colours
// mean equal temperatures across pictures. The span is held in degrees Celsius; the windows
// show it in their own unit.
class ScaleLock : public QObject
{
    Q_OBJECT

public:
    // The one instance of the process.
    [[nodiscard]] static ScaleLock *instance();

    [[nodiscard]] bool locked() const { return m_locked; }
    // False until a span was set; the first lock then takes the picture's own span.
    [[nodiscard]] bool hasSpan() const { return m_hasSpan; }
    [[nodiscard]] double lowCelsius() const { return m_low; }
    [[nodiscard]] double highCelsius() const { return m_high; }

    // Each emits changed() when it changes something.
    void setLocked(bool locked);
    void setSpan(double lowCelsius, double highCelsius);
    // Back to the start of a session: unlocked, no span.
    void reset();

signals:
    void changed();

private:
    ScaleLock() = default;

    bool m_locked = false;
    bool m_hasSpan = false;
    double m_low = 0.0;
    double m_high = 0.0;
};
