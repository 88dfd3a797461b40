#include "inspection/inspectionreport.h"

#include "analysis/analysis_widget.h"
#include "analysis/report.h"
#include "app/configrecord.h"
#include "app/preferences.h"
#include "inspection/analysiskeeper.h"
#include "inspection/analysisstore.h"
#include "ui_analysis_widget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QTableWidget>

#include <algorithm>
#include <climits>
#include <memory>
#include <utility>
#include <optional>
#include <vector>

namespace InspectionReport {

namespace {

class Text
{
    Q_DECLARE_TR_FUNCTIONS(InspectionReport)
};

const char *const DetailKeys[] = { "company", "logo", "customer", "site", "inspector" };

constexpr double MarginMm = 15.0;
// Between a number and its unit, so that a narrow column never parts them.
constexpr QChar UnitSpace(0x00A0);

// One picture as the report shows it, read in the first pass.
struct Entry
{
    int order = 0;
    int model = 0;
    QString path;
    QString name;
    bool failed = false;
    Finding finding;
    QString unit;
    QString maximum;
    std::optional<int> delta;
    QStringList infoTitles;
    QStringList info;
    QStringList headers;
    QList<QStringList> rows;
};

std::unique_ptr<Analysis_Widget> openPicture(const QString &path, int model, AnalysisStore *store)
{
    auto window = std::make_unique<Analysis_Widget>();
    if (!window->set_Image_addr(path, model))
        return nullptr;
    if (store) {
        if (const std::optional<AnalysisRecord> record =
                    store->lookup(AnalysisKeeper::pictureHash(window.get())))
            AnalysisKeeper::apply(window.get(), *record);
    }
    window->colorize();
    return window;
}

QStringList tableRow(const QTableWidget *table, int row, bool header)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem *item =
                header ? table->horizontalHeaderItem(column) : table->item(row, column);
        cells << (item ? item->text() : QString());
    }
    return cells;
}

Entry readEntry(const Analysis_Widget *window)
{
    Entry e;
    const Ui::Analysis_Widget *ui = window->ui;
    e.finding = ui->findingPanel->finding();
    e.unit = ui->comboBox->currentIndex() == 1 ? QStringLiteral("°F") : QStringLiteral("°C");
    for (int row = 0; row < ui->tableWidget_2->rowCount(); ++row) {
        const QStringList cells = tableRow(ui->tableWidget_2, row, false);
        e.infoTitles << cells.value(0);
        e.info << cells.value(1);
    }
    e.maximum = e.info.value(7) + UnitSpace + e.unit;
    e.headers = tableRow(ui->tableWidget, 0, true);
    for (int row = 0; row < ui->tableWidget->rowCount(); ++row) {
        e.rows << tableRow(ui->tableWidget, row, false);
        if (e.headers.size() > 5) {
            const std::optional<int> delta = Findings::tenthsOf(e.rows.last().value(5));
            if (delta && (!e.delta || *delta > *e.delta))
                e.delta = delta;
        }
    }
    return e;
}

QString referenceText(const Entry &e)
{
    const Findings::Reference &r = e.finding.reference;
    switch (r.kind) {
    case Findings::TypedTemperature:
        return Text::tr("输入的温度 %1")
                .arg(Findings::tenthsText(Findings::shownTenths(
                             r.celsius, e.unit == QLatin1String("°F") ? 1 : 0)) + UnitSpace + e.unit);
    case Findings::ToolMaximum:
        return Text::tr("%1 最高").arg(r.tool);
    case Findings::ToolAverage:
        return Text::tr("%1 平均").arg(r.tool);
    default:
        return Text::tr("无");
    }
}

QString deltaText(const Entry &e)
{
    return e.delta ? Findings::tenthsText(*e.delta) + UnitSpace + e.unit : QString();
}

// Lays the document out and, unless it only counts pages, draws it.
class Writer
{
public:
    Writer(QPrinter &printer, QPainter *painter, const Details &details, QString models,
           int totalPages)
        : m_printer(printer), m_painter(painter), m_details(details), m_models(std::move(models)),
          m_total(totalPages), m_locale(interfaceLocale())
    {
        const QRect page = printer.pageLayout().fullRectPixels(printer.resolution());
        m_page = QRect(QPoint(0, 0), page.size());
        m_left = mm(MarginMm);
        m_width = m_page.width() - 2 * m_left;
        m_body = font(3.6);
        m_bold = m_body;
        m_bold.setBold(true);
    }

    [[nodiscard]] int pages() const { return m_pages; }

    void cover(const std::vector<Entry> &entries, int findings)
    {
        startPage(false);
        m_y = mm(40);
        const QImage logo = m_details.logoPath.isEmpty() ? QImage() : QImage(m_details.logoPath);
        if (!logo.isNull()) {
            const QSize size = logo.size().scaled(mm(70), mm(30), Qt::KeepAspectRatio);
            if (m_painter)
                m_painter->drawImage(QRect(QPoint(m_left, m_y), size), logo);
            m_y += size.height() + mm(12);
        }
        QFont title = font(9.0);
        title.setBold(true);
        text(title, Text::tr("热成像检测报告"));
        m_y += mm(10);
        int pictures = 0;
        for (const Entry &e : entries)
            pictures += e.failed ? 0 : 1;
        const QList<QPair<QString, QString>> fields = {
            { Text::tr("公司"), m_details.company },
            { Text::tr("客户"), m_details.customer },
            { Text::tr("现场"), m_details.site },
            { Text::tr("检测人员"), m_details.inspector },
            { Text::tr("日期"), dateText() },
            { Text::tr("热像仪"), m_models },
            { Text::tr("图片数量"), QString::number(pictures) },
            { Text::tr("发现数量"), QString::number(findings) },
        };
        QFont large = font(4.5);
        QFont largeBold = large;
        largeBold.setBold(true);
        for (const auto &field : fields)
            labelled(largeBold, large, field.first, field.second, mm(45));
    }

    void summary(const std::vector<const Entry *> &findings)
    {
        startPage(true);
        heading(Text::tr("发现汇总"));
        if (findings.empty()) {
            text(m_body, Text::tr("没有发现。"));
            return;
        }
        QList<QStringList> rows;
        for (const Entry *e : findings) {
            const int severity = e->finding.severity;
            rows << QStringList { e->name, e->finding.location, e->finding.title, e->maximum,
                                  deltaText(*e), severity > 0 ? QString::number(severity) : QString(),
                                  severity > 0 ? m_criteria.actions[std::size_t(severity - 1)]
                                               : QString() };
        }
        table({ Text::tr("图片"), Text::tr("位置"), Text::tr("标题"), Text::tr("最高温度"),
                QStringLiteral("ΔT"), Text::tr("严重程度"), Text::tr("建议措施") },
              rows, { 16, 15, 17, 11, 9, 9, 23 });
    }

    void picture(const Entry &e, Analysis_Widget *window)
    {
        startPage(true);
        heading(e.finding.title.isEmpty() ? e.name : e.name + QStringLiteral(" — ") + e.finding.title);
        if (e.failed) {
            text(m_body, Text::tr("这张图片无法读取。"));
            return;
        }
        const int top = m_y;
        const int blockWidth = mm(82);
        const int blockHeight = blockWidth * 960 / 930;
        if (m_painter && window) {
            const QPixmap overlay = Report::reportOverlay(window);
            m_painter->save();
            m_painter->translate(m_left, top);
            m_painter->scale(blockWidth / 930.0, blockWidth / 930.0);
            Report::drawPictureBlock(*m_painter, window, overlay);
            m_painter->restore();
        }
        // Beside the picture: its information, then the finding.
        const int saveLeft = m_left;
        const int saveWidth = m_width;
        m_left += blockWidth + mm(6);
        m_width -= blockWidth + mm(6);
        const int labelWidth = mm(38);
        for (const int row : { 2, 3, 7, 8, 6, 9 }) {
            const bool temperature = row >= 6;
            labelled(m_bold, m_body, e.infoTitles.value(row),
                     e.info.value(row) + (temperature ? UnitSpace + e.unit : QString()),
                     labelWidth);
        }
        m_y += mm(4);
        const int severity = e.finding.severity;
        QString severityText = Findings::classText(severity, m_criteria);
        if (severity > 0 && !e.finding.severitySet)
            severityText += QLatin1Char(' ') + Text::tr("（建议）");
        const QList<QPair<QString, QString>> finding = {
            { Text::tr("位置"), e.finding.location }, { Text::tr("标题"), e.finding.title },
            { Text::tr("参考温度"), referenceText(e) }, { QStringLiteral("ΔT"), deltaText(e) },
            { Text::tr("严重程度"), severityText },
        };
        for (const auto &field : finding)
            labelled(m_bold, m_body, field.first, field.second, labelWidth);
        m_left = saveLeft;
        m_width = saveWidth;
        m_y = std::max(m_y, top + blockHeight) + mm(8);

        if (!e.rows.isEmpty()) {
            text(m_bold, Text::tr("测量（%1）").arg(e.unit));
            m_y += mm(1);
            QList<int> widths = { 20, 20, 15, 15, 15 };
            if (e.headers.size() > 5)
                widths << 15;
            table(e.headers, e.rows, widths);
            m_y += mm(6);
        }
        if (!e.finding.note.isEmpty()) {
            text(m_bold, Text::tr("观察与建议"));
            m_y += mm(1);
            const QStringList paragraphs = e.finding.note.split(QLatin1Char('\n'));
            for (const QString &paragraph : paragraphs)
                text(m_body, paragraph.isEmpty() ? QStringLiteral(" ") : paragraph);
        }
    }

    void failedList(const QStringList &names)
    {
        startPage(true);
        heading(Text::tr("无法读取的图片"));
        for (const QString &name : names)
            text(m_body, name);
    }

private:
    [[nodiscard]] int mm(double value) const
    {
        return qRound(value * m_printer.resolution() / 25.4);
    }

    [[nodiscard]] QFont font(double heightMm) const
    {
        QFont f;
        f.setPixelSize(std::max(1, mm(heightMm)));
        return f;
    }

    [[nodiscard]] QString dateText() const
    {
        return m_locale.toString(m_details.date, QLocale::LongFormat);
    }

    [[nodiscard]] int bottom() const { return m_page.height() - mm(MarginMm) - mm(8); }

    [[nodiscard]] int height(const QFont &f, const QString &s, int width) const
    {
        const QFontMetrics metrics(f, &m_printer);
        return metrics.boundingRect(QRect(0, 0, width, 1 << 28), Qt::TextWordWrap, s).height();
    }

    void startPage(bool withHeader)
    {
        if (m_pages > 0 && m_painter)
            m_printer.newPage();
        ++m_pages;
        m_y = mm(MarginMm);
        if (!m_painter) {
            m_y += withHeader ? mm(12) : 0;
            return;
        }
        QFont small = font(3.0);
        m_painter->setFont(small);
        m_painter->setPen(QColor(90, 90, 90));
        const int footer = m_page.height() - mm(MarginMm);
        m_painter->drawText(QRect(m_left, footer - mm(5), m_width, mm(5)),
                            Qt::AlignLeft | Qt::AlignBottom, dateText());
        m_painter->drawText(QRect(m_left, footer - mm(5), m_width, mm(5)),
                            Qt::AlignRight | Qt::AlignBottom,
                            Text::tr("第 %1 页，共 %2 页").arg(m_pages).arg(m_total));
        if (withHeader) {
            m_painter->drawText(QRect(m_left, m_y, m_width, mm(5)), Qt::AlignLeft | Qt::AlignTop,
                                m_details.company);
            m_painter->drawText(QRect(m_left, m_y, m_width, mm(5)), Qt::AlignRight | Qt::AlignTop,
                                Text::tr("热成像检测报告"));
            m_painter->setPen(QPen(QColor(150, 150, 150), mm(0.3)));
            m_painter->drawLine(m_left, m_y + mm(6), m_left + m_width, m_y + mm(6));
            m_y += mm(12);
        }
        m_painter->setPen(Qt::black);
    }

    // Starts a new page when h more does not fit on this one.
    void room(int h)
    {
        if (m_y + h > bottom())
            startPage(true);
    }

    void text(const QFont &f, const QString &s)
    {
        const int h = height(f, s, m_width);
        room(h);
        if (m_painter) {
            m_painter->setFont(f);
            m_painter->drawText(QRect(m_left, m_y, m_width, h), Qt::TextWordWrap, s);
        }
        m_y += h + mm(1);
    }

    void heading(const QString &s)
    {
        QFont f = font(5.5);
        f.setBold(true);
        text(f, s);
        m_y += mm(3);
    }

    void labelled(const QFont &labelFont, const QFont &valueFont, const QString &label,
                  const QString &value, int labelWidth)
    {
        const int valueWidth = m_width - labelWidth;
        const int h = std::max(height(labelFont, label, labelWidth - mm(2)),
                               height(valueFont, value, valueWidth));
        room(h);
        if (m_painter) {
            m_painter->setFont(labelFont);
            m_painter->drawText(QRect(m_left, m_y, labelWidth - mm(2), h), Qt::TextWordWrap, label);
            m_painter->setFont(valueFont);
            m_painter->drawText(QRect(m_left + labelWidth, m_y, valueWidth, h), Qt::TextWordWrap,
                                value);
        }
        m_y += h + mm(1.5);
    }

    // A table with wrapped cells; widths are shares of the text width. Rows that do not fit
    // go on to the next page under the header again.
    void table(const QStringList &headers, const QList<QStringList> &rows, const QList<int> &shares)
    {
        const int pad = mm(1.2);
        // Each column at least as wide as its longest word, which cannot wrap; the others give
        // up room in proportion to their shares.
        QList<int> least;
        for (int c = 0; c < shares.size(); ++c) {
            int word = 0;
            const QFontMetrics bold(m_bold, &m_printer);
            const QFontMetrics body(m_body, &m_printer);
            for (const QString &w : headers.value(c).split(QLatin1Char(' ')))
                word = std::max(word, bold.horizontalAdvance(w));
            for (const QStringList &row : rows) {
                for (const QString &w : row.value(c).split(QLatin1Char(' ')))
                    word = std::max(word, body.horizontalAdvance(w));
            }
            least << word + 2 * pad + mm(0.5);
        }
        QList<int> widths;
        int sum = 0;
        for (const int share : shares)
            sum += share;
        for (const int share : shares)
            widths << m_width * share / sum;
        for (int round = 0; round < shares.size(); ++round) {
            int missing = 0;
            int spare = 0;
            for (int c = 0; c < widths.size(); ++c) {
                if (widths[c] < least[c]) {
                    missing += least[c] - widths[c];
                    widths[c] = least[c];
                } else {
                    spare += shares[c];
                }
            }
            if (missing == 0 || spare == 0)
                break;
            for (int c = 0; c < widths.size(); ++c) {
                if (widths[c] > least[c])
                    widths[c] -= missing * shares[c] / spare;
            }
        }
        const auto rowHeight = [&](const QStringList &cells, const QFont &f) {
            int h = 0;
            for (int c = 0; c < widths.size(); ++c)
                h = std::max(h, height(f, cells.value(c), widths[c] - 2 * pad));
            return h + 2 * pad;
        };
        const auto drawRow = [&](const QStringList &cells, const QFont &f, int h, bool header) {
            if (!m_painter)
                return;
            m_painter->setFont(f);
            int x = m_left;
            for (int c = 0; c < widths.size(); ++c) {
                const QRect cell(x, m_y, widths[c], h);
                if (header)
                    m_painter->fillRect(cell, QColor(225, 225, 225));
                m_painter->setPen(QPen(QColor(120, 120, 120), mm(0.2)));
                m_painter->drawRect(cell);
                m_painter->setPen(Qt::black);
                m_painter->drawText(cell.adjusted(pad, pad, -pad, -pad), Qt::TextWordWrap,
                                    cells.value(c));
                x += widths[c];
            }
        };
        const int headerHeight = rowHeight(headers, m_bold);
        room(headerHeight + rowHeight(rows.value(0), m_body));
        drawRow(headers, m_bold, headerHeight, true);
        m_y += headerHeight;
        for (const QStringList &row : rows) {
            const int h = rowHeight(row, m_body);
            if (m_y + h > bottom()) {
                startPage(true);
                drawRow(headers, m_bold, headerHeight, true);
                m_y += headerHeight;
            }
            drawRow(row, m_body, h, false);
            m_y += h;
        }
    }

    QPrinter &m_printer;
    QPainter *m_painter;
    const Details &m_details;
    QString m_models;
    int m_total;
    QLocale m_locale;
    Findings::Criteria m_criteria = Findings::storedCriteria();
    QRect m_page;
    QFont m_body;
    QFont m_bold;
    int m_left = 0;
    int m_width = 0;
    int m_y = 0;
    int m_pages = 0;
};

} // namespace

Details rememberedDetails()
{
    Details d;
    QString *const fields[] = { &d.company, &d.logoPath, &d.customer, &d.site, &d.inspector };
    for (int i = 0; i < 5; ++i)
        *fields[i] = Preferences::value(QStringLiteral("inspection/%1").arg(QLatin1String(DetailKeys[i])))
                             .toString();
    d.date = QDate::currentDate();
    return d;
}

void rememberDetails(const Details &d)
{
    const QString *const fields[] = { &d.company, &d.logoPath, &d.customer, &d.site, &d.inspector };
    for (int i = 0; i < 5; ++i)
        Preferences::setValue(QStringLiteral("inspection/%1").arg(QLatin1String(DetailKeys[i])),
                              *fields[i]);
}

QLocale interfaceLocale()
{
    const QString code = QFile::exists(ConfigRecord::filePath())
            ? ConfigRecord::readField(ConfigRecord::LanguageCode)
            : QString();
    if (code == QLatin1String("RU"))
        return QLocale(QLocale::Russian, QLocale::Russia);
    if (code == QLatin1String("KO"))
        return QLocale(QLocale::Korean, QLocale::SouthKorea);
    if (code == QLatin1String("CH"))
        return QLocale(QLocale::Chinese, QLocale::China);
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QPageSize::PageSizeId paperFor(const QLocale &locale)
{
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                    : QPageSize::A4;
}

Outcome write(const QStringList &picturePaths, int model, const Details &details,
              const QString &pdfPath, const Progress &progress)
{
    QList<int> models;
    for (int i = 0; i < picturePaths.size(); ++i)
        models << model;
    return write(picturePaths, models, details, pdfPath, progress);
}

Outcome write(const QStringList &picturePaths, const QList<int> &models, const Details &details,
              const QString &pdfPath, const Progress &progress)
{
    Outcome outcome;
    const int n = picturePaths.size();
    AnalysisStore *store = Preferences::rememberAnalyses() ? AnalysisStore::shared() : nullptr;
    if (store && !store->isOpen())
        store = nullptr;

    std::vector<Entry> entries;
    for (int i = 0; i < n; ++i) {
        if (progress && !progress(i, 2 * n)) {
            outcome.cancelled = true;
            return outcome;
        }
        Entry entry;
        if (const std::unique_ptr<Analysis_Widget> window =
                    openPicture(picturePaths.at(i), models.value(i), store))
            entry = readEntry(window.get());
        else
            entry.failed = true;
        entry.order = i;
        entry.model = models.value(i);
        entry.path = picturePaths.at(i);
        entry.name = QFileInfo(entry.path).fileName();
        if (entry.failed)
            outcome.failed << entry.name;
        entries.push_back(std::move(entry));
    }

    // Most severe first (class 1), unclassified last; then the larger rise; then as selected.
    std::vector<const Entry *> findings;
    for (const Entry &e : entries) {
        if (!e.failed && !e.finding.isEmpty())
            findings.push_back(&e);
    }
    std::stable_sort(findings.begin(), findings.end(), [](const Entry *a, const Entry *b) {
        const int sa = a->finding.severity > 0 ? a->finding.severity : Findings::ClassCount + 1;
        const int sb = b->finding.severity > 0 ? b->finding.severity : Findings::ClassCount + 1;
        if (sa != sb)
            return sa < sb;
        return a->delta.value_or(INT_MIN) > b->delta.value_or(INT_MIN);
    });
    // The pictures' pages in the same order, the others after them as selected; those that
    // could not be read are listed at the end.
    std::vector<const Entry *> pages = findings;
    for (const Entry &e : entries) {
        if (!e.failed && e.finding.isEmpty())
            pages.push_back(&e);
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(paperFor(QLocale::system())));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setCreator(QStringLiteral("VX305"));
    printer.setDocName(Text::tr("热成像检测报告"));

    const auto document = [&](Writer &writer, bool drawing) {
        writer.cover(entries, int(findings.size()));
        writer.summary(findings);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (!drawing) {
                writer.picture(*pages[i], nullptr);
                continue;
            }
            if (progress && !progress(n + int(i), 2 * n))
                return false;
            // The window is made again rather than kept from the first pass: fifty pictures'
            // windows at once would hold hundreds of megabytes.
            const std::unique_ptr<Analysis_Widget> window =
                    openPicture(pages[i]->path, pages[i]->model, store);
            writer.picture(*pages[i], window.get());
        }
        if (!outcome.failed.isEmpty())
            writer.failedList(outcome.failed);
        return true;
    };
    QStringList imagers;
    for (const Entry &e : entries) {
        const QString name = e.model == 1 ? QStringLiteral("VX300") : QStringLiteral("VX305");
        if (!e.failed && !imagers.contains(name))
            imagers << name;
    }
    const QString imagerNames = imagers.join(QStringLiteral(", "));
    Writer counter(printer, nullptr, details, imagerNames, 0);
    document(counter, false);

    // Written beside the target and moved over it at the end.
    const QString partial = pdfPath + QStringLiteral(".part");
    printer.setOutputFileName(partial);
    QPainter painter;
    if (!painter.begin(&printer)) {
        QFile::remove(partial);
        return outcome;
    }
    Writer writer(printer, &painter, details, imagerNames, counter.pages());
    const bool complete = document(writer, true);
    painter.end();
    if (!complete) {
        outcome.cancelled = true;
        QFile::remove(partial);
        return outcome;
    }
    if (progress)
        progress(2 * n, 2 * n);
    QFile::remove(pdfPath);
    if (!QFile::rename(partial, pdfPath)) {
        QFile::remove(partial);
        return outcome;
    }
    outcome.written = true;
    outcome.pages = writer.pages();
    return outcome;
}

} // namespace InspectionReport
