#pragma once

#include "inspection/analysisrecord.h"
#include "inspection/findings.h"

#include <QWidget>

#include <optional>
#include <vector>

class Analysis_Widget;

// The findings panel of the analysis window, opened from its finding button: title, location,
// note, the reference that ΔT is measured against, and the severity, suggested from the
// largest ΔT until the user picks one. The window's form holds the widgets; the panel keeps
// their meaning. Closed, the window is as it was.
class FindingPanel : public QWidget
{
    Q_OBJECT

public:
    explicit FindingPanel(QWidget *parent = nullptr);

    // Connects the panel's controls and its button; called once, right after the form is built.
    void attachToAnalysisWindow(Analysis_Widget *window);

    [[nodiscard]] Finding finding() const;
    // Shows a stored finding; emits nothing.
    void setFinding(const Finding &finding);
    [[nodiscard]] const Findings::Reference &reference() const { return m_finding.reference; }
    [[nodiscard]] const Findings::Criteria &criteria() const { return m_criteria; }
    // The class the largest ΔT earns, 0 for none.
    [[nodiscard]] int suggestion() const { return m_suggestion; }

    // The measurement table was refilled: the tools a reference can name, and their ΔT.
    void toolsChanged(const std::vector<Findings::ToolRow> &rows,
                      const Findings::Evaluation &evaluation);
    // The unit box changed: the typed reference is shown in the new unit.
    void unitChanged();

signals:
    // The user changed a field.
    void changed();
    // The reference changed: the window shows another ΔT column.
    void referenceChanged();

private:
    void fillReferences();
    void showReference();
    void showSeverity();
    void referenceChosen(int index);
    void referenceTyped(double value);
    [[nodiscard]] int unitIndex() const;

    Analysis_Widget *m_window = nullptr;
    Findings::Criteria m_criteria;
    Finding m_finding;
    std::vector<Findings::ToolRow> m_rows;
    std::optional<int> m_largest;
    int m_suggestion = 0;
};
