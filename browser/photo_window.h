#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class MainWindow;
class QAction;
class Platform;
class QAbstractItemView;
class QListWidget;
class QListWidgetItem;
class QTableWidget;
class QTableWidgetItem;

namespace Ui {
class photo_window;
}

// The USB flash drive mode window: the removable drives, the pictures of the selected
// drive's picture folder as thumbnails or as a table, and the analysis window of the
// picture opened last.
class photo_window : public QWidget
{
    Q_OBJECT

public:
    // A null platform means the running system's; a null main window is allowed (no hover
    // path is shown then). With an opened folder the browser lists that folder, chosen by the
    // user, instead of a drive's picture folder; pictureFolder says it holds the pictures
    // itself (a dropped picture's folder) rather than perhaps a picture folder below it.
    explicit photo_window(MainWindow *parent, Platform *platform = nullptr,
                          const QString &openedFolder = QString(), bool pictureFolder = false);
    ~photo_window() override;

    // Refills the drive list and settles the picture folder and model value for the
    // selected drive, asking the user when the drive holds both picture folders.
    void chooseFolder();
    // Lists the picture folder into the three lists and builds the icon view. Pictures are
    // read only later, as the thumbnails of the rows that come into sight.
    void get_image_information();
    void showIconView();
    void showTableView();
    // Opens a picture of the listed folder in the analysis window on the second tab; shows the
    // parse warning when it cannot be read as the current model.
    void openPicture(const QString &fileName);
    // The file names selected in the current view, in listing order.
    [[nodiscard]] QStringList selectedNames() const;
    // Writes a report for each selected picture into a folder the user picks.
    void makeBatchReports();
    // Writes one inspection report of the selected pictures.
    void makeInspectionReport();

    // Texts shown in an empty view to say why it is empty.
    static QString noDriveNotice();
    static QString noFolderNotice();

    MainWindow *m_mainWindow = nullptr;
    QString m_language;
    QString m_viewStyleSheet;
    QTableWidget *m_tableView = nullptr;
    QListWidget *m_iconView = nullptr;
    int m_driveRow = 0;
    QString m_pictureFolder;
    QStringList m_names;
    QStringList m_times;
    QStringList m_sizes;
    int m_model = -1;
    // Why the lists are empty, when the drive choice knows; empty otherwise.
    QString m_notice;
    // The folder opened by hand, empty for a drive.
    QString m_openedFolder;
    bool m_openedIsPictureFolder = false;
    QAction *m_batchAction = nullptr;
    QAction *m_inspectionAction = nullptr;
    Ui::photo_window *ui = nullptr;

public slots:
    void on_pushButton_3_clicked();
    void on_pushButton_4_clicked();
    void table_item_doubleclicked(QTableWidgetItem *item);
    void list_item_doubleclicked(QListWidgetItem *item);
    void on_listWidget_currentRowChanged(int currentRow);

private:
    [[nodiscard]] QStringList fillDriveList();
    void replaceView(QAbstractItemView *view);
    void addNotice(QAbstractItemView *view);
    void chooseOpenedFolder();
    void watchSelection(QAbstractItemView *view);

    Platform *m_platform;
};
