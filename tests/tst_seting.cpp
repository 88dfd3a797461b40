#include "app/configrecord.h"
#include "app/mainwindow.h"
#include "app/seting.h"
#include "ui_seting.h"
#include "testsupport.h"

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

    void opening_shows_stored_folder();
    void confirm_without_changes_keeps_record_data();
    void confirm_without_changes_keeps_record();
    void folder_is_stored_before_confirm();
    void cancelled_chooser_sends_folder_again();
    void comma_in_folder_is_refused();
    void language_selector_data();
    void language_selector();
    void two_dialogs_last_one_follows();
    void no_configuration_file();

private:
    [[nodiscard]] seting *openDialog() const
    {
        m_window->Action_chose();
        return m_window->m_seting.data();
    }

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
    ConfigRecord::write("000,EN,/srv/alarms");
    m_window = std::make_unique<MainWindow>(&m_platform);
    m_window->m_timer->stop();
}

void tst_Seting::cleanup()
{
    m_window.reset();
    m_answers.reset();
    m_home.reset();
}

void tst_Seting::opening_shows_stored_folder()
{
    seting *dialog = openDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->isWindow());
    QCOMPARE(dialog->windowTitle(), QString("选项"));
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QCOMPARE(dialog->ui->lineEdit->text(), QString("/srv/alarms"));
    QVERIFY(dialog->ui->lineEdit->isReadOnly());
    QCOMPARE(dialog->ui->comboBox->currentIndex(), 0);
    QCOMPARE(dialog->m_lang, QString("EN"));
}

void tst_Seting::confirm_without_changes_keeps_record_data()
{
    QTest::addColumn<QString>("record");
    QTest::newRow("English") << "000,EN,/srv/alarms";
    QTest::newRow("Russian kept") << "123,RU,/srv/alarms";
    QTest::newRow("Korean kept") << "000,KO,/srv/alarms";
}

void tst_Seting::confirm_without_changes_keeps_record()
{
    QFETCH(QString, record);
    ConfigRecord::write(record);
    seting *dialog = openDialog();
    QTest::mouseClick(dialog->ui->pushButton_2, Qt::LeftButton);
    QCOMPARE(ConfigRecord::decode([] {
                 QFile f(ConfigRecord::filePath());
                 f.open(QIODevice::ReadOnly);
                 return f.readAll();
             }()).value_or("<damaged>"),
             record);
    QVERIFY(!dialog->isVisible());
    // No language change, so no restart notice.
    QVERIFY(m_answers->asked.isEmpty());
}

void tst_Seting::folder_is_stored_before_confirm()
{
    seting *dialog = openDialog();
    m_answers->directoryAnswer = m_home->path() + "/chosen";
    QTest::mouseClick(dialog->ui->pushButton, Qt::LeftButton);
    QCOMPARE(m_answers->asked, QStringList({ "选择一个目录" }));
    QCOMPARE(dialog->ui->lineEdit->text(), m_home->path() + "/chosen");
    QCOMPARE(ConfigRecord::readField(ConfigRecord::AlarmFolder), m_home->path() + "/chosen");
    QCOMPARE(m_window->m_addr, m_home->path() + "/chosen");

    QTest::mouseClick(dialog->ui->pushButton_3, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(ConfigRecord::readField(ConfigRecord::AlarmFolder), m_home->path() + "/chosen");
}

void tst_Seting::cancelled_chooser_sends_folder_again()
{
    seting *dialog = openDialog();
    QSignalSpy sent(dialog, &seting::send_addr);
    m_answers->directoryAnswer.clear();
    QTest::mouseClick(dialog->ui->pushButton, Qt::LeftButton);
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toString(), QString("/srv/alarms"));
}

void tst_Seting::comma_in_folder_is_refused()
{
    seting *dialog = openDialog();
    m_answers->directoryAnswer = "/data/a,b";
    QTest::mouseClick(dialog->ui->pushButton, Qt::LeftButton);
    QCOMPARE(m_answers->asked.size(), 3);
    QCOMPARE(m_answers->asked.at(1), QString("提示"));
    QCOMPARE(dialog->ui->lineEdit->text(), QString("/srv/alarms"));
    QCOMPARE(ConfigRecord::readFields(), QStringList({ "000", "EN", "/srv/alarms" }));
}

void tst_Seting::language_selector_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("code");
    QTest::newRow("Chinese") << 1 << "CH";
    QTest::newRow("Korean") << 2 << "KO";
    QTest::newRow("Russian") << 3 << "RU";
}

void tst_Seting::language_selector()
{
    QFETCH(int, index);
    QFETCH(QString, code);

    seting *dialog = openDialog();
    QComboBox *box = dialog->ui->comboBox;
    QCOMPARE(box->count(), 4);
    box->setFocus();
    // Choose the entry with the keyboard, as a user would.
    for (int i = 0; i < index; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentIndex(), index);
    QCOMPARE(dialog->m_lang, code);
    QVERIFY(dialog->m_changed);

    QTest::mouseClick(dialog->ui->pushButton_2, Qt::LeftButton);
    QCOMPARE(ConfigRecord::readFields(), QStringList({ "000", code, "/srv/alarms" }));
    QCOMPARE(m_answers->asked, QStringList({ "提示", "改动将在应用重启后生效!" }));
}

void tst_Seting::two_dialogs_last_one_follows()
{
    seting *first = openDialog();
    seting *second = openDialog();
    QVERIFY(first != second);
    m_answers->directoryAnswer = "/from/first";
    QTest::mouseClick(first->ui->pushButton, Qt::LeftButton);
    QCOMPARE(second->ui->lineEdit->text(), QString("/from/first"));
    QCOMPARE(m_window->m_addr, QString("/from/first"));
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
