#include "analysis/analysis_widget.h"
#include "analysis/report.h"
#include "app/configrecord.h"
#include "app/startup.h"
#include "picturefixture.h"
#include "testsupport.h"
#include "ui_analysis_widget.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

namespace {

struct Word
{
    QString text;
    double x; // points from the page's left edge
    double y;
    int page;
};

// Every word of a PDF with its box, as poppler's pdftotext reports it.
QList<Word> pdfWords(const QString &path)
{
    QProcess process;
    process.start("pdftotext", {"-bbox", path, "-"});
    process.waitForFinished(60000);
    static const QRegularExpression token(R"re(<page |<word xMin="([0-9.]+)" yMin="([0-9.]+)" )re"
                                          R"re(xMax="[0-9.]+" yMax="[0-9.]+">([^<]*)</word>)re");
    QList<Word> words;
    int page = 0;
    auto it = token.globalMatch(QString::fromUtf8(process.readAllStandardOutput()));
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0) == "<page ")
            ++page;
        else
            words << Word {m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble(), page};
    }
    return words;
}

// The words of a page joined into lines, top to bottom and left to right.
QStringList pdfLines(const QList<Word> &words, int page)
{
    QMap<int, QMap<double, QString>> lines; // y, then x
    for (const Word &word : words) {
        if (word.page == page)
            lines[qRound(word.y)][word.x] = word.text;
    }
    QStringList out;
    for (const auto &line : qAsConst(lines))
        out << QStringList(line.values()).join(' ');
    return out;
}

} // namespace

class tst_Report : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pages_data();
    void pages();

private:
    QTranslator m_english;
};

void tst_Report::initTestCase()
{
    initVx305Resources();
    QVERIFY(m_english.load(":/Demo_EN.qm"));
    QCoreApplication::installTranslator(&m_english);
}

void tst_Report::pages_data()
{
    // clang-format off
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("unitIndex");
    QTest::addColumn<int>("maxTemp");
    QTest::addColumn<int>("minTemp");
    QTest::addColumn<bool>("tools"); // a point, a rectangle and a circle: a table on page 2
    QTest::addColumn<QString>("scale"); // the eleven labels from the top

    QTest::newRow("English, °C, no tools: one page") << "EN" << 0 << 350 << 200 << false
        << "35.0 33.5 32.0 30.5 29.0 27.5 26.0 24.5 23.0 21.5 20.0";
    QTest::newRow("English, °F, tools on page two") << "EN" << 1 << 350 << 200 << true
        << "95.0 92.3 89.6 86.9 84.2 81.5 78.8 76.1 73.4 70.7 68.0";
    QTest::newRow("Russian positions, below zero, tools") << "RU" << 0 << -100 << -300 << true
        << "-10.0 -12.0 -14.0 -16.0 -18.0 -20.0 -22.0 -24.0 -26.0 -28.0 -30.0";
    // clang-format on
}

void tst_Report::pages()
{
    QFETCH(QString, language);
    QFETCH(int, unitIndex);
    QFETCH(int, maxTemp);
    QFETCH(int, minTemp);
    QFETCH(bool, tools);
    QFETCH(QString, scale);
    const TemporaryHome home;
    ConfigRecord::createDefault(language);
    PictureFixture picture;
    picture.maxTemp = qint16(maxTemp);
    picture.minTemp = qint16(minTemp);
    picture.emissivity = 97;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            picture.setPixel(x, y, quint8((x + y) % 256));
    for (int k = 0; k < 256; ++k)
        picture.palette[std::size_t(k)] = quint16(((k & 0xF8) << 8) | (k >> 3)); // red-magenta
    QVERIFY(picture.writeTo(home.path() + "/IMG_0007.bmp"));
    Analysis_Widget window;
    QVERIFY(window.set_Image_addr(home.path() + "/IMG_0007.bmp", 0));
    window.ui->comboBox->setCurrentIndex(unitIndex);
    window.colorize();
    const QTableWidget *table = window.ui->tableWidget;
    MyLabel *label = window.ui->label;
    if (tools) {
        label->setToolKind(ToolPoint);
        *label->m_points[0] = PointTool {"P0", 10, 10, 9, Qt::red};
        label->setToolKind(ToolRect);
        *label->m_rects[0] = RectTool {"R0", 40, 60, 200, 300, QColor(0, 255, 255)};
        label->setToolKind(ToolCircle);
        *label->m_circles[0] = CircleTool {"C0", 120, 160, 130, 160, 10, Qt::red};
        window.updat_Tool_Temp();
    }

    // A folder that does not exist first: no file, no success box, nothing opened.
    DialogAnswerer answers;
    const QString path = home.path() + "/report.pdf";
    answers.saveAnswer = home.path() + "/missing/report.pdf";
    window.ui->pushButton->click();
    answers.saveAnswer = path;
    window.ui->pushButton->click();
    QCOMPARE(answers.asked.size(), 6);
    QCOMPARE(answers.asked.mid(4), QStringList({"Warning", "Export file successful!"}));
    QCOMPARE(answers.opened, QList<QUrl> {QUrl::fromLocalFile(path)});
    QVERIFY(!QFile::exists(home.path() + "/missing/report.pdf"));
    // The label draws for the screen again.
    QVERIFY(!label->m_printMode);

    const QList<Word> words = pdfWords(path);
    QVERIFY(!words.isEmpty());
    QCOMPARE(words.last().page, tools ? 2 : 1);
    // Every information row, its title then its value.
    const QString page1 = pdfLines(words, 1).join('\n');
    QVERIFY(page1.startsWith("Pictorial Information"));
    for (int r = 0; r < 10; ++r) {
        const QString field = window.ui->tableWidget_2->item(r, 0)->text() + " "
            + window.ui->tableWidget_2->item(r, 1)->text();
        QVERIFY2(page1.contains(field), qPrintable(field));
    }
    // Positions in hundreds of page units, from two texts of known position.
    const bool russian = language == "RU";
    const auto word = [&](const QString &text) {
        const auto it = std::find_if(
            words.begin(), words.end(), [&](const Word &w) { return w.text == text; });
        return it == words.end() ? Word {} : *it;
    };
    const Word time = word("Time:");
    const double perUnit = (word(window.ui->tableWidget_2->item(2, 1)->text().left(10)).x - time.x)
        / ((russian ? 2300 : 1700) - 600);
    const auto hundreds
        = [&](const QString &text) { return qRound((word(text).x - time.x) / perUnit / 100) + 6; };
    QCOMPARE(hundreds("IMG_0007.bmp"), russian ? 23 : 17);
    QCOMPARE(hundreds("0.97"), russian ? 80 : 52);
    // In Russian the minimum has its own line, at the left margin.
    QCOMPARE(hundreds("Minimum"), russian ? 6 : 41);
    // The scale, top to bottom, below the information.
    int at = page1.indexOf("Minimum");
    for (const QString &mark : scale.split(' ')) {
        const QRegularExpression line(
            "^" + QRegularExpression::escape(mark) + "( -)?$", QRegularExpression::MultilineOption);
        at = page1.indexOf(line, at + 1);
        QVERIFY2(at > 0, qPrintable(mark));
    }
    if (!tools)
        return;
    // Page 2: the headers, then every row of the measurement table on its own line.
    const QStringList page2 = pdfLines(words, 2);
    QVERIFY(page2.join(' ').contains(unitIndex ? "(°F)" : "(°C)"));
    QVERIFY(page2.contains("Name Type High Low Average"));
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int k = 0; k < 5; ++k)
            cells << table->item(r, k)->text();
        QVERIFY2(page2.contains(cells.join(' ')), qPrintable(cells.join(' ')));
    }

    // Page 1 rendered: the block is drawn at 6 times its 930-unit width on A4 at 1200 dpi.
    QCOMPARE(Report::blockScale(9600), 6);
    QCOMPARE(Report::blockScale(19840), 14);
    QProcess render;
    render.start(
        "pdftoppm", {"-r", "300", "-l", "1", "-png", "-singlefile", path, home.path() + "/page"});
    QVERIFY(render.waitForFinished(120000));
    const QImage page(home.path() + "/page.png");
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const int s = Report::blockScale(paint.width());
    const double k = 300.0 / printer.resolution();
    const auto pageColor = [&](double blockX, double blockY) {
        return page.pixelColor(int((paint.left() + (150 + blockX) * s) * k),
            int((paint.top() + (630 + blockY) * s) * k));
    };
    // White between the colour bar and the picture; the picture's pixel (120, 10) is grey 130:
    // the red-magenta palette.
    QCOMPARE(pageColor(175, 480), QColor(Qt::white));
    const QColor inside = pageColor(210 + 3 * 120 + 1, 3 * 10 + 1);
    QVERIFY2(inside.red() > 100 && inside.green() < 60, qPrintable(inside.name()));
    // The rectangle's left side at picture x 40, halfway down: the tool colour.
    bool outline = false;
    for (int dx = -4; dx <= 4; ++dx) {
        const QColor c = pageColor(210 + 3 * 40 + dx / k / s, 3 * 180);
        outline = outline || (c.green() > 180 && c.blue() > 180 && c.red() < 120);
    }
    QVERIFY(outline);
}

QTEST_MAIN(tst_Report)
#include "tst_report.moc"
