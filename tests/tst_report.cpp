#include "analysis/analysis_widget.h"
#include "analysis/report.h"
#include "app/configrecord.h"
#include "app/startup.h"
#include "ui_analysis_widget.h"
#include "picturefixture.h"
#include "testsupport.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

struct Word
{
    QString text;
    double x; // points from the page's left edge
    double y;
    int page;
};

// Every word of a PDF with its box, as poppler's pdftotext reports it.
QList<Word> pdfWords(const QString &path, int *pages)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), path, QStringLiteral("-") });
    if (!process.waitForFinished(60000))
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    QList<Word> words;
    int page = 0;
    static const QRegularExpression token(QStringLiteral(
            "<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    QRegularExpressionMatchIterator it = token.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        words << Word { m.captured(3).replace(QStringLiteral("&amp;"), QStringLiteral("&")),
                        m.captured(1).toDouble(), m.captured(2).toDouble(), page };
    }
    *pages = page;
    return words;
}

const Word *find(const QList<Word> &words, const QString &text, int page = 1, int nth = 0)
{
    for (const Word &word : words) {
        if (word.page == page && word.text == text && nth-- == 0)
            return &word;
    }
    return nullptr;
}

} // namespace

class tst_Report : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void scaleLabels_data();
    void scaleLabels();
    void blockScale_data();
    void blockScale();
    void pageOne_data();
    void pageOne();
    void pageTwoTable();
    void pictureAndToolOnThePage();
    void unwritablePathLeavesNothing();
    void labelDrawsNormallyAfterExport();

private:
    std::unique_ptr<Analysis_Widget> open(const QString &language, int unitIndex = 0);
    QString exportReport(Analysis_Widget *window);

    QTranslator m_english;
    std::unique_ptr<TemporaryHome> m_home;
};

void tst_Report::initTestCase()
{
    initVx305Resources();
    QVERIFY(m_english.load(QStringLiteral(":/Demo_EN.qm")));
    QCoreApplication::installTranslator(&m_english);
}

void tst_Report::init()
{
    m_home = std::make_unique<TemporaryHome>();
}

void tst_Report::cleanup()
{
    m_home.reset();
}

std::unique_ptr<Analysis_Widget> tst_Report::open(const QString &language, int unitIndex)
{
    ConfigRecord::createDefault(language);
    PictureFixture picture;
    picture.maxTemp = 350;
    picture.minTemp = 200;
    picture.emissivity = 97;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            picture.setPixel(x, y, quint8((x + y) % 256));
    for (int k = 0; k < 256; ++k)
        picture.palette[std::size_t(k)] = quint16(((k & 0xF8) << 8) | (k >> 3)); // red-magenta
    const QString file = m_home->path() + QStringLiteral("/IMG_0007.bmp");
    if (!picture.writeTo(file))
        return nullptr;
    auto window = std::make_unique<Analysis_Widget>();
    if (!window->set_Image_addr(file, 0))
        return nullptr;
    window->ui->comboBox->setCurrentIndex(unitIndex);
    window->colorize();
    return window;
}

QString tst_Report::exportReport(Analysis_Widget *window)
{
    DialogAnswerer answers;
    answers.saveAnswer = m_home->path() + QStringLiteral("/report.pdf");
    window->ui->pushButton->click();
    if (answers.asked.value(2) != QStringLiteral("Warning")
        || answers.asked.value(3) != QStringLiteral("Export file successful!")
        || answers.opened != QList<QUrl> { QUrl::fromLocalFile(answers.saveAnswer) })
        return QString();
    return answers.saveAnswer;
}

void tst_Report::scaleLabels_data()
{
    QTest::addColumn<int>("maxTenths");
    QTest::addColumn<int>("minTenths");
    QTest::addColumn<float>("div");
    QTest::addColumn<float>("add");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("35.0 to 20.0 in °C") << 350 << 200 << 10.0f << 0.0f
            << QStringList { "35.0", "33.5", "32.0", "30.5", "29.0", "27.5", "26.0", "24.5", "23.0", "21.5", "20.0" };
    QTest::newRow("same file in °F") << 350 << 200 << 5.556f << 32.0f
            << QStringList { "95.0", "92.3", "89.6", "86.9", "84.2", "81.5", "78.8", "76.1", "73.4", "70.7", "68.0" };
    QTest::newRow("below zero") << -100 << -300 << 10.0f << 0.0f
            << QStringList { "-10.0", "-12.0", "-14.0", "-16.0", "-18.0", "-20.0", "-22.0", "-24.0", "-26.0", "-28.0", "-30.0" };
}

void tst_Report::scaleLabels()
{
    QFETCH(int, maxTenths);
    QFETCH(int, minTenths);
    QFETCH(float, div);
    QFETCH(float, add);
    QFETCH(QStringList, labels);
    const auto got = Report::scaleLabels(qint16(maxTenths), qint16(minTenths), div, add);
    QCOMPARE(QStringList(got.begin(), got.end()), labels);
}

void tst_Report::blockScale_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("scale");
    QTest::newRow("9600 units") << 9600 << 6;
    QTest::newRow("A4 at 1200 dpi") << 9917 << 6;
    QTest::newRow("twice as wide") << 19840 << 14;
    QTest::newRow("narrow") << 1395 << 0;
}

void tst_Report::blockScale()
{
    QFETCH(int, width);
    QFETCH(int, scale);
    QCOMPARE(Report::blockScale(width), scale);
}

void tst_Report::pageOne_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("unitIndex");
    QTest::newRow("English, °C") << "EN" << 0;
    QTest::newRow("English, °F") << "EN" << 1;
    QTest::newRow("Russian positions") << "RU" << 0;
}

void tst_Report::pageOne()
{
    QFETCH(QString, language);
    QFETCH(int, unitIndex);
    const auto window = open(language, unitIndex);
    QVERIFY(window);
    const QString path = exportReport(window.get());
    QVERIFY(!path.isEmpty());
    int pages = 0;
    const QList<Word> words = pdfWords(path, &pages);
    QCOMPARE(pages, 1); // no tools: no table page

    const bool russian = language == "RU";
    const Word *time = find(words, "Time:");
    const Word *timeValue = find(words, window->ui->tableWidget_2->item(2, 1)->text().section(' ', 0, 0));
    QVERIFY(time && timeValue);
    // Points per unit and the left edge of unit 0, from two texts of known position.
    const double scale = (timeValue->x - time->x) / ((russian ? 2300 : 1700) - 600);
    const auto unitX = [&](const Word *word) { return 600 + (word->x - time->x) / scale; };

    QVERIFY(find(words, "Pictorial"));
    QCOMPARE(qRound(unitX(find(words, "IMG_0007.bmp")) / 100), russian ? 23 : 17);
    const Word *emissivity = find(words, "0.97");
    QVERIFY(emissivity);
    QCOMPARE(qRound(unitX(emissivity) / 100), russian ? 80 : 52);
    QVERIFY(find(words, "240×320"));
    QVERIFY(find(words, unitIndex == 0 ? "°C" : "°F"));

    const Word *maximum = find(words, "Maximum");
    const Word *minimum = find(words, "Minimum");
    QVERIFY(maximum && minimum);
    if (russian) {
        // Its own line, under the maximum, at the left margin.
        QVERIFY(minimum->y > maximum->y + 5);
        QCOMPARE(qRound(unitX(minimum) / 100), 6);
    } else {
        QCOMPARE(qRound(minimum->y), qRound(maximum->y));
        QCOMPARE(qRound(unitX(minimum) / 100), 41);
    }

    // The eleven scale labels, top to bottom.
    const QStringList expected = unitIndex == 0
            ? QStringList { "35.0-", "33.5-", "32.0-", "30.5-", "29.0-", "27.5-", "26.0-", "24.5-", "23.0-", "21.5-", "20.0-" }
            : QStringList { "95.0-", "92.3-", "89.6-", "86.9-", "84.2-", "81.5-", "78.8-", "76.1-", "73.4-", "70.7-", "68.0-" };
    // Below the information, so the table's own 35.0 and 20.0 do not count.
    double lastY = qMax(maximum->y, minimum->y) + 10;
    for (const QString &label : expected) {
        const QString number = label.chopped(1);
        const Word *found = nullptr;
        for (const Word &word : words) {
            if (word.page == 1 && (word.text == number || word.text == label) && word.y > lastY) {
                found = &word;
                break;
            }
        }
        QVERIFY2(found, qPrintable(label));
        lastY = found->y;
    }
}

void tst_Report::pageTwoTable()
{
    const auto window = open("EN");
    QVERIFY(window);
    MyLabel *label = window->ui->label;
    label->setToolKind(ToolPoint);
    *label->m_points[0] = PointTool { "P0", 10, 10, 9, Qt::red };
    label->setToolKind(ToolRect);
    *label->m_rects[0] = RectTool { "R0", 20, 20, 60, 80, Qt::red };
    label->setToolKind(ToolCircle);
    *label->m_circles[0] = CircleTool { "C0", 120, 160, 130, 160, 10, Qt::red };
    window->updat_Tool_Temp();
    QCOMPARE(window->ui->tableWidget->rowCount(), 3);

    const QString path = exportReport(window.get());
    QVERIFY(!path.isEmpty());
    int pages = 0;
    const QList<Word> words = pdfWords(path, &pages);
    QCOMPARE(pages, 2);
    QVERIFY(find(words, "(°C)", 2) || find(words, "information(°C)", 2));
    const Word *name = find(words, "Name", 2);
    QVERIFY(name);
    double lastX = name->x;
    for (const char *header : { "Type", "High", "Low", "Average" }) {
        const Word *word = find(words, header, 2);
        QVERIFY2(word && word->x > lastX, header);
        QCOMPARE(qRound(word->y), qRound(name->y));
        lastX = word->x;
    }
    double lastY = name->y;
    for (int r = 0; r < 3; ++r) {
        const Word *cell = find(words, window->ui->tableWidget->item(r, 0)->text(), 2);
        QVERIFY(cell);
        QVERIFY(cell->y > lastY);
        QCOMPARE(qRound(cell->x), qRound(name->x));
        lastY = cell->y;
        for (int k = 1; k < 5; ++k) {
            const QString text = window->ui->tableWidget->item(r, k)->text();
            bool seen = false;
            for (const Word &word : words)
                seen = seen || (word.page == 2 && word.text == text && qRound(word.y) == qRound(cell->y));
            QVERIFY2(seen, qPrintable(text));
        }
    }
}

void tst_Report::pictureAndToolOnThePage()
{
    const auto window = open("EN");
    QVERIFY(window);
    MyLabel *label = window->ui->label;
    label->m_winColor = QColor(0, 255, 255);
    label->setToolKind(ToolRect);
    *label->m_rects[0] = RectTool { "R0", 40, 60, 200, 300, QColor(0, 255, 255) };
    window->updat_Tool_Temp();
    const QString path = exportReport(window.get());
    QVERIFY(!path.isEmpty());

    const QString png = m_home->path() + QStringLiteral("/page");
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), { "-r", "300", "-f", "1", "-l", "1", "-png", "-singlefile", path, png });
    QVERIFY(render.waitForFinished(120000));
    const QImage page(png + QStringLiteral(".png"));
    QVERIFY(!page.isNull());

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const int s = Report::blockScale(paint.width());
    const double k = 300.0 / printer.resolution();
    const auto pagePixel = [&](double blockX, double blockY) {
        return QPoint(int((paint.left() + (150 + blockX) * s) * k), int((paint.top() + (630 + blockY) * s) * k));
    };
    // The picture's pixel (120, 10) is grey 130: the red-magenta palette, not white.
    const QColor inside = page.pixelColor(pagePixel(210 + 3 * 120 + 1, 3 * 10 + 1));
    QVERIFY2(inside.red() > 100 && inside.green() < 60, qPrintable(inside.name()));
    // The rectangle's left side at picture x 40, halfway down: the tool colour.
    bool outline = false;
    const QPoint edge = pagePixel(210 + 3 * 40, 3 * 180);
    for (int dx = -4; dx <= 4; ++dx) {
        const QColor c = page.pixelColor(edge + QPoint(dx, 0));
        outline = outline || (c.green() > 180 && c.blue() > 180 && c.red() < 120);
    }
    QVERIFY(outline);
}

void tst_Report::unwritablePathLeavesNothing()
{
    const auto window = open("EN");
    QVERIFY(window);
    DialogAnswerer answers;
    answers.saveAnswer = m_home->path() + QStringLiteral("/missing/report.pdf");
    window->ui->pushButton->click();
    answers.saveAnswer.clear();
    window->ui->pushButton->click();
    // Only the two save dialogs: no success box, nothing opened.
    QCOMPARE(answers.asked.size(), 4);
    QVERIFY(answers.opened.isEmpty());
    QVERIFY(!QFile::exists(m_home->path() + QStringLiteral("/missing/report.pdf")));
}

void tst_Report::labelDrawsNormallyAfterExport()
{
    const auto window = open("EN");
    QVERIFY(window);
    window->resize(1100, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    MyLabel *label = window->ui->label;
    QTRY_VERIFY(label->m_picW > 0);
    label->repaint();
    const QSize before = label->m_overlay.size();
    const LabelGeometry geometry = label->geometryValues();

    QVERIFY(!exportReport(window.get()).isEmpty());
    QVERIFY(!label->m_printMode);
    label->repaint();
    QCOMPARE(label->m_overlay.size(), before);
    QCOMPARE(label->geometryValues().picW, geometry.picW);
    QCOMPARE(label->geometryValues().labelH, geometry.labelH);
}

QTEST_MAIN(tst_Report)
#include "tst_report.moc"
