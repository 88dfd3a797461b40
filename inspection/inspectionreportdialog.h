#pragma once

#include "inspection/inspectionreport.h"

#include <QDialog>

namespace Ui {
class InspectionReportDialog;
}

// Asks what the cover of an inspection report says: company, logo, customer, site, inspector
// and date.
class InspectionReportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit InspectionReportDialog(QWidget *parent = nullptr);
    ~InspectionReportDialog() override;

    void setDetails(const InspectionReport::Details &details);
    [[nodiscard]] InspectionReport::Details details() const;

    Ui::InspectionReportDialog *ui = nullptr;

private slots:
    void on_pushButton_logo_clicked();
};
