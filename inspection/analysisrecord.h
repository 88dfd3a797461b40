#pragma once

#include "inspection/findings.h"

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QString>

#include <vector>

// A tool as the tool model holds it: kind (2 point, 3 line, 4 rectangle, 5 circle), name and
// coordinates in picture pixels. A point uses x1, y1; a circle keeps its centre in x1, y1, its
// last drag point in x2, y2 and its radius in r.
struct StoredTool
{
    int kind = 0;
    QString name;
    int x1 = -1;
    int y1 = -1;
    int x2 = -1;
    int y2 = -1;
    int r = -1;
    QRgb color = 0;

    bool operator==(const StoredTool &o) const
    {
        return kind == o.kind && name == o.name && x1 == o.x1 && y1 == o.y1 && x2 == o.x2
                && y2 == o.y2 && r == o.r && color == o.color;
    }
};

struct Finding
{
    QString title;
    QString location; // equipment or location
    QString note;     // observation and recommendation
    Findings::Reference reference;
    // 0 none, 1-4; severitySet says the user chose it rather than taking the suggestion.
    int severity = 0;
    bool severitySet = false;

    // Whether the report lists it among the findings.
    [[nodiscard]] bool isEmpty() const
    {
        return title.isEmpty() && location.isEmpty() && note.isEmpty() && severity == 0;
    }
    bool operator==(const Finding &o) const
    {
        return title == o.title && location == o.location && note == o.note
                && reference == o.reference && severity == o.severity
                && severitySet == o.severitySet;
    }
};

// Everything the user did to one picture, keyed by the SHA-256 of the picture's bytes, so a
// copied or renamed picture keeps it and a changed file never gets it.
struct AnalysisRecord
{
    QByteArray hash; // 32 bytes
    QString path;    // where the picture was last seen
    QDateTime changed;
    int unitIndex = 0;
    int scaleStart = 0;
    int scaleEnd = 255;
    int isoMode = 0;
    double isoLow = 0.0; // degrees Celsius
    double isoHigh = 0.0;
    QRgb isoColor = 0;
    std::vector<StoredTool> tools;
    Finding finding;

    // The same analysis, wherever and whenever it was saved.
    [[nodiscard]] bool sameAnalysis(const AnalysisRecord &o) const
    {
        return hash == o.hash && unitIndex == o.unitIndex && scaleStart == o.scaleStart
                && scaleEnd == o.scaleEnd && isoMode == o.isoMode && isoLow == o.isoLow
                && isoHigh == o.isoHigh && isoColor == o.isoColor && tools == o.tools
                && finding == o.finding;
    }
};
