#pragma once

#include "analysis/radiometricfile.h"

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <opencv2/core.hpp>

#include <functional>
#include <utility>
#include <vector>

class AnalysisKeeper;
class QTableWidgetItem;

namespace Ui {
class Analysis_Widget;
}

// The window in which one radiometric picture from the imager's disk is examined: the
// false-colour picture with its measurement tools, the colour scale, the information and
// measurement tables and the cursor readout.
class Analysis_Widget : public QWidget
{
    Q_OBJECT

public:
    explicit Analysis_Widget(QWidget *parent = nullptr);
    ~Analysis_Widget() override;

    // Parses the file with the layout of `model` (0 VX305, 1 VX300) and fills the window;
    // false when the file is not a picture of that model. Called once, before showing.
    bool set_Image_addr(QString path, int model);

    // Builds m_colorLut from the palette and the scale's handles and hands the bar to the
    // scale.
    void buildColorTable();
    // Colours the grey plane through the table and shows it in the overlay label.
    void colorize();
    // Rows 0-9 of the information table, then the scale's labels.
    void fillInformationTable();
    // The colour scale's labels from scaleSpan(); its handles rest while the scale is locked.
    void updateScale();
    // The span the scale shows, highest first, in the unit shown: the picture's maximum and
    // minimum, or the locked span while the scale is locked.
    [[nodiscard]] std::pair<float, float> scaleSpan() const;
    // Keeps the right column wide enough for every text of its two tables, whatever panels
    // are open beside it.
    void fitTablesToContents();
    // Colours the picture afresh at the next paint: an isotherm or the locked scale changed.
    void recolour();

    // Restores the picture's stored analysis and keeps its changes from now on, unless the
    // user turned that off. Called by the browser once the picture is open.
    void keepAnalysis();

    // Temperature texts with one decimal: stored tenths, and map degrees.
    [[nodiscard]] QString tenthsText(qint16 tenths) const;
    [[nodiscard]] QString degreesText(double degrees) const;

    int m_model = -1;
    QByteArray m_fileBuf;
    qint64 m_bytesRead = 0;
    QString m_fileName;
    QString m_fileTime;
    QString m_filePath;
    QByteArray m_grey;
    Radiometric::Palette m_palette {};
    Radiometric::Parameters m_params;
    std::vector<float> m_tempMap;
    double m_avgTemp = 0.0;
    float m_unitDiv = 10.0f;
    float m_unitAdd = 0.0f;
    cv::Mat m_colorLut;
    cv::Mat m_greyMat;
    cv::Mat m_colorMat;
    QImage m_greyImage;
    QImage m_colorImage;
    QPixmap m_barPixmap;
    int m_tool = 1;
    int m_select = 0;
    QString m_lang;
    Ui::Analysis_Widget *ui = nullptr;
    AnalysisKeeper *m_keeper = nullptr;

signals:
    // A message for the main window's status row.
    void statusMessage(const QString &text);

public slots:
    void updat_XY_Temp(int px, int py);
    void updat_Tool_Temp();
    void setFocus(int bt_focus);
    void Set_Select(int dev);
    void on_comboBox_currentIndexChanged(int index);
    void on_pushButton_9_clicked();
    void on_pushButton_8_clicked();
    void on_pushButton_7_clicked();
    void on_pushButton_6_clicked();
    void on_pushButton_5_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_clicked();
    void on_tableWidget_itemClicked(QTableWidgetItem *item);
    void on_tableWidget_2_itemEntered(QTableWidgetItem *item);

    // Exports of the export button's menu.
    void exportTemperatures();
    void exportMeasurements();
    void exportPicture();
    // The line profile of the chart panel as CSV.
    void saveProfile();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setUpTables();
    void setUpExports();
    // Asks for a file through the dialog seam and writes it; says so when writing failed. The
    // proposed name is the picture's, followed by nameTail.
    void saveExport(const QString &filter, const QString &suffix,
                    const std::function<bool(const QString &)> &write,
                    const QString &nameTail = QString());
    void chooseTool(int kind);
    [[nodiscard]] QString unitText() const;

    // What the label shows was coloured with these; a paint recolours only on a change,
    // since setting a picture on the label repaints this window beneath it.
    int m_shownUpper = -1;
    int m_shownLower = -1;
    QSize m_shownSize;
    // The palette index of each pixel while the scale is locked, row order.
    QByteArray m_lockedGrey;
};
