#include "app/seting.h"
#include "ui_seting.h"

#include "app/configrecord.h"
#include "app/dialogs.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSignalBlocker>
#include <QStandardPaths>

seting::seting(QWidget *parent) : QWidget(parent)
{
    ui = new Ui::seting;
    ui->setupUi(this);
    ui->lineEdit->setReadOnly(true);
    setWindowFlags(Qt::Dialog);
    setWindowModality(Qt::ApplicationModal);

    if (QFile::exists(ConfigRecord::filePath())) {
        m_lang = ConfigRecord::readField(ConfigRecord::LanguageCode);
        m_addr = ConfigRecord::readField(ConfigRecord::AlarmFolder);
    }
    ui->lineEdit->setText(m_addr);

    // Showing the stored language is not a change.
    const QSignalBlocker blocker(ui->comboBox);
    const int index = languageCodes().indexOf(m_lang);
    ui->comboBox->setCurrentIndex(index);
}

seting::~seting()
{
    delete ui;
}

const QStringList &seting::languageCodes()
{
    static const QStringList codes = { QStringLiteral("EN"), QStringLiteral("CH"),
                                       QStringLiteral("KO"), QStringLiteral("RU") };
    return codes;
}

void seting::setFolder(const QString &folder)
{
    m_addr = folder;
    ui->lineEdit->setText(m_addr);
}

void seting::on_pushButton_3_clicked()
{
    close();
}

void seting::on_pushButton_2_clicked()
{
    emit send_addr(m_addr);
    if (QFile::exists(ConfigRecord::filePath())) {
        ConfigRecord::rewriteField(ConfigRecord::LanguageCode, m_lang);
        qDebug() << "写入了" << m_lang;
    }
    close();
    if (m_changed)
        Dialogs::instance()->information(this, tr("提示"), tr("改动将在应用重启后生效!"));
}

void seting::on_pushButton_clicked()
{
    const QString chosen = Dialogs::instance()->existingDirectory(
            this, tr("选择一个目录"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!chosen.isEmpty()) {
        const QString folder = QDir::fromNativeSeparators(chosen);
        // The record separates its fields with commas; such a path would be cut short.
        if (folder.contains(QLatin1Char(',')))
            Dialogs::instance()->information(this, tr("提示"),
                                             tr("路径中不能包含逗号“,”，请选择其他文件夹。"));
        else
            setFolder(folder);
    }
    emit send_addr(m_addr);
}

void seting::on_comboBox_currentIndexChanged(int index)
{
    Q_UNUSED(index);
    m_changed = true;
}

void seting::on_comboBox_activated(int index)
{
    if (index >= 0 && index < languageCodes().size())
        m_lang = languageCodes().at(index);
}
