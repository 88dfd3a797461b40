#include "browser/photo_window.h"
#include "ui_photo_window.h"

#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "app/dialogs.h"
#include "app/tabstyle.h"
#include "app/mainwindow.h"
#include "analysis/batchreport.h"
#include "browser/drivechoice.h"
#include "inspection/inspectionreport.h"
#include "inspection/inspectionreportdialog.h"
#include "browser/picturelisting.h"
#include "browser/thumbnailfiller.h"
#include "platform/platform.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLayoutItem>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QProgressDialog>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString IconViewStyle = QStringLiteral(
        "QListWidget::item::hover{\nbackground-color: rgb(91, 91, 91);\n"
        "color: rgb(255, 255, 255);padding:8;border-radius: 8px;\n}"
        "QListWidget::item::Focus{\ncolor: rgb(255, 255, 255);"
        "background-color:  rgb(50, 50, 50);border-radius: 8px;\n}"
        "QListWidget::item{\nbackground-color: rgb(255, 255, 255);padding:0;"
        "border-radius: 8px;\n}");

const QString TableViewStyle = QStringLiteral(
        "QTableWidget{\nselection-color: rgb(255, 255, 255);\n"
        "selection-background-color:  rgb(91, 91, 91);\n}"
        "QTableWidget::item::hover{\ncolor: rgb(255, 255, 255);"
        "background-color: rgb(91, 91, 91);border-radius: 5px;\n}"
        "QHeaderView::section{\nborder:1px groove white;color: rgb(255, 255, 255);"
        "background-color: rgb(52, 52, 52);\n}");

constexpr int ViewerTab = 1;
constexpr int ThumbnailRadius = 15;
const QSize IconSize(195, 195);

// Pixel widths of the table's five columns; Russian headers need more room.
QList<int> columnWidths(const QString &language, int model)
{
    if (language == QLatin1String("RU"))
        return { 70, 90, 200, 170, 100 };
    return { 50, 60, model == DriveChoice::VX300 ? 200 : 120, 150, 100 };
}

QTableWidgetItem *tableItem(const QString &text, Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(int(alignment));
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// A step of a long job under its progress dialog, which is shown at the first step so that the
// watch sees a modal dialog from the start; false once the user cancelled.
bool stepProgress(QProgressDialog *progress, int done, int total)
{
    if (!progress->isVisible()) {
        progress->setWindowTitle(QStringLiteral("VX305"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        progress->show();
    }
    progress->setMaximum(total);
    progress->setValue(done);
    // Keeps the dialog painted and its Cancel button answering between steps.
    QCoreApplication::processEvents();
    return !progress->wasCanceled();
}

// Takes the widget at index 1 of a "spacer, widget" layout out and destroys it.
QWidget *takeSecondWidget(QLayout *layout)
{
    if (layout->count() != 2)
        return nullptr;
    QLayoutItem *item = layout->takeAt(1);
    QWidget *widget = item->widget();
    delete item;
    if (widget)
        widget->setParent(nullptr);
    return widget;
}

} // namespace

photo_window::photo_window(MainWindow *parent, Platform *platform, const QString &openedFolder,
                           bool pictureFolder)
    : QWidget(parent),
      m_mainWindow(parent),
      m_openedFolder(openedFolder),
      m_openedIsPictureFolder(pictureFolder),
      m_platform(platform ? platform : systemPlatform())
{
    m_driveRow = 0;
    m_model = DriveChoice::NoModel;
    ui = new Ui::photo_window;
    ui->setupUi(this);

    if (QFile::exists(ConfigRecord::filePath()))
        m_language = ConfigRecord::readField(ConfigRecord::LanguageCode);
    if (m_language == QLatin1String("RU"))
        ui->tabWidget->setStyleSheet(russianTabStyle());

    ui->listWidget->setResizeMode(QListView::Adjust);
    ui->listWidget->setMovement(QListView::Static);
    ui->listWidget->setDragEnabled(false);

    m_batchAction = new QAction(QIcon(QStringLiteral(":/photo/batch.png")),
                                tr("为所选图片生成报告..."), this);
    m_batchAction->setObjectName(QStringLiteral("actionBatchReports"));
    m_batchAction->setEnabled(false);
    connect(m_batchAction, &QAction::triggered, this, &photo_window::makeBatchReports);
    connect(ui->pushButton_batch, &QPushButton::clicked, m_batchAction, &QAction::trigger);
    ui->pushButton_batch->setEnabled(false);
    connect(m_batchAction, &QAction::changed, this,
            [this] { ui->pushButton_batch->setEnabled(m_batchAction->isEnabled()); });

    m_inspectionAction = new QAction(QIcon(QStringLiteral(":/photo/inspection.png")),
                                     tr("为所选图片生成检测报告..."), this);
    m_inspectionAction->setObjectName(QStringLiteral("actionInspectionReport"));
    m_inspectionAction->setEnabled(false);
    connect(m_inspectionAction, &QAction::triggered, this, &photo_window::makeInspectionReport);
    connect(ui->pushButton_inspection, &QPushButton::clicked, m_inspectionAction,
            &QAction::trigger);
    ui->pushButton_inspection->setEnabled(false);
    connect(m_inspectionAction, &QAction::changed, this, [this] {
        ui->pushButton_inspection->setEnabled(m_inspectionAction->isEnabled());
    });

    chooseFolder();
    get_image_information();
}

photo_window::~photo_window()
{
    delete ui;
}

QString photo_window::noDriveNotice()
{
    return tr("未找到移动磁盘");
}

QString photo_window::noFolderNotice()
{
    return tr("所选磁盘中既没有VX305的“DCIM_100”文件夹，也没有VX300的“Images”文件夹");
}

QStringList photo_window::fillDriveList()
{
    const QStringList drives = m_platform->removableDrives();
    // The refill must not count as the user choosing another drive.
    const QSignalBlocker blocker(ui->listWidget);
    ui->listWidget->clear();
    const QIcon icon(QPixmap(QStringLiteral(":/photo/save.png")).scaled(20, 20));
    for (const QString &drive : drives) {
        auto *item = new QListWidgetItem(drive);
        item->setForeground(QColor(0, 0, 0));
        item->setBackground(QColor(200, 200, 200));
        item->setIcon(icon);
        ui->listWidget->addItem(item);
        // A size hint needs both sides: the width stays what the view would give the item.
        const QModelIndex index = ui->listWidget->model()->index(ui->listWidget->row(item), 0);
        item->setSizeHint(QSize(ui->listWidget->sizeHintForIndex(index).width(), 30));
    }
    return drives;
}

void photo_window::chooseFolder()
{
    if (!m_openedFolder.isEmpty()) {
        chooseOpenedFolder();
        return;
    }
    const QStringList drives = fillDriveList();
    m_notice.clear();
    if (drives.isEmpty()) {
        m_notice = noDriveNotice();
        return;
    }
    // A drive removed since the list was shown leaves the row past its end.
    m_driveRow = DriveChoice::rowWithin(m_driveRow, drives.size());
    {
        const QSignalBlocker blocker(ui->listWidget);
        ui->listWidget->setCurrentRow(m_driveRow);
    }

    const QString root = drives.at(m_driveRow);
    const QStringList names = DriveChoice::folderNames(root);
    for (const QString &name : names)
        qDebug().noquote() << QStringLiteral("所含文件夹:") + name;
    DriveChoice::FolderChoice choice = DriveChoice::chooseFolder(root, names);

    if (choice.matches == 2) {
        QPointer<photo_window> self(this);
        const bool vx300 = Dialogs::instance()->question(
                                   nullptr, tr("提示"),
                                   tr("检查到U盘中同时含有VX300和VX305的文件\n请选择打开哪一项？"),
                                   QStringLiteral("VX300"), QStringLiteral("VX305"))
                == QMessageBox::Yes;
        // The main window may have replaced this browser while the question was open.
        if (!self)
            return;
        qDebug().noquote() << (vx300 ? QStringLiteral("用户选择了“VX300”")
                                     : QStringLiteral("用户选择了“VX305”"));
        choice = DriveChoice::answeredChoice(root, vx300);
    }

    if (choice.matches > 0) {
        m_pictureFolder = choice.folder;
        m_model = choice.model;
    } else {
        // Pictures of another drive must not stay listed under this one.
        m_pictureFolder.clear();
        m_notice = noFolderNotice();
    }
    qDebug().noquote() << QStringLiteral("图片地址") + m_pictureFolder;
}

void photo_window::chooseOpenedFolder()
{
    ui->label->setText(tr("文件夹"));
    {
        const QSignalBlocker blocker(ui->listWidget);
        ui->listWidget->clear();
        auto *item = new QListWidgetItem(
                QIcon(QPixmap(QStringLiteral(":/photo/folder.png")).scaled(20, 20)),
                m_openedFolder);
        item->setForeground(QColor(0, 0, 0));
        item->setBackground(QColor(200, 200, 200));
        item->setToolTip(m_openedFolder);
        ui->listWidget->addItem(item);
        item->setSizeHint(QSize(ui->listWidget->sizeHintForIndex(
                                        ui->listWidget->model()->index(0, 0)).width(), 30));
        ui->listWidget->setCurrentRow(0);
    }
    DriveChoice::FolderChoice choice;
    const QString name = QDir(m_openedFolder).dirName();
    if (m_openedIsPictureFolder && name != QLatin1String("DCIM_100") && name != QLatin1String("Images"))
        choice.folder = m_openedFolder;
    else
        choice = DriveChoice::chooseOpenedFolder(m_openedFolder);
    m_notice.clear();
    if (choice.matches != 1) {
        QPointer<photo_window> self(this);
        const QString question = choice.matches == 2
                ? tr("检查到U盘中同时含有VX300和VX305的文件\n请选择打开哪一项？")
                : tr("无法从文件夹判断图片的型号。\n这些图片是哪一型号拍摄的？");
        const bool vx300 = Dialogs::instance()->question(nullptr, tr("提示"), question,
                                                         QStringLiteral("VX300"),
                                                         QStringLiteral("VX305"))
                == QMessageBox::Yes;
        if (!self)
            return;
        if (choice.matches == 2) {
            const QString root = m_openedFolder.endsWith(QLatin1Char('/'))
                    ? m_openedFolder
                    : m_openedFolder + QLatin1Char('/');
            choice = DriveChoice::answeredChoice(root, vx300);
        } else {
            choice.model = vx300 ? DriveChoice::VX300 : DriveChoice::VX305;
        }
    }
    m_pictureFolder = choice.folder;
    m_model = choice.model;
    qDebug().noquote() << QStringLiteral("图片地址") + m_pictureFolder;
}

void photo_window::get_image_information()
{
    PictureListing::Listing listing = PictureListing::listFolder(m_pictureFolder);
    m_names = std::move(listing.names);
    m_times = std::move(listing.times);
    m_sizes = std::move(listing.sizes);
    qDebug() << "闪退测试——————photo_window::get_image_information";
    showIconView();
}

void photo_window::replaceView(QAbstractItemView *view)
{
    if (QWidget *old = takeSecondWidget(ui->horizontalLayout_6)) {
        if (old == m_tableView)
            m_tableView = nullptr;
        if (old == m_iconView)
            m_iconView = nullptr;
        delete old;
    }
    ui->horizontalLayout_6->addWidget(view);
}

void photo_window::addNotice(QAbstractItemView *view)
{
    if (m_notice.isEmpty() || !m_names.isEmpty())
        return;
    auto *label = new QLabel(m_notice);
    label->setObjectName(QStringLiteral("noticeLabel"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    auto *layout = new QVBoxLayout(view->viewport());
    layout->addWidget(label);
}

void photo_window::showIconView()
{
    auto *view = new QListWidget;
    replaceView(view);
    m_iconView = view;
    connect(view, &QListWidget::itemDoubleClicked, this, &photo_window::list_item_doubleclicked);
    if (m_mainWindow)
        connect(view, &QListWidget::itemEntered, m_mainWindow, &MainWindow::Photo_itemEntered);

    view->setMouseTracking(true);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->setViewMode(QListView::IconMode);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setFrameShape(QFrame::NoFrame);
    // After the view mode, which turns dragging on.
    view->setDragEnabled(false);
    view->setIconSize(IconSize);
    view->setUniformItemSizes(true);
    view->setResizeMode(QListView::Adjust);
    view->setSpacing(13);
    m_viewStyleSheet = IconViewStyle;
    view->setStyleSheet(m_viewStyleSheet);
    // The style sheet paints every item white, so selected names would be white on white;
    // pictures picked for reports must show as picked.
    QPalette palette = view->palette();
    palette.setColor(QPalette::HighlightedText, QColor(0, 102, 204));
    view->setPalette(palette);
    QFont font = view->font();
    font.setPixelSize(m_model == DriveChoice::VX300 ? 12 : 15);
    view->setFont(font);

    // Until its thumbnail comes, an item keeps the place of one, so its name does not jump.
    QPixmap blank(PictureListing::shownSize(QSize(240, 320), IconSize));
    blank.fill(Qt::transparent);
    const QIcon pending(blank);
    for (const QString &name : qAsConst(m_names)) {
        auto *item = new QListWidgetItem(name);
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setSizeHint(QSize(165, 220));
        item->setIcon(pending);
        view->addItem(item);
    }
    new ThumbnailFiller(view, 0, m_pictureFolder, m_names, ThumbnailRadius, pending);
    watchSelection(view);
    addNotice(view);
}

void photo_window::showTableView()
{
    if (m_mainWindow) {
        QListWidgetItem unknown(QStringLiteral("?"));
        m_mainWindow->Photo_itemEntered(&unknown);
    }

    auto *table = new QTableWidget;
    replaceView(table);
    m_tableView = table;
    m_viewStyleSheet = TableViewStyle;
    table->setStyleSheet(m_viewStyleSheet);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QFont font = table->font();
    font.setPixelSize(13);
    table->setFont(font);
    connect(table, &QTableWidget::itemDoubleClicked, this,
            &photo_window::table_item_doubleclicked);

    const int rows = m_names.size();
    table->verticalHeader()->setDefaultSectionSize(50);
    table->setColumnCount(5);
    table->setRowCount(rows);
    table->setHorizontalHeaderLabels({ tr("编号"), tr("图像"), tr("名称"), tr("时间"), tr("大小") });
    table->verticalHeader()->setVisible(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    table->setIconSize(QSize(60, 60));
    table->horizontalHeader()->setStretchLastSection(true);
    const QList<int> widths = columnWidths(m_language, m_model);
    for (int column = 0; column < widths.size(); ++column)
        table->setColumnWidth(column, widths.at(column));

    const Qt::Alignment rightCentred = Qt::AlignRight | Qt::AlignVCenter;
    for (int i = 0; i < rows; ++i) {
        table->setItem(i, 0, tableItem(QString::number(i), Qt::AlignCenter));
        table->setItem(i, 1, tableItem(QString(), rightCentred));
        table->setItem(i, 2, tableItem(m_names.at(i), Qt::AlignCenter));
        table->setItem(i, 3, tableItem(m_times.at(i), Qt::AlignCenter));
        table->setItem(i, 4, tableItem(m_sizes.at(i) + QStringLiteral("KB"), rightCentred));
    }
    new ThumbnailFiller(table, 1, m_pictureFolder, m_names, 0, QIcon());
    table->setContextMenuPolicy(Qt::CustomContextMenu);
    watchSelection(table);
    addNotice(table);
}

void photo_window::watchSelection(QAbstractItemView *view)
{
    m_batchAction->setEnabled(false);
    m_inspectionAction->setEnabled(false);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const bool any = !selectedNames().isEmpty();
        m_batchAction->setEnabled(any);
        m_inspectionAction->setEnabled(any);
    });
    connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &pos) {
        QMenu menu(view);
        menu.addAction(m_batchAction);
        menu.addAction(m_inspectionAction);
        menu.exec(view->viewport()->mapToGlobal(pos));
    });
}

QStringList photo_window::selectedNames() const
{
    const QAbstractItemView *view = m_iconView ? static_cast<QAbstractItemView *>(m_iconView)
                                               : m_tableView;
    if (!view || !view->selectionModel())
        return {};
    QList<int> rows;
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    for (const QModelIndex &index : selected) {
        if (!rows.contains(index.row()) && index.row() < m_names.size())
            rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    QStringList names;
    for (const int row : qAsConst(rows))
        names << m_names.at(row);
    return names;
}

void photo_window::makeBatchReports()
{
    const QStringList names = selectedNames();
    if (names.isEmpty())
        return;
    QPointer<photo_window> self(this);
    const QString folder = Dialogs::instance()->existingDirectory(
            this, tr("选择保存报告的文件夹"),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!self || folder.isEmpty())
        return;
    QStringList paths;
    for (const QString &name : names)
        paths << m_pictureFolder + QLatin1Char('/') + name;

    bool skipExisting = false;
    const QStringList existing = BatchReport::existingReports(paths, folder);
    if (!existing.isEmpty()) {
        skipExisting = Dialogs::instance()->question(
                               this, tr("提示"),
                               tr("所选文件夹中已有同名报告：%1 份。").arg(existing.size()),
                               tr("全部替换"), tr("全部跳过"))
                != QMessageBox::Yes;
        if (!self)
            return;
    }

    QProgressDialog progress(tr("正在生成报告..."), tr("取消"), 0, paths.size(), this);
    const BatchReport::Outcome outcome = BatchReport::writeReports(
            paths, m_model, folder, skipExisting, [&](int done, int total) {
                progress.setLabelText(tr("正在生成报告 %1 / %2...").arg(done + 1).arg(total));
                return stepProgress(&progress, done, total);
            });
    progress.close();
    if (!self)
        return;
    QString summary = outcome.cancelled
            ? tr("已取消。已生成的报告：%1 份。").arg(outcome.written.size())
            : tr("已生成的报告：%1 份。").arg(outcome.written.size());
    if (!outcome.failed.isEmpty())
        summary += QLatin1Char('\n') + tr("以下图片无法解析，已跳过：") + QLatin1Char('\n')
                + outcome.failed.join(QLatin1Char('\n'));
    Dialogs::instance()->information(this, tr("提示"), summary);
}

void photo_window::makeInspectionReport()
{
    const QStringList names = selectedNames();
    if (names.isEmpty())
        return;
    QPointer<photo_window> self(this);
    InspectionReportDialog dialog(this);
    dialog.setDetails(InspectionReport::rememberedDetails());
    if (Dialogs::instance()->exec(&dialog) != QDialog::Accepted || !self)
        return;
    const InspectionReport::Details details = dialog.details();
    InspectionReport::rememberDetails(details);
    const QString proposed = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            + QLatin1Char('/') + tr("检测报告") + QLatin1Char(' ')
            + details.date.toString(Qt::ISODate) + QStringLiteral(".pdf");
    const QString path = Dialogs::instance()->saveFileName(
            this, tr("保存的文件"), proposed, QStringLiteral("PDF (*.pdf)"), QStringLiteral("pdf"));
    if (!self || path.isEmpty())
        return;
    QStringList paths;
    for (const QString &name : names)
        paths << m_pictureFolder + QLatin1Char('/') + name;

    QProgressDialog progress(tr("正在生成检测报告..."), tr("取消"), 0, 2 * paths.size(), this);
    const InspectionReport::Outcome outcome = InspectionReport::write(
            paths, m_model, details, path,
            [&](int done, int total) { return stepProgress(&progress, done, total); });
    progress.close();
    if (!self || outcome.cancelled)
        return;
    if (!outcome.written) {
        Dialogs::instance()->information(
                this, tr("警告"), tr("无法写入文件：%1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    QString summary = tr("检测报告已生成，共 %1 页。").arg(outcome.pages);
    if (!outcome.failed.isEmpty())
        summary += QLatin1Char('\n') + tr("以下图片无法解析，已列在报告末尾：") + QLatin1Char('\n')
                + outcome.failed.join(QLatin1Char('\n'));
    Dialogs::instance()->information(this, tr("提示"), summary);
    Dialogs::instance()->openUrl(QUrl::fromLocalFile(path));
}

void photo_window::openPicture(const QString &fileName)
{
    auto *analysis = new Analysis_Widget(nullptr);
    if (!analysis->set_Image_addr(m_pictureFolder + QLatin1Char('/') + fileName, m_model)) {
        delete analysis;
        Dialogs::instance()->information(this, tr("警告"),
                                         tr("该图片解析失败，请确认型号是否正确!"));
        return;
    }
    ui->tabWidget->setCurrentIndex(ViewerTab);
    delete takeSecondWidget(ui->horizontalLayout_4);
    ui->horizontalLayout_4->addWidget(analysis);
    if (m_mainWindow)
        connect(analysis, &Analysis_Widget::statusMessage, m_mainWindow, &MainWindow::showStatus);
    analysis->keepAnalysis();
}

void photo_window::on_pushButton_3_clicked()
{
    showTableView();
}

void photo_window::on_pushButton_4_clicked()
{
    showIconView();
}

void photo_window::table_item_doubleclicked(QTableWidgetItem *item)
{
    if (!item || item->row() < 0 || item->row() >= m_names.size())
        return;
    openPicture(m_names.at(item->row()));
}

void photo_window::list_item_doubleclicked(QListWidgetItem *item)
{
    if (item)
        openPicture(item->text());
}

void photo_window::on_listWidget_currentRowChanged(int currentRow)
{
    if (currentRow < 0 || currentRow == m_driveRow)
        return;
    m_driveRow = currentRow;
    QPointer<photo_window> self(this);
    chooseFolder();
    if (!self)
        return;
    get_image_information();
}
