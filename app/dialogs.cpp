#include "app/dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QPushButton>

namespace {
Dialogs *s_override = nullptr;
}

void Dialogs::information(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::information(parent, title, text);
}

QMessageBox::StandardButton Dialogs::question(QWidget *parent, const QString &title,
                                              const QString &text, const QString &yesText,
                                              const QString &noText)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.button(QMessageBox::Yes)->setText(yesText);
    box.button(QMessageBox::No)->setText(noText);
    box.setEscapeButton(QMessageBox::No);
    box.setFixedSize(box.sizeHint());
    return box.exec() == QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::No;
}

QString Dialogs::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                              const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString Dialogs::existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

QColor Dialogs::color(QWidget *parent, const QColor &initial, const QString &title)
{
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
