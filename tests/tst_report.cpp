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

// The first word with one of the texts on the page below y, or nullptr.
const Word *find(const QList<Word> &words, const QStringList &texts, int page = 1, double below = 0)
{
    for (const Word &word : words) {
        if (word.page == page && texts.contains(word.text) && word.y > below)
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
    void init() { m_home = std::make_unique<TemporaryHome>(); }
    void cleanup() { m_home.reset(); }

    void pages_data();
    void pages();
    void picture_and_tool_on_the_page();

private:
    std::unique_ptr<Analysis_Widget> open(const QString &language, qint16 maxTemp, qint16 minTemp);
    QString exportReport(Analysis_Widget *window);

    QTranslator m_english;
    std::unique_ptr<TemporaryHome> m_home;
};

void tst_Report::initTestCase()
{
    initVx305Resources();
    QVERIFY(m_english.load(":/Demo_EN.qm"));
    QCoreApplication::installTranslator(&m_english);
}

std::unique_ptr<Analysis_Widget> tst_Report::open(
    const QString &language, qint16 maxTemp, qint16 minTemp)
{
    ConfigRecord::createDefault(language);
    PictureFixture picture;
    picture.maxTemp = maxTemp;
    picture.minTemp = minTemp;
    picture.emissivity = 97;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            picture.setPixel(x, y, quint8((x + y) % 256));
    for (int k = 0; k < 256; ++k)
        picture.palette[std::size_t(k)] = quint16(((k & 0xF8) << 8) | (k >> 3)); // red-magenta
    const QString file = m_home->path() + "/IMG_0007.bmp";
    auto window = std::make_unique<Analysis_Widget>();
    if (!picture.writeTo(file) || !window->set_Image_addr(file, 0))
        return nullptr;
    window->colorize();
    return window;
}

QString tst_Report::exportReport(Analysis_Widget *window)
{
    DialogAnswerer answers;
    // A folder that does not exist: no file, no success box, nothing opened.
    answers.saveAnswer = m_home->path() + "/missing/report.pdf";
    window->ui->pushButton->click();
    answers.saveAnswer = m_home->path() + "/report.pdf";
    window->ui->pushButton->click();
    if (answers.asked.size() != 6
        || answers.asked.mid(4) != QStringList {"Warning", "Export file successful!"}
        || answers.opened != QList<QUrl> {QUrl::fromLocalFile(answers.saveAnswer)}
        || QFile::exists(m_home->path() + "/missing/report.pdf"))
        return QString();
    return answers.saveAnswer;
}

void tst_Report::pages_data()
{
    // clang-format off
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("unitIndex");
    QTest::addColumn<int>("maxTemp");
    QTest::addColumn<int>("minTemp");
    QTest::addColumn<bool>("tools"); // a point, a rectangle and a circle: a table on page 2
    QTest::addColumn<QStringList>("scale"); // the eleven labels from the top

    QTest::newRow("English, °C, no tools: one page") << "EN" << 0 << 350 << 200 << false
        << QStringList {"35.0", "33.5", "32.0", "30.5", "29.0", "27.5", "26.0", "24.5", "23.0", "21.5", "20.0"};
    QTest::newRow("English, °F, tools on page two") << "EN" << 1 << 350 << 200 << true
        << QStringList {"95.0", "92.3", "89.6", "86.9", "84.2", "81.5", "78.8", "76.1", "73.4", "70.7", "68.0"};
    QTest::newRow("Russian positions, below zero, tools") << "RU" << 0 << -100 << -300 << true
        << QStringList {"-10.0", "-12.0", "-14.0", "-16.0", "-18.0", "-20.0", "-22.0", "-24.0", "-26.0", "-28.0", "-30.0"};
    // clang-format on
}

void tst_Report::pages()
{
    QFETCH(QString, language);
    QFETCH(int, unitIndex);
    QFETCH(int, maxTemp);
    QFETCH(int, minTemp);
    QFETCH(bool, tools);
    QFETCH(QStringList, scale);
    const auto window = open(language, qint16(maxTemp), qint16(minTemp));
    QVERIFY(window);
    window->ui->comboBox->setCurrentIndex(unitIndex);
    QTableWidget *table = window->ui->tableWidget;
    if (tools) {
        MyLabel *label = window->ui->label;
        label->setToolKind(ToolPoint);
        *label->m_points[0] = PointTool {"P0", 10, 10, 9, Qt::red};
        label->setToolKind(ToolRect);
        *label->m_rects[0] = RectTool {"R0", 20, 20, 60, 80, Qt::red};
        label->setToolKind(ToolCircle);
        *label->m_circles[0] = CircleTool {"C0", 120, 160, 130, 160, 10, Qt::red};
        window->updat_Tool_Temp();
    }
    const QString path = exportReport(window.get());
    QVERIFY(!path.isEmpty());
    const QList<Word> words = pdfWords(path);
    QVERIFY(!words.isEmpty());
    QCOMPARE(words.last().page, tools ? 2 : 1);

    // Points per unit and the left edge of unit 0, from two texts of known position.
    const bool russian = language == "RU";
    const Word *time = find(words, {"Time:"});
    const Word *timeValue
        = find(words, {window->ui->tableWidget_2->item(2, 1)->text().section(' ', 0, 0)});
    QVERIFY(time && timeValue);
    const double perUnit = (timeValue->x - time->x) / ((russian ? 2300 : 1700) - 600);
    const auto hundreds = [&](const Word *word) {
        return word ? qRound((word->x - time->x) / perUnit / 100) + 6 : -1;
    };
    QVERIFY(find(words, {"Pictorial"}) && find(words, {"240×320"})
        && find(words, {unitIndex ? "°F" : "°C"}));
    QCOMPARE(hundreds(find(words, {"IMG_0007.bmp"})), russian ? 23 : 17);
    QCOMPARE(hundreds(find(words, {"0.97"})), russian ? 80 : 52);
    const Word *maximum = find(words, {"Maximum"});
    const Word *minimum = find(words, {"Minimum"});
    QVERIFY(maximum && minimum);
    // In Russian the minimum has its own line, under the maximum, at the left margin.
    QCOMPARE(hundreds(minimum), russian ? 6 : 41);
    QCOMPARE(qRound(minimum->y) > qRound(maximum->y), russian);

    // The scale, top to bottom, below the information (so the table's own values do not count).
    double y = qMax(maximum->y, minimum->y) + 10;
    for (const QString &label : scale) {
        const Word *found = find(words, {label, label + "-"}, 1, y);
        QVERIFY2(found, qPrintable(label));
        y = found->y;
    }
    if (!tools)
        return;
    // Page 2: the headers in a row, then every cell of the measurement table in its row.
    const QString unit = unitIndex ? "(°F)" : "(°C)";
    QVERIFY(find(words, {unit, "information" + unit}, 2));
    const Word *name = find(words, {"Name"}, 2);
    QVERIFY(name);
    double x = name->x;
    for (const char *header : {"Type", "High", "Low", "Average"}) {
        const Word *word = find(words, {header}, 2);
        QVERIFY2(word && word->x > x && qRound(word->y) == qRound(name->y), header);
        x = word->x;
    }
    y = name->y;
    for (int r = 0; r < table->rowCount(); ++r) {
        const Word *cell = find(words, {table->item(r, 0)->text()}, 2, y);
        QVERIFY(cell && qRound(cell->x) == qRound(name->x));
        y = cell->y;
        for (int k = 1; k < 5; ++k) {
            const Word *word = find(words, {table->item(r, k)->text()}, 2, y - 1);
            QVERIFY2(word && qRound(word->y) == qRound(y), qPrintable(table->item(r, k)->text()));
        }
    }
}

void tst_Report::picture_and_tool_on_the_page()
{
    const auto window = open("EN", 350, 200);
    QVERIFY(window);
    window->resize(1100, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    MyLabel *label = window->ui->label;
    QTRY_VERIFY(label->m_picW > 0);
    label->m_winColor = QColor(0, 255, 255);
    label->setToolKind(ToolRect);
    *label->m_rects[0] = RectTool {"R0", 40, 60, 200, 300, QColor(0, 255, 255)};
    window->updat_Tool_Temp();
    label->repaint();
    const QSize overlay = label->m_overlay.size();
    const QString path = exportReport(window.get());
    QVERIFY(!path.isEmpty());
    // The label draws for the screen again.
    label->repaint();
    QVERIFY(!label->m_printMode);
    QCOMPARE(label->m_overlay.size(), overlay);

    QProcess render;
    render.start("pdftoppm",
        {"-r", "300", "-f", "1", "-l", "1", "-png", "-singlefile", path, m_home->path() + "/page"});
    QVERIFY(render.waitForFinished(120000));
    const QImage page(m_home->path() + "/page.png");
    QVERIFY(!page.isNull());
    // The picture block is drawn at 6 times its 930-unit width on an A4 page at 1200 dpi.
    QCOMPARE(Report::blockScale(9600), 6);
    QCOMPARE(Report::blockScale(19840), 14);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
    const int s = Report::blockScale(paint.width());
    const double k = 300.0 / printer.resolution();
    const auto pagePixel = [&](double blockX, double blockY) {
        return QPoint(int((paint.left() + (150 + blockX) * s) * k),
            int((paint.top() + (630 + blockY) * s) * k));
    };
    // White between the colour bar and the picture; the picture's pixel (120, 10) is grey 130:
    // the red-magenta palette.
    QCOMPARE(page.pixelColor(pagePixel(175, 480)), QColor(Qt::white));
    const QColor inside = page.pixelColor(pagePixel(210 + 3 * 120 + 1, 3 * 10 + 1));
    QVERIFY2(inside.red() > 100 && inside.green() < 60, qPrintable(inside.name()));
    // The rectangle's left side at picture x 40, halfway down: the tool colour.
    bool outline = false;
    for (int dx = -4; dx <= 4; ++dx) {
        const QColor c = page.pixelColor(pagePixel(210 + 3 * 40, 3 * 180) + QPoint(dx, 0));
        outline = outline || (c.green() > 180 && c.blue() > 180 && c.red() < 120);
    }
    QVERIFY(outline);
}

QTEST_MAIN(tst_Report)
#include "tst_report.moc"
