#pragma once

#include "inspection/findings.h"

#include <QString>
#include <QStringList>
#include <QWidget>

namespace Ui {
class seting;
}

// The settings dialog: the alarm-history folder, the interface language, and how analyses are
// kept and judged, and publishing to an MQTT broker.
class seting : public QWidget
{
    Q_OBJECT

public:
    explicit seting(QWidget *parent = nullptr);
    ~seting() override;

    // Language codes in the order of the selector's entries.
    static const QStringList &languageCodes();

    // Shows the folder and makes it the one sent on confirmation.
    void setFolder(const QString &folder);

    QString m_lang = QStringLiteral("CH");
    QString m_addr = QStringLiteral("?");
    bool m_changed = false;
    Ui::seting *ui = nullptr;

signals:
    void send_addr(QString str);
    // The MQTT settings were stored.
    void publishingChanged();

private slots:
    void on_pushButton_3_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_clicked();
    void on_comboBox_currentIndexChanged(int index);
    void on_comboBox_activated(int index);
    void on_pushButton_criteriaDefaults_clicked();

private:
    // The severity criteria in the grid, and back.
    void showCriteria(const Findings::Criteria &criteria);
    [[nodiscard]] Findings::Criteria shownCriteria() const;
};
