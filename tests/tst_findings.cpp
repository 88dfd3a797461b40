#include "analysis/analysis_widget.h"
#include "app/mainwindow.h"
#include "app/preferences.h"
#include "browser/photo_window.h"
#include "fakeworld.h"
#include "inspection/findings.h"
#include "ui_analysis_widget.h"
#include "ui_photo_window.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

using namespace Findings;

class tst_Findings : public QObject
{
    Q_OBJECT

private slots:
    void suggested_class_data()
    {
        // The reference and the unit; "ΔT:class" for ΔT in tenths of the unit shown. Bounds in
        // °C: component 1, 4, - (15.0 is no class 2), >15; ambient 1, 11, 21, >40; in °F each
        // 1.8 times. Colder than the reference, or no reference: no class.
        addColumns<int, bool, QString>("reference", "fahrenheit", "classes");
        // clang-format off
        QTest::newRow("ambient °C") << int(TypedTemperature) << false
            << "9:0 10:4 109:4 110:3 209:3 210:2 400:2 401:1 -52:0";
        QTest::newRow("component maximum °C") << int(ToolMaximum) << false << "39:4 150:3 151:1";
        QTest::newRow("component average °C") << int(ToolAverage) << false << "40:3";
        QTest::newRow("ambient °F") << int(TypedTemperature) << true
            << "17:0 18:4 197:4 198:3 377:3 378:2 720:2 721:1";
        QTest::newRow("component °F") << int(ToolMaximum) << true << "71:4 72:3 270:3 271:1";
        QTest::newRow("no reference") << int(NoReference) << false << "900:0";
        // clang-format on
    }
    void suggested_class()
    {
        const auto [reference, fahrenheit, classes] = fetch<int, bool, QString>();
        QStringList suggested;
        for (const QString &row : classes.split(' ')) {
            const int delta = row.section(':', 0, 0).toInt();
            suggested << QString("%1:%2").arg(delta).arg(
                suggestedClass(delta, fahrenheit, reference, defaultCriteria()));
        }
        QCOMPARE(suggested.join(' '), classes);
    }

    void criteria_kept_apart_from_their_defaults()
    {
        TemporaryHome home;
        Criteria edited = defaultCriteria();
        edited.component[1] = 105; // a class 2 against components, from 10.5 °C
        edited.ambient[3] = std::nullopt;
        edited.actions[0] = "Shut down, then repair";
        storeCriteria(edited);
        QCOMPARE(storedCriteria(), edited);
        QCOMPARE(suggestedClass(105, false, ToolMaximum, storedCriteria()), 2);
        QCOMPARE(suggestedClass(189, true, ToolMaximum, storedCriteria()), 2); // 10.5 × 1.8
        QCOMPARE(suggestedClass(10, false, TypedTemperature, storedCriteria()), 0);
        storeCriteria(defaultCriteria());
        QCOMPARE(fileBytes(Preferences::filePath()).contains("criteria"), false);
    }

    void delta_against_the_reference_data()
    {
        // Rows "name max average"; the reference; the unit; ΔT per row and the reference.
        addColumns<QString, int, double, QString, int, QString>("rows", "kind", "celsius", "tool",
                                                                "unit", "deltas");
        const QString rows = "P0 -5.3 -5.3;L1 30.7 12.0;R2 -0.4 -2.9";
        QTest::newRow("typed -6.0 °C") << rows << int(TypedTemperature) << -6.0 << "" << 0
                                        << "0.7 36.7 5.6 | -60";
        QTest::newRow("typed 20.0 °C shown in °F") << "P0 101.3 99.0" << int(TypedTemperature)
                                                    << 20.0 << "" << 1 << "33.3 | 680";
        QTest::newRow("typed -17.8 °C is -0.04 °F: 0.0") << "P0 0.1 0.1" << int(TypedTemperature)
                                                          << -17.8 << "" << 1 << "0.1 | 0";
        QTest::newRow("tool maximum") << rows << int(ToolMaximum) << 0.0 << "R2" << 0
                                      << "-4.9 31.1 0.0 | -4";
        QTest::newRow("tool average") << rows << int(ToolAverage) << 0.0 << "L1" << 0
                                      << "-17.3 18.7 -12.4 | 120";
        QTest::newRow("its tool gone") << rows << int(ToolAverage) << 0.0 << "C0" << 0 << " | none";
    }
    void delta_against_the_reference()
    {
        const auto [rowsText, kind, celsius, tool, unit, deltas] =
                fetch<QString, int, double, QString, int, QString>();
        std::vector<ToolRow> rows;
        for (const QString &row : rowsText.split(';')) {
            const QStringList f = row.split(' ');
            rows.push_back({ f[0], f[1], f[2] });
        }
        const Evaluation e = evaluate(rows, { kind, celsius, tool }, unit);
        QStringList shown;
        for (const int d : e.deltas)
            shown << tenthsText(d);
        const QString largest = e.largest ? tenthsText(*e.largest) : QString();
        QCOMPARE(shown.join(' ') + " | " + (e.reference ? QString::number(*e.reference) : "none"),
                 deltas);
        QCOMPARE(largest, shown.isEmpty() ? QString() : *std::max_element(shown.begin(), shown.end(),
                 [](const QString &a, const QString &b) { return a.toDouble() < b.toDouble(); }));
    }

    void window_shows_delta_and_keeps_tables_readable()
    {
        FakeWorld world("EN");
        const QString root = makeDrive(world.drives, "card", { "DCIM_100" });
        PictureFixture picture = PictureFixture::scene(PictureFixture::VX305);
        picture.maxTemp = 307;
        picture.minTemp = -53;
        QVERIFY(picture.writeTo(root + "DCIM_100/IMG 0001.v2.bmp"));
        world.platform.drives = QStringList { root };
        MainWindow main(&world.platform);
        main.resize(1150, 800);
        main.show();
        main.timeout_connect();
        main.m_photoWindow->openPicture("IMG 0001.v2.bmp");
        auto *window = main.m_photoWindow->findChild<Analysis_Widget *>();
        Ui::Analysis_Widget *ui = window->ui;
        MyLabel *label = ui->label;
        label->m_points.emplace_back(new PointTool { "P0", 80, 110, 9, Qt::red });
        label->m_rects.emplace_back(new RectTool { "R12", 130, 180, 215, 285, Qt::red });
        label->m_circles.emplace_back(new CircleTool { "C0", 85, 240, 115, 240, 30, Qt::green });
        window->updat_Tool_Temp();
        QTableWidget *table = ui->tableWidget;
        QCOMPARE(table->columnCount(), 5);

        // -2.5 °C typed, then shown in °F: 27.5 °F, each maximum minus it as shown.
        ui->comboBox_reference->setCurrentIndex(1);
        emit ui->comboBox_reference->activated(1);
        ui->doubleSpinBox_reference->setValue(-2.5);
        ui->comboBox->setCurrentIndex(1);
        QCOMPARE(ui->doubleSpinBox_reference->text(), "27.5 °F");
        QCOMPARE(table->horizontalHeaderItem(5)->text(), "ΔT");
        int largest = INT_MIN;
        for (int row = 0; row < table->rowCount(); ++row) {
            const int delta = *tenthsOf(table->item(row, 2)->text()) - 275;
            QCOMPARE(table->item(row, 5)->text(), tenthsText(delta));
            largest = std::max(largest, delta);
        }
        QCOMPARE(ui->comboBox_severity->currentIndex(),
                 suggestedClass(largest, true, TypedTemperature, defaultCriteria()));
        // Overridden, then the suggestion again.
        emit ui->comboBox_severity->activated(4);
        QVERIFY(ui->findingPanel->finding().severitySet && ui->toolButton_severityAuto->isEnabled());
        ui->toolButton_severityAuto->click();
        QCOMPARE(ui->findingPanel->finding().severity, ui->findingPanel->suggestion());

        // Against R12's maximum; deleting R12 takes the reference and the column away.
        const int r12 = ui->comboBox_reference->findText("R12 最高");
        ui->comboBox_reference->setCurrentIndex(r12);
        emit ui->comboBox_reference->activated(r12);
        QCOMPARE(table->item(1, 5)->text(), "0.0");
        label->m_selKind = "R";
        label->m_selIndex = 0;
        ui->pushButton_3->click();
        QCOMPARE(table->columnCount(), 5);
        QCOMPARE(ui->findingPanel->reference().kind, int(NoReference));

        // Each panel open in turn at the window's size: no text of a table is cut.
        ui->comboBox_reference->setCurrentIndex(1);
        emit ui->comboBox_reference->activated(1);
        for (QPushButton *panel : { ui->pushButton_chart, ui->pushButton_finding }) {
            panel->click();
            QTest::qWait(50);
            QVERIFY(ui->chartPanel->isVisible() != ui->findingPanel->isVisible());
            for (QTableWidget *t : { ui->tableWidget, ui->tableWidget_2 }) {
                const QHeaderView *header = t->horizontalHeader();
                for (int c = 1; c < t->columnCount(); ++c) {
                    const int text = static_cast<QAbstractItemView *>(t)->sizeHintForColumn(c);
                    const int title = header->isHidden() ? 0 : header->sectionSizeHint(c);
                    QVERIFY2(t->columnWidth(c) >= std::max(text, title),
                        qPrintable(t->objectName() + " column " + QString::number(c)));
                }
                QVERIFY(
                    t->viewport()->width() + t->verticalScrollBar()->width() >= header->length());
            }
        }
    }
};

QTEST_MAIN(tst_Findings)
#include "tst_findings.moc"
