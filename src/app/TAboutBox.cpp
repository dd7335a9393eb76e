#include "TAboutBox.h"

#include "OrvessaBuild.h"
#include "THomePage.h"
#include "widgets/TBuiltInImage.h"
#include "widgets/TDialogFont.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int ClientWidth = 263;
constexpr int ClientHeight = 268;

// Lavender blue at the top fading to pink at the bottom.
QPixmap backgroundPicture()
{
    QPixmap picture(ClientWidth, ClientHeight);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 0, ClientHeight);
    gradient.setColorAt(0.0, QColor(0xB4, 0xC8, 0xF0));
    gradient.setColorAt(1.0, QColor(0xF8, 0xC8, 0xDC));
    painter.fillRect(picture.rect(), gradient);
    return picture;
}

void setTextColour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// Wrapped notices keep the classic 13-pixel line pitch of an 11-pixel font,
// whatever the line height of the face that stands in for it.
const QString TightLinesStart = QStringLiteral("<div style=\"line-height: 13px; -qt-line-height-type: fixed\">");

QString tightLines(const QString &text)
{
    return TightLinesStart + text.toHtmlEscaped() + QStringLiteral("</div>");
}

QFont bold(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : TFixedDialog(QStringLiteral("AboutBox"), QStringLiteral("About"), QSize(ClientWidth, ClientHeight), parent)
{
    setModal(true);

    ImgBackground = label("ImgBackground", QString(), rect());
    ImgBackground->setScaledContents(true);

    ImgIco = label("ImgIco", QString(), QRect(16, 8, 48, 48));

    LabProgramName = label("LabProgramName", QStringLiteral("Orvessa"), QRect(72, 8, 180, 30));
    LabProgramName->setFont(TDialogFont::Resolve(
        {QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"), QStringLiteral("URW Gothic")}, 19));
    setTextColour(LabProgramName, Qt::red);

    // "Version:" ends before the version number at 199; both share a baseline.
    LabVer = label("LabVer", QStringLiteral("Version:"), QRect(144, 34, 55, 14));
    LabVer->setFont(bold(font()));
    LabVerValue = label("LabVerValue", QString::fromUtf8(OrvessaBuild::Version), QRect(199, 29, 56, 20));
    QFont versionFont = bold(font());
    versionFont.setPixelSize(16);
    LabVerValue->setFont(versionFont);

    LabLawInfo = label("LabLawInfo",
                       QStringLiteral("Unauthorised reproduction or distribution of this program, or any "
                                      "part of it, may result in civil and criminal liability."),
                       QRect(8, 96, 246, 39));
    LabLawInfo->setWordWrap(true);
    setTextColour(LabLawInfo, QColor(0x6E, 0x6E, 0x6E));

    LabAtt = label("LabAtt", QStringLiteral("Attention:"), QRect(8, 160, 240, 14));
    LabAtt->setFont(bold(font()));

    LabLawProtected = label("LabLawProtected",
                            QStringLiteral("This program is protected by copyright law and international treaties."),
                            QRect(8, 176, 193, 26));
    LabLawProtected->setWordWrap(true);

    LabHomePage = label("LabHomePage", QStringLiteral("www.tallowmere.example"), QRect(16, 216, 10, 14));
    QFont linkFont = font();
    linkFont.setUnderline(true);
    LabHomePage->setFont(linkFont);
    setTextColour(LabHomePage, Qt::blue);
    LabHomePage->setCursor(Qt::PointingHandCursor);
    LabHomePage->setToolTip(QString::fromLatin1(THomePage::HomePage));
    LabHomePage->installEventFilter(this);

    LabCopyright = label("LabCopyright", QStringLiteral("Copyright © 2026 Tallowmere"), QRect(16, 243, 230, 14));
}

void TAboutBox::showEvent(QShowEvent *event)
{
    // The pictures, like the text measuring, wait for the first showing.
    if (ImgIco->pixmap().isNull()) {
        ImgBackground->setPixmap(backgroundPicture());
        ImgIco->setPixmap(TBuiltInImage::icon(QStringLiteral("orvessa")).pixmap(48, 48));
    }
    fitLabels();
    QDialog::showEvent(event);
}

void TAboutBox::fitLabels()
{
    // Text measuring waits for the first showing, to keep start-up light.
    // A translation sets a notice's plain text again; it is wrapped anew.
    for (QLabel *notice : {LabLawInfo, LabLawProtected}) {
        if (!notice->text().startsWith(TightLinesStart)) {
            notice->setTextFormat(Qt::RichText);
            notice->setText(tightLines(notice->text()));
        }
    }
    LabHomePage->resize(LabHomePage->sizeHint().width(), LabHomePage->height()); // only the text is clickable
    // Single-line labels take the height of their font, so that no
    // descender or underline is cut off.
    for (QLabel *line : {LabProgramName, LabVer, LabVerValue, LabAtt, LabHomePage, LabCopyright})
        line->resize(line->width(), line->sizeHint().height());
}

QLabel *TAboutBox::label(const char *name, const QString &text, const QRect &place)
{
    auto *created = new QLabel(text, this);
    created->setObjectName(QString::fromLatin1(name));
    created->setGeometry(place);
    created->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    created->setFocusPolicy(Qt::NoFocus);
    // Black on the fixed gradient, whatever the palette's text colour (a
    // dark palette's light text would not read there).
    setTextColour(created, Qt::black);
    return created;
}

void TAboutBox::ShowModal()
{
    if (const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
}

bool TAboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LabHomePage && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        emit homePageClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
