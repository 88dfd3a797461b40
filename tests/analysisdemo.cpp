// Test helper, not part of the product: opens a synthetic picture in the analysis window,
// places one tool of each kind with the mouse, writes a screenshot and exports the report.
// Usage: analysisdemo <output folder> [model: 0 VX305, 1 VX300]

#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "app/startup.h"
#include "ui_analysis_widget.h"
#include "demopicture.h"
#include "demosupport.h"

#include <QApplication>
#include <QDebug>
#include <QHeaderView>
#include <QTest>
#include <QTranslator>

namespace {

void drag(QWidget *label, QPoint from, QPoint to)
{
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &move);
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, to);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DemoSession session;
    const QString out = DemoSession::outputFolder(argc, argv);

    const QString file = session.home.path() + QStringLiteral("/IMG_0001.bmp");
    const int model = argc > 2 ? QByteArray(argv[2]).toInt() : 0;
    demoPicture(model).writeTo(file);
    Analysis_Widget window;
    if (!window.set_Image_addr(file, model))
        return 1;
    window.resize(1100, 700);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QTest::qWait(100);

    MyLabel *label = window.ui->label;
    const LabelGeometry g = label->geometryValues();
    const auto at = [&](int x, int y) {
        const auto p = g.pictureToLabel(x, y, 0, 0);
        return QPoint(p.x, p.y);
    };
    window.ui->pushButton_8->click();
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, at(80, 110));
    window.ui->pushButton_7->click();
    drag(label, at(20, 40), at(200, 60));
    window.ui->pushButton_6->click();
    drag(label, at(130, 180), at(215, 285));
    window.ui->pushButton_5->click();
    drag(label, at(70, 230), at(100, 250));
    window.ui->pushButton_9->click();
    QTest::qWait(200);
    const QString suffix = model == 1 ? QStringLiteral("-vx300") : QString();
    window.grab().save(out + QStringLiteral("/analysis") + suffix + QStringLiteral(".png"));
    DialogAnswerer answers;
    answers.saveAnswer = out + QStringLiteral("/report") + suffix + QStringLiteral(".pdf");
    window.ui->pushButton->click();
    if (qEnvironmentVariableIsSet("VX305_DEMO_DEBUG"))
        qInfo() << window.size() << window.ui->tableWidget->geometry()
                << window.ui->tableWidget->viewport()->width()
                << window.ui->tableWidget->horizontalHeader()->length()
                << window.ui->widget_6->geometry();
    return 0;
}
