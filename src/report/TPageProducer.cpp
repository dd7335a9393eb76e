#include "TPageProducer.h"

#include "core/EOrvessaError.h"
#include "report/TTextLines.h"

#include <QFile>

namespace {

// The built-in report page. The texts are Russian; the meta element tells the
// browser that they are UTF-8, as this source file is.
const char BuiltInPage[] = R"(<html>
<head>
<meta charset="utf-8">
<style type="text/css">
<!--
.noeeu1 {
	font-size: large;
	font-style: italic;
	font-weight: bold;
	color: #00FF00;
}
.noeeu2 {
	font-size: large;
	font-style: italic;
	font-weight: bold;
	color: #FF3C3C;
}
.noeeu3 {
	font-size: medium;
	color: #FF3C3C;
}
.noeeu4 {
	font-size: xx-large;
	color: #B72865;
}
.noeeu5 {
	font-size: small;
	color: #970F37;
}
.noeeu6 {
	color: #970F37;
}
.body {
	background-image: url(pic/bg00.jpg);
}
-->
</style>
</head>
<body class="body">
<p align="left" class="noeeu2">Orvessa</p>
<table width="200" border="0">
  <tr>
    <td><img src="pic/heart.png" width="48" height="48"></td>
    <td><div align="center" class="noeeu6">Индекс Красоты</div></td>
    <td><div align="center" class="noeeu1"><span class="noeeu4"><#result></span></div></td>
  </tr>
  <tr>
    <td><img src="pic/heart_broken.png" width="48" height="48"></td>
    <td><div align="center" class="noeeu6">Отклонение</div></td>
    <td><div align="center" class="noeeu1"><span class="noeeu4"><#dispersion></span></div></td>
  </tr>
  <tr>
    <td><img src="pic/heart_delete.png" width="48" height="48"></td>
    <td><div align="center" class="noeeu6">Ошибка</div></td>
    <td><div align="center"><span class="noeeu4"><#error></span></div></td>
  </tr>
</table>
<p>&nbsp;</p>
<table width="575" border="0">
  <tr>
    <td width="63"><div align="center"><img src="pic/warning.gif" alt=" " width="48" height="48"></div></td>
    <td width="500"><span class="noeeu6">Пожалуйста, не интерпретируйте результаты
программы слишком   серьезно!
Не подвергайте собственную самооценку и
самооценку других людей   критике,
опираясь на результат Индекса Красоты!</span></td>
  </tr>
</table>
<p>&nbsp;</p>
<p>&nbsp;</p>
</body>
</html>
)";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9');
}

qsizetype skipBlanks(const QByteArray &text, qsizetype i)
{
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    return i;
}

qsizetype skipName(const QByteArray &text, qsizetype i)
{
    if (i >= text.size() || !isNameStart(text.at(i)))
        return i;
    ++i;
    while (i < text.size() && isNameChar(text.at(i)))
        ++i;
    return i;
}

// The position of the ">" that closes a tag, skipping any ">" inside single
// or double quotes; the text's size when the tag is never closed.
qsizetype closingBracket(const QByteArray &text, qsizetype i)
{
    char quote = 0;
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            break;
        }
    }
    return i;
}

// Copies text to the output, replacing each tag "<" [blanks] "#" [blanks]
// name params ">" by the handler's text (which is not scanned again). A "<"
// that begins no tag is copied without the blanks that follow it. A tag with
// no ">" takes the rest of the text as its parameters.
QByteArray expand(const QByteArray &text, const TPageProducer::THTMLTagHandler &handler)
{
    QByteArray out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf('<', i);
        if (open < 0) {
            out += QByteArrayView(text).sliced(i);
            break;
        }
        out += QByteArrayView(text).sliced(i, open - i);
        const qsizetype hash = skipBlanks(text, open + 1);
        if (hash >= text.size() || text.at(hash) != '#') {
            out += '<';
            i = hash;
            continue;
        }
        const qsizetype nameStart = skipBlanks(text, hash + 1);
        const qsizetype nameEnd = skipName(text, nameStart);
        const qsizetype close = closingBracket(text, nameEnd);
        if (handler)
            out += handler(text.mid(nameStart, nameEnd - nameStart), text.mid(nameEnd, close - nameEnd).trimmed());
        i = close + 1;
    }
    return out;
}

} // namespace

TPageProducer::TPageProducer(QObject *parent) : QObject(parent), FLines(BuiltInTemplate())
{
    setObjectName(QStringLiteral("PageProducer"));
}

const QByteArrayList &TPageProducer::TemplateLines() const
{
    return FLines;
}

void TPageProducer::SetTemplateLines(const QByteArrayList &lines)
{
    FLines = lines;
}

void TPageProducer::SetTemplateText(const QByteArray &text)
{
    FLines = TTextLines::Split(text);
}

void TPageProducer::SetTemplateFromFile(const QString &path)
{
    QFile file(path);
    QByteArray text;
    if (file.open(QIODevice::ReadOnly))
        text = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        throw EOrvessaError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    SetTemplateText(text);
}

void TPageProducer::SetOnHTMLTag(THTMLTagHandler handler)
{
    FOnHTMLTag = std::move(handler);
}

QByteArray TPageProducer::Content() const
{
    return expand(TTextLines::Join(FLines), FOnHTMLTag);
}

QByteArrayList TPageProducer::BuiltInTemplate()
{
    return TTextLines::Split(QByteArray(BuiltInPage));
}
