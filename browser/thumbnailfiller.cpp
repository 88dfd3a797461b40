#include "browser/thumbnailfiller.h"

#include "browser/picturelisting.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QMutex>
#include <QPixmap>
#include <QScrollBar>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <deque>
#include <utility>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// One core stays with the GUI thread, so that painting and the mouse keep up.
class Workers : public QThreadPool
{
public:
    Workers() { setMaxThreadCount(qBound(1, QThread::idealThreadCount() - 1, 4)); }
};

Q_GLOBAL_STATIC(Workers, workers)

} // namespace

struct ThumbnailFiller::Queue
{
    QMutex mutex;
    // Row and path, the most wanted first.
    std::deque<std::pair<int, QString>> jobs;
    // Workers started and not yet finished with the queue.
    int draining = 0;
    // Null once the filler is gone.
    ThumbnailFiller *receiver = nullptr;
    QSize box;
    qreal radius = 0;
};

ThumbnailFiller::ThumbnailFiller(QAbstractItemView *view, int column, const QString &folder,
                                 const QStringList &names, qreal radius, const QIcon &pending)
    : QObject(view),
      m_view(view),
      m_column(column),
      m_folder(folder),
      m_names(names),
      m_pending(pending),
      m_queue(std::make_shared<Queue>())
{
    m_queue->receiver = this;
    m_queue->radius = radius;
    m_updateTimer.setSingleShot(true);
    m_updateTimer.setInterval(0);
    connect(&m_updateTimer, &QTimer::timeout, this, &ThumbnailFiller::update);
    // These may fire while the view is being destroyed: they only start the timer.
    for (const QScrollBar *bar : { view->verticalScrollBar(), view->horizontalScrollBar() }) {
        connect(bar, &QScrollBar::valueChanged, this, &ThumbnailFiller::schedule);
        connect(bar, &QScrollBar::rangeChanged, this, &ThumbnailFiller::schedule);
    }
    view->viewport()->installEventFilter(this);
    schedule();
}

ThumbnailFiller::~ThumbnailFiller()
{
    // A worker reading from a stalled drive must not hold up the window: it finishes on
    // its own and finds no one to give its result to.
    {
        QMutexLocker lock(&m_queue->mutex);
        m_queue->receiver = nullptr;
        m_queue->jobs.clear();
    }
#if defined(__GLIBC__)
    // glibc keeps freed heap pages for later; once the view and its thumbnails are gone,
    // the system gets them back.
    QTimer::singleShot(0, [] { malloc_trim(0); });
#endif
}

QThreadPool *ThumbnailFiller::pool()
{
    return workers();
}

bool ThumbnailFiller::busy() const
{
    QMutexLocker lock(&m_queue->mutex);
    return !m_queue->jobs.empty() || m_queue->draining > 0;
}

bool ThumbnailFiller::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        schedule();
    return QObject::eventFilter(watched, event);
}

void ThumbnailFiller::drain(const std::shared_ptr<Queue> &queue)
{
    for (;;) {
        std::pair<int, QString> job;
        QSize box;
        qreal radius = 0;
        {
            QMutexLocker lock(&queue->mutex);
            if (queue->jobs.empty() || !queue->receiver) {
                --queue->draining;
                return;
            }
            job = std::move(queue->jobs.front());
            queue->jobs.pop_front();
            box = queue->box;
            radius = queue->radius;
        }
        QImage image = PictureListing::thumbnail(job.second, box, radius);
        // Posting under the lock: the filler's end either comes first or removes the post.
        QMutexLocker lock(&queue->mutex);
        if (ThumbnailFiller *receiver = queue->receiver) {
            QMetaObject::invokeMethod(
                    receiver,
                    [receiver, row = job.first, image = std::move(image)]() mutable {
                        receiver->show(row, std::move(image));
                    },
                    Qt::QueuedConnection);
        }
    }
}

void ThumbnailFiller::schedule()
{
    m_updateTimer.start();
}

void ThumbnailFiller::update()
{
    if (!m_view->isVisible())
        return;
    // One screen above and one below are fetched ahead of scrolling.
    const QVector<int> wanted = rowsInSight(m_view->viewport()->height());
    ++m_clock;
    std::deque<std::pair<int, QString>> jobs;
    for (const int row : wanted) {
        const auto shown = m_shown.find(row);
        if (shown != m_shown.end())
            *shown = m_clock;
        else
            jobs.emplace_back(row, m_folder + QLatin1Char('/') + m_names.at(row));
    }

    int start = 0;
    {
        QMutexLocker lock(&m_queue->mutex);
        start = qMin(int(jobs.size()), pool()->maxThreadCount()) - m_queue->draining;
        m_queue->draining += qMax(start, 0);
        m_queue->jobs = std::move(jobs);
        m_queue->box = m_view->iconSize() * m_view->devicePixelRatioF();
    }
    for (int i = 0; i < start; ++i)
        pool()->start([queue = m_queue] { drain(queue); });
    if (!m_visible.isEmpty() && allShown(m_visible))
        emit visibleShown();
}

QVector<int> ThumbnailFiller::rowsInSight(int margin)
{
    const QAbstractItemModel *model = m_view->model();
    const int count = qMin(model->rowCount(), m_names.size());
    const QRect sight = m_view->viewport()->rect();
    const int top = sight.top() - margin;
    const int bottom = sight.bottom() + margin;
    const auto rectOf = [&](int row) { return m_view->visualRect(model->index(row, m_column)); };

    // Both views place the rows top to bottom in row order.
    int first = 0;
    for (int end = count; first < end;) {
        const int middle = first + (end - first) / 2;
        if (rectOf(middle).bottom() < top)
            first = middle + 1;
        else
            end = middle;
    }
    struct Candidate
    {
        int row;
        int seen;
        int distance;
    };
    std::vector<Candidate> candidates;
    for (int row = first; row < count; ++row) {
        const QRect rect = rectOf(row);
        if (rect.top() > bottom)
            break;
        const QRect seen = rect & sight;
        const int distance =
                qMax(0, qMax(sight.top() - rect.bottom(), rect.top() - sight.bottom()));
        candidates.push_back({ row, seen.width() * seen.height(), distance });
    }
    // The most visible first, then the nearest.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) {
                         return a.seen != b.seen ? a.seen > b.seen : a.distance < b.distance;
                     });
    QVector<int> rows;
    m_visible.clear();
    for (const Candidate &candidate : candidates) {
        rows << candidate.row;
        if (candidate.seen > 0)
            m_visible << candidate.row;
    }
    return rows;
}

void ThumbnailFiller::show(int row, QImage image)
{
    QAbstractItemModel *model = m_view->model();
    if (row >= model->rowCount())
        return;
    const QIcon icon = image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(std::move(image)));
    model->setData(model->index(row, m_column), icon, Qt::DecorationRole);
    m_shown.insert(row, m_clock);
    keepWithinBound();
    if (m_visible.contains(row) && allShown(m_visible))
        emit visibleShown();
}

void ThumbnailFiller::keepWithinBound()
{
    if (m_shown.size() <= Kept)
        return;
    // The rows longest out of sight go first; those in sight now always stay.
    std::vector<std::pair<quint64, int>> old;
    for (auto it = m_shown.cbegin(); it != m_shown.cend(); ++it) {
        if (it.value() != m_clock)
            old.emplace_back(it.value(), it.key());
    }
    std::sort(old.begin(), old.end());
    QAbstractItemModel *model = m_view->model();
    for (std::size_t i = 0; i < old.size() && m_shown.size() > Kept; ++i) {
        const int row = old[i].second;
        model->setData(model->index(row, m_column), m_pending, Qt::DecorationRole);
        m_shown.remove(row);
    }
}

bool ThumbnailFiller::allShown(const QVector<int> &rows) const
{
    return std::all_of(rows.cbegin(), rows.cend(),
                       [this](int row) { return m_shown.contains(row); });
}
