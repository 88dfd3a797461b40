// Writes seed inputs for the fuzz harnesses from the test fixtures: valid picture files of
// both models (with the harness's leading mode byte), a full live frame, and configuration
// records. Usage: vx305_fuzz_seeds <output folder>
#include "app/configrecord.h"
#include "live/liveframe.h"
#include "picturefixture.h"

#include <QDir>
#include <QFile>
#include <QVideoFrame>

namespace {

void save(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

int main(int argc, char **argv)
{
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("seeds");
    for (const char *sub : { "picturefile", "liveframe", "configrecord" })
        QDir().mkpath(out + QLatin1Char('/') + QLatin1String(sub));

    for (int model = 0; model < 2; ++model) {
        PictureFixture picture;
        picture.model = model;
        for (int i = 0; i < 240 * 320; ++i)
            picture.grey[i] = char(i % 251);
        for (int k = 0; k < 256; ++k)
            picture.palette[std::size_t(k)] = quint16(k * 257);
        save(out + QStringLiteral("/picturefile/model%1").arg(model),
             QByteArray(1, char(model)) + picture.bytes());
    }

    QByteArray frame(1, char(QVideoFrame::Format_YUYV));
    frame.append(char(239)).append(char(255));
    QByteArray body(int(LiveFrame::FrameBytes), '\0');
    for (int i = 0; i < body.size(); ++i)
        body[i] = char((i * 37) & 0xFF);
    save(out + QStringLiteral("/liveframe/full"), frame + body);
    save(out + QStringLiteral("/liveframe/short"), frame + body.left(1000));

    save(out + QStringLiteral("/configrecord/default"),
         ConfigRecord::encode(QStringLiteral("000,EN,/home/user/Documents/VX305")));
    save(out + QStringLiteral("/configrecord/short"), ConfigRecord::encode(QStringLiteral("000")));
    return 0;
}
