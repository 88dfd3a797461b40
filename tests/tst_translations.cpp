#include "app/startup.h"

#include <QTest>
#include <QTranslator>

// The compiled catalogues are in the library's resources and translate what the
// window shows first.
class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initVx305Resources(); }
    void catalogue_data();
    void catalogue();
    void chineseHasNoCatalogue();
};

void tst_Translations::catalogue_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");

    QTest::newRow("EN waiting") << "EN" << "MainWindow" << QStringLiteral("正在等待连接...")
                                << "Waiting for a connection...";
    QTest::newRow("EN file menu") << "EN" << "MainWindow" << QStringLiteral("文件") << "File";
    QTest::newRow("EN help menu") << "EN" << "MainWindow" << QStringLiteral("帮助") << "Help";
    QTest::newRow("unknown code is English") << "XX" << "MainWindow" << QStringLiteral("帮助")
                                             << "Help";
    QTest::newRow("KO help menu") << "KO" << "MainWindow" << QStringLiteral("帮助")
                                  << QStringLiteral("도움말");
    QTest::newRow("RU file menu") << "RU" << "MainWindow" << QStringLiteral("文件")
                                  << QStringLiteral("Файл");
}

void tst_Translations::catalogue()
{
    QFETCH(QString, code);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, translation);

    QTranslator translator;
    QVERIFY(translator.load(translationForLanguage(code)));
    QCOMPARE(translator.translate(context.toLatin1(), source.toUtf8()), translation);
}

void tst_Translations::chineseHasNoCatalogue()
{
    QCOMPARE(translationForLanguage(QStringLiteral("CH")), QString());
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
