#include "TOurTexts.h"

#include <QHash>

namespace {

struct TOurText
{
    const char *key;
    const char *english; // UTF-8
};

// New keys are appended here and to both shipped language files.
const TOurText OurTexts[] = {
    {"acFitToWindow", "Fit to Window"},
    {"acFitToWindow.Hint", "Fit to window|Shows the whole photo in the window"},
    {"AboutBox.LabAtt.Caption", "Attention:"},
    {"AboutBox.LabLawProtected.Caption", "This program is protected by copyright law and international treaties."},
    {"AboutBox.LabLawInfo.Caption", "Unauthorised reproduction or distribution of this program, or any part of it, "
                                    "may result in civil and criminal liability."},
    {"AboutBox.LabCopyright.Caption", "Copyright © 2026 Tallowmere"},
    {"AboutBox.LabHomePage.Caption", "www.tallowmere.example"},
    {"frmOrvessaView.Caption", "Orvessa"},
    {"frmOrvessaView.Copy", "Copy"},
    {"frmOrvessaView.SelectAll", "Select All"},
    {"frmOrvessaView.Print", "Print..."},
    {"frmOrvessaView.SaveAsPdf", "Save as PDF..."},
    {"frmOrvessaView.PdfFilter", "PDF documents|*.pdf"},
};

const QHash<QString, QString> &fallbacks()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> texts;
        for (const TOurText &text : OurTexts)
            texts.insert(QString::fromLatin1(text.key), QString::fromUtf8(text.english));
        return texts;
    }();
    return table;
}

} // namespace

QString TOurTexts::Fallback(const QString &key)
{
    return fallbacks().value(key);
}

QStringList TOurTexts::Keys()
{
    QStringList keys;
    for (const TOurText &text : OurTexts)
        keys.append(QString::fromLatin1(text.key));
    return keys;
}
