#include "inspection/findings.h"

#include "app/preferences.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace Findings {

namespace {

QString boundKey(const char *column, int index)
{
    return QStringLiteral("criteria/%1%2").arg(QLatin1String(column)).arg(index + 1);
}

QString actionKey(int index)
{
    return QStringLiteral("criteria/action%1").arg(index + 1);
}

// A bound as kept: tenths, or "-" for none.
QString boundValue(const std::optional<int> &bound)
{
    return bound ? QString::number(*bound) : QStringLiteral("-");
}

std::optional<int> parseBound(const QString &text, const std::optional<int> &fallback)
{
    if (text == QLatin1String("-"))
        return std::nullopt;
    bool ok = false;
    const int tenths = text.toInt(&ok);
    return ok ? std::optional<int>(tenths) : fallback;
}

bool meets(int deltaTenths, int boundTenths, bool fahrenheit, bool strict)
{
    // 1.8 as the integer ratio 18 / 10, so no rounding decides a class.
    const qint64 delta = fahrenheit ? qint64(deltaTenths) * 10 : deltaTenths;
    const qint64 bound = fahrenheit ? qint64(boundTenths) * 18 : boundTenths;
    return strict ? delta > bound : delta >= bound;
}

} // namespace

Criteria defaultCriteria()
{
    Criteria c;
    c.component = { 150, std::nullopt, 40, 10 };
    c.ambient = { 400, 210, 110, 10 };
    c.actions = { QCoreApplication::translate("Findings", "重大缺陷；立即维修"),
                  QCoreApplication::translate("Findings", "持续监测直至修复"),
                  QCoreApplication::translate("Findings", "很可能存在缺陷；择时维修"),
                  QCoreApplication::translate("Findings", "可能存在缺陷；需调查") };
    return c;
}

Criteria storedCriteria()
{
    Criteria c = defaultCriteria();
    for (int i = 0; i < ClassCount; ++i) {
        const auto k = std::size_t(i);
        c.component[k] = parseBound(Preferences::value(boundKey("component", i)).toString(),
                                    c.component[k]);
        c.ambient[k] =
                parseBound(Preferences::value(boundKey("ambient", i)).toString(), c.ambient[k]);
        const QString action = Preferences::value(actionKey(i)).toString();
        if (!action.isEmpty())
            c.actions[k] = action;
    }
    return c;
}

void storeCriteria(const Criteria &criteria)
{
    const Criteria defaults = defaultCriteria();
    for (int i = 0; i < ClassCount; ++i) {
        const auto k = std::size_t(i);
        const auto keep = [](const QString &key, const QString &value, bool isDefault) {
            if (isDefault)
                Preferences::remove(key);
            else
                Preferences::setValue(key, value);
        };
        keep(boundKey("component", i), boundValue(criteria.component[k]),
             criteria.component[k] == defaults.component[k]);
        keep(boundKey("ambient", i), boundValue(criteria.ambient[k]),
             criteria.ambient[k] == defaults.ambient[k]);
        keep(actionKey(i), criteria.actions[k],
             criteria.actions[k] == defaults.actions[k] || criteria.actions[k].isEmpty());
    }
}

std::optional<int> tenthsOf(const QString &shown)
{
    static const QRegularExpression oneDecimal(QStringLiteral("^(-?)(\\d+)\\.(\\d)$"));
    const QRegularExpressionMatch m = oneDecimal.match(shown);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 whole = m.captured(2).toLongLong(&ok);
    if (!ok || whole > 100000000)
        return std::nullopt;
    const int tenths = int(whole * 10 + m.captured(3).toInt());
    return m.captured(1).isEmpty() ? tenths : -tenths;
}

QString tenthsText(int tenths)
{
    const QString digits = QStringLiteral("%1.%2").arg(std::abs(tenths) / 10).arg(std::abs(tenths) % 10);
    return tenths < 0 ? QLatin1Char('-') + digits : digits;
}

int shownTenths(double celsius, int unitIndex)
{
    const double shown = unitIndex == 1 ? celsius * 1.8 + 32.0 : celsius;
    return int(std::lround(shown * 10.0));
}

int suggestedClass(int deltaTenths, bool fahrenheit, int referenceKind, const Criteria &criteria)
{
    if (referenceKind == NoReference)
        return 0;
    const auto &bounds = referenceKind == TypedTemperature ? criteria.ambient : criteria.component;
    for (int i = 0; i < ClassCount; ++i) {
        const std::optional<int> &bound = bounds[std::size_t(i)];
        if (bound && meets(deltaTenths, *bound, fahrenheit, i == 0))
            return i + 1;
    }
    return 0;
}

QString classText(int severity, const Criteria &criteria)
{
    if (severity < 1 || severity > ClassCount)
        return QCoreApplication::translate("Findings", "无");
    return QStringLiteral("%1 – %2").arg(severity).arg(criteria.actions[std::size_t(severity - 1)]);
}

Evaluation evaluate(const std::vector<ToolRow> &rows, const Reference &reference, int unitIndex)
{
    Evaluation e;
    if (reference.kind == TypedTemperature) {
        e.reference = shownTenths(reference.celsius, unitIndex);
    } else if (reference.kind == ToolMaximum || reference.kind == ToolAverage) {
        const auto tool = std::find_if(rows.begin(), rows.end(),
                                       [&](const ToolRow &r) { return r.name == reference.tool; });
        if (tool != rows.end())
            e.reference = tenthsOf(reference.kind == ToolMaximum ? tool->maximum : tool->average);
    }
    if (!e.reference)
        return e;
    for (const ToolRow &row : rows) {
        const int delta = tenthsOf(row.maximum).value_or(0) - *e.reference;
        e.deltas.push_back(delta);
        e.largest = e.largest ? std::max(*e.largest, delta) : delta;
    }
    return e;
}

} // namespace Findings
