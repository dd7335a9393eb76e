#include "TfrmImportDlg.h"

#include "TDroppedFile.h"
#include "TPhotoPreview.h"
#include "widgets/TBuiltInImage.h"
#include "widgets/TDialogFont.h"
#include "widgets/TMemo.h"
#include "widgets/TNpsUrl.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &place)
{
    auto *btn = new QPushButton(caption, parent);
    btn->setObjectName(QString::fromLatin1(name));
    btn->setGeometry(place);
    return btn;
}

} // namespace

TfrmImportDlg::TfrmImportDlg(QWidget *parent)
    : TFixedDialog(QStringLiteral("frmImportDlg"), QStringLiteral("Import"), QSize(552, 323), parent)
{
    useWindowColour();

    ImgSample = new QLabel(this);
    ImgSample->setObjectName(QStringLiteral("ImgSample"));
    ImgSample->setGeometry(32, 16, 145, 161);
    ImgSample->setScaledContents(true);
    ImgSample->hide();

    LabURL = new TNpsUrl(this);
    LabURL->setObjectName(QStringLiteral("LabURL"));
    LabURL->setGeometry(18, 294, 38, 16);
    LabURL->setProtocol(TNpsUrl::ptFILE);
    LabURL->setUrl(QString());
    LabURL->setText(QStringLiteral("Help..."));
    QFont linkFont = TDialogFont::Make(13);
    linkFont.setUnderline(true);
    LabURL->setFont(linkFont);

    LabFileOpen = new QLabel(QStringLiteral("To start the measurement, select a photo."), this);
    LabFileOpen->setObjectName(QStringLiteral("LabFileOpen"));
    LabFileOpen->setGeometry(112, 168, 196, 13);

    ImgBorder = new QLabel(this);
    ImgBorder->setObjectName(QStringLiteral("ImgBorder"));
    ImgBorder->setGeometry(8, 16, 105, 273);
    ImgBorder->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    BtnBack = button(this, "BtnBack", QStringLiteral("&Back"), QRect(384, 288, 75, 25));
    BtnNext = button(this, "BtnNext", QStringLiteral("&Next"), QRect(464, 288, 75, 25));
    BtnCancel = button(this, "BtnCancel", QStringLiteral("Cancel"), QRect(304, 288, 75, 25));
    BtnNext->setDefault(true);

    Image = new TPhotoPreview(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(280, 16, 233, 241);

    MemInfo = new TMemo(QStringLiteral("MemInfo"), QRect(32, 192, 241, 65), this);

    EdFileName = new QLineEdit(this);
    EdFileName->setObjectName(QStringLiteral("EdFileName"));
    EdFileName->setGeometry(112, 184, 377, 19);
    // A file dropped on the path box fills it through the dialog, in place
    // of the box inserting the address as text.
    EdFileName->setAcceptDrops(false);

    BtnOpen = button(this, "BtnOpen", QStringLiteral("..."), QRect(495, 183, 25, 22));

    CheckBox = new QCheckBox(this);
    CheckBox->setObjectName(QStringLiteral("CheckBox"));
    CheckBox->setGeometry(32, 264, 489, 16);

    MemBeginInfo = new TMemo(QStringLiteral("MemBeginInfo"), QRect(112, 56, 385, 105), this);
    MemBeginInfo->setPlainText(QStringLiteral(
        "К сожалению, для измерений  фотография должна удовлетворять \n"
        "определённым требованиям.\n"
        "\n"
        "Пожалуйста, следуйте подсказкам мастера, для определения пригодности \n"
        "фотографии."));

    // Tab order: Back, Next, Cancel, Image, MemInfo, EdFileName, "...",
    // CheckBox, MemBeginInfo.
    const QList<QWidget *> tabOrder{BtnBack, BtnNext, BtnCancel, Image, MemInfo, EdFileName, BtnOpen, CheckBox, MemBeginInfo};
    for (qsizetype i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i), tabOrder.at(i + 1));
    for (QWidget *other : {static_cast<QWidget *>(LabURL), static_cast<QWidget *>(LabFileOpen)})
        other->setFocusPolicy(Qt::NoFocus);

    connect(BtnCancel, &QPushButton::clicked, this, &TfrmImportDlg::BtnCancelClick);
}

void TfrmImportDlg::BtnCancelClick()
{
    hide();
}

void TfrmImportDlg::reject()
{
    // Esc and the close box act as Cancel.
    BtnCancelClick();
}

bool TfrmImportDlg::event(QEvent *event)
{
    // A label whose text changed asks its parent for a new layout. Fitting
    // and the border picture wait for the first showing, to keep start-up
    // light.
    if (event->type() == QEvent::Show && ImgBorder->pixmap().isNull())
        ImgBorder->setPixmap(TBuiltInImage::pixmap(QStringLiteral("border")));
    if ((event->type() == QEvent::LayoutRequest && isVisible()) || event->type() == QEvent::Show)
        fitLabels();
    return QDialog::event(event);
}

void TfrmImportDlg::dragEnterEvent(QDragEnterEvent *event)
{
    if (!TDroppedFile::Path(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfrmImportDlg::dropEvent(QDropEvent *event)
{
    const QString path = TDroppedFile::Path(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    emit fileDropped(path);
}

void TfrmImportDlg::fitLabels()
{
    for (QLabel *label : {static_cast<QLabel *>(LabURL), LabFileOpen})
        label->resize(label->sizeHint().width(), label->height());
}
