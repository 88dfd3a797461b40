#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QUrl>

class QWidget;

// Every modal dialog and every hand-over to the desktop goes through here, so a test can
// answer them without a human and nothing opens a viewer during a test run.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual void information(QWidget *parent, const QString &title, const QString &text);
    // A Yes/No question with custom button texts; returns QMessageBox::Yes or No
    // (closing the box counts as No).
    virtual QMessageBox::StandardButton question(QWidget *parent, const QString &title,
                                                 const QString &text, const QString &yesText,
                                                 const QString &noText);
    // defaultSuffix (without the dot) is appended to a name typed without one.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter, const QString &defaultSuffix = QString());
    virtual QString existingDirectory(QWidget *parent, const QString &caption,
                                      const QString &dir);
    // An existing file; empty when the user cancels.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter);
    // An invalid colour when the user cancels.
    virtual QColor color(QWidget *parent, const QColor &initial, const QString &title);
    virtual bool openUrl(const QUrl &url);

    // True while a modal dialog runs its event loop: one of these, any application- or
    // window-modal widget such as a progress dialog, or a popup menu.
    [[nodiscard]] static bool isModalOpen();

    // The active instance: the real dialogs unless a test installed another one.
    static Dialogs *instance();
    // Installs a replacement (nullptr restores the real dialogs); not owned.
    static void setInstance(Dialogs *dialogs);
};
