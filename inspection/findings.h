#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

// A finding: what a thermographer concludes from a picture. Its temperature rise (ΔT) is each
// tool's maximum minus a reference, and a severity class with its recommended action is
// suggested from the largest ΔT by a criteria table. All temperatures here are whole tenths of
// a degree, as the tables show them, so a ΔT is exactly the difference of the two numbers the
// user reads, and a bound is met or not exactly as those numbers say.
namespace Findings {

enum ReferenceKind : int {
    NoReference = 0,
    TypedTemperature = 1, // e.g. the ambient air
    ToolMaximum = 2,      // a similar component measured with a tool
    ToolAverage = 3,
};

struct Reference
{
    int kind = NoReference;
    // A typed temperature in degrees Celsius, so that switching the unit converts it.
    double celsius = 0.0;
    // The tool's name for ToolMaximum and ToolAverage.
    QString tool;

    bool operator==(const Reference &o) const
    {
        return kind == o.kind && celsius == o.celsius && tool == o.tool;
    }
};

constexpr int ClassCount = 4;

// Per class, index 0 for class 1 (the most severe): the lower bound of ΔT in tenths of a
// degree Celsius against a similar component (a tool as reference) and against the ambient
// air (a typed reference). Class 1 needs more than its bound, the others at least theirs; a
// class without a bound is not given for that kind of reference.
struct Criteria
{
    std::array<std::optional<int>, ClassCount> component;
    std::array<std::optional<int>, ClassCount> ambient;
    std::array<QString, ClassCount> actions;

    bool operator==(const Criteria &o) const
    {
        return component == o.component && ambient == o.ambient && actions == o.actions;
    }
};

// The common electrical-inspection guidelines, actions in the interface language.
[[nodiscard]] Criteria defaultCriteria();
// The criteria the user set in the settings dialog; defaults for what was never set.
[[nodiscard]] Criteria storedCriteria();
// Keeps what differs from the defaults, so untouched actions follow the interface language.
void storeCriteria(const Criteria &criteria);

// Tenths in a shown temperature text with one decimal ("-3.2" gives -32); nullopt otherwise.
[[nodiscard]] std::optional<int> tenthsOf(const QString &shown);
// "25.3", "-0.4", "0.0".
[[nodiscard]] QString tenthsText(int tenths);
// A typed reference in tenths of the unit shown (index 1 °F: 1.8 C + 32), rounded half away
// from zero.
[[nodiscard]] int shownTenths(double celsius, int unitIndex);

// The class a ΔT in tenths of the unit shown earns against the reference kind: 1 (most
// severe) to 4, 0 for none. In °F the bounds are compared as differences, 1.8 times the
// Celsius bound, exactly.
[[nodiscard]] int suggestedClass(int deltaTenths, bool fahrenheit, int referenceKind,
                                 const Criteria &criteria);

// "None", or "1 – major discrepancy; repair immediately".
[[nodiscard]] QString classText(int severity, const Criteria &criteria);

// A row of the measurement table as shown.
struct ToolRow
{
    QString name;
    QString maximum;
    QString average;
};

struct Evaluation
{
    // The reference in tenths of the unit shown; nullopt without one, or when its tool is gone.
    std::optional<int> reference;
    // ΔT per row, tenths of the unit shown; empty without a reference.
    std::vector<int> deltas;
    // The largest ΔT; nullopt without a reference or without tools.
    std::optional<int> largest;
};

[[nodiscard]] Evaluation evaluate(const std::vector<ToolRow> &rows, const Reference &reference,
                                  int unitIndex);

} // namespace Findings
