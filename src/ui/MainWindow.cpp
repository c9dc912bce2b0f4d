#include "ui/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "model/RuntimeFailure.h"
#include "render/Twips.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"
#include "ui/PictureBox.h"
#include "ui/ShapeFrame.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {

namespace {

// The client area below the menu bar, in twips.
constexpr double ClientWidth = 12585.0;
constexpr double ClientHeight = 7620.0;
// The window's font; labels use it at this size.
constexpr const char* WindowFontFamily = "Arial";
constexpr int WindowFontPoints = 8;
// The edge colours of the sunken frame drawn by the three shapes.
constexpr QRgb ShapeShadow = 0xff808080;
constexpr QRgb ShapeLight = 0xffffffff;

// Names the widget and places it in twips on its parent.
template <class Widget>
Widget* placed(Widget* widget, const QString& name, double left, double top, double width, double height)
{
    widget->setObjectName(name);
    setTwipsGeometry(*widget, left, top, width, height);
    return widget;
}

QString indexed(const char* name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, double left, double top,
                  double width, double height, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto* label = placed(new QLabel(caption, parent), name, left, top, width, height);
    label->setAlignment(alignment);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, double left, double top,
                        double width, double height)
{
    auto* button = placed(new QPushButton(caption, parent), name, left, top, width, height);
    button->setAutoDefault(false);
    return button;
}

// Sliders raise their change event when the thumb is released, as the toolkit's slider does;
// vertical ones have their minimum at the top.
QSlider* makeSlider(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimum,
                    int maximum, int value, int largeChange, double left, double top, double width,
                    double height)
{
    auto* slider = placed(new QSlider(orientation, parent), name, left, top, width, height);
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setSingleStep(1);
    slider->setPageStep(largeChange);
    slider->setTracking(false);
    if (orientation == Qt::Vertical) {
        slider->setInvertedAppearance(true);
        slider->setInvertedControls(true);
    }
    return slider;
}

} // namespace

MainWindow::MainWindow(PlatformServices services, QWidget* parent) : QMainWindow(parent), m_services(services)
{
    setWindowTitle(QString::fromLatin1(WindowCaption));
    setFont(QFont(QString::fromLatin1(WindowFontFamily), WindowFontPoints));
    createControls();
    createMenus();
    connectHandlers();
    Form_Load();
}

MainWindow::~MainWindow() = default;

QRgb MainWindow::BackColor() const
{
    return FormSurface->surface().backColor();
}

void MainWindow::createControls()
{
    FormSurface = new PictureBox(this, PictureBox::BorderStyle::None);
    FormSurface->setObjectName(QStringLiteral("FormSurface"));
    FormSurface->setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));
    setCentralWidget(FormSurface);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor::fromRgb(FormSurface->surface().backColor()));
    setPalette(background);
    QWidget* form = FormSurface;

    // Created first, so every other control lies over them.
    Shape2 = placed(new ShapeFrame(form, QColor::fromRgb(ShapeLight)), QStringLiteral("Shape2"), 10320, 840,
                    1710, 4590);
    Shape3 = placed(new ShapeFrame(form, QColor::fromRgb(ShapeLight)), QStringLiteral("Shape3"), 10335, 855,
                    1695, 4575);
    Shape1 = placed(new ShapeFrame(form, QColor::fromRgb(ShapeShadow)), QStringLiteral("Shape1"), 10320, 840,
                    1695, 4575);

    constexpr std::array<double, 3> figureLeft{1440, 4440, 7440};
    constexpr std::array<double, 3> figureHeight{5535, 2175, 5535};
    for (int i = 0; i < 3; ++i) {
        Picture1[i] =
            placed(new PictureBox(form), indexed("Picture1", i), figureLeft[i], 840, 2175, figureHeight[i]);
        Label10[i] = makeLabel(form, indexed("Label10", i), QString(), figureLeft[i], 0, 2175, 255);
        Label14[i] = makeLabel(form, indexed("Label14", i), QString(), figureLeft[i],
                               840 + figureHeight[i] + 360, 2175, 255);
        Label15[i] = makeLabel(form, indexed("Label15", i), QString(), figureLeft[i] - 735, 1080, 735, 255);
        Label10[i]->hide();
        Label14[i]->hide();
        Label15[i]->hide();
    }

    // The calibration panel's interval bars lie under the options frame until the section view
    // hides the frame.
    Picture4 = placed(new PictureBox(form), QStringLiteral("Picture4"), 4440, 6600, 2175, 615);

    // The file browser lies under the options frame, which covers it except while the frame is
    // hidden: the options stay usable, and the browser is reached in the section view.
    Drive1 = placed(new DriveList(form), QStringLiteral("Drive1"), 4440, 3480, 2175, 300);
    Dir1 = placed(new FolderList(form), QStringLiteral("Dir1"), 4440, 3840, 2175, 1350);
    File1 = placed(new FileList(form), QStringLiteral("File1"), 4420, 5160, 2205, 1890);
    File1->setPattern(QStringLiteral("*.csv"));
    const QString startFolder = QDir::currentPath();
    try {
        Dir1->setPath(startFolder);
    } catch (const RuntimeFailure&) {
        // A start folder that cannot be read leaves the folder list empty until a drive is chosen.
    }
    Drive1->setDrive(startFolder);
    File1->setPath(Dir1->path());

    Frame1 = placed(new QGroupBox(form), QStringLiteral("Frame1"), 4440, 3360, 2175, 3795);
    // Opaque like the toolkit's frame, so the lists under it do not show through.
    Frame1->setAutoFillBackground(true);
    Slider3 = makeSlider(Frame1, QStringLiteral("Slider3"), Qt::Horizontal, 1, 10, 1, 1, 120, 320, 1935, 255);
    Label3 =
        makeLabel(Frame1, QStringLiteral("Label3"), QStringLiteral("Smoothing level:"), 240, 560, 1575, 255);
    Label4 = makeLabel(Frame1, QStringLiteral("Label4"), QString(), 1680, 560, 375, 255);
    Label7 = makeLabel(Frame1, QStringLiteral("Label7"), QStringLiteral("(No. of averaged levels)"), 120, 800,
                       1935, 255);
    Label3->setEnabled(false);
    Label4->setEnabled(false);
    Label7->setEnabled(false);
    Option1[0] = placed(new QRadioButton(QStringLiteral("Probability"), Frame1), indexed("Option1", 0), 240,
                        1160, 1695, 255);
    Option1[1] = placed(new QRadioButton(QStringLiteral("Confidence "), Frame1), indexed("Option1", 1), 240,
                        1400, 1695, 255);
    Option1[0]->setChecked(true);
    Slider4 =
        makeSlider(Frame1, QStringLiteral("Slider4"), Qt::Horizontal, 0, 200, 100, 5, 120, 1760, 1935, 255);
    Label9 = makeLabel(Frame1, QStringLiteral("Label9"), QStringLiteral("Z-axis enhancement:"), 240, 2000,
                       1935, 255);
    Label11 = makeLabel(Frame1, QStringLiteral("Label11"), QString(), 240, 2240, 1215, 255);
    Label9->setEnabled(false);
    Label11->setEnabled(false);
    Check4 = placed(new QCheckBox(QStringLiteral("Show mode"), Frame1), QStringLiteral("Check4"), 240, 2600,
                    1455, 255);
    Check8 = placed(new QCheckBox(QStringLiteral("Show average"), Frame1), QStringLiteral("Check8"), 240,
                    2880, 1815, 255);
    for (QCheckBox* box : {Check4, Check8}) {
        box->setChecked(true);
        box->setEnabled(false);
    }
    Check3 = placed(new QCheckBox(QStringLiteral("Smoothing"), Frame1), QStringLiteral("Check3"), 1440, 3360,
                    1215, 255);
    Check3->hide();
    for (int i = 0; i < 2; ++i) {
        const double top = i == 0 ? 3200 : 3440;
        Label5[i] = makeLabel(Frame1, indexed("Label5", i),
                              i == 0 ? QStringLiteral("C1:") : QStringLiteral("C2:"), 240, top, 375, 255);
        Label6[i] = makeLabel(Frame1, indexed("Label6", i), QString(), 600, top, 855, 255);
    }

    const std::array<QString, 3> importCaptions{QStringLiteral("Import data"),
                                                QStringLiteral("Import Corvane file"),
                                                QStringLiteral("Import Brimvale file")};
    constexpr std::array<double, 3> importTop{300, 300, 6840};
    for (int i = 0; i < 3; ++i)
        Command1[i] = makeButton(form, indexed("Command1", i), importCaptions[i], figureLeft[i], importTop[i],
                                 2175, 315);
    Command2 =
        makeButton(form, QStringLiteral("Command2"), QStringLiteral("Calibrate"), 7440, 300, 2175, 315);
    Command3 =
        makeButton(form, QStringLiteral("Command3"), QStringLiteral("Show section"), 10320, 5820, 1695, 375);
    Command5 = makeButton(form, QStringLiteral("Command5"), QStringLiteral("Colour settings"), 10320, 6300,
                          1695, 375);
    Command4 = makeButton(form, QStringLiteral("Command4"), QStringLiteral("Quit"), 10320, 6780, 1695, 375);

    Slider1 =
        makeSlider(form, QStringLiteral("Slider1"), Qt::Horizontal, 0, 100, 100, 5, 1335, 6960, 2370, 255);
    Slider2 = makeSlider(form, QStringLiteral("Slider2"), Qt::Vertical, 0, 100, 100, 5, 345, 765, 255, 5700);
    Slider5 = makeSlider(form, QStringLiteral("Slider5"), Qt::Vertical, 0, 100, 50, 5, 3960, 765, 255, 5700);

    Text1 = placed(new QLineEdit(form), QStringLiteral("Text1"), 600, 6120, 735, 330);
    Text2 = placed(new QLineEdit(form), QStringLiteral("Text2"), 600, 720, 735, 330);

    // Axis end labels: 0 under the data figure, 1 under the probability figure, 2 the probability
    // figure's vertical axis (bottom, top), 3 under the section, 4 the section's vertical axis.
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    Label1[0] = makeLabel(form, indexed("Label1", 0), QString(), 1440, 6480, 735, 255);
    Label2[0] = makeLabel(form, indexed("Label2", 0), QString(), 1440 + 2175 - 375, 6480, 735, 255);
    Label1[1] = makeLabel(form, indexed("Label1", 1), QString(), 4440, 3120, 735, 255);
    Label2[1] = makeLabel(form, indexed("Label2", 1), QString(), 6240, 3120, 735, 255);
    Label1[2] = makeLabel(form, indexed("Label1", 2), QString(), 3600, 2880, 345, 255, right);
    Label2[2] = makeLabel(form, indexed("Label2", 2), QString(), 3600, 840, 345, 255, right);
    Label1[3] = makeLabel(form, indexed("Label1", 3), QString(), 7440, 6480, 735, 255);
    Label2[3] = makeLabel(form, indexed("Label2", 3), QString(), 9240, 6480, 735, 255);
    Label1[4] = makeLabel(form, indexed("Label1", 4), QString(), 6600, 6240, 735, 255, right);
    Label2[4] = makeLabel(form, indexed("Label2", 4), QString(), 6600, 720, 735, 255, right);
    Label12 = makeLabel(form, QStringLiteral("Label12"), QString(), 600, 3240, 735, 255);

    // The calibration panel and its import button share the place of the interval bars.
    Picture2 = placed(new PictureBox(form), QStringLiteral("Picture2"), 4440, 6600, 2175, 615);
    Picture3 = placed(new PictureBox(form), QStringLiteral("Picture3"), 6720, 6600, 255, 615);
    Picture2->hide();
    Picture3->hide();
    Command6 = makeButton(form, QStringLiteral("Command6"), QStringLiteral("Import probability matrix"), 4440,
                          6600, 2175, 615);
    Command6->hide();

    ProgressBar1 = placed(new QProgressBar(form), QStringLiteral("ProgressBar1"), 0, 7395, ClientWidth, 225);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
}

void MainWindow::runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const RuntimeFailure& failure) {
        m_services.failures.handled(QString(), failure);
        m_services.pointer.set(MousePointer::Pointer::Default);
    }
}

void MainWindow::connectHandlers()
{
    // Every connection is direct: a value set from code runs its handler at once, nested inside
    // the procedure that set it, and only when the value really changes.
    const auto on = [this](auto* sender, auto signal, std::function<void()> handler) {
        connect(sender, signal, this, [this, handler] { runGuarded(handler); });
    };
    for (int i = 0; i < 3; ++i)
        on(Command1[i], &QPushButton::clicked, [this, i] { Command1_Click(i); });
    on(Command2, &QPushButton::clicked, [this] { Command2_Click(); });
    on(Command3, &QPushButton::clicked, [this] { Command3_Click(); });
    on(Command4, &QPushButton::clicked, [this] { Command4_Click(); });
    on(Command5, &QPushButton::clicked, [this] { Command5_Click(); });
    on(Command6, &QPushButton::clicked, [this] { Command6_Click(); });

    on(Slider1, &QSlider::valueChanged, [this] { Slider1_Change(); });
    on(Slider2, &QSlider::valueChanged, [this] { Slider2_Change(); });
    on(Slider3, &QSlider::valueChanged, [this] { Slider3_Change(); });
    on(Slider4, &QSlider::valueChanged, [this] { Slider4_Change(); });
    on(Slider5, &QSlider::valueChanged, [this] { Slider5_Change(); });
    on(Slider5, &QSlider::sliderMoved, [this] { Slider5_MouseMove(); });

    on(Check3, &QCheckBox::toggled, [this] { Check3_Click(); });
    on(Check4, &QCheckBox::toggled, [this] { Check4_Click(); });
    on(Check8, &QCheckBox::toggled, [this] { Check8_Click(); });
    for (int i = 0; i < 2; ++i) {
        // A button that becomes selected raises the click; the one losing the selection does not.
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected)
                runGuarded([this, i] { Option1_Click(i); });
        });
    }

    on(Text1, &QLineEdit::textChanged, [this] { Text1_Change(); });
    on(Text2, &QLineEdit::textChanged, [this] { Text2_Change(); });
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);

    on(File1, &FileList::fileClicked, [this] { File1_Click(); });
    on(File1, &FileList::fileDoubleClicked, [this] { File1_DblClick(); });
    on(Drive1, &DriveList::driveChanged, [this] { Drive1_Change(); });
    on(Dir1, &FolderList::pathChanged, [this] { Dir1_Change(); });

    on(SaveMatrix, &QAction::triggered, [this] { SaveMatrix_Click(); });
    on(PrintOptions, &QAction::triggered, [this] { PrintOptions_Click(); });
    on(Print, &QAction::triggered, [this] { Print_Click(); });
    on(Quit, &QAction::triggered, [this] { Quit_Click(); });
    on(ColourSetting, &QAction::triggered, [this] { ColourSetting_Click(); });
    on(Copy, &QMenu::aboutToShow, [this] { Copy_Click(); });
    on(CopyFig1, &QAction::triggered, [this] { CopyFig1_Click(); });
    on(CopyFig2, &QAction::triggered, [this] { CopyFig2_Click(); });
    on(CopyFig3, &QAction::triggered, [this] { CopyFig3_Click(); });
    on(mnuSection, &QAction::triggered, [this] { mnuSection_Click(); });
    on(About, &QAction::triggered, [this] { About_Click(); });
    on(Copy1, &QAction::triggered, [this] { Copy1_Click(); });
    on(Copy2, &QAction::triggered, [this] { Copy2_Click(); });
    on(Copy3, &QAction::triggered, [this] { Copy3_Click(); });
    on(SaveMatrix2, &QAction::triggered, [this] { SaveMatrix_Click(); });
    on(mnuCopySection, &QAction::triggered, [this] { mnuCopySection_Click(); });
    on(mnuCopyScale, &QAction::triggered, [this] { mnuCopyScale_Click(); });
    for (int i = 0; i < 3; ++i) {
        connect(Picture1[i], &PictureBox::mousePressed, this, [this, i](Qt::MouseButton button) {
            runGuarded([this, i, button] { Picture1_MouseDown(i, button); });
        });
        on(Picture1[i], &PictureBox::mouseMoved, [this, i] { Picture1_MouseMove(i); });
    }
    connect(Picture2, &PictureBox::mousePressed, this,
            [this](Qt::MouseButton button) { runGuarded([this, button] { Picture2_MouseDown(button); }); });
    connect(Picture3, &PictureBox::mousePressed, this,
            [this](Qt::MouseButton button) { runGuarded([this, button] { Picture3_MouseDown(button); }); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Text1)
            runGuarded([this] { Text1_Click(); });
        else if (watched == Text2)
            runGuarded([this] { Text2_Click(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        runGuarded([this] { Form_Activate(); });
}

void MainWindow::Form_Load()
{
    probabilityGrid.clear();

    Slider1->setEnabled(true);
    Slider2->setEnabled(true);
    Check3->setEnabled(false);
    ProfileLoaded = false;
    NowImportingData[0] = false;
    NowImportingData[1] = false;

    Settings.colourRamp.points = ColourRamp::defaults();
    Settings.printOptions.dotSize = 6;
    Settings.printOptions.frameThickness = 3;
    Settings.printOptions.zoom = 1;
    Settings.printOptions.fontSize = 10;
    Settings.whiteThreshold = 0;
    Settings.zEnhancement = 1;

    Label11->setText(QString::number(Slider4->value()) + QStringLiteral(" %"));
    Settings.greyScale = false;

    ProgressBar1->hide();

    for (int i = 0; i < 5; ++i) {
        Label1[i]->clear();
        Label2[i]->clear();
    }

    Label4->setText(QString::number(Slider3->value()));

    for (int i = 0; i < 2; ++i) {
        Label5[i]->setEnabled(false);
        Label6[i]->clear();
    }

    Label12->hide();
    Command2->setEnabled(false);
    Command3->setEnabled(false);
}

void MainWindow::Form_Activate()
{
    if (LoadColourSetting && Settings.colourSettingsChanged) {
        RedrawFigures();
        Settings.colourSettingsChanged = false;
    }
    LoadColourSetting = false;
}

} // namespace brimvale
