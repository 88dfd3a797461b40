// Test helper, not part of the product: opens a synthetic picture in the analysis window with
// the chart panel open, draws a line and a rectangle, sets an isotherm and writes screenshots.
// Usage: chartsdemo <output folder> [width height [language code]]

#include "analysis/analysis_widget.h"
#include "analysis/scalelock.h"
#include "demopicture.h"
#include "demosupport.h"
#include "ui_analysis_widget.h"

#include <QApplication>
#include <QTest>
#include <QTranslator>

namespace {

void drag(QWidget *label, QPoint from, QPoint to)
{
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 4; ++i) {
        const QPoint at = from + (to - from) * i / 4;
        QMouseEvent move(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(label, &move);
    }
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, to);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DemoSession session;
    const QString out = DemoSession::outputFolder(argc, argv);
    const QSize size = argc > 3 ? QSize(QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt())
                                : QSize(1100, 700);

    QTranslator other;
    if (argc > 4 && other.load(QStringLiteral(":/Demo_%1.qm").arg(QString::fromLatin1(argv[4]))))
        QCoreApplication::installTranslator(&other);

    const QString file = session.home.path() + QStringLiteral("/IMG_0001.bmp");
    demoPicture().writeTo(file);
    Analysis_Widget window;
    if (!window.set_Image_addr(file, 0))
        return 1;
    window.resize(size);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.grab().save(out + QStringLiteral("/charts-closed.png"));
    window.ui->pushButton_chart->click();
    QTest::qWait(100);

    MyLabel *label = window.ui->label;
    const auto at = [label](int x, int y) {
        const auto p = label->geometryValues().pictureToLabel(x, y, 0, 0);
        return QPoint(p.x, p.y);
    };
    window.ui->pushButton_6->click();
    drag(label, at(130, 180), at(215, 285));
    window.ui->pushButton_7->click();
    drag(label, at(20, 60), at(220, 250));
    window.ui->pushButton_9->click();
    QTest::qWait(200);
    window.grab().save(out + QStringLiteral("/charts-open.png"));

    window.ui->comboBox_isotherm->setCurrentIndex(1);
    window.ui->doubleSpinBox_isoLow->setValue(50.0);
    QTest::qWait(100);
    window.grab().save(out + QStringLiteral("/charts-isotherm.png"));

    window.ui->comboBox_isotherm->setCurrentIndex(0);
    window.ui->checkBox_lockScale->setChecked(true);
    window.ui->doubleSpinBox_lockLow->setValue(20.0);
    window.ui->doubleSpinBox_lockHigh->setValue(80.0);
    window.ui->comboBox->setCurrentIndex(1);
    QTest::qWait(100);
    window.grab().save(out + QStringLiteral("/charts-locked-fahrenheit.png"));
    return 0;
}
