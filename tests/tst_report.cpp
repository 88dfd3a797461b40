#include "analysis/analysis_widget.h"
#include "analysis/report.h"
#include "app/configrecord.h"
#include "app/startup.h"
#include "picturefixture.h"
#include "testsupport.h"
#include "ui_analysis_widget.h"

#include <QPageLayout>
#include <QPrinter>

class tst_Report : public QObject
{
    Q_OBJECT

private slots:
    void russian_report_in_fahrenheit()
    {
        // The interface is English; the record's language only moves fields.
        initVx305Resources();
        QTranslator english;
        QVERIFY(english.load(":/Demo_EN.qm"));
        QCoreApplication::installTranslator(&english);
        const TemporaryHome home;
        ConfigRecord::createDefault("RU");
        PictureFixture picture; // from 30.7 down to -5.3
        picture.emissivity = 97;
        QVERIFY(picture.writeTo(home.path() + "/IMG 0007.v2.bmp"));
        Analysis_Widget window;
        QVERIFY(window.set_Image_addr(home.path() + "/IMG 0007.v2.bmp", 0));
        window.ui->comboBox->setCurrentIndex(1);
        window.colorize();
        MyLabel *label = window.ui->label;
        label->setToolKind(ToolPoint);
        *label->m_points[0] = PointTool {"P0", 10, 10, 9, Qt::red};
        label->setToolKind(ToolRect);
        *label->m_rects[0] = RectTool {"R0", 40, 60, 200, 300, QColor(0, 255, 255)};
        label->setToolKind(ToolCircle);
        *label->m_circles[0] = CircleTool {"C0", 120, 160, 130, 160, 10, Qt::red};
        window.updat_Tool_Temp();

        // A folder that does not exist first: no success box, nothing opened.
        DialogAnswerer answers;
        const QString path = home.path() + "/report.pdf";
        answers.saveAnswer = home.path() + "/missing/report.pdf";
        window.ui->pushButton->click();
        answers.saveAnswer = home.path() + "/report"; // typed without ".pdf"
        window.ui->pushButton->click();
        QCOMPARE(answers.asked.mid(4), QStringList({"Warning", "Export file successful!"}));
        QCOMPARE(answers.opened, QList<QUrl> {QUrl::fromLocalFile(path)});
        QVERIFY(!label->m_printMode); // the label draws for the screen again

        // The first n cells of a row of a table.
        const auto cells = [](const QTableWidget *table, int row, int n) {
            QStringList text;
            for (int column = 0; column < n; ++column)
                text << table->item(row, column)->text();
            return text.join(' ');
        };
        QStringList f; // the information's rows, title and value
        for (int row = 0; row < 10; ++row)
            f << cells(window.ui->tableWidget_2, row, 2);
        // Page 1: a line to each pair of fields and one to the minimum; the scale, top to bottom,
        // by its ticks. Page 2: the table in °F.
        QStringList expected {"Pictorial Information", f[2], f[0] + ' ' + f[1], f[4] + ' ' + f[3],
            f[5], f[6] + ' ' + f[9], f[7], f[8]};
        for (int i = 0; i <= 10; ++i) // ten equal steps from 30.7 down to -5.3, in °F
            expected << shown(30.7 - i * 3.6, true) + '-';
        expected << "Temperature measurement information(°F)"
                 << "Name Type High Low Average";
        for (int row = 0; row < 3; ++row)
            expected << cells(window.ui->tableWidget, row, 5);
        // poppler's text of the PDF, words of a line one space apart.
        const QStringList layout = pdfText(path).split('\n');
        QStringList lines = layout;
        lines.replaceInStrings(QRegularExpression("\\s+"), " ")
            .replaceInStrings(QRegularExpression("^ | $"), "");
        lines.removeAll(QString());
        QCOMPARE(lines, expected);
        // In Russian the emissivity stands right of the file size (8000 against 6100).
        const auto column = [&layout](const QString &text) {
            return layout.filter(text).value(0, text).indexOf(text);
        };
        QVERIFY(column("0.97") > column("300.6 KB"));

        // Page 1 rendered: the block is drawn at 6 times its 930-unit width on A4 at 1200 dpi;
        // whole 930s are taken before the division by 1.5 (9 920 would give 7 otherwise).
        QCOMPARE(Report::blockScale(9920), 6);
        QCOMPARE(QProcess::execute(
                     "pdftoppm", {"-r", "300", "-l", "1", "-png", "-singlefile", path, path}),
            0);
        const QImage page(path + ".png");
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
        const int s = Report::blockScale(paint.width());
        const double k = 300.0 / printer.resolution();
        const auto pageColor = [&](double blockX, double blockY) {
            return page.pixelColor(int((paint.left() + (150 + blockX) * s) * k),
                int((paint.top() + (630 + blockY) * s) * k));
        };
        // White between the colour bar and the (black) picture.
        QCOMPARE(pageColor(175, 480), QColor(Qt::white));
        // The rectangle's left side at picture x 40, halfway down: the tool colour.
        bool outline = false;
        for (int dx = -4; dx <= 4; ++dx) {
            const QColor c = pageColor(210 + 3 * 40 + dx / k / s, 3 * 180);
            outline = outline || (c.green() > 180 && c.blue() > 180 && c.red() < 120);
        }
        QVERIFY(outline);
    }
};

QTEST_MAIN(tst_Report)
#include "tst_report.moc"
