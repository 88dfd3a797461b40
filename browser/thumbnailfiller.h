#pragma once

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <memory>

class QAbstractItemView;
class QThreadPool;

// Gives the rows of a view their thumbnails as they come into sight. The pictures are
// decoded on worker threads, only for rows that are visible or about to be, the most
// visible first; requests for rows scrolled away are dropped before they start. At most
// Kept thumbnails stay in the view: rows long out of sight fall back to the pending icon.
// Lives as the view's child; its end cancels what is queued without waiting for a
// decode in progress, whose result then goes nowhere.
class ThumbnailFiller : public QObject
{
    Q_OBJECT

public:
    static constexpr int Kept = 400;

    // Row r shows the picture folder + "/" + names[r] in column `column`, as
    // PictureListing::thumbnail makes it for the view's icon size and the radius. Rows
    // not yet decoded show `pending`; a file that cannot be read shows an empty icon.
    ThumbnailFiller(QAbstractItemView *view, int column, const QString &folder,
                    const QStringList &names, qreal radius, const QIcon &pending);
    ~ThumbnailFiller() override;

    // Thumbnails are still queued or being decoded.
    [[nodiscard]] bool busy() const;

    // The workers every filler shares.
    [[nodiscard]] static QThreadPool *pool();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // Every row in sight shows its thumbnail (or its empty icon).
    void visibleShown();

private:
    struct Queue;

    static void drain(const std::shared_ptr<Queue> &queue);
    void schedule();
    void update();
    void show(int row, QImage image);
    void keepWithinBound();
    // Rows within margin pixels of the viewport, the most visible first; refreshes m_visible.
    QVector<int> rowsInSight(int margin);
    [[nodiscard]] bool allShown(const QVector<int> &rows) const;

    QAbstractItemView *m_view;
    int m_column;
    QString m_folder;
    QStringList m_names;
    QIcon m_pending;
    QTimer m_updateTimer;
    // Rows decoded (showing their thumbnail or an empty icon), with the update that last
    // found them in sight.
    QHash<int, quint64> m_shown;
    quint64 m_clock = 0;
    // Rows at least partly in the viewport.
    QVector<int> m_visible;
    std::shared_ptr<Queue> m_queue;
};
