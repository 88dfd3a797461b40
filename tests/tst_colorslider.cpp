#include "analysis/colormap.h"
#include "overlay/my_colorslider.h"
#include "ui_my_colorslider.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

using namespace ColorScale;
using Ints = QVector<int>;

// A slider placed by hand in a host without layout, so that any height can be given to it.
struct Placed
{
    QWidget host;
    My_ColorSlider *slider = new My_ColorSlider(&host);

    Placed(int height, int startIndex, int endIndex)
    {
        host.resize(200, 1100);
        slider->setGeometry(0, 0, 120, height);
        slider->m_startIndex = startIndex;
        slider->m_endIndex = endIndex;
        host.show();
        paint();
    }
    void paint() { (void)slider->grab(); }
};

// A row of the drag tables, each field a list of numbers: the slider's height and the indices
// of its handles; a press beside the tip of a handle (1 start, 2 end) at an offset (x, y);
// the heights a move goes through; then a release and the analysis window's repaint. Expected:
// the active handle, the two indices and the number of changes reported.
static void dragRow(const char *name, const char *setup, const char *press, const char *path,
                    const char *expected)
{
    const auto ints = [](const char *list) {
        Ints values;
        for (const QString &value : QString(list).split(' '))
            values << value.toInt();
        return values;
    };
    QTest::newRow(name) << ints(setup) << ints(press) << ints(path) << ints(expected);
}

static void dragColumns()
{
    for (const char *column : { "setup", "press", "path", "expected" })
        QTest::addColumn<Ints>(column);
}

class tst_ColorSlider : public QObject
{
    Q_OBJECT

private slots:
    void press_selects_a_handle_data()
    {
        dragColumns();
        // Tips at y 10 and 266; the box is tip.x < px <= tip.x + 14, |py - tip.y| <= 14. Each
        // move to a new index is reported at once, a move that keeps it is not.
        dragRow("px = tip.x", "276 0 255", "1 0 0", "138", "-1 0 255 0");
        dragRow("px = tip.x + 14", "276 0 255", "1 14 0", "138 137 137", "1 127 255 2");
        dragRow("px = tip.x + 15", "276 0 255", "1 15 0", "138", "-1 0 255 0");
        dragRow("14 below the start", "276 0 255", "1 7 14", "138", "1 128 255 1");
        dragRow("15 below the start", "276 0 255", "1 7 15", "138", "-1 0 255 0");
        // Start 0 at y 10, end 1 at y 11.
        dragRow("on both handles: the end", "276 0 1", "1 5 0", "138", "2 0 128 1");
        // Index 2 sits at y 11, which reads back as 1: a handle nobody dragged keeps its index.
        dragRow("beside the handles", "200 2 200", "1 -10 0", "150", "-1 2 200 0");
        dragRow("the other handle keeps its index", "200 2 200", "2 5 0", "150", "2 2 198 1");
        dragRow("20 pixels high: no span", "20 0 255", "1 5 0", "3 10 15", "2 0 255 0");
        dragRow("0 pixels high: never painted", "0 0 255", "1 5 0", "10", "-1 0 255 0");
    }
    void press_selects_a_handle() { drag(); }

    void drag_beyond_limits_keeps_last_position_data()
    {
        dragColumns();
        // Height 276: the handles move between 10 and 266; beyond, a handle stays where it was.
        dragRow("start flung above the top stays", "276 0 255", "1 5 0", "100 -40", "1 90 255 1");
        dragRow("start one pixel above the span", "276 0 255", "1 5 0", "9", "1 0 255 0");
        dragRow("end flung below the bottom stays", "276 0 255", "2 5 0", "200 500", "2 0 189 1");
    }
    void drag_beyond_limits_keeps_last_position() { drag(); }

    void handles_never_cross_data()
    {
        dragColumns();
        // End index 139 sits at y 150: meeting it is allowed, passing it is refused.
        dragRow("start refused past the end", "276 0 139", "1 5 0", "100 200 250", "1 90 139 1");
        dragRow("start meets the end", "276 0 139", "1 5 0", "150 151", "1 139 139 1");
        dragRow("end refused above the start", "276 139 139", "2 5 0", "20", "2 139 139 0");
    }
    void handles_never_cross() { drag(); }

    // The first paint puts the tips at the bar's right edge, at the heights of the indices:
    // index i at trunc(i * (H - 20) / 255.0 + 10.5); resized, the tips follow the indices. The
    // handles are filled with the colours at their indices; the values run from max to min.
    void painting()
    {
        Placed placed(276, 0, 255);
        My_ColorSlider *s = placed.slider;
        const QRect bar = s->ui->label->geometry();
        const int x = bar.x() + bar.width();
        const auto tips = [s] { return QVector<QPoint>({ s->m_startTip, s->m_endTip }); };
        QCOMPARE(tips(), QVector<QPoint>({ { x, 10 }, { x, 266 } }));
        // 40 * 256 / 255 = 40.16, + 10.5 = 50.66; 128 * 256 / 255 = 128.50, + 10.5 = 139.002.
        s->m_startIndex = 40;
        s->m_endIndex = 128;
        // Every entry different: entry i is (i, 255 - i, i / 2).
        for (int i = 0; i < 256; ++i)
            s->m_scalePalette[std::size_t(i)] = { quint8(i), quint8(255 - i), quint8(i / 2) };
        const QPixmap colours = QPixmap::fromImage(ColorMap::colorBar(s->m_scalePalette));
        s->setBarPixmap(colours);
        const QImage image = s->grab().toImage();
        QCOMPARE(tips(), QVector<QPoint>({ { x, 50 }, { x, 139 } }));
        QCOMPARE(QColor(image.pixel(s->m_startTip + QPoint(10, 0))), QColor(40, 215, 20));
        QCOMPARE(QColor(image.pixel(s->m_endTip + QPoint(10, 0))), QColor(128, 127, 64));
        const QPixmap shown = s->ui->label->pixmap(Qt::ReturnByValue);
        QCOMPARE(shown.size(), colours.size().scaled(s->size(), Qt::KeepAspectRatio));
        // A new pixmap on every paint would repaint the label, and so this widget, forever.
        placed.paint();
        QCOMPARE(s->ui->label->pixmap(Qt::ReturnByValue).cacheKey(), shown.cacheKey());
        // 40 * 180 / 255 = 28.24, + 10.5 = 38.74; 128 * 180 / 255 = 90.35, + 10.5 = 100.85.
        s->setGeometry(0, 0, 120, 200);
        placed.paint();
        QCOMPARE(tips(), QVector<QPoint>({ { x, 38 }, { x, 100 } }));
        s->m_maxTemp = 40.0f;
        s->m_minTemp = 20.0f;
        s->updateScaleLabels();
        QStringList values;
        for (int n = 2; n <= 12; ++n)
            values << s->findChild<QLabel *>(QStringLiteral("label_%1").arg(n))->text();
        QCOMPARE(values.join(' '), "40.0 38.0 36.0 34.0 32.0 30.0 28.0 26.0 24.0 22.0 20.0");
    }

private:
    void drag()
    {
        QFETCH(Ints, setup);
        QFETCH(Ints, press);
        QFETCH(Ints, path);
        QFETCH(Ints, expected);
        Placed placed(setup[0], setup[1], setup[2]);
        My_ColorSlider *s = placed.slider;
        QSignalSpy changes(s, &My_ColorSlider::indicesChanged);
        const QPoint tip = press[0] == 1 ? s->m_startTip : s->m_endTip;
        const QPoint at = tip + QPoint(press[1], press[2]);
        QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, at);
        for (const int y : path) {
            QMouseEvent move(QEvent::MouseMove, QPoint(at.x(), y), {}, Qt::LeftButton, {});
            QCoreApplication::sendEvent(s, &move);
        }
        QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, QPoint(at.x(), path.last()));
        placed.paint();
        QCOMPARE(Ints({ s->m_activeHandle, s->m_startIndex, s->m_endIndex, int(changes.count()) }),
                 expected);
    }
};

QTEST_MAIN(tst_ColorSlider)
#include "tst_colorslider.moc"
