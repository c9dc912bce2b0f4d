// The drawing surface of a picture box: a persistent image over a background picture, in the box's scale.
#pragma once

#include <algorithm>

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace brimvale {

// Everything drawn lands in the persistent image, which is what the screen, the clipboard and
// the tests see. Positions are given in the surface's scale: by default its inner size in twips
// with the origin at the top left, or a user scale set with the four Scale properties.
class DrawingSurface {
public:
    enum class Repaint {
        WhenIdle, // the image changed; showing it with the next screen update is enough
        Now,      // refresh(): show the image before returning
    };
    using ChangeListener = std::function<void(Repaint)>;

    // The button-face grey of the window toolkit, the colour of an untouched box.
    static constexpr QRgb DefaultBackColor = 0xfff0f0f0;
    static constexpr QRgb DefaultForeColor = 0xff000000;
    // The toolkit's default font size in points.
    static constexpr double DefaultFontSize = 8.25;
    static constexpr const char* FontFamily = "Arial";

    // A surface of the given inner size in device-independent pixels, filled with the background colour.
    explicit DrawingSurface(QSize size = QSize(), qreal devicePixelRatio = 1.0);

    // --- size -------------------------------------------------------------------------------
    // The inner size in device-independent pixels.
    QSize size() const { return m_size; }
    qreal devicePixelRatio() const { return m_devicePixelRatio; }
    // Keeps what is drawn: the image is cropped or extended with the background colour.
    void resize(QSize size);
    // Rebuilds the backing images at the new density; the drawing is scaled to it.
    void setDevicePixelRatio(qreal ratio);

    // --- scale ------------------------------------------------------------------------------
    double scaleLeft() const { return m_scaleLeft; }
    double scaleTop() const { return m_scaleTop; }
    double scaleWidth() const { return m_scaleWidth; }
    double scaleHeight() const { return m_scaleHeight; }
    // Each setter switches to a user scale that keeps the other three values as they are now and
    // stays until changed, also across resizes. A width or height of 0 fails (InvalidData).
    void setScaleLeft(double left);
    void setScaleTop(double top);
    void setScaleWidth(double width);
    void setScaleHeight(double height);
    void setScale(double left, double top, double width, double height);
    // Back to the default scale: the inner size in twips, origin at the top left.
    void resetScale();
    bool hasUserScale() const { return m_userScale; }
    // The position in scale units of a point given in device-independent pixels of the surface.
    QPointF toScale(QPointF pixelPosition) const;
    // The position in device pixels (of the backing image) of a point given in scale units.
    QPointF toDevice(double x, double y) const;

    // --- drawing state ----------------------------------------------------------------------
    // Pen width in device-independent pixels for points, lines and box edges; at least 1.
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int width);
    QRgb backColor() const { return m_backColor; }
    // Like the toolkit's BackColor, setting it erases the drawing (the background picture stays).
    void setBackColor(QRgb colour);
    QRgb foreColor() const { return m_foreColor; }
    // The colour of printed text.
    void setForeColor(QRgb colour);
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points);
    bool fontBold() const { return m_fontBold; }
    void setFontBold(bool bold);
    // The font that print() uses, sized in device-independent pixels.
    QFont font() const;
    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }
    void setCurrentX(double x) { m_currentX = x; }
    void setCurrentY(double y) { m_currentY = y; }

    // --- drawing ----------------------------------------------------------------------------
    // Shows the background picture again, or the background colour where there is none; the
    // current position returns to (0, 0).
    void cls();
    // A dot of the current DrawWidth at (x, y); the current position moves there.
    void pset(double x, double y, QRgb colour);
    // A line including both end points; the current position moves to (x2, y2).
    void line(double x1, double y1, double x2, double y2, QRgb colour);
    // The outline of the rectangle with these corners, drawn with the pen.
    void box(double x1, double y1, double x2, double y2, QRgb colour);
    // The rectangle with these corners filled, its edges drawn with the pen.
    void filledBox(double x1, double y1, double x2, double y2, QRgb colour);
    // Fills the device pixels from the mapped position of (x1, y1) up to, not including, that of
    // (x2, y2), corners in either order: cells drawn from position(i) to position(i + 1) tile
    // without gaps or overlaps.
    void fillCell(double x1, double y1, double x2, double y2, QRgb colour);
    // The device pixel edges that fillCell takes for positions in scale units, one per position,
    // computed once for cells that share their edges; nothing where a position maps to no finite place.
    std::vector<std::optional<int>> deviceEdgesX(const std::vector<double>& x) const;
    std::vector<std::optional<int>> deviceEdgesY(const std::vector<double>& y) const;
    // What fillCell does once its corners are mapped: fills the device pixels between the edges (in
    // either order; clipped to the image), with an opaque colour.
    void fillDeviceCell(int x1, int y1, int x2, int y2, QRgb colour);
    // Fills device cells one after another as fillDeviceCell does, preparing the image once and telling
    // of the change once, when the batch ends (a failure that breaks off the filling ends it too).
    class CellBatch {
    public:
        explicit CellBatch(DrawingSurface& surface) : m_surface(surface), m_ready(surface.beginDrawing()) {}
        ~CellBatch();
        CellBatch(const CellBatch&) = delete;
        CellBatch& operator=(const CellBatch&) = delete;
        void fill(int x1, int y1, int x2, int y2, QRgb colour)
        {
            if (!m_ready)
                return;
            m_surface.fillPixels(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2),
                                 colour | Opaque);
            m_filled = true;
        }

    private:
        DrawingSurface& m_surface;
        bool m_ready;
        bool m_filled = false;
    };
    // Draws the text with its top left at the current position, then moves to the start of the
    // next line (CurrentX = ScaleLeft, CurrentY one text height lower).
    void print(const QString& text);
    // The height of a line of text in scale units (may be negative in a flipped scale).
    double textHeight() const;
    // The width of the text in scale units.
    double textWidth(const QString& text) const;

    // --- images -----------------------------------------------------------------------------
    // The persistent image: everything drawn, at the device pixel ratio of the surface.
    const QImage& image() const { return m_image; }
    // The background picture; a null image when there is none.
    const QImage& picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // The current image becomes the background picture that cls() returns to.
    void freeze();
    // Puts back an image taken from image() at the surface's present size and density (nothing
    // otherwise), and the current position that went with it.
    void restoreImage(const QImage& image, QPointF currentPosition);
    // Removes the background picture; cls() then returns to the background colour.
    void clearPicture();

    // --- screen -----------------------------------------------------------------------------
    // The listener hears of every change of the image.
    void setChangeListener(ChangeListener listener) { m_listener = std::move(listener); }
    // Asks the listener to show the image at once.
    void refresh();

private:
    static constexpr QRgb Opaque = 0xff000000u;

    QSize deviceSizeOf(QSize size) const;
    QImage blankImage(QSize deviceSize) const;
    static void copyOverlap(const QImage& source, QImage& target);
    void rebuildDefaultScale();
    void updateMapping();
    void setUserScale(double left, double top, double width, double height);
    void updatePen();
    bool beginDrawing();
    void notify();
    bool mapToAnchor(double x, double y, int& px, int& py) const;
    void stamp(int px, int py, QRgb colour);
    void rasterLine(int x1, int y1, int x2, int y2, QRgb colour);
    void fillPixels(int left, int top, int right, int bottom, QRgb colour)
    {
        left = std::max(left, 0);
        top = std::max(top, 0);
        right = std::min(right, m_deviceWidth);
        bottom = std::min(bottom, m_deviceHeight);
        if (left >= right || top >= bottom)
            return;
        for (int y = top; y < bottom; ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_bits + y * m_bytesPerLine);
            std::fill(line + left, line + right, colour);
        }
    }

    QSize m_size;
    qreal m_devicePixelRatio = 1.0;
    QImage m_image;
    QImage m_picture;
    // Writable view of m_image, valid during one drawing operation.
    uchar* m_bits = nullptr;
    qsizetype m_bytesPerLine = 0;
    int m_deviceWidth = 0;
    int m_deviceHeight = 0;
    double m_toDeviceX = 0.0; // device pixels per scale unit
    double m_toDeviceY = 0.0;

    bool m_userScale = false;
    double m_scaleLeft = 0.0;
    double m_scaleTop = 0.0;
    double m_scaleWidth = 0.0;
    double m_scaleHeight = 0.0;

    int m_drawWidth = 1;
    int m_penPixels = 1;         // DrawWidth in device pixels
    std::vector<bool> m_penMask; // the round dot of the pen, m_penPixels squared
    QRgb m_backColor = DefaultBackColor;
    QRgb m_foreColor = DefaultForeColor;
    double m_fontSize = DefaultFontSize;
    bool m_fontBold = false;
    double m_currentX = 0.0;
    double m_currentY = 0.0;

    ChangeListener m_listener;
};

} // namespace brimvale
