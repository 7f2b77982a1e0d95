#include "pdf_report.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <sstream>

#include "chart_painter.h"

namespace tavrin::paint {
namespace {

constexpr int kResolution = 300;  // dots per inch of the page's coordinates
constexpr double kMarginMm = 18;
constexpr const char* kFamily = "DejaVu Sans";
constexpr const char* kMonoFamily = "DejaVu Sans Mono";
constexpr int kBodyPoints = 10;
constexpr int kSmallPoints = 8;
constexpr int kHeadingPoints = 13;
constexpr int kTitlePoints = 18;
const QColor kBarColour(0x2e, 0x6d, 0xb4);
const QColor kBeyondColour(0xc6, 0x28, 0x28);
const QColor kTrackColour(0xe4, 0xe8, 0xee);
const QColor kMutedColour(0x55, 0x5b, 0x66);

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The fonts the report embeds, from the system's DejaVu files when the font
// database does not know them yet.
void EnsureFonts() {
    if (QFontDatabase::families().contains(QString::fromLatin1(kFamily))) {
        return;
    }
    for (const char* file :
         {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
          "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"}) {
        QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
}

// Lays text out down the page, starting a new page where the next block
// does not fit.
class PageFlow {
public:
    PageFlow(QPdfWriter& writer, QPainter& painter)
        : m_writer(writer), m_painter(painter), m_page(writer.pageLayout().paintRectPixels(kResolution)) {
        m_page.moveTo(0, 0);
        m_y = m_page.top();
    }

    [[nodiscard]] double Width() const { return m_page.width(); }
    [[nodiscard]] double Left() const { return m_page.left(); }
    [[nodiscard]] double Remaining() const { return m_page.bottom() - m_y; }
    [[nodiscard]] double Y() const { return m_y; }
    void Advance(double height) { m_y += height; }

    void NewPage() {
        m_writer.newPage();
        m_y = m_page.top();
    }
    void Room(double height) {
        if (height > Remaining() && m_y > m_page.top()) {
            NewPage();
        }
    }

    void SetFont(int points, bool bold = false, const char* family = kFamily) {
        QFont font(QString::fromLatin1(family), points);
        font.setBold(bold);
        m_painter.setFont(font);
    }
    // Space of a fraction of the current line's height.
    void Gap(double lines = 0.5) { m_y += QFontMetricsF(m_painter.font(), m_painter.device()).lineSpacing() * lines; }

    // A paragraph wrapped to the width from `indent` on.
    void Text(const std::string& text, double indent = 0, const QColor& colour = Qt::black) {
        const QRectF box(m_page.left() + indent, m_y, m_page.width() - indent, m_page.height());
        const QRectF used = m_painter.boundingRect(box, Qt::TextWordWrap, Q(text));
        Room(used.height());
        m_painter.save();
        m_painter.setPen(colour);
        m_painter.drawText(QRectF(m_page.left() + indent, m_y, box.width(), used.height()), Qt::TextWordWrap, Q(text));
        m_painter.restore();
        m_y += used.height();
    }

    // Cells side by side at the given share of the width each, wrapped; the
    // row is as tall as its tallest cell.
    void Row(const std::vector<std::string>& cells, const std::vector<double>& shares, bool bold = false) {
        QFont font = m_painter.font();
        font.setBold(bold);
        m_painter.setFont(font);
        std::vector<QRectF> boxes;
        double x = m_page.left();
        double height = 0;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const QRectF box(x, m_y, m_page.width() * shares[i] - Pad(), m_page.height());
            height = std::max(height, m_painter.boundingRect(box, Qt::TextWordWrap, Q(cells[i])).height());
            boxes.push_back(box);
            x += m_page.width() * shares[i];
        }
        Room(height);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            m_painter.drawText(QRectF(boxes[i].left(), m_y, boxes[i].width(), height), Qt::TextWordWrap, Q(cells[i]));
        }
        m_y += height;
        font.setBold(false);
        m_painter.setFont(font);
    }

    [[nodiscard]] double Pad() const { return m_page.width() / 100; }
    [[nodiscard]] QPainter& Painter() { return m_painter; }

private:
    QPdfWriter& m_writer;
    QPainter& m_painter;
    QRectF m_page;
    double m_y = 0;
};

void Heading(PageFlow& flow, const std::string& text) {
    flow.SetFont(kHeadingPoints, true);
    flow.Room(QFontMetricsF(flow.Painter().font(), flow.Painter().device()).lineSpacing() * 3);
    flow.Gap();
    flow.Text(text);
    flow.SetFont(kBodyPoints);
    flow.Gap(0.25);
}

// Captions and values in two columns, the captions' as wide as the widest
// of them (from 30 % to half of the page), so that none runs into
// its value.
void Lines(PageFlow& flow, const std::vector<ReportLine>& lines) {
    constexpr double kNarrowest = 0.3;
    constexpr double kWidest = 0.5;
    const QFontMetricsF metrics(flow.Painter().font(), flow.Painter().device());
    double widest = 0;
    for (const ReportLine& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(Q(line.caption)));
    }
    const double share = std::clamp((widest + 2 * flow.Pad()) / flow.Width(), kNarrowest, kWidest);
    for (const ReportLine& line : lines) {
        flow.Row({line.caption, line.value}, {share, 1 - share});
    }
}

void FirstPage(PageFlow& flow, const ReportDocument& document) {
    flow.SetFont(kTitlePoints, true);
    flow.Text(document.title);
    flow.SetFont(kSmallPoints);
    flow.Gap(0.5);
    flow.Text(document.stamp, 0, kMutedColour);
    flow.Text(document.catalogue, 0, kMutedColour);
    Heading(flow, "Laser");
    Lines(flow, document.laser);
    for (const std::string& rule : document.rules) {
        flow.Text(rule);
    }
    if (!document.derived.empty() || !document.centre.empty()) {
        Heading(flow, "Derived values");
        std::vector<ReportLine> lines = document.derived;
        lines.insert(lines.end(), document.centre.begin(), document.centre.end());
        Lines(flow, lines);
    }
    if (!document.heads.empty()) {
        Heading(flow, document.heads.size() == 1 ? "1 suitable head"
                                                 : std::to_string(document.heads.size()) + " suitable heads");
        const std::vector<double> shares = {0.4, 0.25, 0.35};
        flow.Row({"Head", "Damage threshold used", "Tightest limit used"}, shares, true);
        for (const ReportHead& head : document.heads) {
            flow.Row({head.name, head.thresholdShare.empty() ? "\u2013" : head.thresholdShare,
                      head.tightestShare.empty() ? "\u2013" : head.tightestShare + " (" + head.tightestLimit + ")"},
                     shares);
        }
    } else if (!document.request.empty()) {
        Heading(flow, "No head suits: the request for a custom head");
        flow.SetFont(kSmallPoints, false, kMonoFamily);
        // Line by line, so that the request runs on to the next page after
        // its heading instead of leaving the heading alone at this page's foot.
        std::string text = document.request;
        std::erase(text, '\r');
        std::istringstream requestLines(text);
        for (std::string line; std::getline(requestLines, line);) {
            flow.Text(line.empty() ? " " : line);
        }
        flow.SetFont(kBodyPoints);
    }
}

// A limit's share as a bar: full width at the limit, longer shares cut at
// one and a half times it; red where the head fails the criterion.
void ShareBar(PageFlow& flow, const UsageBar& bar) {
    if (!bar.share) {
        return;
    }
    QPainter& painter = flow.Painter();
    const double height = QFontMetricsF(painter.font(), painter.device()).height() * 0.6;
    const double width = flow.Width() * 0.6;
    flow.Room(height * 2);
    const QRectF track(flow.Left(), flow.Y() + height * 0.3, width, height);
    painter.fillRect(track, kTrackColour);
    const double share = std::isfinite(*bar.share) ? std::clamp(*bar.share, 0.0, 1.5) : 0;
    painter.fillRect(QRectF(track.left(), track.top(), width * share / 1.5, height),
                     bar.beyond ? kBeyondColour : kBarColour);
    // The limit itself, at two thirds of the track.
    painter.save();
    painter.setPen(QPen(Qt::black, height / 8));
    const double limit = track.left() + width / 1.5;
    painter.drawLine(QPointF(limit, track.top() - height * 0.2), QPointF(limit, track.bottom() + height * 0.2));
    painter.restore();
    flow.Advance(height * 1.6);
}

void SecondPage(PageFlow& flow, const ReportChosenHead& head) {
    flow.NewPage();
    flow.SetFont(kHeadingPoints + 2, true);
    flow.Text(head.title);
    flow.SetFont(kBodyPoints);
    if (!head.suitable) {
        flow.Text(head.failing, 0, kBeyondColour);
        if (!head.fits.empty()) {
            flow.Text(head.fits);
        }
    }
    Heading(flow, "Limits and the laser's share of each");
    const std::vector<double> shares = {0.3, 0.25, 0.3, 0.15};
    flow.Row({"Limit", "Laser", "Head", "Used"}, shares, true);
    for (const ReportLimit& limit : head.limits) {
        flow.Row({limit.caption, limit.laser, limit.limit, limit.bar.text + (limit.bar.tightest ? " (tightest)" : "")},
                 shares, limit.bar.beyond);
        ShareBar(flow, limit.bar);
    }
    if (!head.clipping.empty()) {
        flow.Gap(0.25);
        flow.Text(head.clipping);
    }
    if (!head.coating.empty()) {
        flow.Text(head.coating);
    }
    flow.SetFont(kSmallPoints);
    for (const std::string& note : head.notes) {
        flow.Text(note, 0, kMutedColour);
    }
    if (head.chart.kind != ChartKind::None) {
        flow.SetFont(kSmallPoints);
        const double height = std::min(flow.Width() * 0.75, flow.Remaining());
        flow.Room(flow.Width() * 0.5);
        flow.Gap();
        const QRectF area(flow.Left(), flow.Y(), flow.Width(), std::min(height, flow.Remaining()));
        PaintChart(flow.Painter(), area, head.chart);
        flow.Advance(area.height());
    }
}

}  // namespace

std::optional<std::string> RenderReportPdf(const ReportDocument& document) {
    EnsureFonts();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) {
        return std::nullopt;
    }
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setTitle(Q(document.title));
        writer.setCreator(QStringLiteral("CV-Tavrin"));
        writer.setPageLayout(QPageLayout(QPageSize(document.paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4),
                                         QPageLayout::Portrait, QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) {
            return std::nullopt;
        }
        painter.setRenderHint(QPainter::Antialiasing);
        PageFlow flow(writer, painter);
        FirstPage(flow, document);
        if (document.chosen) {
            SecondPage(flow, *document.chosen);
        }
        if (!painter.end()) {
            return std::nullopt;
        }
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace tavrin::paint
