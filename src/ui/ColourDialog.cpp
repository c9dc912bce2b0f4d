// The colour settings dialog (frmColor): three break-point editors, a preview strip with its white threshold,
// and the grey scale and reset commands.
#include "ui/ColourDialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <cmath>

#include "model/Conversions.h"
#include "render/ColourRampDrawing.h"
#include "render/Twips.h"
#include "ui/PictureBox.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {

namespace {

// Layout in twips.
constexpr int Margin = 240;
constexpr int EditorWidth = 4200;
constexpr int EditorHeight = 1000;
constexpr int EditorPitch = 1500; // editor, its labels and the gap to the next editor
constexpr int LabelGap = 30;
constexpr int LabelWidth = 495;
constexpr int LabelHeight = 255;
constexpr int PreviewTop = Margin + 3 * EditorPitch + 60;
constexpr int PreviewHeight = 480;
constexpr int SliderTop = PreviewTop + PreviewHeight + LabelGap + LabelHeight + 45;
constexpr int SliderHeight = 450;
constexpr int ButtonLeft = Margin + EditorWidth + 240;
constexpr int ButtonWidth = 1335;
constexpr int ButtonHeight = 375;
constexpr int FormWidth = ButtonLeft + ButtonWidth + Margin;
constexpr int FormHeight = SliderTop + SliderHeight + Margin;

// A label sits under its point: its Left is the box's Left plus W times the point, plus this
// allowance for the box's frame, less half the label's width.
constexpr double LabelOffset = 30.0;

constexpr QRgb White = 0xffffffff;

int editorTop(int k)
{
    return Margin + k * EditorPitch;
}

// The height of the trapezoid at break point p: the rising and falling feet lie low, the plateau high.
double pointLevel(int p, double h)
{
    return (p == 1 || p == 2) ? EditorHighLevel * h : EditorLowLevel * h;
}

QString percentText(float fraction)
{
    // Single arithmetic, as the program stores the points; far-dragged points stay in range.
    const float percent = std::clamp(fraction * 100.0f, -32768.0f, 32767.0f);
    return QString::number(toInteger(percent));
}

QLabel* makeLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->resize(twipsToPixels(LabelWidth), twipsToPixels(LabelHeight));
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int top)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    setTwipsGeometry(*button, ButtonLeft, top, ButtonWidth, ButtonHeight);
    return button;
}

} // namespace

ColourDialog::ColourDialog(ProgramSettings& settings, MousePointer& pointer, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_pointer(pointer)
{
    setObjectName(QStringLiteral("frmColor"));
    setWindowTitle(QStringLiteral("Colour settings"));
    setModal(false);
    setFixedSize(twipsToPixels(FormWidth), twipsToPixels(FormHeight));

    const std::array<std::array<QLabel*, 4>*, 3> labels{&m_label0, &m_label1, &m_label2};
    for (int k = 0; k < 3; ++k) {
        auto* editor = new PictureBox(this);
        editor->setObjectName(QStringLiteral("Picture2_%1").arg(k));
        editor->setTwipsGeometry(Margin, editorTop(k), EditorWidth, EditorHeight);
        editor->surface().setBackColor(White);
        editor->surface().setDrawWidth(1);
        m_picture2[static_cast<std::size_t>(k)] = editor;
        connect(editor, &PictureBox::mousePressed, this,
                [this, k](Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) {
                    Picture2_MouseDown(k, x, y);
                });
        connect(editor, &PictureBox::mouseMoved, this,
                [this, k](Qt::MouseButtons, Qt::KeyboardModifiers, double x, double y) {
                    Picture2_MouseMove(k, x, y);
                });
        connect(editor, &PictureBox::mouseReleased, this,
                [this, k](Qt::MouseButton, Qt::KeyboardModifiers, double x, double y) {
                    Picture2_MouseUp(k, x, y);
                });
        for (int p = 0; p < 4; ++p) {
            QLabel* label = makeLabel(this, QStringLiteral("Label%1_%2").arg(k).arg(p));
            label->move(label->x(), twipsToPixels(editorTop(k) + EditorHeight + LabelGap));
            (*labels[static_cast<std::size_t>(k)])[static_cast<std::size_t>(p)] = label;
        }
    }

    m_picture1 = new PictureBox(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setTwipsGeometry(Margin, PreviewTop, EditorWidth, PreviewHeight);
    m_picture1->surface().setBackColor(White);

    m_label3 = makeLabel(this, QStringLiteral("Label3"));
    m_label3->move(m_label3->x(), twipsToPixels(PreviewTop + PreviewHeight + LabelGap));

    m_slider1 = new QSlider(Qt::Horizontal, this);
    m_slider1->setObjectName(QStringLiteral("Slider1"));
    m_slider1->setRange(0, 100);
    m_slider1->setTickPosition(QSlider::TicksBelow);
    m_slider1->setTickInterval(10);
    setTwipsGeometry(*m_slider1, Margin - 120, SliderTop, EditorWidth + 240, SliderHeight);

    m_command1 = makeButton(this, QStringLiteral("Command1"), QStringLiteral("Grey scale"), Margin);
    m_command3 =
        makeButton(this, QStringLiteral("Command3"), QStringLiteral("Reset"), Margin + ButtonHeight + 120);
    m_command2 = makeButton(this, QStringLiteral("Command2"), QStringLiteral("OK"), SliderTop);

    connect(m_command1, &QPushButton::clicked, this, &ColourDialog::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &ColourDialog::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &ColourDialog::Command3_Click);
    connect(m_slider1, &QSlider::valueChanged, this, &ColourDialog::Slider1_Change);
    // Every release of the mouse on the slider, after a click on its track as after dragging its handle.
    m_slider1->installEventFilter(this);

    // Load: the editors of red and green are of no use in grey scale.
    if (m_settings.greyScale)
        setChannelsVisible(false);
    m_slider1->setValue(toInteger(m_settings.whiteThreshold * 100.0f));
}

// --- drawing ---------------------------------------------------------------------------------

void ColourDialog::drawEditors()
{
    for (int k = 0; k < 3; ++k)
        drawRampEditor(picture2(k).surface(), m_settings.colourRamp, k, m_settings.greyScale);
}

void ColourDialog::drawPreview()
{
    m_picture1->surface().setDrawWidth(1);
    m_settings.whiteThreshold = static_cast<float>(m_slider1->value() / 100.0);
    drawPreviewStrip(m_picture1->surface(), m_settings.colourRamp, m_settings.whiteThreshold);
}

void ColourDialog::placeLabel(QLabel& label, const PictureBox& box, float fraction)
{
    label.setText(percentText(fraction));
    const double left = pixelsToTwips(box.x()) + box.surface().scaleWidth() * fraction + LabelOffset -
                        pixelsToTwips(label.width()) / 2.0;
    label.move(twipsToPixels(std::clamp(left, -1.0e6, 1.0e6)), label.y());
}

void ColourDialog::placeLabels()
{
    const std::array<std::array<QLabel*, 4>*, 3> labels{&m_label0, &m_label1, &m_label2};
    for (int k = 0; k < 3; ++k)
        for (int p = 0; p < 4; ++p)
            placeLabel(*(*labels[static_cast<std::size_t>(k)])[static_cast<std::size_t>(p)], picture2(k),
                       m_settings.colourRamp[3 * p + k]);
    placeLabel(*m_label3, *m_picture1, m_settings.whiteThreshold);
}

void ColourDialog::setChannelsVisible(bool visible)
{
    for (int k = 0; k < 2; ++k)
        picture2(k).setVisible(visible);
    for (QLabel* label : m_label0)
        label->setVisible(visible);
    for (QLabel* label : m_label1)
        label->setVisible(visible);
}

// --- events ----------------------------------------------------------------------------------

bool ColourDialog::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

bool ColourDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_slider1 && event->type() == QEvent::MouseButtonRelease)
        Slider1_MouseUp();
    return QDialog::eventFilter(watched, event);
}

void ColourDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Showing the dialog again after "OK" counts as a fresh activation, also where the platform
    // does not activate windows.
    Form_Activate();
}

void ColourDialog::keyPressEvent(QKeyEvent* event)
{
    // There is no cancel: Escape does not close the dialog.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ColourDialog::Form_Activate()
{
    drawPreview();
    drawEditors();
    placeLabels();
}

void ColourDialog::Command1_Click()
{
    m_settings.colourRamp.points = ColourRamp::greyScale();
    m_settings.whiteThreshold = 0.0f;
    m_slider1->setValue(0);
    m_settings.greyScale = true;
    setChannelsVisible(false);
    drawPreview();
    drawEditors();
    placeLabels();
    m_settings.colourSettingsChanged = true;
}

void ColourDialog::Command2_Click()
{
    close();
}

void ColourDialog::Command3_Click()
{
    m_settings.colourRamp.points = ColourRamp::defaults();
    m_slider1->setValue(ResetThreshold);
    m_settings.greyScale = false;
    setChannelsVisible(true);
    drawPreview();
    drawEditors();
    placeLabels();
    m_settings.colourSettingsChanged = true;
}

void ColourDialog::Slider1_Change()
{
    drawPreview();
    placeLabels();
}

void ColourDialog::Slider1_MouseUp()
{
    m_settings.colourSettingsChanged = true;
    m_command2->setFocus();
}

bool ColourDialog::isNear(int k, int p, double x, double y, double w, double h) const
{
    return std::fabs(x - w * m_settings.colourRamp[3 * p + k]) < GrabTolerance &&
           std::fabs(y - pointLevel(p, h)) < GrabTolerance;
}

void ColourDialog::moveGrabbedPoints(int k, double x, double w)
{
    // An editor without width has no scale to read a point from.
    if (!(w != 0.0))
        return;
    for (int p = 0; p < 4; ++p)
        if (isGrabbed(k, p))
            m_settings.colourRamp[3 * p + k] = static_cast<float>(x / w);
    if (m_settings.greyScale) {
        for (int p = 0; p < 4; ++p) {
            m_settings.colourRamp[3 * p] = m_settings.colourRamp[3 * p + 2];
            m_settings.colourRamp[3 * p + 1] = m_settings.colourRamp[3 * p + 2];
        }
    }
}

void ColourDialog::Picture2_MouseDown(int k, double x, double y)
{
    const DrawingSurface& surface = picture2(k).surface();
    m_grabbed.fill(false);
    for (int p = 0; p < 4; ++p)
        if (isNear(k, p, x, y, surface.scaleWidth(), surface.scaleHeight()))
            m_grabbed[static_cast<std::size_t>(3 * p + k)] = true;
}

void ColourDialog::Picture2_MouseMove(int k, double x, double y)
{
    const DrawingSurface& surface = picture2(k).surface();
    const double w = surface.scaleWidth();
    const double h = surface.scaleHeight();
    const bool nearPoint = isNear(k, 1, x, y, w, h) || isNear(k, 2, x, y, w, h) || isNear(k, 0, x, y, w, h) ||
                           isNear(k, 3, x, y, w, h);
    m_pointer.set(nearPoint ? MousePointer::Pointer::LeftRightSizing : MousePointer::Pointer::Default);
    moveGrabbedPoints(k, x, w);
    drawEditors();
    placeLabels();
}

void ColourDialog::Picture2_MouseUp(int k, double x, double /*y*/)
{
    moveGrabbedPoints(k, x, picture2(k).surface().scaleWidth());
    for (int p = 0; p < 4; ++p)
        m_grabbed[static_cast<std::size_t>(3 * p + k)] = false;
    drawEditors();
    drawPreview();
    placeLabels();
    m_settings.colourSettingsChanged = true;
    m_command2->setFocus();
    m_pointer.set(MousePointer::Pointer::Default);
}

} // namespace brimvale
