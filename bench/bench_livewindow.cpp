// The live window's own cost per frame on its picture page, beside a bare widget that gets
// the same picture from the same surface and draws it smoothly scaled into the same area,
// in one run: CPU time of all threads per frame (cpu_us_per_frame), the frames fed as fast
// as the window takes them and every paint done. Offscreen, the window 1150 x 760.
#include "live/camer_window.h"
#include "live/qtcameracapture.h"
#include "recording/syntheticscene.h"
#include "testsupport.h"
#include "ui_camer_window.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

namespace {

constexpr int Frames = 250;

std::vector<QByteArray> sceneFrames()
{
    std::vector<QByteArray> frames;
    for (int k = 0; k < 25; ++k) {
        const double t = 8 + k * 0.04;
        frames.push_back(SyntheticScene::liveFrame(
                SyntheticScene::scene(t, SyntheticScene::demoPeak(t), 0.15, unsigned(k)), 60, 0.95f));
    }
    return frames;
}

// Draws the newest picture fitted into its whole area, smoothly, as the live picture is.
class BareWidget : public QWidget
{
public:
    void show(const QImage &picture)
    {
        m_picture = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        if (m_picture.isNull())
            return;
        const QSize fitted = m_picture.size().scaled(size(), Qt::KeepAspectRatio);
        QRect target(QPoint(), fitted);
        target.moveCenter(rect().center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_picture);
    }

private:
    QImage m_picture;
};

// Process CPU time in microseconds: every thread's.
double cpuUs()
{
    return double(std::clock()) * 1e6 / CLOCKS_PER_SEC;
}

// One frame through a surface with every paint it causes; its CPU time.
double frameUs(QtCameraCapture *surface, const QByteArray &frame, qint64 timeUs)
{
    const double before = cpuUs();
    surface->presentBytes(reinterpret_cast<const uchar *>(frame.constData()),
                          std::size_t(frame.size()), timeUs);
    QApplication::processEvents();
    return cpuUs() - before;
}

// The live window and the bare widget, each in its own 1150 x 760 top-level window, take
// turns frame by frame, so both see the same machine. Argument: 1 while recording.
void BM_PicturePage(benchmark::State &state)
{
    const std::vector<QByteArray> frames = sceneFrames();
    TemporaryHome home;
    FakePlatform platform;
    QWidget liveHost;
    liveHost.resize(1150, 760);
    auto *liveLayout = new QVBoxLayout(&liveHost);
    liveLayout->setContentsMargins(0, 0, 0, 0);
    auto *window = new camer_window(nullptr, &platform);
    liveLayout->addWidget(window);
    QWidget bareHost;
    bareHost.resize(1150, 760);
    auto *bareLayout = new QVBoxLayout(&bareHost);
    // The same area the live picture has in the window.
    auto *bare = new BareWidget;
    bare->setFixedSize(830, 697);
    bareLayout->addWidget(bare, 0, Qt::AlignCenter);
    QtCameraCapture bareSurface;
    QObject::connect(&bareSurface, &QtCameraCapture::display_Qimage, bare, &BareWidget::show);
    liveHost.show();
    bareHost.show();
    QApplication::processEvents();
    const bool recording = state.range(0) == 1;
    double live = 0;
    double plain = 0;
    int k = 0;
    for (auto _ : state) {
        if (!recording) {
            for (int i = 0; i < Frames; ++i, ++k) {
                const QByteArray &frame = frames[std::size_t(k) % frames.size()];
                live += frameUs(window->m_capture, frame, qint64(k) * 40000);
                plain += frameUs(&bareSurface, frame, qint64(k) * 40000);
            }
            continue;
        }
        // The encoder works on its own threads, after the frames too: the bare widget's
        // frames first, then the window's with the recording, up to the recording's end.
        for (int i = 0; i < Frames; ++i)
            plain += frameUs(&bareSurface, frames[std::size_t(k + i) % frames.size()], 0);
        const double before = cpuUs();
        window->ui->pushButton_record->click();
        for (int i = 0; i < Frames; ++i, ++k)
            frameUs(window->m_capture, frames[std::size_t(k) % frames.size()], qint64(k) * 40000);
        window->ui->pushButton_record->click();
        live += cpuUs() - before;
    }
    state.counters["picture_w"] = window->ui->label_17->width();
    state.counters["picture_h"] = window->ui->label_17->height();
    state.counters["live_us_per_frame"] = live / k;
    state.counters["bare_us_per_frame"] = plain / k;
    state.counters["ratio"] = live / plain;
    state.SetLabel(recording ? "live window recording vs bare widget" : "live window vs bare widget");
}
BENCHMARK(BM_PicturePage)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
