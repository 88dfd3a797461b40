#include "analysis/colormap.h"
#include "overlay/my_colorslider.h"
#include "ui_my_colorslider.h"

#include <QtTest>

// A slider placed by hand in a host without layout, so that any height can be given to it.
struct Placed
{
    QWidget host;
    My_ColorSlider *s = new My_ColorSlider(&host);

    Placed(int height, int startIndex, int endIndex)
    {
        host.resize(200, 1100);
        s->setGeometry(0, 0, 120, height);
        s->m_startIndex = startIndex;
        s->m_endIndex = endIndex;
        host.show();
        s->grab();
    }
};

class tst_ColorSlider : public QObject
{
    Q_OBJECT

private slots:
    // A row: the slider's height and the indices of its handles, a press beside the tip of a
    // handle (1 start, 2 end) at an offset (x, y); the heights a move goes through; then a
    // release and the analysis window's repaint. Expected: the active handle, the two indices and
    // the number of changes reported.
    void drag_data()
    {
        // clang-format off
        QTest::addColumn<QString>("drag");
        // The press selects a handle. Tips at y 10 and 266; the box is tip.x < px <= tip.x + 14,
        // |py - tip.y| <= 14. Each move to a new index is reported at once, a move that keeps it
        // is not.
        QTest::newRow("px = tip.x") << "276 0 255 1 0 0 | 138 | -1 0 255 0";
        QTest::newRow("px = tip.x + 14") << "276 0 255 1 14 0 | 138 137 137 | 1 127 255 2";
        QTest::newRow("px = tip.x + 15") << "276 0 255 1 15 0 | 138 | -1 0 255 0";
        QTest::newRow("14 below the start") << "276 0 255 1 7 14 | 138 | 1 128 255 1";
        QTest::newRow("15 below the start") << "276 0 255 1 7 15 | 138 | -1 0 255 0";
        // Start 0 at y 10, end 1 at y 11.
        QTest::newRow("on both handles: the end") << "276 0 1 1 5 0 | 138 | 2 0 128 1";
        // Index 2 sits at y 11, which reads back as 1: a handle nobody dragged keeps its index.
        QTest::newRow("beside the handles") << "200 2 200 1 -10 0 | 150 | -1 2 200 0";
        QTest::newRow("the other handle keeps its index") << "200 2 200 2 5 0 | 150 | 2 2 198 1";
        QTest::newRow("20 pixels high: no span") << "20 0 255 1 5 0 | 3 10 15 | 2 0 255 0";
        QTest::newRow("0 pixels high: never painted") << "0 0 255 1 5 0 | 10 | -1 0 255 0";
        // Dragged beyond the limits, a handle keeps its last position: at height 276 the handles
        // move between 10 and 266.
        QTest::newRow("start flung above the top") << "276 0 255 1 5 0 | 100 -40 | 1 90 255 1";
        QTest::newRow("start one pixel above the span") << "276 0 255 1 5 0 | 9 | 1 0 255 0";
        QTest::newRow("end flung below the bottom") << "276 0 255 2 5 0 | 200 500 | 2 0 189 1";
        // The handles never cross. End index 139 sits at y 150: meeting it is allowed, passing
        // it is refused.
        QTest::newRow("start refused past the end") << "276 0 139 1 5 0 | 100 200 250 | 1 90 139 1";
        QTest::newRow("start meets the end") << "276 0 139 1 5 0 | 150 151 | 1 139 139 1";
        QTest::newRow("end refused above the start") << "276 139 139 2 5 0 | 20 | 2 139 139 0";
        // clang-format on
    }
    void drag()
    {
        QFETCH(QString, drag);
        QTextStream in(&drag);
        int height, start, end, handle, dx, dy;
        in >> height >> start >> end >> handle >> dx >> dy;
        Placed placed(height, start, end);
        My_ColorSlider *s = placed.s;
        QSignalSpy changes(s, &My_ColorSlider::indicesChanged);
        const QPoint at = (handle == 1 ? s->m_startTip : s->m_endTip) + QPoint(dx, dy);
        QTest::mousePress(s, Qt::LeftButton, Qt::NoModifier, at);
        int y = 0;
        for (const QString &h : drag.section(" | ", 1, 1).split(' ')) {
            QMouseEvent move(
                QEvent::MouseMove, QPoint(at.x(), y = h.toInt()), {}, Qt::LeftButton, {});
            QCoreApplication::sendEvent(s, &move);
        }
        // While dragged, a tip never leaves the span between the margins.
        const int tip = (s->m_activeHandle == 2 ? s->m_endTip : s->m_startTip).y();
        QVERIFY(height < 20 || (tip >= 10 && tip <= height - 10));
        QTest::mouseRelease(s, Qt::LeftButton, Qt::NoModifier, QPoint(at.x(), y));
        s->grab();
        QCOMPARE(QString::asprintf("%d %d %d %d", s->m_activeHandle, s->m_startIndex, s->m_endIndex,
                     int(changes.count())),
            drag.section(" | ", 2));
    }

    // The first paint puts the tips at the bar's right edge, at the heights of the indices:
    // index i at trunc(i * (H - 20) / 255.0 + 10.5); resized, the tips follow the indices. The
    // handles are filled with the colours at their indices; the values run from max to min.
    void painting()
    {
        // 40 * 256 / 255 = 40.16, + 10.5 = 50.66; 128 * 256 / 255 = 128.50, + 10.5 = 139.002.
        Placed placed(276, 40, 128);
        My_ColorSlider *s = placed.s;
        // Every entry different: entry i is (i, 255 - i, i / 2).
        for (int i = 0; i < 256; ++i)
            s->m_scalePalette[std::size_t(i)] = {quint8(i), quint8(255 - i), quint8(i / 2)};
        const QPixmap colours = QPixmap::fromImage(ColorMap::colorBar(s->m_scalePalette));
        s->setBarPixmap(colours);
        const QImage image = s->grab().toImage();
        const int x = s->ui->label->geometry().right() + 1;
        const auto tips = [s] { return QVector<QPoint>({s->m_startTip, s->m_endTip}); };
        QCOMPARE(tips(), QVector<QPoint>({{x, 50}, {x, 139}}));
        QCOMPARE(QList<QColor>({image.pixel(s->m_startTip + QPoint(10, 0)),
                     image.pixel(s->m_endTip + QPoint(10, 0))}),
            QList<QColor>({QColor(40, 215, 20), QColor(128, 127, 64)}));
        const QPixmap shown = s->ui->label->pixmap(Qt::ReturnByValue);
        QCOMPARE(shown.size(), colours.size().scaled(s->size(), Qt::KeepAspectRatio));
        // A new pixmap on every paint would repaint the label, and so this widget, forever.
        s->grab();
        QCOMPARE(s->ui->label->pixmap(Qt::ReturnByValue).cacheKey(), shown.cacheKey());
        // 40 * 180 / 255 = 28.24, + 10.5 = 38.74; 128 * 180 / 255 = 90.35, + 10.5 = 100.85.
        s->setGeometry(0, 0, 120, 200);
        s->grab();
        QCOMPARE(tips(), QVector<QPoint>({{x, 38}, {x, 100}}));
        // Ten steps of 3.6 from 30.7 down to -5.3.
        s->m_maxTemp = 30.7f;
        s->m_minTemp = -5.3f;
        s->updateScaleLabels();
        for (int n = 2; n <= 12; ++n)
            QCOMPARE(s->findChild<QLabel *>(QStringLiteral("label_%1").arg(n))->text(),
                QString::number(30.7 - 3.6 * (n - 2), 'f', 1));
    }
};

QTEST_MAIN(tst_ColorSlider)
#include "tst_colorslider.moc"
