#pragma once

#include "app/preferences.h"
#include "automation/mqttpublisher.h"
#include "live/readingslog.h"

#include <QElapsedTimer>
#include <QSize>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

class AlarmClips;
class CameraStream;
class Platform;
class QAction;
class Recorder;
class ReplayStream;
class QListWidgetItem;
class QMediaPlayer;
class QTimer;
class QtCameraCapture;
class TrendChart;

namespace Ui {
class camer_window;
}

// The screen-mode window: the imager's live picture and readings, the alarm monitor, still
// captures and the alarm history.
class camer_window : public QWidget
{
    Q_OBJECT

public:
    // A null platform means the running system's. With a replay file the window plays that
    // recording instead of looking for the imager.
    explicit camer_window(QWidget *parent = nullptr, Platform *platform = nullptr,
                          const QString &replayFile = QString());
    ~camer_window() override;

    void set_addr(QString addr);
    void updat_list();
    void set_fullscr(bool isFull);
    void save_alarm();
    void load_photos(QString name);

    // The label_6 styles of the alarm monitor, as stored.
    static const QString NormalStyle;
    static const QString QuietStyle;
    static const QString FlashAStyle;
    static const QString FlashBStyle;

    bool m_isFull = false;
    QString m_addr;
    QString m_lang;
    bool m_flashPhase = false;
    int m_shownPicture = -1;
    bool m_soundOn = false;
    QPixmap m_lastFrame;
    bool m_alarmOn = false;
    bool m_acknowledged = false;
    bool m_alarmFileOn = false;
    int m_alarmFrames = 0;
    QString m_lastRecord;
    CameraStream *m_camera = nullptr;
    QTimer *m_timerWarn = nullptr;
    QtCameraCapture *m_capture = nullptr;
    QList<QImage> m_recentFrames;
    QMediaPlayer *m_player = nullptr;
    QList<QPixmap> m_historyPictures;
    QTimer *m_timer = nullptr;
    Ui::camer_window *ui = nullptr;
    // The session's readings and their trend; a session is the window's life.
    ReadingsLog m_readings;
    TrendChart *m_trend = nullptr;

    // Recording, alarm clips and replay.
    [[nodiscard]] bool isReplay() const { return !m_replayFile.isEmpty(); }
    QString m_replayFile;
    ReplayStream *m_replay = nullptr; // the window's stream in a replay
    qint64 m_replayStartMs = 0; // wall time of the recording's first frame
    Recorder *m_recorder = nullptr; // while recording
    AlarmClips *m_clips = nullptr;
    qint64 m_frameTimeUs = -1; // time of the newest frame
    qint64 m_markInUs = -1; // the part to export, -1 for the ends
    qint64 m_markOutUs = -1;
    QAction *m_exportAction = nullptr;
    QString m_shownFolder; // the alarm folder opened on the history page

    // Publishing to an MQTT broker, while the settings ask for it.
    MqttPublisher *m_publisher = nullptr;
    Preferences::Mqtt m_publishing; // the settings it publishes with
    bool m_alarmPublished = false;
    // Starts, restarts or stops publishing as the stored settings say.
    void setupPublishing();

signals:
    void fullscr(bool sta);
    void dis();
    // The user asked to play a recording or clip (the main window opens it).
    void openRecording(const QString &path);

public slots:
    void display_cap(QImage cap_image);
    void timeout_connect();
    void updat_temp(float maxTem, float warn, float fsl);
    void timeout_warn();
    void on_checkBox_stateChanged(int arg1);
    void on_checkBox_2_stateChanged(int arg1);
    void on_checkBox_3_stateChanged(int arg1);
    void on_pushButton_2_clicked();
    void on_pushButton_clicked();
    void on_listWidget_itemClicked(QListWidgetItem *item);
    void on_listWidget_itemDoubleClicked(QListWidgetItem *item);
    void on_listWidget_2_itemClicked(QListWidgetItem *item);
    void on_listWidget_3_currentRowChanged(int currentRow);
    void on_pushButton_saveReadings_clicked();
    void on_pushButton_record_clicked();
    void on_checkBox_alarmClips_stateChanged(int arg1);
    void on_spinBox_preAlarm_valueChanged(int value);
    void on_spinBox_postAlarm_valueChanged(int value);
    void on_pushButton_play_clicked();
    void on_pushButton_step_clicked();
    void on_slider_position_valueChanged(int value);
    void on_comboBox_speed_currentIndexChanged(int index);
    void on_pushButton_markIn_clicked();
    void on_pushButton_markOut_clicked();
    void on_pushButton_playClip_clicked();
    void exportVideo();
    void showPublishingState(MqttPublisher::State state, const QString &reason);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void discoverCamera();
    void showCameraFailure();
    void setupLists();
    void showHistoryPicture(int index);
    void playAlarmSound();
    void setMaxStyle(const QString &style);
    void setupRecording();
    void startReplay();
    void takeRawFrame(const QByteArray &frame, qint64 timeUs);
    void updateRawFrames();
    void stopRecording();
    void recordingFailed();
    void showRecordingState();
    void showReplayPosition(qint64 us);
    void startClip(const QString &alarmFolder);
    void publishReadings(float maxTem, float warn, float fsl, bool alarm);

    Platform *m_platform;
    // Reading times: the wall clock at the start plus a monotonic clock, so the trend never
    // jumps when the system clock is set.
    qint64 m_sessionStart;
    QElapsedTimer m_sessionClock;
    // What the tab widget's own layout depends on, as last laid out.
    QList<QSize> m_tabHints;
    QTimer *m_recordTimer = nullptr;
    QElapsedTimer m_recordClock;
};
