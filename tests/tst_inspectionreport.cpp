#include "app/mainwindow.h"
#include "browser/photo_window.h"
#include "fakeworld.h"
#include "inspection/analysisstore.h"
#include "inspection/inspectionreport.h"
#include "inspection/inspectionreportdialog.h"
#include "overlay/toolmodel.h"
#include "ui_inspectionreportdialog.h"

#include <QAction>
#include <QListWidget>

namespace {

// pdftotext's text of one page, or of all with 0.
QString pdfText(const QString &pdf, int page = 0)
{
    QStringList args { "-layout" };
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    QProcess p;
    p.start("pdftotext", args << pdf << "-");
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).replace(QChar(0xA0), ' ');
}

// A picture whose grey 230 is 30.7 °C and grey 20 is -5.3 °C: a hot spot on a cold plate.
PictureFixture plate()
{
    PictureFixture p;
    p.maxTemp = 307;
    p.minTemp = -53;
    p.maxGrey = 230;
    p.minGrey = 20;
    p.fillGrey(20);
    for (int y = 100; y < 120; ++y)
        for (int x = 70; x < 90; ++x)
            p.setPixel(x, y, 230);
    return p;
}

void storeFinding(const QString &picture, const Finding &finding, std::vector<StoredTool> tools)
{
    AnalysisRecord r;
    r.hash = AnalysisStore::hashOfFile(picture);
    r.path = picture;
    r.changed = QDateTime::currentDateTimeUtc();
    r.tools = std::move(tools);
    r.finding = finding;
    AnalysisStore::shared()->save(r);
}

} // namespace

class tst_InspectionReport : public QObject
{
    Q_OBJECT

private slots:
    void paper_follows_the_locale_data()
    {
        addColumns<QLocale, int>("locale", "paper");
        QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates)
                                       << int(QPageSize::Letter);
        QTest::newRow("United Kingdom") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                                        << int(QPageSize::A4);
        QTest::newRow("Russia") << QLocale(QLocale::Russian, QLocale::Russia) << int(QPageSize::A4);
    }
    void paper_follows_the_locale()
    {
        const auto [locale, paper] = fetch<QLocale, int>();
        QCOMPARE(int(InspectionReport::paperFor(locale)), paper);
    }

    void findings_most_severe_first()
    {
        FakeWorld world("EN");
        QTranslator translator;
        installTranslation(&translator);
        const QString folder = world.home.path() + "/site 2.2024";
        QVERIFY(QDir().mkpath(folder));
        const QStringList names { "IMG 0001.v2.bmp", "B.bmp", "C.bmp", "broken.bmp", "E.bmp" };
        for (const QString &name : names) {
            PictureFixture p = plate();
            p.setPixel(0, names.indexOf(name), 21); // each its own bytes
            QVERIFY(name == "broken.bmp" ? PictureFixture::writeBytes(folder + "/" + name, "BM")
                                         : p.writeTo(folder + "/" + name));
        }
        const StoredTool hot { ToolPoint, "P0", 80, 110, -1, -1, -1, 0xffff0000 };
        const StoredTool cold { ToolRect, "R0", 150, 200, 200, 300, -1, 0xffff0000 };
        // 30.7 against a typed -6.0: ΔT 36.7, class 2 by the ambient bounds, suggested.
        storeFinding(folder + "/IMG 0001.v2.bmp",
                     { "Warm lug", "Panel A", "", { Findings::TypedTemperature, -6.0, "" }, 2, false },
                     { hot });
        // 30.7 against R0's average -5.3: ΔT 36.0, class 1 by the component bounds.
        storeFinding(folder + "/B.bmp",
                     { "Hot breaker", "Panel B, breaker 4", "First line.\nSecond line.",
                       { Findings::ToolAverage, 0.0, "R0" }, 1, false },
                     { hot, cold });
        // No reference: the user's class 4 alone.
        storeFinding(folder + "/E.bmp", { "Check later", "Roof", "", {}, 4, true }, {});
        AnalysisStore::shared()->flush();

        world.platform.drives.clear();
        MainWindow main(&world.platform);
        main.openFolder(folder);
        photo_window *browser = main.m_photoWindow;
        browser->m_iconView->selectAll();
        auto *action = browser->findChild<QAction *>("actionInspectionReport");
        QVERIFY(action->isEnabled());
        const QString pdf = folder + "/Report 7";
        world.answers->saveAnswer = pdf;
        world.answers->execAnswer = [](QDialog *dialog) {
            auto *d = static_cast<InspectionReportDialog *>(dialog);
            d->ui->lineEdit_company->setText("Thermo & Co.");
            d->ui->lineEdit_customer->setText("ACME Plant 2");
            d->ui->lineEdit_site->setText("Hall 7");
            d->ui->lineEdit_inspector->setText("J. Doe");
            d->ui->dateEdit_date->setDate(QDate(2026, 12, 7));
            return int(QDialog::Accepted);
        };
        action->trigger();
        QCOMPARE(world.answers->asked.mid(world.answers->asked.size() - 2),
                 QStringList({ "Warning", "The inspection report was written: 7 pages.\n"
                               "These pictures could not be read and are listed at the end of "
                               "the report:\nbroken.bmp" }));
        QCOMPARE(world.answers->opened.last(), QUrl::fromLocalFile(pdf + ".pdf"));
        QCOMPARE(InspectionReport::rememberedDetails().customer, "ACME Plant 2");

        const QString cover = pdfText(pdf + ".pdf", 1);
        for (const char *field : { "Thermo & Co.", "ACME Plant 2", "Hall 7", "J. Doe",
                                      "December 7, 2026", "VX305" })
            QVERIFY2(cover.contains(field), field);
        QVERIFY(cover.contains(QRegularExpression("Pictures\\s+4\\b"))
                && cover.contains(QRegularExpression("Findings\\s+3\\b")));
        // The summary: class 1, class 2, class 4, each with its ΔT and action.
        const QString summary = pdfText(pdf + ".pdf", 2);
        const QStringList order = { "B.bmp", "0001.v2.bmp", "E.bmp" };
        QVERIFY2(summary.indexOf(order[0]) < summary.indexOf(order[1])
                && summary.indexOf(order[1]) < summary.indexOf(order[2]) && !summary.contains("C.bmp"),
                qPrintable(summary));
        for (const char *text : { "36.0 °C", "36.7 °C", "30.7 °C", "major discrepancy;",
                                     "monitor until", "Panel B," })
            QVERIFY2(summary.contains(text), text);
        // A page per picture in the summary's order, then the one without a finding, then the
        // damaged one listed.
        const QStringList pages = { "B.bmp — Hot breaker", "IMG 0001.v2.bmp — Warm lug",
                                    "E.bmp — Check later", "C.bmp", "broken.bmp" };
        for (int page = 3; page <= 7; ++page) {
            const QString text = pdfText(pdf + ".pdf", page);
            QVERIFY2(text.contains(pages[page - 3]), qPrintable(text));
            QVERIFY(text.contains(QString("Page %1 of 7").arg(page))
                    && text.contains("December 7, 2026"));
        }
        const QString hottest = pdfText(pdf + ".pdf", 3);
        for (const char *text : { "R0 average", "1 – major", "(suggested)", "Second line.", "ΔT" })
            QVERIFY2(hottest.contains(text), text);
        QVERIFY(pdfText(pdf + ".pdf", 5).contains("4 – possible")
                && !pdfText(pdf + ".pdf", 5).contains("(suggested)"));

        // Cancelled while drawing: the report written before is left as it was.
        const QByteArray before = fileBytes(pdf + ".pdf");
        const InspectionReport::Outcome cancelled = InspectionReport::write(
                { folder + "/B.bmp", folder + "/C.bmp" }, 0, {}, pdf + ".pdf",
                [](int done, int total) { return done < total / 2 + 1; });
        QVERIFY(cancelled.cancelled && !cancelled.written);
        QCOMPARE(fileBytes(pdf + ".pdf"), before);
        QCOMPARE(QDir(world.home.path()).entryList({ "*.part" }).size(), 0);
    }

    void dialog_asks_and_remembers()
    {
        TemporaryHome home;
        InspectionReportDialog dialog;
        dialog.setDetails({ "Co", "/logo.png", "Cu", "Si", "In", QDate(2025, 2, 3) });
        QTimer::singleShot(0, [] {
            auto *open = qobject_cast<InspectionReportDialog *>(QApplication::activeModalWidget());
            open->ui->lineEdit_site->setText(" Hall 9 ");
            open->ui->buttonBox->button(QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(Dialogs::instance()->exec(&dialog), int(QDialog::Accepted));
        const InspectionReport::Details d = dialog.details();
        QCOMPARE(QStringList({ d.company, d.logoPath, d.customer, d.site, d.inspector,
                               d.date.toString(Qt::ISODate) }),
                 QStringList({ "Co", "/logo.png", "Cu", "Hall 9", "In", "2025-02-03" }));
    }
};

QTEST_MAIN(tst_InspectionReport)
#include "tst_inspectionreport.moc"
