#include "testsupport.h"

#include <QLineEdit>
#include <QtTest>

class tst_Dialogs : public QObject
{
    Q_OBJECT

private slots:
    void save_name_typed_without_suffix_data()
    {
        // clang-format off
        addColumns<QString, QString, QString>("typed", "suffix", "chosen");
        QTest::newRow("report named hall") << "hall" << "pdf" << "hall.pdf";
        QTest::newRow("own suffix kept") << "hall.jpg" << "png" << "hall.jpg";
        // clang-format on
    }
    // The real file dialog, answered by typing a name into it.
    void save_name_typed_without_suffix()
    {
        const auto [typed, suffix, chosen] = fetch<QString, QString, QString>();
        QTemporaryDir dir;
        bool modalInside = false;
        QTimer::singleShot(0, [&, typed = typed] {
            modalInside = Dialogs::isModalOpen();
            auto *name = QApplication::activeModalWidget()->findChild<QLineEdit *>("fileNameEdit");
            name->setText(typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QCOMPARE(
            Dialogs::instance()->saveFileName(nullptr, "Saved file", dir.path(), "*.png", suffix),
            dir.path() + "/" + chosen);
        QVERIFY(modalInside && !Dialogs::isModalOpen());
    }
};

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
