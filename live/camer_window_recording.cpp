// The live window's recordings, alarm clips and replay controls.
#include "live/camer_window.h"
#include "ui_camer_window.h"

#include "app/dialogs.h"
#include "live/qtcameracapture.h"
#include "recording/alarmclips.h"
#include "recording/recorder.h"
#include "recording/recordingformat.h"
#include "recording/replaystream.h"
#include "recording/videoexport.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QSignalBlocker>
#include <QTimer>

namespace {

constexpr int RecordRefreshInterval = 500;

// 83 s as "00:01:23".
QString clockText(qint64 us)
{
    const qint64 s = qMax<qint64>(0, us) / 1000000;
    return QStringLiteral("%1:%2:%3")
            .arg(s / 3600, 2, 10, QLatin1Char('0'))
            .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString sizeText(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(double(bytes) / 1e6, 0, 'f', 1);
}

} // namespace

void camer_window::setupRecording()
{
    ui->pushButton_record->setIcon(QIcon(QStringLiteral(":/photo/record.png")));
    ui->pushButton_record->setIconSize(QSize(20, 20));
    m_clips = new AlarmClips;
    m_clips->setWindow(ui->spinBox_preAlarm->value(), ui->spinBox_postAlarm->value());
    connect(m_capture, &QtCameraCapture::rawFrame, this, &camer_window::takeRawFrame);
    m_recordTimer = new QTimer;
    connect(m_recordTimer, &QTimer::timeout, this, &camer_window::showRecordingState);

    for (const double speed : {0.5, 1.0, 2.0, 4.0}) {
        const QString name = speed == 0.5 ? QStringLiteral("½×")
                                          : QString::number(speed) + QStringLiteral("×");
        ui->comboBox_speed->addItem(name, speed);
    }
    {
        const QSignalBlocker blocker(ui->comboBox_speed);
        ui->comboBox_speed->setCurrentIndex(1);
    }
    m_exportAction = new QAction(tr("导出视频..."), this);
    m_exportAction->setObjectName(QStringLiteral("actionExportVideo"));
    connect(m_exportAction, &QAction::triggered, this, &camer_window::exportVideo);
    connect(ui->pushButton_exportVideo, &QPushButton::clicked, m_exportAction, &QAction::trigger);

    ui->widget_replay->setVisible(isReplay());
    ui->checkBox_replayAlarms->setVisible(isReplay());
    ui->pushButton_record->setVisible(!isReplay());
    ui->pushButton_playClip->setVisible(false);
    updateRawFrames();
}

void camer_window::startReplay()
{
    const RecordingProbe probe = ReplayStream::probe(m_replayFile);
    m_replayStartMs = probe.start.isValid() ? probe.start.toMSecsSinceEpoch() : m_sessionStart;
    setWindowTitle(tr("回放：%1").arg(QFileInfo(m_replayFile).fileName()));
    m_replay = new ReplayStream(m_replayFile, m_capture);
    m_camera = m_replay;
    ui->slider_position->setRange(0, int(qMax<qint64>(0, probe.durationUs) / 1000));
    connect(m_replay, &CameraStream::failed, this, &camer_window::showCameraFailure,
            Qt::QueuedConnection);
    connect(m_replay, &ReplayStream::positionChanged, this, &camer_window::showReplayPosition);
    connect(m_replay, &ReplayStream::playingChanged, this, [this](bool playing) {
        ui->pushButton_play->setText(playing ? tr("暂停") : tr("播放"));
    });
    m_replay->start();
    m_timer = new QTimer;
    connect(m_timer, &QTimer::timeout, this, &camer_window::timeout_connect);
    m_timer->start(300);
}

void camer_window::updateRawFrames()
{
    m_capture->setRawFramesWanted(isReplay() || m_recorder || ui->checkBox_alarmClips->isChecked());
}

void camer_window::takeRawFrame(const QByteArray &frame, qint64 timeUs)
{
    m_frameTimeUs = timeUs;
    if (m_recorder)
        m_recorder->push(frame, timeUs);
    if (ui->checkBox_alarmClips->isChecked())
        m_clips->frame(frame, timeUs);
}

void camer_window::startClip(const QString &alarmFolder)
{
    if (!ui->checkBox_alarmClips->isChecked() || m_frameTimeUs < 0)
        return;
    const QDateTime when = isReplay()
            ? QDateTime::fromMSecsSinceEpoch(m_replayStartMs + m_frameTimeUs / 1000)
            : QDateTime::currentDateTime();
    m_clips->startClip(alarmFolder + QLatin1Char('/') + RecordingFormat::clipName(), m_frameTimeUs,
                       when);
}

void camer_window::on_checkBox_alarmClips_stateChanged(int)
{
    if (!ui->checkBox_alarmClips->isChecked())
        m_clips->clear();
    updateRawFrames();
}

void camer_window::on_spinBox_preAlarm_valueChanged(int value)
{
    m_clips->setWindow(value, ui->spinBox_postAlarm->value());
}

void camer_window::on_spinBox_postAlarm_valueChanged(int value)
{
    m_clips->setWindow(ui->spinBox_preAlarm->value(), value);
}

void camer_window::on_pushButton_record_clicked()
{
    if (m_recorder) {
        stopRecording();
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    auto *recorder = new Recorder;
    const QString path = RecordingFormat::recordingsFolder(m_addr) + QLatin1Char('/')
            + RecordingFormat::recordingName(now);
    if (!recorder->start(path, now)) {
        const QString why = recorder->errorText();
        delete recorder;
        ui->pushButton_record->setChecked(false);
        Dialogs::instance()->information(this, tr("警告"), tr("无法开始录像：%1").arg(why));
        return;
    }
    m_recorder = recorder;
    connect(m_recorder, &Recorder::failed, this, &camer_window::recordingFailed);
    m_recordClock.start();
    m_recordTimer->start(RecordRefreshInterval);
    updateRawFrames();
    showRecordingState();
}

void camer_window::stopRecording()
{
    if (!m_recorder)
        return;
    m_recordTimer->stop();
    Recorder *recorder = m_recorder;
    m_recorder = nullptr;
    updateRawFrames();
    recorder->finish();
    recorder->deleteLater();
    ui->pushButton_record->setChecked(false);
    ui->pushButton_record->setText(tr("录像"));
}

void camer_window::recordingFailed()
{
    const QString why = m_recorder ? m_recorder->errorText() : QString();
    const QString path = m_recorder ? m_recorder->path() : QString();
    stopRecording();
    Dialogs::instance()->information(
            this, tr("警告"),
            tr("录像已停止：%1\n已写入的部分可以播放：%2").arg(why, QDir::toNativeSeparators(path)));
}

void camer_window::showRecordingState()
{
    if (!m_recorder)
        return;
    ui->pushButton_record->setText(tr("停止录像 %1 · %2")
                                           .arg(clockText(m_recordClock.nsecsElapsed() / 1000),
                                                sizeText(m_recorder->fileBytes())));
}

void camer_window::showReplayPosition(qint64 us)
{
    const int ms = int(us / 1000);
    const QSignalBlocker blocker(ui->slider_position);
    if (ms > ui->slider_position->maximum())
        ui->slider_position->setMaximum(ms);
    ui->slider_position->setValue(ms);
    ui->label_position->setText(clockText(us));
}

void camer_window::on_pushButton_play_clicked()
{
    if (!m_replay)
        return;
    if (m_replay->isPlaying())
        m_replay->pause();
    else
        m_replay->play();
}

void camer_window::on_pushButton_step_clicked()
{
    if (m_replay)
        m_replay->step();
}

void camer_window::on_slider_position_valueChanged(int value)
{
    if (m_replay)
        m_replay->seek(qint64(value) * 1000);
}

void camer_window::on_comboBox_speed_currentIndexChanged(int index)
{
    if (m_replay)
        m_replay->setSpeed(ui->comboBox_speed->itemData(index).toDouble());
}

void camer_window::on_pushButton_markIn_clicked()
{
    m_markInUs = m_replay ? m_replay->positionUs() : -1;
    ui->pushButton_markIn->setText(tr("起点 %1").arg(clockText(m_markInUs)));
}

void camer_window::on_pushButton_markOut_clicked()
{
    m_markOutUs = m_replay ? m_replay->positionUs() : -1;
    ui->pushButton_markOut->setText(tr("终点 %1").arg(clockText(m_markOutUs)));
}

void camer_window::on_pushButton_playClip_clicked()
{
    if (!m_shownFolder.isEmpty())
        emit openRecording(m_addr + QLatin1Char('/') + m_shownFolder + QLatin1Char('/')
                           + RecordingFormat::clipName());
}

void camer_window::exportVideo()
{
    if (!m_replay)
        return;
    m_replay->pause();
    const QString name = Dialogs::instance()->saveFileName(
            this, tr("导出视频"),
            // Beside the recording, under its name.
            QFileInfo(m_replayFile).absolutePath() + QLatin1Char('/')
                    + QFileInfo(m_replayFile).completeBaseName() + QStringLiteral(".webm"),
            QStringLiteral("WebM (*.webm)"), QStringLiteral("webm"));
    if (name.isEmpty())
        return;
    VideoExport::Request request;
    request.source = m_replayFile;
    request.target = name;
    request.fromUs = m_markInUs;
    request.toUs = m_markOutUs;
    if (request.fromUs >= 0 && request.toUs >= 0 && request.toUs < request.fromUs)
        std::swap(request.fromUs, request.toUs);
    request.startMs = m_replayStartMs;

    QPointer<camer_window> self(this);
    QProgressDialog progress(tr("正在导出视频..."), tr("取消"), 0, 1000, this);
    progress.setWindowTitle(QStringLiteral("VX305"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    const VideoExport::Outcome outcome = VideoExport::exportWebm(request, [&](double done) {
        progress.setValue(int(done * 1000));
        // Keeps the dialog painted and its Cancel button answering between frames.
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.close();
    if (!self || outcome.cancelled)
        return;
    if (outcome.error.isEmpty())
        Dialogs::instance()->information(this, tr("提示"),
                                         tr("已导出 %1 帧：%2")
                                                 .arg(outcome.frames)
                                                 .arg(QDir::toNativeSeparators(name)));
    else
        Dialogs::instance()->information(this, tr("警告"), tr("视频导出失败：%1").arg(outcome.error));
}
