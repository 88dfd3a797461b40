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

// A hot spot on a cold plate: the fixture's grey 230 is 30.7 °C and grey 20 -5.3 °C.
PictureFixture plate()
{
    PictureFixture p;
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
        QTest::newRow("United Kingdom")
            << QLocale(QLocale::English, QLocale::UnitedKingdom) << int(QPageSize::A4);
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

        // Each page holds these in this order, then its date and number: the cover; the summary,
        // classes 1, 2 and 4 each with its ΔT and action; a page per finding in the summary's
        // order, then the picture without one, then the damaged one listed.
        // clang-format off
        const QList<QStringList> pages = {
            {"Thermo & Co.", "ACME Plant 2", "Hall 7", "J. Doe", "VX305", "Pictures 4 ",
             "Findings 3 "},
            {"B.bmp", "Panel B,", "36.0 °C", "major discrepancy;", "36.7 °C", "monitor until",
             "0001.v2.bmp", "E.bmp", "30.7 °C"},
            {"B.bmp — Hot breaker", "R0 average", "ΔT", "1 – major", "(suggested)", "Second line."},
            {"IMG 0001.v2.bmp — Warm lug"}, {"E.bmp — Check later", "4 – possible"}, {"C.bmp"},
            {"broken.bmp"}};
        // clang-format on
        for (int page = 1; page <= 7; ++page) {
            const QString text = pdfText(pdf + ".pdf", page).simplified() + ' ';
            int at = 0;
            for (const QString &piece : pages[page - 1]
                    + QStringList {"December 7, 2026", QString("Page %1 of 7").arg(page)})
                QVERIFY2((at = text.indexOf(piece, at)) >= 0, qPrintable(piece + " on: " + text));
        }
        QVERIFY(!pdfText(pdf + ".pdf", 2).contains("C.bmp")
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
