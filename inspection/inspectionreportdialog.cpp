#include "inspection/inspectionreportdialog.h"
#include "ui_inspectionreportdialog.h"

#include "app/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

InspectionReportDialog::InspectionReportDialog(QWidget *parent) : QDialog(parent)
{
    ui = new Ui::InspectionReportDialog;
    ui->setupUi(this);
}

InspectionReportDialog::~InspectionReportDialog()
{
    delete ui;
}

void InspectionReportDialog::setDetails(const InspectionReport::Details &details)
{
    ui->lineEdit_company->setText(details.company);
    ui->lineEdit_logo->setText(QDir::toNativeSeparators(details.logoPath));
    ui->lineEdit_customer->setText(details.customer);
    ui->lineEdit_site->setText(details.site);
    ui->lineEdit_inspector->setText(details.inspector);
    ui->dateEdit_date->setDate(details.date);
}

InspectionReport::Details InspectionReportDialog::details() const
{
    return { ui->lineEdit_company->text().trimmed(),
             QDir::fromNativeSeparators(ui->lineEdit_logo->text().trimmed()),
             ui->lineEdit_customer->text().trimmed(), ui->lineEdit_site->text().trimmed(),
             ui->lineEdit_inspector->text().trimmed(), ui->dateEdit_date->date() };
}

void InspectionReportDialog::on_pushButton_logo_clicked()
{
    const QString current = ui->lineEdit_logo->text();
    const QString start = current.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
            : QFileInfo(current).absolutePath();
    const QString chosen = Dialogs::instance()->openFileName(
            this, tr("选择标志图片"), start, tr("图片 (*.png *.jpg *.jpeg *.bmp *.svg)"));
    if (!chosen.isEmpty())
        ui->lineEdit_logo->setText(QDir::toNativeSeparators(chosen));
}
