#include "core/EOrvessaError.h"
#include "report/TPageProducer.h"
#include "report/TReportTags.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TTagCall = std::pair<QByteArray, QByteArray>;

// Knows "result" and "nest" (whose text is itself a tag); records every call.
TPageProducer::THTMLTagHandler recordingHandler(QList<TTagCall> &calls)
{
    return [&calls](const QByteArray &name, const QByteArray &params) -> QByteArray {
        calls.append({name, params});
        if (name == "result")
            return "R";
        if (name == "nest")
            return "<#result>";
        return {};
    };
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TstPageProducer : public QObject
{
    Q_OBJECT

private slots:
    void expansion_data();
    void expansion();
    void handlerGetsNameAndTrimmedParams();
    void withoutHandlerTagsVanish();
    void builtInTemplate();
    void reportTags_data();
    void reportTags();
    void shippedTemplates_data();
    void shippedTemplates();
    void loadsFileBytesAsTheyAre();
    void failedLoadKeepsTemplate_data();
    void failedLoadKeepsTemplate();
};

void TstPageProducer::expansion_data()
{
    QTest::addColumn<QByteArray>("templateText");
    QTest::addColumn<QByteArray>("page");

    QTest::newRow("empty template") << QByteArray() << QByteArray();
    QTest::newRow("no tags, every line ends in CR LF")
        << QByteArray("<p>one</p>\n\ntwo") << QByteArray("<p>one</p>\r\n\r\ntwo\r\n");
    QTest::newRow("CR, LF and CR LF breaks") << QByteArray("a\rb\r\nc\n") << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("bytes as they are") << QByteArray("\xC8\xED\xE4\xE5\xEA\xF1 \xFF\x01")
                                       << QByteArray("\xC8\xED\xE4\xE5\xEA\xF1 \xFF\x01\r\n");
    QTest::newRow("every occurrence") << QByteArray("<#result> and <#result>") << QByteArray("R and R\r\n");
    QTest::newRow("parameters have no effect") << QByteArray("[<#result align=left>]") << QByteArray("[R]\r\n");
    QTest::newRow("blank after hash") << QByteArray("[<# \tresult>]") << QByteArray("[R]\r\n");
    QTest::newRow("blank before hash") << QByteArray("[< #result>]") << QByteArray("[R]\r\n");
    QTest::newRow("line break before hash") << QByteArray("a<\n#result>b") << QByteArray("aRb\r\n");
    QTest::newRow("names compare exactly") << QByteArray("<#Result><#RESULT>x") << QByteArray("x\r\n");
    QTest::newRow("unknown tags vanish") << QByteArray("a<#foo bar='1' baz>b<#x_9>c") << QByteArray("abc\r\n");
    QTest::newRow("no name") << QByteArray("a<#>b<# 9lives>c") << QByteArray("abc\r\n");
    QTest::newRow("name ends at a non-name character") << QByteArray("<#result-x>") << QByteArray("R\r\n");
    QTest::newRow("less-than loses the blank") << QByteArray("a < b") << QByteArray("a <b\r\n");
    QTest::newRow("less-than loses the line break") << QByteArray("a<\nb") << QByteArray("a<b\r\n");
    QTest::newRow("less-than at the end") << QByteArray("x\na <") << QByteArray("x\r\na <");
    QTest::newRow("less-than before a tag") << QByteArray("1 < <#result>") << QByteArray("1 <R\r\n");
    QTest::newRow("ordinary markup") << QByteArray("<!-- c --><b>x</b>") << QByteArray("<!-- c --><b>x</b>\r\n");
    QTest::newRow("quoted greater-than") << QByteArray("<#result title=\"a>b\" alt='c>d'>!")
                                         << QByteArray("R!\r\n");
    QTest::newRow("quote of the other kind inside") << QByteArray("<#result a=\"it's>\">!") << QByteArray("R!\r\n");
    QTest::newRow("unterminated tag takes the rest") << QByteArray("a<#result b\nc") << QByteArray("aR");
    QTest::newRow("parameters run to the next closing bracket")
        << QByteArray("a<#result b\nc<#error>d") << QByteArray("aRd\r\n");
    QTest::newRow("unterminated quote takes the rest") << QByteArray("a<#result \"b>\nc") << QByteArray("aR");
    QTest::newRow("replacement not scanned again") << QByteArray("<#nest>") << QByteArray("<#result>\r\n");
}

void TstPageProducer::expansion()
{
    QFETCH(QByteArray, templateText);
    QList<TTagCall> calls;
    TPageProducer producer;
    producer.SetOnHTMLTag(recordingHandler(calls));
    producer.SetTemplateText(templateText);
    QTEST(producer.Content(), "page");
}

void TstPageProducer::handlerGetsNameAndTrimmedParams()
{
    QList<TTagCall> calls;
    TPageProducer producer;
    producer.SetOnHTMLTag(recordingHandler(calls));
    producer.SetTemplateLines({"<#result  align=left >", "<#error>", "<#x\ty=\"1 2\"\n>"});
    producer.Content();
    const QList<TTagCall> expected = {{"result", "align=left"}, {"error", ""}, {"x", "y=\"1 2\""}};
    QCOMPARE(calls, expected);
}

void TstPageProducer::withoutHandlerTagsVanish()
{
    TPageProducer producer;
    producer.SetTemplateText("a<#result>b");
    QCOMPARE(producer.Content(), QByteArray("ab\r\n"));
}

void TstPageProducer::builtInTemplate()
{
    TPageProducer producer;
    QCOMPARE(producer.objectName(), QStringLiteral("PageProducer"));
    QCOMPARE(producer.TemplateLines(), TPageProducer::BuiltInTemplate());
    producer.SetOnHTMLTag([](const QByteArray &name, const QByteArray &) -> QByteArray {
        return name == "result" ? "100.28" : name == "dispersion" ? "0.91" : name == "error" ? "0.9" : "";
    });
    const QByteArray page = producer.Content();
    const QString text = QString::fromUtf8(page);

    QVERIFY(!page.contains("<#"));
    QVERIFY(!page.contains("\n\n"));
    QCOMPARE(page.count("\r\n"), page.count('\n'));
    QVERIFY(page.endsWith("</html>\r\n"));
    // The three rows in order: icon, label, value.
    const QStringList inOrder = {
        "class=\"body\"", ">Orvessa<", "pic/heart.png", "Индекс Красоты", ">100.28<",
        "pic/heart_broken.png", "Отклонение", ">0.91<", "pic/heart_delete.png", "Ошибка", ">0.9<",
        "pic/warning.gif", "Пожалуйста, не интерпретируйте результаты\r\nпрограммы слишком   серьезно!\r\n"
                           "Не подвергайте собственную самооценку и\r\nсамооценку других людей   критике,\r\n"
                           "опираясь на результат Индекса Красоты!"};
    qsizetype at = 0;
    for (const QString &part : inOrder) {
        const qsizetype found = text.indexOf(part, at);
        QVERIFY2(found >= 0, qPrintable(part));
        at = found + part.size();
    }
    for (const char *rule : {".noeeu1", ".noeeu2", ".noeeu4", ".noeeu6", "pic/bg00.jpg", "#B72865", "#970F37"})
        QVERIFY2(page.contains(rule), rule);
}

void TstPageProducer::reportTags_data()
{
    QTest::addColumn<QByteArray>("templateText");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("page");

    const QLocale c = QLocale::c();
    QTest::newRow("worked example") << QByteArray("<#result>|<#dispersion>|<#error>") << c
                                    << QByteArray("100.28|0.9|0.9\r\n");
    QTest::newRow("comma locale") << QByteArray("<#result>") << QLocale(QLocale::French, QLocale::France)
                                  << QByteArray("100,28\r\n");
    QTest::newRow("parameters and blank") << QByteArray("<# result align=left>") << c << QByteArray("100.28\r\n");
    QTest::newRow("other case and unknown names") << QByteArray("a<#Result><#RESULT><#index>b") << c
                                                  << QByteArray("ab\r\n");
}

void TstPageProducer::reportTags()
{
    QFETCH(QByteArray, templateText);
    QFETCH(QLocale, locale);

    const TBeautyResult result{100.28224f, 0.9068722f, TBeautyStatus::Complete};
    TPageProducer producer;
    producer.SetOnHTMLTag([&](const QByteArray &name, const QByteArray &) {
        return TReportTags::Text(result, name, locale);
    });
    producer.SetTemplateText(templateText);
    QTEST(producer.Content(), "page");
}

void TstPageProducer::shippedTemplates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");

    QTest::newRow("English") << "resulten.html" << "Beauty index";
    QTest::newRow("Russian") << "resultru.html" << "Индекс Красоты";
}

void TstPageProducer::shippedTemplates()
{
    QFETCH(QString, name);
    QFETCH(QString, label);

    QList<TTagCall> calls;
    TPageProducer producer;
    producer.SetOnHTMLTag(recordingHandler(calls));
    producer.SetTemplateFromFile(QCoreApplication::applicationDirPath() + QStringLiteral("/res/") + name);
    const QByteArray page = producer.Content();

    QCOMPARE(calls, QList<TTagCall>({{"result", ""}, {"dispersion", ""}, {"error", ""}, {"photo", ""},
                                     {"photowidth", ""}, {"ratio1", ""}, {"ratio1", "distance"}, {"ratio2", ""},
                                     {"ratio2", "distance"}, {"ratio3", ""}, {"ratio3", "distance"}, {"ratio4", ""},
                                     {"ratio4", "distance"}}));
    QVERIFY(page.contains("<meta charset=\"utf-8\">"));
    QVERIFY(QString::fromUtf8(page).contains(label));
    // Every file the page refers to lies beside it; the style sheet's
    // background picture is found from the style sheet's own folder.
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const char *file : {"res/report.css", "pic/heart.png", "pic/heart_broken.png", "pic/heart_delete.png",
                             "pic/warning.gif"}) {
        QVERIFY2(page.contains(file), file);
        QVERIFY2(programFolder.exists(QString::fromLatin1(file)), file);
    }
    QFile css(programFolder.filePath(QStringLiteral("res/report.css")));
    QVERIFY(css.open(QIODevice::ReadOnly));
    QVERIFY(css.readAll().contains("url(../pic/bg00.jpg)"));
    QVERIFY(programFolder.exists(QStringLiteral("res/../pic/bg00.jpg")));
}

void TstPageProducer::loadsFileBytesAsTheyAre()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("resultru.html"));
    // Windows-1251 text, mixed line breaks and a tag split over lines.
    writeFile(path, "\xC8\xED\xE4\xE5\xEA\xF1\r\n<\n#result>\rend\n");

    QList<TTagCall> calls;
    TPageProducer producer;
    producer.SetOnHTMLTag(recordingHandler(calls));
    producer.SetTemplateFromFile(path);
    QCOMPARE(producer.TemplateLines(), QByteArrayList({"\xC8\xED\xE4\xE5\xEA\xF1", "<", "#result>", "end"}));
    QCOMPARE(producer.Content(), QByteArray("\xC8\xED\xE4\xE5\xEA\xF1\r\nR\r\nend\r\n"));

    writeFile(path, QByteArray()); // an empty file is a valid, empty template
    producer.SetTemplateFromFile(path);
    QCOMPARE(producer.Content(), QByteArray());
}

void TstPageProducer::failedLoadKeepsTemplate_data()
{
    QTest::addColumn<bool>("loadFirst");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing file, built-in kept") << false << "result.html" << "No such file or directory";
    QTest::newRow("missing file, loaded kept") << true << "resultxx.html" << "No such file or directory";
    QTest::newRow("folder instead of file") << true << "folder.html" << "";
}

void TstPageProducer::failedLoadKeepsTemplate()
{
    QFETCH(bool, loadFirst);
    QFETCH(QString, name);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.html")));
    TPageProducer producer;
    if (loadFirst) {
        writeFile(dir.filePath(QStringLiteral("good.html")), "good\n");
        producer.SetTemplateFromFile(dir.filePath(QStringLiteral("good.html")));
    }
    const QByteArrayList before = producer.TemplateLines();

    const QString path = dir.filePath(name);
    try {
        producer.SetTemplateFromFile(path);
        QFAIL("no error");
    } catch (const EOrvessaError &error) {
        const QString prefix = QStringLiteral("Cannot open file \"%1\". ").arg(path);
        QVERIFY2(error.message().startsWith(prefix), qPrintable(error.message()));
        QVERIFY2(error.message().size() > prefix.size(), "the system's reason is missing");
        if (!reason.isEmpty())
            QCOMPARE(error.message().mid(prefix.size()), reason);
    }
    QCOMPARE(producer.TemplateLines(), before);
}

QTEST_GUILESS_MAIN(TstPageProducer)
#include "tst_pageproducer.moc"
