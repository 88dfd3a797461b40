#include "analysis/scalelock.h"

ScaleLock *ScaleLock::instance()
{
    static ScaleLock lock;
    return &lock;
}

void ScaleLock::setLocked(bool locked)
{
    if (locked == m_locked)
        return;
    m_locked = locked;
    emit changed();
}

void ScaleLock::setSpan(double lowCelsius, double highCelsius)
{
    if (m_hasSpan && lowCelsius == m_low && highCelsius == m_high)
        return;
    m_hasSpan = true;
    m_low = lowCelsius;
    m_high = highCelsius;
    emit changed();
}

void ScaleLock::reset()
{
    const bool had = m_locked || m_hasSpan;
    m_locked = false;
    m_hasSpan = false;
    m_low = m_high = 0.0;
    if (had)
        emit changed();
}
