#include "analysis/batchreport.h"
#include "picturefixture.h"
#include "testsupport.h"

class tst_BatchReport : public QObject
{
    Q_OBJECT

private slots:
    void reports_data()
    {
        // clang-format off
        // Skip existing reports; the first progress call that answers false; written|failed|
        // progress calls|cancelled|first bytes of the older "3 b.v2.pdf".
        addColumns<bool, int, QString>("skip", "cancelAt", "outcome");
        QTest::newRow("older replaced") << false << 9 << "1.v2.pdf,3 b.v2.pdf|2.bmp|0 1 2 3|0|%PDF";
        QTest::newRow("existing skipped") << true << 9 << "1.v2.pdf|2.bmp|0 1 2 3|0|olde";
        QTest::newRow("cancel keeps reports written") << false << 1 << "1.v2.pdf||0 1|1|olde";
        // clang-format on
    }
    void reports()
    {
        const auto [skip, cancelAt, outcome] = fetch<bool, int, QString>();
        const TemporaryHome home;
        // Reports are named after the picture up to its last dot.
        const QString in = home.path() + "/in/", out = home.path() + "/site 2.2024/";
        QVERIFY(QDir().mkpath(in) && QDir().mkpath(out));
        const QStringList pictures {in + "1.v2.bmp", in + "2.bmp", in + "3 b.v2.bmp"};
        QVERIFY(PictureFixture().writeTo(pictures[0]) && PictureFixture().writeTo(pictures[2]));
        QVERIFY(PictureFixture::writeBytes(pictures[1], "damaged")
            && PictureFixture::writeBytes(out + "3 b.v2.pdf", "older"));
        QCOMPARE(BatchReport::existingReports(pictures, out), QStringList("3 b.v2.bmp"));
        QStringList seen;
        const BatchReport::Outcome done = BatchReport::writeReports(pictures, 0, out, skip,
            [&](int k, int) { return seen << QString::number(k), k < cancelAt; });
        QCOMPARE(
            QStringList({done.written.join(',').remove(out), done.failed.join(' '), seen.join(' '),
                            QString::number(done.cancelled), fileBytes(out + "3 b.v2.pdf").left(4)})
                .join('|'),
            outcome);
        QCOMPARE(QDir(out).entryList(QDir::Files), QStringList({"1.v2.pdf", "3 b.v2.pdf"}));
        // Laid out as the single report of a picture without tools: one page.
        const QString pdf = pdfText(out + "1.v2.pdf");
        QVERIFY(pdf.contains("1.v2.bmp") && pdf.count('\f') == 1);
    }
};

QTEST_MAIN(tst_BatchReport)
#include "tst_batchreport.moc"
