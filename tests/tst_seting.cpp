#include "app/configrecord.h"
#include "app/mainwindow.h"
#include "app/seting.h"
#include "testsupport.h"
#include "ui_seting.h"

#include <QtTest>

#include <memory>

class tst_Seting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(), m_answers.reset(), m_home.reset(); }
    void choose_and_confirm_data();
    void choose_and_confirm();

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
    ConfigRecord::write("123,RU,/old");
    m_window = std::make_unique<MainWindow>(&m_platform);
    m_window->m_timer->stop();
}

void tst_Seting::choose_and_confirm_data()
{
    QTest::addColumn<QString>("chosen"); // the folder chooser's answer; null: not opened
    QTest::addColumn<int>("language"); // index chosen with the keyboard; 3, Russian, is shown
    // The record after confirming | the folders sent | the later dialog's folder | boxes shown.
    QTest::addColumn<QString>("outcome");

    // clang-format off
    QTest::newRow("no change, no notice") << QString() << 3 << "123,RU,/old | /old | /old | ";
    QTest::newRow("Korean") << QString() << 2 << "123,KO,/old | /old | /old | 提示 改动将在应用重启后生效!";
    QTest::newRow("folder chosen") << "/new" << 3 << "123,RU,/new | /new /new | /new | 选择一个目录";
    QTest::newRow("chooser cancelled") << "" << 3 << "123,RU,/old | /old /old | /old | 选择一个目录";
    QTest::newRow("comma in the path refused") << "/a,b" << 3
        << "123,RU,/old | /old /old | /old | 选择一个目录 提示 路径中不能包含逗号“,”，请选择其他文件夹。";
    // clang-format on
}

void tst_Seting::choose_and_confirm()
{
    QFETCH(QString, chosen);
    QFETCH(int, language);
    QFETCH(QString, outcome);
    // Two dialogs: a folder chosen in either reaches the later one.
    m_window->Action_chose();
    seting *dialog = m_window->m_seting;
    m_window->Action_chose();
    QComboBox *box = dialog->ui->comboBox;
    QVERIFY(dialog->isVisible() && dialog->ui->lineEdit->isReadOnly());
    QCOMPARE(dialog->ui->lineEdit->text() + ' ' + box->currentText(), QString("/old Русский"));
    QStringList folders;
    const QObject scope; // ends the connection with the test
    connect(dialog, &seting::send_addr, &scope, [&folders](const QString &f) { folders << f; });
    m_answers->directoryAnswer = chosen;
    if (!chosen.isNull())
        QTest::mouseClick(dialog->ui->pushButton, Qt::LeftButton);
    box->setFocus();
    for (int i = 3; i > language; --i)
        QTest::keyClick(box, Qt::Key_Up);
    QTest::mouseClick(dialog->ui->pushButton_2, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    const QStringList shown {ConfigRecord::readFields().join(','), folders.join(' '),
        m_window->m_seting->ui->lineEdit->text(), m_answers->asked.join(' ')};
    QCOMPARE(shown.join(" | "), outcome);
}

QTEST_MAIN(tst_Seting)
#include "tst_seting.moc"
