#include "browser/photo_window.h"
#include "ui_photo_window.h"

#include "analysis/analysis_widget.h"
#include "app/configrecord.h"
#include "app/dialogs.h"
#include "app/tabstyle.h"
#include "app/mainwindow.h"
#include "browser/drivechoice.h"
#include "browser/picturelisting.h"
#include "browser/thumbnailfiller.h"
#include "platform/platform.h"

#include <QDebug>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLayoutItem>
#include <QListWidget>
#include <QPointer>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

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

photo_window::photo_window(MainWindow *parent, Platform *platform)
    : QWidget(parent), m_mainWindow(parent), m_platform(platform ? platform : systemPlatform())
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
    // No handler: a right click shows no menu.
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
    addNotice(table);
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
