#include "analysis/batchreport.h"
#include "app/configrecord.h"
#include "picturefixture.h"
#include "testsupport.h"

#include <QProcess>
#include <QtTest>

namespace {

// The page count and text of a PDF, as poppler reads it.
QString pdfText(const QString &path, int *pages)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), { path });
    info.waitForFinished(60000);
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    const QRegularExpression count(QStringLiteral("Pages:\\s+(\\d+)"));
    *pages = count.match(infoText).captured(1).toInt();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { path, QStringLiteral("-") });
    text.waitForFinished(60000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

} // namespace

class tst_BatchReport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void damaged_picture_is_skipped_and_listed();
    void cancel_keeps_reports_written();
    void existing_reports_data();
    void existing_reports();

private:
    TemporaryHome m_home;
    QStringList m_pictures;
    QString m_out;
};

void tst_BatchReport::init()
{
    QDir(m_home.path()).removeRecursively();
    ConfigRecord::createDefault("EN");
    QDir().mkpath(m_home.path() + "/in");
    QDir().mkpath(m_home.path() + "/out");
    m_out = m_home.path() + "/out";
    m_pictures.clear();
    for (const char *name : { "IMG_0001.bmp", "IMG_0002.bmp", "IMG_0003.bmp" }) {
        const QString path = m_home.path() + "/in/" + name;
        m_pictures << path;
        QVERIFY(name == QByteArray("IMG_0002.bmp") ? PictureFixture::writeBytes(path, "damaged")
                                                    : PictureFixture().writeTo(path));
    }
}

void tst_BatchReport::damaged_picture_is_skipped_and_listed()
{
    QList<int> seen;
    const BatchReport::Outcome outcome = BatchReport::writeReports(
            m_pictures, 0, m_out, false, [&](int done, int) { return seen << done, true; });
    QCOMPARE(outcome.written, QStringList({ m_out + "/IMG_0001.pdf", m_out + "/IMG_0003.pdf" }));
    QCOMPARE(outcome.failed, QStringList("IMG_0002.bmp"));
    QCOMPARE(seen, QList<int>({ 0, 1, 2, 3 }));
    int pages = 0;
    // Laid out as a single report of a picture without tools: one page.
    QVERIFY(pdfText(outcome.written.at(1), &pages).contains("IMG_0003.bmp"));
    QCOMPARE(pages, 1);
}

void tst_BatchReport::cancel_keeps_reports_written()
{
    const BatchReport::Outcome outcome = BatchReport::writeReports(
            m_pictures, 0, m_out, false, [](int done, int) { return done < 1; });
    QVERIFY(outcome.cancelled);
    QCOMPARE(QDir(m_out).entryList(QDir::Files), QStringList("IMG_0001.pdf"));
}

void tst_BatchReport::existing_reports_data()
{
    QTest::addColumn<bool>("skip");
    QTest::newRow("replace") << false;
    QTest::newRow("skip") << true;
}

void tst_BatchReport::existing_reports()
{
    QFETCH(bool, skip);
    QVERIFY(PictureFixture::writeBytes(m_out + "/IMG_0003.pdf", "older"));
    QCOMPARE(BatchReport::existingReports(m_pictures, m_out), QStringList("IMG_0003.bmp"));
    const BatchReport::Outcome outcome = BatchReport::writeReports(m_pictures, 0, m_out, skip);
    QCOMPARE(outcome.written.size(), skip ? 1 : 2);
    QFile old(m_out + "/IMG_0003.pdf");
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll().startsWith("%PDF"), !skip);
}

QTEST_MAIN(tst_BatchReport)
#include "tst_batchreport.moc"
