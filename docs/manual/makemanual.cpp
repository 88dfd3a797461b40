// Build tool: turns the Markdown manual into "Software Manual.pdf" (A4) with Qt's own
// Markdown reader, so the manual needs nothing beyond the toolkit the application uses.
// Usage: vx305_makemanual <manual.md> <output.pdf>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <manual.md> <output.pdf>\n", argv[0]);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setDefaultStyleSheet(QStringLiteral("h1 { color: #2b3440; } h2 { color: #f26b1d; }"));
    const QString markdown = QString::fromUtf8(source.readAll());
    // Before the pictures: setting the text drops every resource added earlier.
    document.setMarkdown(markdown);
    // The document loads no files by itself: hand it every picture the text names, scaled
    // to the text width.
    const QDir folder = QFileInfo(source).absoluteDir();
    static const QRegularExpression image(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)"));
    QRegularExpressionMatchIterator it = image.globalMatch(markdown);
    while (it.hasNext()) {
        const QString name = it.next().captured(1);
        QImage picture(folder.filePath(name));
        if (picture.isNull()) {
            std::fprintf(stderr, "missing picture %s\n", qPrintable(name));
            return 1;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(name),
                             picture.scaledToWidth(560, Qt::SmoothTransformation));
    }

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("VX305 Software Manual"));
    writer.setCreator(QStringLiteral("VX305"));
    writer.setResolution(300);
    document.print(&writer);
    return QFileInfo::exists(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
