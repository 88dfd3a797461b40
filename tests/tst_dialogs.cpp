#include "app/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class tst_Dialogs : public QObject
{
    Q_OBJECT

private slots:
    void save_name_typed_without_suffix_data();
    void save_name_typed_without_suffix();
};

void tst_Dialogs::save_name_typed_without_suffix_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("capture named hall") << "hall" << "png" << "hall.png";
    QTest::newRow("report named hall") << "hall" << "pdf" << "hall.pdf";
    QTest::newRow("own suffix kept") << "hall.jpg" << "png" << "hall.jpg";
}

// The real file dialog, answered by typing a name into it.
void tst_Dialogs::save_name_typed_without_suffix()
{
    QFETCH(QString, typed);
    QFETCH(QString, suffix);
    QFETCH(QString, chosen);
    QTemporaryDir dir;
    bool modalInside = false;
    QTimer::singleShot(0, [&] {
        modalInside = Dialogs::isModalOpen();
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QLineEdit *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    const QString result = Dialogs::instance()->saveFileName(
            nullptr, QStringLiteral("Saved file"), dir.path(), QStringLiteral("Items files(*.png)"),
            suffix);
    QVERIFY(modalInside);
    QVERIFY(!Dialogs::isModalOpen());
    QCOMPARE(result, dir.path() + QLatin1Char('/') + chosen);
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
