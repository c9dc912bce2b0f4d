#include "render/DrawingSurface.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/RuntimeFailure.h"
#include "render/Twips.h"

namespace brimvale {

namespace {

// Mapped coordinates a hair below a pixel edge count as on it: scale arithmetic such as
// i * W / 200 lands a few ulps short of whole numbers.
constexpr double EdgeTolerance = 1e-6;
// Device coordinates are clamped to this range before they become integers.
constexpr double FarAway = 1e8;
// Lines reaching further than this outside the image are clipped before they are rasterised.
constexpr double ClipMargin = 4096.0;

int floorToInt(double value)
{
    value = std::clamp(value, -FarAway, FarAway);
    const int truncated = static_cast<int>(value);
    return truncated - (value < truncated ? 1 : 0);
}

// The device pixel a mapped point falls in.
int anchorOf(double device)
{
    return floorToInt(device + EdgeTolerance);
}

// The device pixel edge nearest to a mapped coordinate.
int edgeOf(double device)
{
    return floorToInt(device + 0.5);
}

// The pixel edge of each position along one axis, mapped by device; nothing where it maps nowhere finite.
template <typename Device>
std::vector<std::optional<int>> deviceEdges(const std::vector<double>& positions, Device device)
{
    std::vector<std::optional<int>> edges;
    edges.reserve(positions.size());
    for (const double position : positions) {
        const double mapped = device(position);
        edges.push_back(std::isfinite(mapped) ? std::optional(edgeOf(mapped)) : std::nullopt);
    }
    return edges;
}

// Liang-Barsky clipping of the segment to the rectangle; false when nothing of it is inside.
bool clipSegment(QPointF& a, QPointF& b, double left, double top, double right, double bottom)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double enter = 0.0;
    double leave = 1.0;
    const auto clip = [&](double p, double q) {
        if (p == 0.0)
            return q >= 0.0;
        const double r = q / p;
        if (p < 0.0) {
            if (r > leave)
                return false;
            enter = std::max(enter, r);
        } else {
            if (r < enter)
                return false;
            leave = std::min(leave, r);
        }
        return true;
    };
    if (!clip(-dx, a.x() - left) || !clip(dx, right - a.x()) || !clip(-dy, a.y() - top) ||
        !clip(dy, bottom - a.y()))
        return false;
    const QPointF start = a;
    a = QPointF(start.x() + enter * dx, start.y() + enter * dy);
    b = QPointF(start.x() + leave * dx, start.y() + leave * dy);
    return true;
}

void failInvalidProperty()
{
    raiseFailure(RuntimeFailure::Kind::InvalidData, "Invalid property value");
}

} // namespace

DrawingSurface::DrawingSurface(QSize size, qreal devicePixelRatio)
    : m_size(std::max(size.width(), 0), std::max(size.height(), 0)),
      m_devicePixelRatio(devicePixelRatio > 0.0 ? devicePixelRatio : 1.0)
{
    m_image = blankImage(deviceSizeOf(m_size));
    rebuildDefaultScale();
    updatePen();
}

void DrawingSurface::updateMapping()
{
    m_deviceWidth = m_image.width();
    m_deviceHeight = m_image.height();
    m_bytesPerLine = m_image.bytesPerLine();
    m_toDeviceX = m_scaleWidth != 0.0 ? m_deviceWidth / m_scaleWidth : 0.0;
    m_toDeviceY = m_scaleHeight != 0.0 ? m_deviceHeight / m_scaleHeight : 0.0;
}

QSize DrawingSurface::deviceSizeOf(QSize size) const
{
    return QSize(static_cast<int>(std::lround(size.width() * m_devicePixelRatio)),
                 static_cast<int>(std::lround(size.height() * m_devicePixelRatio)));
}

QImage DrawingSurface::blankImage(QSize deviceSize) const
{
    if (deviceSize.isEmpty())
        return QImage();
    QImage image(deviceSize, QImage::Format_RGB32);
    image.fill(m_backColor);
    image.setDevicePixelRatio(m_devicePixelRatio);
    return image;
}

void DrawingSurface::resize(QSize size)
{
    size = QSize(std::max(size.width(), 0), std::max(size.height(), 0));
    if (size == m_size)
        return;
    QImage resized = blankImage(deviceSizeOf(size));
    copyOverlap(m_image, resized);
    m_image = resized;
    m_size = size;
    if (!m_userScale)
        rebuildDefaultScale();
    updateMapping();
    notify();
}

void DrawingSurface::setDevicePixelRatio(qreal ratio)
{
    if (ratio <= 0.0 || ratio == m_devicePixelRatio)
        return;
    const qreal factor = ratio / m_devicePixelRatio;
    m_devicePixelRatio = ratio;
    const auto rescaled = [&](const QImage& source, QSize target) {
        if (source.isNull() || target.isEmpty())
            return QImage();
        QImage scaled = source.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        scaled.setDevicePixelRatio(ratio);
        return scaled;
    };
    m_image = rescaled(m_image, deviceSizeOf(m_size));
    if (m_image.isNull())
        m_image = blankImage(deviceSizeOf(m_size));
    if (!m_picture.isNull()) {
        const QSize pictureSize(static_cast<int>(std::lround(m_picture.width() * factor)),
                                static_cast<int>(std::lround(m_picture.height() * factor)));
        m_picture = rescaled(m_picture, pictureSize);
    }
    updateMapping();
    updatePen();
    notify();
}

void DrawingSurface::copyOverlap(const QImage& source, QImage& target)
{
    if (source.isNull() || target.isNull())
        return;
    const int rows = std::min(source.height(), target.height());
    const std::size_t bytes = static_cast<std::size_t>(std::min(source.width(), target.width())) * 4;
    for (int y = 0; y < rows; ++y)
        std::memcpy(target.scanLine(y), source.constScanLine(y), bytes);
}

// --- scale -----------------------------------------------------------------------------------

void DrawingSurface::rebuildDefaultScale()
{
    m_scaleLeft = 0.0;
    m_scaleTop = 0.0;
    m_scaleWidth = pixelsToTwips(m_size.width());
    m_scaleHeight = pixelsToTwips(m_size.height());
    updateMapping();
}

void DrawingSurface::setUserScale(double left, double top, double width, double height)
{
    if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(width) || !std::isfinite(height) ||
        width == 0.0 || height == 0.0)
        failInvalidProperty();
    m_userScale = true;
    m_scaleLeft = left;
    m_scaleTop = top;
    m_scaleWidth = width;
    m_scaleHeight = height;
    updateMapping();
}

void DrawingSurface::setScaleLeft(double left)
{
    setUserScale(left, m_scaleTop, m_scaleWidth, m_scaleHeight);
}

void DrawingSurface::setScaleTop(double top)
{
    setUserScale(m_scaleLeft, top, m_scaleWidth, m_scaleHeight);
}

void DrawingSurface::setScaleWidth(double width)
{
    setUserScale(m_scaleLeft, m_scaleTop, width, m_scaleHeight);
}

void DrawingSurface::setScaleHeight(double height)
{
    setUserScale(m_scaleLeft, m_scaleTop, m_scaleWidth, height);
}

void DrawingSurface::setScale(double left, double top, double width, double height)
{
    setUserScale(left, top, width, height);
}

void DrawingSurface::resetScale()
{
    m_userScale = false;
    rebuildDefaultScale();
}

QPointF DrawingSurface::toScale(QPointF pixelPosition) const
{
    const double x =
        m_size.width() > 0 ? m_scaleLeft + pixelPosition.x() * m_scaleWidth / m_size.width() : m_scaleLeft;
    const double y =
        m_size.height() > 0 ? m_scaleTop + pixelPosition.y() * m_scaleHeight / m_size.height() : m_scaleTop;
    return QPointF(x, y);
}

QPointF DrawingSurface::toDevice(double x, double y) const
{
    return QPointF((x - m_scaleLeft) * m_toDeviceX, (y - m_scaleTop) * m_toDeviceY);
}

// --- drawing state ---------------------------------------------------------------------------

void DrawingSurface::setDrawWidth(int width)
{
    if (width < 1)
        failInvalidProperty();
    m_drawWidth = width;
    updatePen();
}

void DrawingSurface::updatePen()
{
    m_penPixels = std::max(1, static_cast<int>(std::lround(m_drawWidth * m_devicePixelRatio)));
    const int n = m_penPixels;
    m_penMask.assign(static_cast<std::size_t>(n) * n, false);
    // A round dot: the pixels whose centres lie within half the pen width of the dot's centre.
    const double radius = n / 2.0;
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < n; ++column) {
            const double dx = column + 0.5 - radius;
            const double dy = row + 0.5 - radius;
            m_penMask[static_cast<std::size_t>(row) * n + column] =
                dx * dx + dy * dy <= radius * radius + 1e-9;
        }
    }
}

void DrawingSurface::setBackColor(QRgb colour)
{
    m_backColor = colour | Opaque;
    cls();
}

void DrawingSurface::setForeColor(QRgb colour)
{
    m_foreColor = colour | Opaque;
}

void DrawingSurface::setFontSize(double points)
{
    if (!std::isfinite(points) || points <= 0.0)
        failInvalidProperty();
    m_fontSize = points;
}

void DrawingSurface::setFontBold(bool bold)
{
    m_fontBold = bold;
}

QFont DrawingSurface::font() const
{
    QFont font(QString::fromLatin1(FontFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pointsToPixels(m_fontSize)))));
    font.setBold(m_fontBold);
    return font;
}

// --- drawing ---------------------------------------------------------------------------------

bool DrawingSurface::beginDrawing()
{
    if (m_deviceWidth == 0)
        return false;
    // bits() detaches the image from any copy handed out through image() or freeze().
    m_bits = m_image.bits();
    return true;
}

void DrawingSurface::notify()
{
    if (m_listener)
        m_listener(Repaint::WhenIdle);
}

void DrawingSurface::refresh()
{
    if (m_listener)
        m_listener(Repaint::Now);
}

void DrawingSurface::cls()
{
    m_currentX = 0.0;
    m_currentY = 0.0;
    if (!m_image.isNull()) {
        m_image.fill(m_backColor);
        copyOverlap(m_picture, m_image);
    }
    notify();
}

bool DrawingSurface::mapToAnchor(double x, double y, int& px, int& py) const
{
    const QPointF device = toDevice(x, y);
    if (!std::isfinite(device.x()) || !std::isfinite(device.y()))
        return false;
    px = anchorOf(device.x());
    py = anchorOf(device.y());
    return true;
}

void DrawingSurface::stamp(int px, int py, QRgb colour)
{
    const int width = m_deviceWidth;
    const int height = m_deviceHeight;
    if (m_penPixels == 1) {
        if (px >= 0 && py >= 0 && px < width && py < height)
            reinterpret_cast<QRgb*>(m_bits + py * m_bytesPerLine)[px] = colour;
        return;
    }
    const int n = m_penPixels;
    // An even pen puts its spare pixel to the right and below, so that a pen of one
    // device-independent pixel covers exactly that pixel at any density.
    const int left = px - (n - 1) / 2;
    const int top = py - (n - 1) / 2;
    for (int row = 0; row < n; ++row) {
        const int y = top + row;
        if (y < 0 || y >= height)
            continue;
        auto* line = reinterpret_cast<QRgb*>(m_bits + y * m_bytesPerLine);
        for (int column = 0; column < n; ++column) {
            const int x = left + column;
            if (x >= 0 && x < width && m_penMask[static_cast<std::size_t>(row) * n + column])
                line[x] = colour;
        }
    }
}

void DrawingSurface::rasterLine(int x1, int y1, int x2, int y2, QRgb colour)
{
    // Bresenham: both end points are set, every step moves by one pixel.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        stamp(x1, y1, colour);
        if (x1 == x2 && y1 == y2)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x1 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y1 += stepY;
        }
    }
}

void DrawingSurface::pset(double x, double y, QRgb colour)
{
    m_currentX = x;
    m_currentY = y;
    int px = 0;
    int py = 0;
    if (!beginDrawing() || !mapToAnchor(x, y, px, py))
        return;
    stamp(px, py, colour | Opaque);
    notify();
}

void DrawingSurface::line(double x1, double y1, double x2, double y2, QRgb colour)
{
    m_currentX = x2;
    m_currentY = y2;
    if (!beginDrawing())
        return;
    QPointF a = toDevice(x1, y1);
    QPointF b = toDevice(x2, y2);
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
        return;
    const double left = -ClipMargin;
    const double top = -ClipMargin;
    const double right = m_deviceWidth + ClipMargin;
    const double bottom = m_deviceHeight + ClipMargin;
    const auto inside = [&](QPointF p) {
        return p.x() >= left && p.x() <= right && p.y() >= top && p.y() <= bottom;
    };
    // Only far-reaching lines are clipped, so that a line's pixels do not depend on the margin.
    if (!(inside(a) && inside(b)) && !clipSegment(a, b, left, top, right, bottom))
        return;
    rasterLine(anchorOf(a.x()), anchorOf(a.y()), anchorOf(b.x()), anchorOf(b.y()), colour | Opaque);
    notify();
}

void DrawingSurface::box(double x1, double y1, double x2, double y2, QRgb colour)
{
    m_currentX = x2;
    m_currentY = y2;
    int ax1 = 0, ay1 = 0, ax2 = 0, ay2 = 0;
    if (!beginDrawing() || !mapToAnchor(x1, y1, ax1, ay1) || !mapToAnchor(x2, y2, ax2, ay2))
        return;
    const int offset = (m_penPixels - 1) / 2;
    const int left = std::min(ax1, ax2) - offset;
    const int right = std::max(ax1, ax2) - offset; // left edge of the right-hand border
    const int top = std::min(ay1, ay2) - offset;
    const int bottom = std::max(ay1, ay2) - offset;
    const int pen = m_penPixels;
    colour |= Opaque;
    fillPixels(left, top, right + pen, top + pen, colour);
    fillPixels(left, bottom, right + pen, bottom + pen, colour);
    fillPixels(left, top, left + pen, bottom + pen, colour);
    fillPixels(right, top, right + pen, bottom + pen, colour);
    notify();
}

void DrawingSurface::filledBox(double x1, double y1, double x2, double y2, QRgb colour)
{
    m_currentX = x2;
    m_currentY = y2;
    int ax1 = 0, ay1 = 0, ax2 = 0, ay2 = 0;
    if (!beginDrawing() || !mapToAnchor(x1, y1, ax1, ay1) || !mapToAnchor(x2, y2, ax2, ay2))
        return;
    const int offset = (m_penPixels - 1) / 2;
    fillPixels(std::min(ax1, ax2) - offset, std::min(ay1, ay2) - offset,
               std::max(ax1, ax2) - offset + m_penPixels, std::max(ay1, ay2) - offset + m_penPixels,
               colour | Opaque);
    notify();
}

void DrawingSurface::fillCell(double x1, double y1, double x2, double y2, QRgb colour)
{
    const QPointF a = toDevice(x1, y1);
    const QPointF b = toDevice(x2, y2);
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) || !std::isfinite(b.y()))
        return;
    fillDeviceCell(edgeOf(a.x()), edgeOf(a.y()), edgeOf(b.x()), edgeOf(b.y()), colour);
}

std::vector<std::optional<int>> DrawingSurface::deviceEdgesX(const std::vector<double>& x) const
{
    return deviceEdges(x, [this](double position) { return toDevice(position, m_scaleTop).x(); });
}

std::vector<std::optional<int>> DrawingSurface::deviceEdgesY(const std::vector<double>& y) const
{
    return deviceEdges(y, [this](double position) { return toDevice(m_scaleLeft, position).y(); });
}

void DrawingSurface::fillDeviceCell(int x1, int y1, int x2, int y2, QRgb colour)
{
    CellBatch(*this).fill(x1, y1, x2, y2, colour);
}

DrawingSurface::CellBatch::~CellBatch()
{
    if (m_filled)
        m_surface.notify();
}

double DrawingSurface::textHeight() const
{
    const double pixels = QFontMetricsF(font()).height();
    return m_size.height() > 0 ? pixels * m_scaleHeight / m_size.height() : pixelsToTwips(pixels);
}

double DrawingSurface::textWidth(const QString& text) const
{
    const double pixels = QFontMetricsF(font()).horizontalAdvance(text);
    return m_size.width() > 0 ? pixels * m_scaleWidth / m_size.width() : pixelsToTwips(pixels);
}

void DrawingSurface::print(const QString& text)
{
    if (!m_image.isNull()) {
        const QFont textFont = font();
        const QPointF device = toDevice(m_currentX, m_currentY);
        if (std::isfinite(device.x()) && std::isfinite(device.y())) {
            // The painter works in device-independent pixels on an image with a device pixel ratio.
            QPainter painter(&m_image);
            painter.setFont(textFont);
            painter.setPen(QColor::fromRgb(m_foreColor));
            const QPointF topLeft = device / m_devicePixelRatio;
            painter.drawText(QPointF(topLeft.x(), topLeft.y() + QFontMetricsF(textFont).ascent()), text);
        }
    }
    m_currentX = m_scaleLeft;
    m_currentY += textHeight();
    notify();
}

// --- images ----------------------------------------------------------------------------------

void DrawingSurface::freeze()
{
    m_picture = m_image;
}

void DrawingSurface::restoreImage(const QImage& image, QPointF currentPosition)
{
    if (image.size() != m_image.size() || image.devicePixelRatio() != m_image.devicePixelRatio())
        return;
    m_image = image;
    m_currentX = currentPosition.x();
    m_currentY = currentPosition.y();
    notify();
}

void DrawingSurface::clearPicture()
{
    m_picture = QImage();
}

} // namespace brimvale
