#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/configrecord.h"
#include "app/dialogs.h"
#include "app/preferences.h"
#include "inspection/analysisstore.h"
#include "app/seting.h"
#include "browser/photo_window.h"
#include "live/camer_window.h"
#include "platform/platform.h"
#include "recording/recordingformat.h"
#include "recording/replaystream.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLayoutItem>
#include <QListWidgetItem>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace {
constexpr int WatchInterval = 300;
}

MainWindow::MainWindow(Platform *platform, QWidget *parent)
    : QMainWindow(parent),
      m_demoFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/demo")),
      m_platform(platform ? platform : systemPlatform())
{
    ui = new Ui::MainWindow;
    ui->setupUi(this);

    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::timeout_connect);
    loadConfiguration();
    m_connectState = Waiting;
    m_timer->start(WatchInterval);
    buildMenus();
    setAcceptDrops(true);
    // The analyses are opened, and a large file checked, before the first picture needs them.
    QTimer::singleShot(0, this, [this] {
        if (Preferences::rememberAnalyses())
            AnalysisStore::shared()->reportMovedAside(this);
    });
}

MainWindow::~MainWindow()
{
    ConfigRecord::rewriteField(ConfigRecord::AlarmFolder, m_addr);
    // Live windows detached in full screen are nobody's children, the current one or an
    // older one that the row moved on from.
    // Deleting one takes its own popups (a combo box's list) along, so the list is checked
    // through guards.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows << window;
    for (const QPointer<QWidget> &window : windows) {
        if (window && qobject_cast<camer_window *>(window.data()))
            delete window.data();
    }
    delete ui;
}

void MainWindow::loadConfiguration()
{
    if (QFile::exists(ConfigRecord::filePath())) {
        m_addr = ConfigRecord::readField(ConfigRecord::AlarmFolder);
        return;
    }
    // Start-up normally wrote the file already; this covers a file removed meanwhile
    // or a folder that could not be created then.
    QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .mkpath(QStringLiteral("VX305"));
    qDebug() << "文件夹创建成功";
    m_addr = ConfigRecord::userFolder();
    ConfigRecord::write(ConfigRecord::defaultRecord(QStringLiteral("CH")));
    ConfigRecord::rewriteField(ConfigRecord::AlarmFolder, m_addr);
}

void MainWindow::buildMenus()
{
    auto *bar = new QMenuBar(this);
    m_fileMenu = bar->addMenu(tr("文件"));
    QAction *connectAction =
            m_fileMenu->addAction(QIcon(QStringLiteral(":/photo/connect.png")), tr("连接"));
    QAction *disconnectAction = m_fileMenu->addAction(
            QIcon(QStringLiteral(":/photo/Disconnect.png")), tr("断开"));
    QAction *optionAction =
            m_fileMenu->addAction(QIcon(QStringLiteral(":/photo/setting.png")), tr("选项"));
    QAction *openFolderAction = m_fileMenu->addAction(
            QIcon(QStringLiteral(":/photo/openfolder.png")), tr("打开文件夹..."));
    openFolderAction->setObjectName(QStringLiteral("actionOpenFolder"));
    openFolderAction->setShortcut(QKeySequence::Open);
    QAction *openRecordingAction = m_fileMenu->addAction(
            QIcon(QStringLiteral(":/photo/openrecording.png")), tr("打开录像..."));
    openRecordingAction->setObjectName(QStringLiteral("actionOpenRecording"));
    m_fileMenu->addSeparator();
    QAction *closeAction =
            m_fileMenu->addAction(QIcon(QStringLiteral(":/photo/colse.png")), tr("关闭"));
    m_helpMenu = bar->addMenu(tr("帮助"));
    QAction *docAction =
            m_helpMenu->addAction(QIcon(QStringLiteral(":/photo/doc.png")), tr("用户手册"));
    QAction *demoAction =
            m_helpMenu->addAction(QIcon(QStringLiteral(":/photo/demo.png")), tr("演示"));
    demoAction->setObjectName(QStringLiteral("actionDemo"));

    connect(connectAction, &QAction::triggered, this, &MainWindow::Action_connect);
    connect(disconnectAction, &QAction::triggered, this, &MainWindow::Action_Disconnect);
    connect(optionAction, &QAction::triggered, this, &MainWindow::Action_chose);
    connect(openFolderAction, &QAction::triggered, this, &MainWindow::Action_openFolder);
    connect(openRecordingAction, &QAction::triggered, this, &MainWindow::Action_openRecording);
    connect(demoAction, &QAction::triggered, this, &MainWindow::Action_demo);
    connect(closeAction, &QAction::triggered, this, &MainWindow::Action_Close);
    connect(docAction, &QAction::triggered, this, &MainWindow::Action_Doc);
    disconnectAction->setEnabled(false);
    m_connectAction = connectAction;
    m_disconnectAction = disconnectAction;
    setMenuBar(bar);
}

void MainWindow::setModeActions(bool modeOn)
{
    m_connectAction->setEnabled(!modeOn);
    m_disconnectAction->setEnabled(modeOn);
}

void MainWindow::replaceContent()
{
    if (ui->horizontalLayout->count() > 0) {
        QLayoutItem *item = ui->horizontalLayout->takeAt(0);
        if (QWidget *widget = item->widget()) {
            if (widget == m_camerWindow)
                m_camerWindow = nullptr;
            if (widget == m_photoWindow)
                m_photoWindow = nullptr;
            widget->hide();
            // Deferred: this may run inside the live window's own closing (its dis()).
            widget->deleteLater();
        }
        delete item;
    }
    // A live window closed while detached in full screen has nothing left to show.
    if (m_camerWindow && !m_camerWindow->parent() && !m_camerWindow->isVisible()) {
        m_camerWindow->deleteLater();
        m_camerWindow = nullptr;
    }
}

void MainWindow::Get_Addr(QString str)
{
    m_addr = str;
    ConfigRecord::rewriteField(ConfigRecord::AlarmFolder, m_addr);
    if (m_seting)
        m_seting->setFolder(m_addr);
    if (m_mode == ScreenMode && m_camerWindow)
        m_camerWindow->set_addr(m_addr);
}

void MainWindow::Action_photo()
{
    m_connectState = DrivePresent;
    // The browser may ask a question, which runs events: a tick meanwhile must not start
    // another switch.
    const bool watching = m_timer->isActive();
    m_timer->stop();
    auto *browser = new photo_window(this, m_platform);
    m_photoWindow = browser;
    if (watching)
        m_timer->start(WatchInterval);
    qDebug() << "按下了图片分析按键-------MainWindow::Action_photo";
    replaceContent();
    ui->horizontalLayout->addWidget(browser);
    m_mode = DriveMode;
    ui->label->setText(tr("U盘模式"));
    setModeActions(true);
}

void MainWindow::Action_camer()
{
    auto *window = new camer_window(nullptr, m_platform);
    window->set_addr(m_addr);
    window->updat_list();
    m_connectState = CameraFound;
    hostLiveWindow(window);
    qDebug() << "按下了投屏按键------MainWindow::Action_camer";
    m_mode = ScreenMode;
    ui->label->setText(tr("投屏模式"));
    ui->label_2->clear();
    setModeActions(true);
}

void MainWindow::hostLiveWindow(camer_window *window)
{
    replaceContent();
    m_camerWindow = window;
    connect(window, &camer_window::fullscr, this, &MainWindow::fullscr);
    connect(window, &camer_window::dis, this, &MainWindow::Action_Disconnect);
    // Queued: the window that asks is replaced by the one that plays.
    connect(window, &camer_window::openRecording, this, &MainWindow::openRecording,
            Qt::QueuedConnection);
    ui->horizontalLayout->addWidget(window);
}

void MainWindow::Action_chose()
{
    // Parented so it is released with the window; Qt::Dialog keeps it top-level.
    auto *dialog = new seting(this);
    m_seting = dialog;
    dialog->setFolder(m_addr);
    connect(dialog, &seting::send_addr, this, &MainWindow::Get_Addr);
    connect(dialog, &seting::publishingChanged, this, [this] {
        if (m_camerWindow)
            m_camerWindow->setupPublishing();
    });
    dialog->setWindowTitle(tr("选项"));
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
}

void MainWindow::Action_connect()
{
    m_connectState = Waiting;
    m_timer->start(WatchInterval);
}

void MainWindow::Action_Disconnect()
{
    m_timer->stop();
    replaceContent();
    ui->label->setText(tr("已断开连接"));
    setModeActions(false);
    m_connectState = Waiting;
    m_mode = NoMode;
}

void MainWindow::Action_Close()
{
    close();
}

void MainWindow::Action_Doc()
{
    qDebug() << "点击了用户手册";
    const QString path =
            QCoreApplication::applicationDirPath() + QStringLiteral("/Software Manual.pdf");
    Dialogs::instance()->openUrl(QUrl::fromLocalFile(path));
}

void MainWindow::Photo_itemEntered(QListWidgetItem *item)
{
    const QString text = item ? item->text() : QString();
    if (text == QLatin1String("?") || !m_photoWindow) {
        ui->label_2->clear();
        return;
    }
    ui->label_2->setText(m_photoWindow->m_pictureFolder + QLatin1Char('/') + text);
}

void MainWindow::showStatus(const QString &text)
{
    ui->label_2->setText(text);
}

void MainWindow::fullscr(bool sta)
{
    // The window that left full screen, which need not be the one created last: a window
    // detached before a Disconnect and Connect is an older one.
    QPointer<camer_window> window = qobject_cast<camer_window *>(sender());
    if (!window)
        window = m_camerWindow;
    if (sta || !window)
        return;
    if (ui->horizontalLayout->count() > 0 || window != m_camerWindow) {
        // The row moved on while the window was full screen.
        if (ui->horizontalLayout->indexOf(window) >= 0)
            return;
        window->hide();
        window->deleteLater();
        if (window == m_camerWindow)
            m_camerWindow = nullptr;
        return;
    }
    ui->horizontalLayout->addWidget(window);
    window->show();
}

void MainWindow::searchCameras()
{
    m_connectState = Waiting;
    const QList<CameraIdentity> cameras = m_platform->cameras();
    for (const CameraIdentity &camera : cameras) {
        if (isImagerCamera(camera))
            m_connectState = CameraFound;
        else if (m_connectState < 0)
            m_connectState = NotFound;
    }
    if (cameras.isEmpty())
        m_connectState = NotFound;
    // An open folder needs no imager: it stays until one is plugged in.
    if (m_connectState >= 0 || m_mode == FolderMode || m_mode == ReplayMode)
        return;
    ui->label->setText(tr("正在等待连接..."));
    replaceContent();
    if (m_mode == ScreenMode && m_camerWindow && m_camerWindow->m_isFull) {
        // Its closing stops the camera and disconnects; the watch must go on.
        m_camerWindow->close();
        m_connectState = Waiting;
        m_timer->start(WatchInterval);
    }
}

void MainWindow::timeout_connect()
{
    // A modal dialog runs its own event loop, often inside a slot of the window in the content
    // row; switching modes there would destroy that window under its own feet. The switch
    // waits for the next tick after the dialog has closed.
    if (Dialogs::isModalOpen())
        return;
    const QStringList drives = m_platform->removableDrives();
    const bool anyDrive = !drives.isEmpty();

    if (m_connectState < 0) {
        if (anyDrive) {
            m_connectState = DrivePresent;
            Action_photo();
        } else {
            m_connectState = Waiting;
            const QList<CameraIdentity> cameras = m_platform->cameras();
            for (const CameraIdentity &camera : cameras) {
                if (isImagerCamera(camera)) {
                    m_connectState = CameraFound;
                    Action_camer();
                } else if (m_connectState < 0) {
                    m_connectState = NotFound;
                }
            }
            searchCameras();
            return;
        }
    } else if (!anyDrive) {
        searchCameras();
        return;
    }

    m_connectState = DrivePresent;
    if (m_mode != ScreenMode)
        return;
    // The imager left screen mode and came back as a drive: switch only for its folders.
    const QStringList folders = QDir(drives.first())
                                        .entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                   QDir::Name | QDir::IgnoreCase);
    for (const QString &name : folders) {
        if (name == QLatin1String("DCIM_100") || name == QLatin1String("Images")) {
            m_connectState = DrivePresent;
            Action_photo();
        }
    }
}

void MainWindow::Action_openFolder()
{
    const QString folder = Dialogs::instance()->existingDirectory(
            this, tr("选择一个目录"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.isEmpty())
        openFolder(QDir::fromNativeSeparators(folder));
}

void MainWindow::openFolder(const QString &folder, const QString &picture)
{
    QPointer<photo_window> browser = new photo_window(this, m_platform, folder, !picture.isEmpty());
    m_photoWindow = browser;
    replaceContent();
    ui->horizontalLayout->addWidget(browser);
    m_mode = FolderMode;
    ui->label->setText(tr("文件夹：%1").arg(QDir::toNativeSeparators(folder)));
    ui->label_2->clear();
    // The connection state stays as it is: the imager counts as plugged in only when it
    // appears anew.
    m_connectAction->setEnabled(!m_timer->isActive());
    m_disconnectAction->setEnabled(true);
    if (!picture.isEmpty() && browser)
        browser->openPicture(picture);
}

void MainWindow::Action_openRecording()
{
    const QString path = Dialogs::instance()->openFileName(
            this, tr("打开录像"), RecordingFormat::recordingsFolder(m_addr),
            tr("录像 (*.mkv)"));
    if (!path.isEmpty())
        openRecording(QDir::fromNativeSeparators(path));
}

void MainWindow::openRecording(const QString &path)
{
    const RecordingProbe probe = ReplayStream::probe(path);
    const QString name = QDir::toNativeSeparators(path);
    QString problem;
    switch (probe.status) {
    case RecordingProbe::Playable:
        break;
    case RecordingProbe::Missing:
        problem = tr("找不到文件：%1").arg(name);
        break;
    case RecordingProbe::Foreign:
        problem = tr("%1 不是 VX305 的录像，无法回放。").arg(name);
        break;
    case RecordingProbe::Damaged:
        problem = tr("%1 已损坏或不是视频文件，无法回放。").arg(name);
        break;
    }
    if (!problem.isEmpty()) {
        Dialogs::instance()->information(this, tr("提示"), problem);
        return;
    }
    auto *window = new camer_window(nullptr, m_platform, path);
    window->set_addr(m_addr);
    window->updat_list();
    hostLiveWindow(window);
    m_mode = ReplayMode;
    ui->label->setText(tr("回放：%1").arg(name));
    ui->label_2->clear();
    // As with a folder: the imager counts as plugged in only when it appears anew.
    m_connectAction->setEnabled(!m_timer->isActive());
    m_disconnectAction->setEnabled(true);
}

void MainWindow::Action_demo()
{
    const bool live = Dialogs::instance()->question(
                              this, tr("演示"),
                              tr("没有热像仪也可以试用本软件。\n要观看实时画面的演示（一段录像），"
                                 "还是打开演示图片？"),
                              tr("实时画面"), tr("图片"))
            == QMessageBox::Yes;
    if (live)
        openRecording(m_demoFolder + QStringLiteral("/Demo.mkv"));
    else
        openFolder(m_demoFolder + QStringLiteral("/pictures"));
}

namespace {

// What a drop opens: one local folder, or one local ".bmp" picture; empty otherwise.
QString droppedPath(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().first().isLocalFile())
        return QString();
    const QFileInfo info(mime->urls().first().toLocalFile());
    if (info.isDir() || (info.isFile() && info.suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0))
        return info.absoluteFilePath();
    return QString();
}

} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPath(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QFileInfo info(droppedPath(event->mimeData()));
    if (info.filePath().isEmpty())
        return;
    event->acceptProposedAction();
    if (info.isDir())
        openFolder(info.absoluteFilePath());
    else
        openFolder(info.absolutePath(), info.fileName());
}
