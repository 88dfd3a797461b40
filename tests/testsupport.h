#pragma once

// Shared helpers for the tests: a temporary home, a fake platform and a dialog answerer.

#include "app/dialogs.h"
#include "platform/gstcamerastream.h"
#include "platform/platform.h"

#include <QDialog>
#include <QtTest>

#include <functional>
#include <tuple>
#include <utility>

// Points HOME (and so the documents location) at a fresh temporary folder for the
// lifetime of the object, so no test touches the real user's files.
class TemporaryHome
{
public:
    TemporaryHome()
        : m_oldHome(qgetenv("HOME")), m_oldConfig(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (m_dir.path() + QStringLiteral("/.config")).toLocal8Bit());
    }
    ~TemporaryHome()
    {
        qputenv("HOME", m_oldHome);
        if (m_oldConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }
    TemporaryHome(const TemporaryHome &) = delete;
    TemporaryHome &operator=(const TemporaryHome &) = delete;

    [[nodiscard]] QString path() const { return m_dir.path(); }
    [[nodiscard]] QString documents() const { return m_dir.path() + QStringLiteral("/Documents"); }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
};

// A platform whose drives and cameras the test sets between ticks.
class FakePlatform : public Platform
{
public:
    QStringList drives;
    QList<CameraIdentity> cameraList;

    [[nodiscard]] QStringList removableDrives() const override { return drives; }
    [[nodiscard]] QList<CameraIdentity> cameras() const override { return cameraList; }
    // Tests have no camera device: records the camera asked for and opens nothing, or
    // streams from the GStreamer source the test sets (e.g. a filesrc over frames).
    [[nodiscard]] CameraStream *openCamera(const CameraIdentity &camera,
                                           QAbstractVideoSurface *surface) const override
    {
        opened << camera.deviceName;
        return streamSource.isEmpty() ? nullptr
                                      : new GstCameraStream(streamSource, streamDevice, surface);
    }
    mutable QStringList opened;
    QString streamSource;
    QString streamDevice; // the node whose rights tell a refused open

    static CameraIdentity imager()
    {
        return { QStringLiteral("/dev/video0"), QStringLiteral("usb#vid_1d6b&pid_0102"),
                 QStringLiteral("UVC Camera") };
    }
    static CameraIdentity otherCamera()
    {
        return { QStringLiteral("/dev/video2"), QStringLiteral("usb#vid_046d&pid_0825"),
                 QStringLiteral("UVC Camera") };
    }
};

// Answers every dialog from fields the test sets, records what was asked, and opens
// nothing. Installed for its lifetime.
class DialogAnswerer : public Dialogs
{
public:
    DialogAnswerer() { Dialogs::setInstance(this); }
    ~DialogAnswerer() override { Dialogs::setInstance(nullptr); }

    QMessageBox::StandardButton questionAnswer = QMessageBox::No;
    QString saveAnswer;
    QString directoryAnswer;
    QString openAnswer;
    QColor colorAnswer;
    // Fills and closes a dialog of our own; rejects it when unset.
    std::function<int(QDialog *)> execAnswer;
    QStringList asked; // titles and texts, in the order they were shown
    QList<QUrl> opened;

    void information(QWidget *, const QString &title, const QString &text) override
    {
        asked << title << text;
    }
    QMessageBox::StandardButton question(QWidget *, const QString &title, const QString &text,
                                         const QString &, const QString &) override
    {
        asked << title << text;
        return questionAnswer;
    }
    // Like the real dialog, adds the default suffix to an answer typed without one.
    QString saveFileName(QWidget *, const QString &caption, const QString &proposed,
                         const QString &, const QString &suffix) override
    {
        asked << caption << proposed;
        if (saveAnswer.isEmpty() || suffix.isEmpty() || !QFileInfo(saveAnswer).suffix().isEmpty())
            return saveAnswer;
        return saveAnswer + QLatin1Char('.') + suffix;
    }
    QString existingDirectory(QWidget *, const QString &caption, const QString &) override
    {
        asked << caption;
        return directoryAnswer;
    }
    QString openFileName(QWidget *, const QString &caption, const QString &dir,
                         const QString &) override
    {
        asked << caption << dir;
        return openAnswer;
    }
    int exec(QDialog *dialog) override
    {
        asked << dialog->windowTitle();
        return execAnswer ? execAnswer(dialog) : 0;
    }
    QColor color(QWidget *, const QColor &, const QString &title) override
    {
        asked << title;
        return colorAnswer;
    }
    bool openUrl(const QUrl &url) override
    {
        opened << url;
        return true;
    }
};

// Creates a folder tree standing for a removable drive; returns its root with a
// trailing "/".
inline QString makeDrive(const QTemporaryDir &dir, const QString &name,
                         const QStringList &folders)
{
    const QString root = dir.path() + QLatin1Char('/') + name;
    QDir().mkpath(root);
    for (const QString &folder : folders)
        QDir(root).mkpath(folder);
    return root + QLatin1Char('/');
}

// The whole content of a file; empty when it cannot be read.
inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// poppler's text of a PDF (pdftotext -layout), of one page or of all with 0.
inline QString pdfText(const QString &pdf, int page = 0)
{
    QStringList args {"-layout"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    QProcess p;
    p.start("pdftotext", args << pdf << "-");
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).replace(QChar(0xA0), ' ');
}

// The columns of a data table at once, remembered for fetch():
// addColumns<int, QString>("count", "name").
inline QList<QByteArray> &tableColumns()
{
    static QList<QByteArray> names;
    return names;
}
template <class... T, class... Name> void addColumns(Name... names)
{
    tableColumns() = {names...};
    (QTest::addColumn<T>(names), ...);
}

// The current row's values of the columns addColumns() declared, in their order, for a
// structured binding: const auto [count, name] = fetch<int, QString>().
template <class... T, std::size_t... I> std::tuple<T...> fetchColumns(std::index_sequence<I...>)
{
    return {*static_cast<T *>(
        QTest::qData(tableColumns().at(int(I)).constData(), qMetaTypeId<T>()))...};
}
template <class... T> std::tuple<T...> fetch()
{
    return fetchColumns<T...>(std::index_sequence_for<T...>());
}
