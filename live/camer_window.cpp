#include "live/camer_window.h"
#include "ui_camer_window.h"

#include "app/configrecord.h"
#include "app/dialogs.h"
#include "app/tabstyle.h"
#include "live/alarmhistory.h"
#include "live/alarmrule.h"
#include "live/qtcameracapture.h"
#include "live/trendchart.h"
#include "recording/alarmclips.h"
#include "recording/recorder.h"
#include "recording/recordingformat.h"
#include "platform/camerastream.h"
#include "platform/platform.h"

#include <QCloseEvent>
#include <QTabBar>
#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QKeyEvent>
#include <QListWidgetItem>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace {
constexpr int WatchInterval = 300;
constexpr int FlashInterval = 500;

// What the picture area says when the camera fails, and what the user can do about it.
QString cameraFailureText(CameraStream::Failure failure, const QString &detail)
{
    switch (failure) {
    case CameraStream::Failure::None:
        return {};
    case CameraStream::Failure::Busy:
        return camer_window::tr("热像仪的摄像头正被其他程序占用。请关闭该程序，然后重新连接。");
    case CameraStream::Failure::PermissionDenied:
        return camer_window::tr("没有打开热像仪摄像头（/dev/video*）的权限。"
                                "请将您的用户加入 video 组，然后重新登录。");
    case CameraStream::Failure::StreamLost:
        return camer_window::tr("热像仪已停止发送图像。请检查连接线。");
    case CameraStream::Failure::Other:
        break;
    }
    return camer_window::tr("无法启动摄像头：%1").arg(detail);
}
} // namespace

const QString camer_window::NormalStyle =
        QStringLiteral("background-color: rgb(255, 255, 255);\n color: rgb(80, 180, 50);");
const QString camer_window::QuietStyle =
        QStringLiteral("background-color: rgb(255, 255, 255);\n color: rgb(255, 0, 0);");
const QString camer_window::FlashAStyle =
        QStringLiteral("background-color: rgb(255, 0, 0);\ncolor: rgb(255, 255, 0);");
const QString camer_window::FlashBStyle =
        QStringLiteral("background-color: rgb(255, 255, 255);\ncolor: rgb(255, 0, 0);");

camer_window::camer_window(QWidget *parent, Platform *platform, const QString &replayFile)
    : QWidget(parent),
      // Replaced by the record or by the main window right after construction.
      m_addr(ConfigRecord::userFolder()),
      // The first flash tick shows yellow on red, so an alarm is visible at once.
      m_flashPhase(true),
      m_lastRecord(QStringLiteral("36.2,34.0,0.97")),
      m_platform(platform ? platform : systemPlatform()),
      m_sessionStart(QDateTime::currentMSecsSinceEpoch())
{
    m_sessionClock.start();
    m_player = new QMediaPlayer;

    setFocus(Qt::OtherFocusReason);
    ui = new Ui::camer_window;
    ui->setupUi(this);

    ui->pushButton->setIcon(QIcon(QStringLiteral(":/photo/camaer.png")));
    ui->pushButton->setIconSize(QSize(20, 20));
    ui->pushButton_2->setIcon(QIcon(QStringLiteral(":/photo/stop.png")));
    ui->pushButton_2->setIconSize(QSize(20, 20));
    ui->pushButton_saveReadings->setIcon(QIcon(QStringLiteral(":/photo/save.png")));
    ui->pushButton_saveReadings->setIconSize(QSize(20, 20));
    m_trend = new TrendChart(ui->trendChart, &m_readings, this);
    m_replayFile = replayFile;

    if (QFile::exists(ConfigRecord::filePath())) {
        m_lang = ConfigRecord::readField(ConfigRecord::LanguageCode);
        if (m_lang == QLatin1String("RU"))
            ui->tabWidget->setStyleSheet(russianTabStyle());
    }
    if (QFile::exists(ConfigRecord::filePath()))
        m_addr = ConfigRecord::readField(ConfigRecord::AlarmFolder);

    m_timerWarn = new QTimer;
    connect(m_timerWarn, &QTimer::timeout, this, &camer_window::timeout_warn);

    ui->checkBox_2->setEnabled(false);
    ui->checkBox_3->setEnabled(false);

    ui->label_17->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    ui->label_18->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    m_capture = new QtCameraCapture;
    connect(m_capture, &QtCameraCapture::display_Qimage, this, &camer_window::display_cap);
    connect(m_capture, &QtCameraCapture::Send_MaxTemp, this, &camer_window::updat_temp);
    setupRecording();

    if (isReplay())
        startReplay();
    else
        discoverCamera();

    setupLists();
    updat_list();
    setupPublishing();
    ui->tabWidget->installEventFilter(this);
}

camer_window::~camer_window()
{
    // Before the log it draws from and the view it watches.
    delete m_trend;
    delete m_publisher;
    // What was recorded is finished before the stream goes.
    delete m_recorder;
    delete m_clips;
    delete m_recordTimer;
    if (m_camera)
        m_camera->stop();
    delete m_camera;
    delete m_timer;
    delete m_timerWarn;
    delete m_player;
    delete m_capture;
    delete ui;
}

void camer_window::discoverCamera()
{
    const QList<CameraIdentity> cameras = m_platform->cameras();
    if (cameras.isEmpty())
        return;
    for (const CameraIdentity &camera : cameras) {
        if (!isImagerCamera(camera))
            continue;
        m_camera = m_platform->openCamera(camera, m_capture);
        if (m_camera) {
            // Queued behind the frames the stream presented before it failed, so the
            // message is not painted over by them.
            connect(m_camera, &CameraStream::failed, this, &camer_window::showCameraFailure,
                    Qt::QueuedConnection);
            m_camera->start();
        }
        break;
    }
    m_timer = new QTimer;
    connect(m_timer, &QTimer::timeout, this, &camer_window::timeout_connect);
    m_timer->start(WatchInterval);
}

void camer_window::setupLists()
{
    for (QListWidget *list : { ui->listWidget, ui->listWidget_2, ui->listWidget_3 }) {
        list->setDragEnabled(false);
        list->setMovement(QListView::Static);
        list->setResizeMode(QListView::Adjust);
    }
    ui->listWidget->setUniformItemSizes(true);
    ui->listWidget_2->setUniformItemSizes(true);
    ui->listWidget_3->setViewMode(QListView::IconMode);
    ui->listWidget_3->setIconSize(QSize(70, 70));
    ui->listWidget_3->setSpacing(30);
}

void camer_window::set_addr(QString addr)
{
    m_addr = addr;
    updat_list();
}

void camer_window::timeout_connect()
{
    if (m_camera && m_camera->hasError())
        m_camera->stop();
}

void camer_window::showCameraFailure()
{
    ui->label_17->clearFrame();
    ui->label_17->setWordWrap(true);
    ui->label_17->setText(isReplay() ? tr("无法播放录像：%1").arg(m_camera->detail())
                                     : cameraFailureText(m_camera->failure(), m_camera->detail()));
}

void camer_window::display_cap(QImage cap_image)
{
    m_lastFrame = QPixmap::fromImage(cap_image);
    // The same pixels as the pixmap scaled smoothly, without the pixmap's round trips.
    ui->label_17->setFrame(m_lastFrame.toImage().scaled(ui->label_17->size(), Qt::KeepAspectRatio,
                                                        Qt::SmoothTransformation));
    if (m_recentFrames.size() > 6)
        m_recentFrames.removeFirst();
    m_recentFrames.append(cap_image);
}

void camer_window::updat_temp(float maxTem, float warn, float fsl)
{
    const AlarmRule::Verdict verdict = AlarmRule::evaluate(maxTem, warn, m_alarmOn, m_alarmFileOn,
                                                           &m_acknowledged, &m_alarmFrames);
    switch (verdict.state) {
    case AlarmRule::State::Normal:
        m_timerWarn->stop();
        m_player->stop();
        setMaxStyle(NormalStyle);
        break;
    case AlarmRule::State::Unarmed:
        m_timerWarn->stop();
        setMaxStyle(QuietStyle);
        break;
    case AlarmRule::State::Alarming:
        if (!m_timerWarn->isActive())
            m_timerWarn->start(FlashInterval);
        break;
    case AlarmRule::State::Acknowledged:
        break;
    }
    if (verdict.writeFolder)
        save_alarm();
    if (m_publisher)
        publishReadings(maxTem, warn, fsl, verdict.raised());

    ui->label_6->setText(QString::number(double(maxTem), 'f', 1));
    ui->label_7->setText(QString::number(double(warn), 'f', 1));
    ui->label_8->setText(QString::number(double(fsl), 'f', 2));

    // A replay's readings keep the times they were recorded at.
    const qint64 time = isReplay() ? m_replayStartMs + qMax<qint64>(0, m_frameTimeUs) / 1000
                                   : m_sessionStart + m_sessionClock.elapsed();
    m_readings.append(time, maxTem, warn, fsl);
}

void camer_window::setMaxStyle(const QString &style)
{
    // Setting a style sheet restyles the label and lays out the window again even when it is
    // the same text, which cost more than the rest of a frame.
    if (ui->label_6->styleSheet() != style)
        ui->label_6->setStyleSheet(style);
}

void camer_window::timeout_warn()
{
    if (m_flashPhase) {
        m_flashPhase = false;
        ui->label_6->setStyleSheet(FlashAStyle);
    } else {
        m_flashPhase = true;
        ui->label_6->setStyleSheet(FlashBStyle);
    }
    qDebug() << "定时器触发" << m_flashPhase;

    if (m_soundOn) {
        qDebug() << "正在声音报警!" << QTime::currentTime().toString(QStringLiteral("hh-mm-ss"));
        playAlarmSound();
    } else {
        m_player->stop();
    }
}

void camer_window::playAlarmSound()
{
    if (m_player->state() == QMediaPlayer::PlayingState)
        return;
    m_player->setMedia(QUrl(QStringLiteral("qrc:/Sound/Alarm/Alarm.mp3")));
    m_player->play();
}

void camer_window::on_checkBox_stateChanged(int)
{
    if (ui->checkBox->isChecked()) {
        m_alarmOn = true;
        ui->checkBox_2->setEnabled(true);
        ui->checkBox_3->setEnabled(true);
    } else {
        m_alarmOn = false;
        ui->checkBox_2->setChecked(false);
        ui->checkBox_3->setChecked(false);
        ui->checkBox_2->setEnabled(false);
        ui->checkBox_3->setEnabled(false);
        m_alarmFrames = 0;
    }
    m_acknowledged = false;
}

void camer_window::on_checkBox_2_stateChanged(int)
{
    m_soundOn = ui->checkBox_2->isChecked();
}

void camer_window::on_checkBox_3_stateChanged(int)
{
    m_alarmFileOn = ui->checkBox_3->isChecked();
}

void camer_window::on_pushButton_2_clicked()
{
    m_acknowledged = true;
    ui->label_6->setStyleSheet(FlashBStyle);
    m_player->stop();
    m_timerWarn->stop();
}

void camer_window::save_alarm()
{
    if (m_recentFrames.size() != 7)
        return;
    // A replay judges its alarms but leaves the history alone unless asked.
    if (isReplay() && !ui->checkBox_replayAlarms->isChecked())
        return;
    const QString record = ui->label_6->text() + QLatin1Char(',') + ui->label_7->text()
            + QLatin1Char(',') + ui->label_8->text();
    m_lastRecord = record;
    const std::optional<QString> written = AlarmHistory::writeAlarmFolder(
            m_addr, m_recentFrames, record, QDateTime::currentDateTime());
    if (!written)
        return;
    startClip(m_addr + QLatin1Char('/') + *written);
    updat_list();
}

void camer_window::on_pushButton_clicked()
{
    const QPixmap picture =
            m_lastFrame.scaled(480, 640, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QString name = Dialogs::instance()->saveFileName(
            this, tr("保存的文件"), m_addr + QStringLiteral("/cap.png"),
            QStringLiteral("Items files(*.png)"), QStringLiteral("png"));
    if (name.isEmpty())
        return;
    // A capture before the first frame has nothing to save; anything else that fails is said.
    if (picture.isNull() || picture.save(name))
        return;
    Dialogs::instance()->information(this, tr("警告"), tr("图片保存失败，请检查文件名和文件夹!"));
}

void camer_window::on_pushButton_saveReadings_clicked()
{
    const QString name = Dialogs::instance()->saveFileName(
            this, tr("保存读数"), m_addr + QStringLiteral("/readings.csv"),
            QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"));
    if (name.isEmpty())
        return;
    QSaveFile file(name);
    if (file.open(QIODevice::WriteOnly) && m_readings.writeCsv(file) && file.commit())
        return;
    Dialogs::instance()->information(this, tr("警告"), tr("读数保存失败，请检查文件名和文件夹!"));
}

void camer_window::updat_list()
{
    ui->listWidget->clear();
    ui->listWidget_2->clear();
    const QStringList folders = AlarmHistory::alarmFolders(m_addr);
    const QPixmap folder(QStringLiteral("://photo/folder.png"));
    const QIcon small(folder.scaled(20, 20, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    const QIcon large(folder.scaled(30, 30, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    for (const QString &name : folders) {
        auto *item = new QListWidgetItem(small, name);
        item->setSizeHint(QSize(ui->listWidget->width() - 30, 30));
        ui->listWidget->addItem(item);
        auto *item2 = new QListWidgetItem(large, name);
        item2->setSizeHint(QSize(ui->listWidget_2->width() - 40, 35));
        ui->listWidget_2->addItem(item2);
    }
}

void camer_window::on_listWidget_itemClicked(QListWidgetItem *item)
{
    Q_UNUSED(item);
}

void camer_window::on_listWidget_itemDoubleClicked(QListWidgetItem *item)
{
    Q_UNUSED(item);
    ui->tabWidget->setCurrentIndex(1);
    if (ui->listWidget_2->count() > 0) {
        ui->listWidget_2->setCurrentRow(0);
        on_listWidget_2_itemClicked(ui->listWidget_2->item(0));
    }
}

void camer_window::on_listWidget_2_itemClicked(QListWidgetItem *item)
{
    if (!item)
        return;
    const QString name = item->text();
    m_shownFolder = name;
    ui->pushButton_playClip->setVisible(
            QFile::exists(m_addr + QLatin1Char('/') + name + QLatin1Char('/') + RecordingFormat::clipName()));
    const QStringList lines = AlarmHistory::recordLines(m_addr + QLatin1Char('/') + name
                                                        + QLatin1Char('/') + name
                                                        + QStringLiteral(".ini"));
    for (const QString &line : lines)
        qDebug() << line << "------ListWidget_2_item_clicked";
    const QStringList readings = AlarmHistory::readingsOf(lines);
    ui->label_12->setText(readings.at(0));
    ui->label_14->setText(readings.at(1));
    ui->label_16->setText(readings.at(2));
    load_photos(name);
}

void camer_window::load_photos(QString name)
{
    ui->listWidget_3->clear();
    m_historyPictures.clear();
    const QString folder = m_addr + QLatin1Char('/') + name;
    const QStringList files = AlarmHistory::pictureFiles(folder);
    for (const QString &file : files) {
        const QPixmap picture(folder + QLatin1Char('/') + file);
        m_historyPictures.append(picture);
        ui->listWidget_3->addItem(new QListWidgetItem(QIcon(picture), file));
    }
    ui->listWidget_3->setCurrentRow(0);
}

void camer_window::on_listWidget_3_currentRowChanged(int currentRow)
{
    showHistoryPicture(currentRow < 0 ? 0 : currentRow);
}

void camer_window::showHistoryPicture(int index)
{
    if (index < 0 || index >= m_historyPictures.size())
        return;
    ui->label_18->setPixmap(m_historyPictures.at(index).scaled(
            ui->label_18->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_shownPicture = index;
}

void camer_window::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_shownPicture < 0 || m_shownPicture >= m_historyPictures.size())
        return;
    const QPixmap fitted = m_historyPictures.at(m_shownPicture).scaled(
            ui->label_18->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Setting an identical picture again would schedule another paint for nothing.
    if (ui->label_18->pixmap(Qt::ReturnByValue).size() != fitted.size())
        ui->label_18->setPixmap(fitted);
}

bool camer_window::eventFilter(QObject *watched, QEvent *event)
{
    // A readout's new text lays its page out again, and that layout asks the tab widget for a
    // new one too, which repaints the whole window: every frame. The tab widget's own layout
    // (tab bar and pages) depends on nothing but these hints and its size, so while they stay
    // the same the request is dropped; a resize lays it out as before.
    if (watched == ui->tabWidget && event->type() == QEvent::LayoutRequest) {
        const QWidget *pages = ui->tabWidget->currentWidget()
                ? ui->tabWidget->currentWidget()->parentWidget()
                : nullptr;
        const QList<QSize> hints {ui->tabWidget->tabBar()->sizeHint(),
                                  ui->tabWidget->tabBar()->minimumSizeHint(),
                                  pages ? pages->sizeHint() : QSize(),
                                  pages ? pages->minimumSizeHint() : QSize(),
                                  pages ? pages->maximumSize() : QSize()};
        if (hints == m_tabHints)
            return true;
        m_tabHints = hints;
    }
    return QWidget::eventFilter(watched, event);
}

void camer_window::set_fullscr(bool isFull)
{
    if (!isFull) {
        setParent(nullptr);
        showFullScreen();
        m_isFull = true;
    } else {
        setWindowFlags(Qt::SubWindow);
        showNormal();
        emit fullscr(false);
        m_isFull = false;
    }
}

void camer_window::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    const QRect picture(ui->label_17->mapTo(this, QPoint(0, 0)), ui->label_17->size());
    const QPoint pos = event->pos();
    if (pos.x() > picture.left() && pos.x() < picture.right() && pos.y() > picture.top()
        && pos.y() < picture.bottom())
        set_fullscr(isFullScreen());
}

void camer_window::keyPressEvent(QKeyEvent *event)
{
    QWidget::keyPressEvent(event);
    if (event->key() != Qt::Key_Escape)
        return;
    qDebug() << "您按下了ESC";
    if (m_isFull)
        set_fullscr(true);
}

void camer_window::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    stopRecording();
    if (m_camera)
        m_camera->stop();
    emit dis();
}
