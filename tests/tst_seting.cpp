#include "app/configrecord.h"
#include "app/mainwindow.h"
#include "app/seting.h"
#include "testsupport.h"
#include "ui_seting.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

class tst_Seting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void confirm_data();
    void confirm();
    void choose_folder_data();
    void choose_folder();
    void no_configuration_file();

private:
    std::unique_ptr<TemporaryHome> m_home;
    std::unique_ptr<DialogAnswerer> m_answers;
    FakePlatform m_platform;
    std::unique_ptr<MainWindow> m_window;
};

void tst_Seting::init()
{
    m_home = std::make_unique<TemporaryHome>();
    m_answers = std::make_unique<DialogAnswerer>();
    ConfigRecord::createDefault("EN");
    ConfigRecord::write("123,RU,/srv/alarms");
    m_window = std::make_unique<MainWindow>(&m_platform);
    m_window->m_timer->stop();
}

void tst_Seting::cleanup()
{
    m_window.reset();
    m_answers.reset();
    m_home.reset();
}

void tst_Seting::confirm_data()
{
    // clang-format off
    QTest::addColumn<int>("index"); // the language chosen with the keyboard; 3, Russian, is shown
    QTest::addColumn<QString>("code");

    QTest::newRow("nothing changed: Russian kept, no notice") << 3 << "RU";
    QTest::newRow("English") << 0 << "EN";
    QTest::newRow("Chinese") << 1 << "CH";
    QTest::newRow("Korean") << 2 << "KO";
    // clang-format on
}

void tst_Seting::confirm()
{
    QFETCH(int, index);
    QFETCH(QString, code);
    m_window->Action_chose();
    seting *dialog = m_window->m_seting;
    QVERIFY(dialog->isVisible() && dialog->isWindow() && dialog->ui->lineEdit->isReadOnly());
    QCOMPARE(dialog->windowTitle(), QString("选项"));
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QComboBox *box = dialog->ui->comboBox;
    QCOMPARE(box->count(), 4);
    QCOMPARE(box->currentIndex(), 3);
    box->setFocus();
    for (int i = 3; i > index; --i)
        QTest::keyClick(box, Qt::Key_Up);
    QTest::mouseClick(dialog->ui->pushButton_2, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(ConfigRecord::readFields(), QStringList({"123", code, "/srv/alarms"}));
    QCOMPARE(m_answers->asked,
        index == 3 ? QStringList() : QStringList({"提示", "改动将在应用重启后生效!"}));
}

void tst_Seting::choose_folder_data()
{
    // clang-format off
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("asked"); // the chooser's title, then a refusal's title and text

    QTest::newRow("chosen") << "/data/new" << "/data/new" << 1;
    QTest::newRow("cancelled: the old folder is sent again") << "" << "/srv/alarms" << 1;
    QTest::newRow("comma in the path is refused") << "/data/a,b" << "/srv/alarms" << 3;
    // clang-format on
}

void tst_Seting::choose_folder()
{
    QFETCH(QString, answer);
    QFETCH(QString, folder);
    QFETCH(int, asked);
    // Two dialogs: a folder chosen in either reaches the later one.
    m_window->Action_chose();
    seting *first = m_window->m_seting;
    m_window->Action_chose();
    QVERIFY(m_window->m_seting != first);
    QCOMPARE(first->ui->lineEdit->text(), QString("/srv/alarms"));
    QSignalSpy sent(first, &seting::send_addr);
    m_answers->directoryAnswer = answer;
    QTest::mouseClick(first->ui->pushButton, Qt::LeftButton);
    QCOMPARE(m_answers->asked.size(), asked);
    QCOMPARE(m_answers->asked.at(0), QString("选择一个目录"));
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toString(), folder);
    QCOMPARE(first->ui->lineEdit->text(), folder);
    QCOMPARE(m_window->m_seting->ui->lineEdit->text(), folder);
    // Stored at once: cancelling the dialog does not undo it.
    QTest::mouseClick(first->ui->pushButton_3, Qt::LeftButton);
    QVERIFY(!first->isVisible());
    QCOMPARE(ConfigRecord::readFields(), QStringList({"123", "RU", folder}));
}

void tst_Seting::no_configuration_file()
{
    QFile::remove(ConfigRecord::filePath());
    seting dialog;
    QCOMPARE(dialog.ui->lineEdit->text(), QString("?"));
    QCOMPARE(dialog.m_lang, QString("CH"));
    QSignalSpy sent(&dialog, &seting::send_addr);
    dialog.show();
    QTest::mouseClick(dialog.ui->pushButton_2, Qt::LeftButton);
    QCOMPARE(sent.count(), 1);
    QVERIFY(!QFile::exists(ConfigRecord::filePath()));
}

QTEST_MAIN(tst_Seting)
#include "tst_seting.moc"
