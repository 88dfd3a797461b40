#pragma once

#include <QString>
#include <QStringList>

// Which picture folder of a removable drive is the imager's, and so which model the
// pictures there are parsed as. Widget-free; the photo browser asks the user when needed.
namespace DriveChoice {

// Model values: none chosen yet, VX305 (folder "DCIM_100"), VX300 (folder "Images").
enum Model { NoModel = -1, VX305 = 0, VX300 = 1 };

struct FolderChoice
{
    // How many of the two picture folders the drive holds: 0, 1 or 2 (the user must choose).
    int matches = 0;
    // Root + folder name; empty when nothing matched.
    QString folder;
    int model = NoModel;
};

// The folder names directly under a drive root: folders only, without "." and "..",
// in name order ignoring case. Empty for a root that cannot be read.
[[nodiscard]] QStringList folderNames(const QString &root);

// The choice for a root (with its trailing "/") holding the given folder names, taken in
// order: "DCIM_100" gives model 0 and "Images" model 1, compared case-sensitively; when
// both are present the one later in the list is kept and matches is 2.
[[nodiscard]] FolderChoice chooseFolder(const QString &root, const QStringList &names);

// The choice after the both-folders question: "Images" and model 1 for the VX300 answer,
// "DCIM_100" and model 0 otherwise. Matches stays 2.
[[nodiscard]] FolderChoice answeredChoice(const QString &root, bool vx300);

// The choice for a folder opened by hand: named "DCIM_100" or "Images", that folder and its
// model (matches 1); else as chooseFolder on its subfolders (matches 2 when it holds both);
// else the folder itself with no model (matches 0: the user must say).
[[nodiscard]] FolderChoice chooseOpenedFolder(const QString &folder);

// The drive row to use for a list of driveCount drives: row itself when it lies inside the
// list, else 0 (the first drive).
[[nodiscard]] int rowWithin(int row, int driveCount);

} // namespace DriveChoice
