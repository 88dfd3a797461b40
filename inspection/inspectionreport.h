#pragma once

#include <QDate>
#include <QList>
#include <QLocale>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <functional>

// One inspection report for many pictures: a cover page, a summary of the findings, most
// severe first, and a page for each picture with its stored analysis as the analysis window
// shows it, its measurements with ΔT and its finding. Every page carries the report date and
// its number; texts are in the interface language.
namespace InspectionReport {

// What the report dialog asks, remembered between reports except the date.
struct Details
{
    QString company;
    QString logoPath;
    QString customer;
    QString site;
    QString inspector;
    QDate date;
};

// The fields last used, the date today.
[[nodiscard]] Details rememberedDetails();
void rememberDetails(const Details &details);

// The locale of the interface language: "RU", "KO", "CH", anything else English.
[[nodiscard]] QLocale interfaceLocale();
// Letter where the locale measures in US units, A4 elsewhere.
[[nodiscard]] QPageSize::PageSizeId paperFor(const QLocale &locale);

struct Outcome
{
    bool written = false;
    bool cancelled = false;
    // File names of the pictures that could not be read; the report lists them at its end.
    QStringList failed;
    int pages = 0;
};

// Called with the steps done and the steps in all (two per picture); false cancels.
using Progress = std::function<bool(int done, int total)>;

// Writes the report of the pictures (full paths, of one model) to pdfPath. The file appears
// whole or not at all: a cancelled or failed report leaves an earlier file of that name as
// it was.
Outcome write(const QStringList &picturePaths, int model, const Details &details,
              const QString &pdfPath, const Progress &progress = {});
// The same with a model for each picture (the command line reads each by its own).
Outcome write(const QStringList &picturePaths, const QList<int> &models, const Details &details,
              const QString &pdfPath, const Progress &progress = {});

} // namespace InspectionReport
