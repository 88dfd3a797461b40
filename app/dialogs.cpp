#include "app/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

namespace {
Dialogs *s_override = nullptr;
// Native file and colour dialogs have no visible Qt widget, so they are counted here.
int s_openDialogs = 0;

class OpenDialog
{
public:
    OpenDialog() { ++s_openDialogs; }
    ~OpenDialog() { --s_openDialogs; }
    OpenDialog(const OpenDialog &) = delete;
    OpenDialog &operator=(const OpenDialog &) = delete;
};
} // namespace

bool Dialogs::isModalOpen()
{
    // A popup menu runs its own event loop too.
    return s_openDialogs > 0 || QApplication::activeModalWidget()
            || QApplication::activePopupWidget();
}

void Dialogs::information(QWidget *parent, const QString &title, const QString &text)
{
    const OpenDialog open;
    QMessageBox::information(parent, title, text);
}

QMessageBox::StandardButton Dialogs::question(QWidget *parent, const QString &title,
                                              const QString &text, const QString &yesText,
                                              const QString &noText)
{
    const OpenDialog open;
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.button(QMessageBox::Yes)->setText(yesText);
    box.button(QMessageBox::No)->setText(noText);
    box.setEscapeButton(QMessageBox::No);
    box.setFixedSize(box.sizeHint());
    return box.exec() == QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::No;
}

QString Dialogs::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                              const QString &filter, const QString &defaultSuffix)
{
    const OpenDialog open;
    // The static helper offers no default suffix, and without one a name typed as "hall"
    // has no format to be written in.
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    // Qt adds the suffix only when the whole path holds no ".", so a name typed inside a
    // folder such as "site.2024" would come back without one.
    QString name = dialog.selectedFiles().constFirst();
    if (!defaultSuffix.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + defaultSuffix;
    return name;
}

QString Dialogs::existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    const OpenDialog open;
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

QString Dialogs::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                              const QString &filter)
{
    const OpenDialog open;
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QColor Dialogs::color(QWidget *parent, const QColor &initial, const QString &title)
{
    const OpenDialog open;
    return QColorDialog::getColor(initial, parent, title);
}

bool Dialogs::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

Dialogs *Dialogs::instance()
{
    static Dialogs real;
    return s_override ? s_override : &real;
}

void Dialogs::setInstance(Dialogs *dialogs)
{
    s_override = dialogs;
}
