// Test helper, not part of the product: drives a live window with a synthetic frame stream
// (a warm spot drifting over a cool background) and writes screenshots of its three pages.
// Usage: livedemo <output folder>

#include "app/configrecord.h"
#include "app/startup.h"
#include "live/camer_window.h"
#include "live/liveframe.h"
#include "live/qtcameracapture.h"
#include "ui_camer_window.h"
#include "demosupport.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QTimer>
#include <QTranslator>
#include <QtMath>

#include <vector>

namespace {

std::vector<uchar> syntheticFrame(int t, quint16 maxTenths, quint16 thresholdTenths)
{
    std::vector<uchar> frame(LiveFrame::FrameBytes);
    const double cx = 120 + 60 * std::cos(t / 10.0);
    const double cy = 160 + 80 * std::sin(t / 13.0);
    for (int y = 0; y < LiveFrame::Height; ++y) {
        for (int x = 0; x < LiveFrame::Width; x += 2) {
            const double d = std::hypot(x - cx, y - cy);
            const double heat = std::exp(-d * d / 2500.0);
            uchar *p = frame.data() + (y * LiveFrame::Width + x) * 2;
            const uchar luma = uchar(40 + 200 * heat);
            p[0] = luma;
            p[1] = uchar(170 - 110 * heat); // U: blue when cool
            p[2] = luma;
            p[3] = uchar(110 + 140 * heat); // V: red when warm
        }
    }
    uchar *trailer = frame.data() + LiveFrame::PictureBytes;
    const quint16 words[3] = { maxTenths, thresholdTenths, 97 };
    for (int i = 0; i < 3; ++i) {
        trailer[2 * i] = uchar(words[i] & 0xFF);
        trailer[2 * i + 1] = uchar(words[i] >> 8);
    }
    return frame;
}

// Ten minutes of readings before the stream starts: a maximum drifting below the threshold
// 34.0 with two excursions above it.
void fillHistory(ReadingsLog &log)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (int k = 0; k < 15000; ++k) {
        const double s = k / 25.0;
        double max = 32.0 + 0.8 * std::sin(s / 45.0) + 0.15 * std::sin(s * 1.7);
        if (s > 200 && s < 245)
            max += 3.5 * std::sin((s - 200) / 45.0 * M_PI);
        if (s > 470 && s < 480)
            max += 2.8;
        log.append(now - 600000 + 40 * k, float(max), 34.0f, 0.97f);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DemoSession session;
    const QString out = DemoSession::outputFolder(argc, argv);

    FakePlatform platform;
    camer_window window(nullptr, &platform);
    window.resize(1130, 721);
    window.show();
    fillHistory(window.m_readings);
    window.ui->checkBox->setChecked(true);
    window.ui->checkBox_3->setChecked(true);

    int t = 0;
    QTimer frames;
    QObject::connect(&frames, &QTimer::timeout, [&] {
        // Rises through the 34.0 threshold after a second, so one alarm folder is written.
        const quint16 maxTenths = quint16(t < 10 ? 330 + t : 362);
        const std::vector<uchar> frame = syntheticFrame(t++, maxTenths, 340);
        window.m_capture->presentBytes(frame.data());
    });
    frames.start(100);

    QTimer::singleShot(2600, [&] {
        window.grab().save(out + QStringLiteral("/live-video.png"));
        window.on_listWidget_itemDoubleClicked(window.ui->listWidget->item(0));
    });
    QTimer::singleShot(3200, [&] {
        window.grab().save(out + QStringLiteral("/live-history.png"));
        window.ui->tabWidget->setCurrentIndex(2);
    });
    QTimer::singleShot(3800, [&] {
        window.grab().save(out + QStringLiteral("/live-trend.png"));
        app.quit();
    });
    return app.exec();
}
