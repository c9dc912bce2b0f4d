// The print options dialog (frmPrintSetup): dot size, frame thickness, zoom, font size and title.
#include "ui/PrintSetupDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <cmath>
#include <limits>

#include "render/Twips.h"
#include "ui/FileText.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {

namespace {

// Layout in twips.
constexpr double FormWidth = 4800;
constexpr double FormHeight = 3000;
constexpr double RowTop = 300;
constexpr double RowPitch = 375;
constexpr double LabelLeft = 240;
constexpr double LabelWidth = 2175;
constexpr double BoxLeft = 2520;
constexpr double BoxWidth = 1815;
constexpr double TitleLeft = 960;
constexpr double RowHeight = 315;
constexpr double ButtonTop = 2460;
constexpr double ButtonWidth = 1215;
constexpr double ButtonHeight = 375;

// The value as a Single; one beyond the Single range becomes an infinity of its sign rather than being
// refused.
float singleOf(double value)
{
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace

PrintSetupDialog::PrintSetupDialog(PrintOptions& options, QWidget* parent)
    : QDialog(parent), m_options(options), m_saved(options)
{
    setObjectName(QStringLiteral("frmPrintSetup"));
    setWindowTitle(QStringLiteral("Print options"));
    setModal(false);
    setFixedSize(twipsToPixels(FormWidth), twipsToPixels(FormHeight));

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    setTwipsGeometry(*Frame1, 120, 60, FormWidth - 240, ButtonTop - 180);
    const std::array<const char*, 5> captions{
        "Dot Size:", "Picture Frame Thickness:", "Zoom (%):", "Font Size:", "Title:"};
    std::array<QLabel**, 5> labels{&Label1, &Label2, &Label3, &Label4, &Label5};
    std::array<QLineEdit**, 5> boxes{&Text1, &Text2, &Text3, &Text4, &Text5};
    for (std::size_t k = 0; k < 5; ++k) {
        const double top = RowTop + RowPitch * static_cast<double>(k);
        const bool title = k == 4;
        auto* label = new QLabel(QString::fromLatin1(captions[k]), Frame1);
        label->setObjectName(QStringLiteral("Label%1").arg(k + 1));
        setTwipsGeometry(*label, LabelLeft, top + 45, title ? TitleLeft - LabelLeft : LabelWidth,
                         RowHeight - 60);
        *labels[k] = label;
        auto* box = new QLineEdit(Frame1);
        box->setObjectName(QStringLiteral("Text%1").arg(k + 1));
        const double left = title ? TitleLeft : BoxLeft;
        setTwipsGeometry(*box, left, top, BoxLeft + BoxWidth - left, RowHeight);
        *boxes[k] = box;
    }
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    setTwipsGeometry(*Command1, FormWidth - 2 * ButtonWidth - 360, ButtonTop, ButtonWidth, ButtonHeight);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    setTwipsGeometry(*Command2, FormWidth - ButtonWidth - 240, ButtonTop, ButtonWidth, ButtonHeight);
    for (QPushButton* button : {Command1, Command2})
        button->setAutoDefault(false);

    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    connect(Text3, &QLineEdit::textChanged, this, [this] { Text3_Change(); });
    connect(Text4, &QLineEdit::textChanged, this, [this] { Text4_Change(); });
    connect(Text5, &QLineEdit::textChanged, this, [this] { Text5_Change(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void PrintSetupDialog::Form_Load()
{
    m_saved = m_options;
    // Filling a box runs its change handler, which reads back the value just shown.
    const PrintOptions shown = m_options;
    Text1->setText(singleCaption(shown.dotSize));
    Text2->setText(singleCaption(shown.frameThickness));
    Text3->setText(singleCaption(shown.zoom * 100.0f));
    Text4->setText(singleCaption(shown.fontSize));
    Text5->setText(QString::fromStdString(shown.title));
}

void PrintSetupDialog::Text1_Change()
{
    m_options.dotSize = singleOf(numericValueOf(Text1->text()));
}

void PrintSetupDialog::Text2_Change()
{
    m_options.frameThickness = singleOf(numericValueOf(Text2->text()));
}

void PrintSetupDialog::Text3_Change()
{
    m_options.zoom = singleOf(numericValueOf(Text3->text()) / 100.0);
}

void PrintSetupDialog::Text4_Change()
{
    m_options.fontSize = singleOf(numericValueOf(Text4->text()));
}

void PrintSetupDialog::Text5_Change()
{
    m_options.title = Text5->text().toStdString();
}

void PrintSetupDialog::Command1_Click()
{
    close();
}

void PrintSetupDialog::Command2_Click()
{
    m_options = m_saved;
    close();
}

} // namespace brimvale
