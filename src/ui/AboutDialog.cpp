// The About box (frmAbout): the program's name and version and what it does.
#include "ui/AboutDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brimvale {

namespace {

// The method in general words: what goes in, what the program does with it, what comes out.
const char* const MethodText =
    "Brimvale reconstructs past climate from fossil pollen.\n\n"
    "A calibration matrix, written by the sister program Corvane from modern pollen samples and the "
    "climate where they were taken, gives for every value of a pollen measure the distribution of the "
    "climate value that goes with it, as probabilities and as confidence regions.\n\n"
    "Brimvale reads a fossil record (the measure against depth or age), smooths it if asked, and for "
    "every depth of the section takes the matrix's distribution at the value the record has there. The "
    "section shows how likely each climate value is at each depth, with its mode, its average and its "
    "confidence intervals.";

} // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QString::fromLatin1(Caption));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Brimvale 2.5"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.5);
    Label1->setFont(heading);
    Label2 = new QLabel(QString::fromLatin1(MethodText), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label2->setFixedWidth(360);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    connect(Command1, &QPushButton::clicked, this, &QDialog::close);
}

} // namespace brimvale
