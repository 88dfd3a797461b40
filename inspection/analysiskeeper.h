#pragma once

#include "inspection/analysisrecord.h"
#include "inspection/analysisstore.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>

class Analysis_Widget;

// Keeps one analysis window's work in the store: restores what was stored for its picture and
// saves every change as it happens. Reading the window and writing it back are plain
// functions, so the inspection report can show a stored analysis without keeping it.
class AnalysisKeeper : public QObject
{
    Q_OBJECT

public:
    // The picture's key: the SHA-256 of the bytes the window read when they are the whole file,
    // else of the file.
    [[nodiscard]] static QByteArray pictureHash(const Analysis_Widget *window);
    // What the window shows now, without a time.
    [[nodiscard]] static AnalysisRecord snapshot(const Analysis_Widget *window);
    // Shows a stored analysis: unit, handles, isotherm, tools and finding. Tools that do not
    // fit the picture are left out.
    static void apply(Analysis_Widget *window, const AnalysisRecord &record);

    // Restores the window's stored analysis, if any, and from then on saves its changes.
    AnalysisKeeper(Analysis_Widget *window, AnalysisStore *store);

    // Saves a change still waiting for the end of its event; the window calls it before it goes.
    void saveNow();

    // The analysis restored at construction.
    [[nodiscard]] const std::optional<AnalysisRecord> &restored() const { return m_restored; }

signals:
    // A message for the status row.
    void status(const QString &text);

private:
    void scheduleSave();
    void save();

    Analysis_Widget *m_window;
    // The store outlives every window in the application; a test may replace it sooner.
    QPointer<AnalysisStore> m_store;
    std::optional<AnalysisRecord> m_restored;
    AnalysisRecord m_saved;
    QTimer m_saveTimer;
};
