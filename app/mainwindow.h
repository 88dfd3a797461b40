#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QListWidgetItem;
class QMenu;
class QTimer;
class Platform;
class seting;
class camer_window;
class photo_window;

namespace Ui {
class MainWindow;
}

// The single top-level window: watches for the imager every 300 ms and hosts the
// window of the current mode in its content row.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Connection states.
    enum { Waiting = -1, NotFound = -2, DrivePresent = 1, CameraFound = 2 };
    // Modes.
    // Modes; a folder opened by hand shows its pictures without an imager.
    // A recording played in the live window is left alone like a folder.
    enum { NoMode = -1, ScreenMode = 1, DriveMode = 2, FolderMode = 3, ReplayMode = 4 };

    explicit MainWindow(Platform *platform = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    QMenu *m_fileMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QAction *m_connectAction = nullptr;
    QAction *m_disconnectAction = nullptr;
    int m_connectState = Waiting;
    QPointer<seting> m_seting;
    QPointer<camer_window> m_camerWindow;
    QPointer<photo_window> m_photoWindow;
    QTimer *m_timer = nullptr;
    int m_mode = NoMode;
    QString m_addr;
    Ui::MainWindow *ui = nullptr;
    // The demo recording and pictures the build makes, beside the program.
    QString m_demoFolder;

public slots:
    void Get_Addr(QString str);
    void Action_photo();
    void Action_camer();
    void Action_chose();
    void Action_connect();
    void Action_Disconnect();
    void Action_Close();
    void Action_Doc();
    void Photo_itemEntered(QListWidgetItem *item);
    // A message of the window in the content row, in the status row beside the mode.
    void showStatus(const QString &text);
    void fullscr(bool sta);
    void timeout_connect();

    // "Open folder...": a folder chooser, then the folder's pictures in the photo browser.
    void Action_openFolder();
    // Lists a folder's pictures as the photo browser lists a drive's; with a picture name, also
    // opens that picture, and takes the folder itself as the picture folder.
    void openFolder(const QString &folder, const QString &picture = QString());

    // "Open recording...": a file chooser, then openRecording().
    void Action_openRecording();
    // Plays a recording or an alarm clip in a live window; a file that cannot be played is
    // said and changes nothing.
    void openRecording(const QString &path);
    // "Demo": the demo recording or the demo pictures.
    void Action_demo();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void loadConfiguration();
    void buildMenus();
    void replaceContent();
    void searchCameras();
    void setModeActions(bool modeOn);
    void hostLiveWindow(camer_window *window);

    Platform *m_platform;
};
