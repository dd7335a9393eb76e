#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QObject>
#include <functional>

// The report template expander. It holds an HTML template as lines of bytes
// and expands it into one text, replacing every tag "<#name params>" with the
// text that the tag handler returns for it. No character set is assumed: the
// bytes of the template reach the page as they are.
//
// Unlike a block reader there is no limit on the length of a template line.
class TPageProducer : public QObject
{
    Q_OBJECT

public:
    // Returns the replacement text of one tag; the parameter text is handed
    // over trimmed. Without a handler every tag vanishes.
    using THTMLTagHandler = std::function<QByteArray(const QByteArray &tagName, const QByteArray &tagParams)>;

    // Starts with the built-in template; objectName "PageProducer".
    explicit TPageProducer(QObject *parent = nullptr);

    const QByteArrayList &TemplateLines() const;
    void SetTemplateLines(const QByteArrayList &lines);
    // Splits a whole text into template lines (see TTextLines).
    void SetTemplateText(const QByteArray &text);
    // Reads the template from a file, bytes as they are. On failure throws
    // EOrvessaError "Cannot open file "<path>". <reason>" and keeps the
    // template in place.
    void SetTemplateFromFile(const QString &path);

    void SetOnHTMLTag(THTMLTagHandler handler);

    // The template's lines, each followed by CR LF, with every tag replaced.
    QByteArray Content() const;

    // The template in use until a template file has been loaded (UTF-8).
    static QByteArrayList BuiltInTemplate();

private:
    QByteArrayList FLines;
    THTMLTagHandler FOnHTMLTag;
};
