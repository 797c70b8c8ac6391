#include "support/gui/frmAboutBox.h"

#include "platform/Application.h"
#include "support/HelpFiles.h"
#include "support/Version.h"
#include "support/gui/Captions.h"
#include "support/gui/HelpViewer.h"

#include <QApplication>
#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv::support
{

frmAboutBox::frmAboutBox(QWidget *parent)
    : QDialog(parent), picIcon(new QLabel(this)), lbProgram(new QLabel(this)), lbVersion(new QLabel(this)),
      lbDescription(new QLabel(this)), lbCopyright(new QLabel(this)), cmdOther(new QPushButton(this)),
      cmdOk(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmAboutBox"));
    picIcon->setObjectName(QStringLiteral("picIcon"));
    lbProgram->setObjectName(QStringLiteral("lbProgram"));
    lbVersion->setObjectName(QStringLiteral("lbVersion"));
    lbDescription->setObjectName(QStringLiteral("lbDescription"));
    lbCopyright->setObjectName(QStringLiteral("lbCopyright"));
    cmdOther->setObjectName(QStringLiteral("cmdOther"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    QFont big = lbProgram->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setBold(true);
    lbProgram->setFont(big);
    QFont small = lbCopyright->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    lbCopyright->setFont(small);
    lbCopyright->setForegroundRole(QPalette::PlaceholderText);
    lbDescription->setWordWrap(true);
    lbDescription->setText(
        QStringLiteral("Write business plans and marketing plans section by section, with instructions, examples "
                       "and linked financial tables for every chapter."));
    lbCopyright->setText(
        QStringLiteral("Copyright \u00A9 %1 Corvane. All rights reserved.").arg(QDate::currentDate().year()));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picIcon->setFixedWidth(80);

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(lbProgram);
    text->addWidget(lbVersion);
    text->addSpacing(10);
    text->addWidget(lbDescription);
    text->addStretch(1);
    text->addWidget(lbCopyright);

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picIcon);
    top->addLayout(text, 1);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOther);
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(18, 18, 18, 14);
    main->addLayout(top, 1);
    main->addWidget(line);
    main->addLayout(buttons);

    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdOther, &QPushButton::clicked, this, &frmAboutBox::cmdOtherClick);
    setFixedSize(440, 250);
}

void frmAboutBox::Display()
{
    load();
    exec();
}

void frmAboutBox::load()
{
    loadCaptions();
    if (picIcon->pixmap().isNull()) {
        const QIcon icon = windowIcon().isNull() ? QApplication::windowIcon() : windowIcon();
        if (!icon.isNull())
            setPicture(icon.pixmap(64, 64));
    }
    // Without a picture the text takes the whole width.
    picIcon->setVisible(!picIcon->pixmap().isNull());
}

void frmAboutBox::loadCaptions()
{
    CaptionLoader c(this, QStringLiteral("frmAboutBox"));
    c.set(this, 380, QLatin1Char(' ') + platform::applicationTitle());
    c.set(lbProgram, 301);
    lbVersion->setText(c.text(379, QLatin1Char(' ') + versionNumberText()));
    c.set(cmdOther, 92, QStringLiteral("..."));
    c.set(cmdOk, 10);
}

void frmAboutBox::setPicture(const QPixmap &picture)
{
    picIcon->setPixmap(picture.height() > 64 ? picture.scaledToHeight(64, Qt::SmoothTransformation) : picture);
    picIcon->setVisible(!picture.isNull());
}

void frmAboutBox::cmdOtherClick()
{
    OpenHelpFile(this, kProductsHelpFile);
}

} // namespace qv::support
