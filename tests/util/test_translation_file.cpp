// The English translation keeps every place a text fills in (%1, %2, ...): a translation that
// loses one drops the file name or the reason it was to show.
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

// The places of a text, sorted: "%1", "%2", "%2" for "%2 of %1 (%2)".
QStringList Places(const QString& text) {
    QStringList places;
    static const QRegularExpression place(QStringLiteral("%[1-9][0-9]?"));
    for (const QRegularExpressionMatch& match : place.globalMatch(text)) {
        places << match.captured();
    }
    places.sort();
    return places;
}

// The source texts whose translation has other places than they have.
QStringList TextsWithOtherPlaces(const QByteArray& ts) {
    QStringList wrong;
    QXmlStreamReader xml(ts);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == QLatin1String("translation")) {
            const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (Places(source) != Places(translation)) {
                wrong << source;
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return wrong;
}

QByteArray Ts(const char* source, const char* translation) {
    return QByteArray("<TS><context><name>C</name><message><source>") + source +
           "</source><translation>" + translation + "</translation></message></context></TS>";
}

TEST(TranslationFile, EveryTranslationKeepsItsPlaces) {
    EXPECT_TRUE(
        TextsWithOtherPlaces(Ts("\"%1\" に書き込めません。", "Cannot write \"%1\".")).isEmpty());
    EXPECT_TRUE(TextsWithOtherPlaces(Ts("%1/%2 ページ", "Page %1 of %2")).isEmpty());
    EXPECT_EQ(TextsWithOtherPlaces(Ts("詳細：%1<byte value=\"xd\"/>%2", "Details: %1")).size(), 1);
    EXPECT_EQ(TextsWithOtherPlaces(Ts("%1 から %2", "from %1 to %1")).size(), 1);

    QFile file(QStringLiteral(MIRTE_TRANSLATION_FILE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList wrong = TextsWithOtherPlaces(file.readAll());
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QLatin1Char('\n')).toStdString();
}

} // namespace
