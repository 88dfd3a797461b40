#pragma once

// What the window tests share: a temporary home holding a configuration record, a folder
// standing for the removable drives, a dialog answerer and a fake platform.

#include "app/configrecord.h"
#include "app/startup.h"
#include "picturefixture.h"
#include "testsupport.h"

#include <memory>
#include <optional>

struct FakeWorld
{
    TemporaryHome home;
    QTemporaryDir drives;
    // Reset it to meet the real dialogs.
    std::optional<DialogAnswerer> answers { std::in_place };
    FakePlatform platform;

    explicit FakeWorld(const QString &language = QStringLiteral("CH"))
    {
        initVx305Resources();
        ConfigRecord::createDefault(language);
    }

    // A drive whose folders each hold `count` pictures IMG_0000.bmp, ... of the folder's model
    // ("Images" the VX300, any other the VX305), each of its own shade; returns its root.
    QString drive(const QString &name, const QStringList &folders, int count = 1)
    {
        const QString root = makeDrive(drives, name, folders);
        for (const QString &folder : folders) {
            PictureFixture picture;
            picture.model = folder == QLatin1String("Images") ? PictureFixture::VX300
                                                              : PictureFixture::VX305;
            for (int i = 0; i < count; ++i) {
                QImage front(240, 320, QImage::Format_RGB888);
                front.fill(QColor(40 * i % 256, 128, 200));
                const QString file = QStringLiteral("/IMG_%1.bmp").arg(i, 4, 10, QLatin1Char('0'));
                PictureFixture::writeBytes(root + folder + file, picture.viewableBytes(front));
            }
        }
        return root;
    }
};
