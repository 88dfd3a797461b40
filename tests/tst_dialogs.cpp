#include "testsupport.h"

#include <QLineEdit>
#include <QMenu>

class tst_Dialogs : public QObject
{
    Q_OBJECT

private slots:
    // The real file dialog, answered by typing a name into it: a report named "hall" gets the
    // default suffix, a name with its own suffix keeps it.
    void save_name_typed_without_suffix()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("site 2.2024"));
        for (const auto &[typed, suffix, chosen] : {std::array<QString, 3> {"hall", "pdf", "hall.pdf"},
                 {"hall.jpg", "png", "hall.jpg"}, {"site 2.2024/hall", "pdf", "site 2.2024/hall.pdf"}}) {
            bool modalInside = false;
            QTimer::singleShot(0, [&, typed = typed] {
                modalInside = Dialogs::isModalOpen();
                auto *name
                    = QApplication::activeModalWidget()->findChild<QLineEdit *>("fileNameEdit");
                name->setText(typed);
                QTest::keyClick(name, Qt::Key_Return);
            });
            QCOMPARE(Dialogs::instance()->saveFileName(nullptr, "", dir.path(), "*.png", suffix),
                dir.path() + "/" + chosen);
            QVERIFY(modalInside && !Dialogs::isModalOpen());
        }
        QMenu menu; // a popup menu runs its own event loop too
        menu.addAction("-");
        menu.popup(QPoint());
        QVERIFY(Dialogs::isModalOpen());
    }
};

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
