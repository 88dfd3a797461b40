#include "browser/drivechoice.h"

#include <QDir>

namespace DriveChoice {

namespace {
const QString VX305Folder = QStringLiteral("DCIM_100");
const QString VX300Folder = QStringLiteral("Images");
} // namespace

QStringList folderNames(const QString &root)
{
    return QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

FolderChoice chooseFolder(const QString &root, const QStringList &names)
{
    FolderChoice choice;
    for (const QString &name : names) {
        if (name == VX305Folder) {
            choice.folder = root + VX305Folder;
            choice.model = VX305;
            ++choice.matches;
        } else if (name == VX300Folder) {
            choice.folder = root + VX300Folder;
            choice.model = VX300;
            ++choice.matches;
        }
    }
    return choice;
}

FolderChoice answeredChoice(const QString &root, bool vx300)
{
    FolderChoice choice;
    choice.matches = 2;
    choice.folder = root + (vx300 ? VX300Folder : VX305Folder);
    choice.model = vx300 ? VX300 : VX305;
    return choice;
}

FolderChoice chooseOpenedFolder(const QString &folder)
{
    const QString name = QDir(folder).dirName();
    if (name == VX305Folder || name == VX300Folder)
        return { 1, folder, name == VX305Folder ? VX305 : VX300 };
    const QString root = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    FolderChoice choice = chooseFolder(root, folderNames(root));
    // Pictures right in a folder of any other name: the user says which imager took them.
    if (choice.matches == 0)
        choice.folder = folder;
    return choice;
}

int rowWithin(int row, int driveCount)
{
    return row >= 0 && row < driveCount ? row : 0;
}

} // namespace DriveChoice
