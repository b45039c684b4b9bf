#include "deck/CollectionJson.h"

#include "deck/AnkiDeck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr qint64 kDefaultDeckId = 1;
constexpr qint64 kDefaultOptionsId = 1;

const QString kFront = QStringLiteral("<div class=\"text\">{{Text}}</div>\n"
                                      "<div class=\"picture\">{{Picture}}</div>\n"
                                      "{{Audio}}");
const QString kBack = QStringLiteral("{{FrontSide}}\n"
                                     "<hr id=\"answer\">\n"
                                     "<div class=\"translation\">{{Translation}}</div>\n"
                                     "<div class=\"context\">{{Context before}}</div>\n"
                                     "<div class=\"context\">{{Context after}}</div>");
const QString kStyle =
    QStringLiteral(".card { font-family: Arial; font-size: 20px; text-align: center; color: black; "
                   "background-color: white; }\n"
                   ".picture img { max-width: 100%; }\n"
                   ".translation { font-style: italic; }\n"
                   ".context { color: gray; font-size: 16px; }\n");
const QString kLatexPre = QStringLiteral("\\documentclass[12pt]{article}\n"
                                         "\\special{papersize=3in,5in}\n"
                                         "\\usepackage{amssymb,amsmath}\n"
                                         "\\pagestyle{empty}\n"
                                         "\\setlength{\\parindent}{0in}\n"
                                         "\\begin{document}\n");

QByteArray Compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QJsonArray Pair(int first, int second) {
    return QJsonArray{first, second};
}

QJsonObject Deck(qint64 id, const QString& name, qint64 nowSeconds) {
    return QJsonObject{
        {"id", id},
        {"name", name},
        {"mod", nowSeconds},
        {"usn", -1},
        {"conf", kDefaultOptionsId},
        {"desc", ""},
        {"dyn", 0},
        {"collapsed", false},
        {"browserCollapsed", false},
        {"extendNew", 10},
        {"extendRev", 50},
        {"newToday", Pair(0, 0)},
        {"revToday", Pair(0, 0)},
        {"lrnToday", Pair(0, 0)},
        {"timeToday", Pair(0, 0)},
    };
}

QJsonArray Fields() {
    QJsonArray fields;
    for (int i = 0; i < kClipNoteFields.size(); ++i) {
        fields.append(QJsonObject{
            {"name", kClipNoteFields[i]},
            {"ord", i},
            {"sticky", false},
            {"rtl", false},
            {"font", "Arial"},
            {"size", 20},
            {"media", QJsonArray{}},
        });
    }
    return fields;
}

} // namespace

QByteArray CollectionConfJson(qint64 deckId) {
    return Compact(QJsonObject{
        {"activeDecks", QJsonArray{deckId}},
        {"curDeck", deckId},
        {"curModel", QString::number(kClipNoteTypeId)},
        {"addToCur", true},
        {"collapseTime", 1200},
        {"dueCounts", true},
        {"estTimes", true},
        {"newBury", true},
        {"newSpread", 0},
        {"nextPos", 1},
        {"sortBackwards", false},
        {"sortType", "noteFld"},
        {"timeLim", 0},
    });
}

QByteArray ClipNoteTypesJson(qint64 deckId, qint64 nowSeconds) {
    const QJsonObject card{
        {"name", "Card 1"},        {"ord", 0},    {"qfmt", kFront}, {"afmt", kBack},
        {"did", QJsonValue::Null}, {"bqfmt", ""}, {"bafmt", ""},
    };
    // The card exists when any of the front's fields has something.
    QJsonArray frontFields;
    for (const char* name : {"Text", "Audio", "Picture"}) {
        frontFields.append(int(kClipNoteFields.indexOf(QLatin1String(name))));
    }
    const QJsonObject noteType{
        {"id", kClipNoteTypeId},
        {"name", "tarn clip"},
        {"type", 0},
        {"mod", nowSeconds},
        {"usn", -1},
        {"sortf", 0},
        {"did", deckId},
        {"tmpls", QJsonArray{card}},
        {"flds", Fields()},
        {"css", kStyle},
        {"latexPre", kLatexPre},
        {"latexPost", "\\end{document}"},
        {"latexsvg", false},
        {"tags", QJsonArray{}},
        {"vers", QJsonArray{}},
        {"req", QJsonArray{QJsonArray{0, "any", frontFields}}},
    };
    return Compact(QJsonObject{{QString::number(kClipNoteTypeId), noteType}});
}

QByteArray DecksJson(qint64 deckId, const QString& name, qint64 nowSeconds) {
    return Compact(QJsonObject{
        {QString::number(kDefaultDeckId), Deck(kDefaultDeckId, "Default", nowSeconds)},
        {QString::number(deckId), Deck(deckId, name, nowSeconds)},
    });
}

QByteArray DeckOptionsJson() {
    const QJsonObject options{
        {"id", kDefaultOptionsId},
        {"name", "Default"},
        {"mod", 0},
        {"usn", 0},
        {"maxTaken", 60},
        {"timer", 0},
        {"autoplay", true},
        {"replayq", true},
        {"dyn", false},
        {"new", QJsonObject{{"delays", QJsonArray{1, 10}},
                            {"ints", QJsonArray{1, 4, 7}},
                            {"initialFactor", 2500},
                            {"order", 1},
                            {"perDay", 20},
                            {"bury", true},
                            {"separate", true}}},
        {"rev", QJsonObject{{"perDay", 200},
                            {"ease4", 1.3},
                            {"fuzz", 0.05},
                            {"ivlFct", 1},
                            {"maxIvl", 36500},
                            {"minSpace", 1},
                            {"bury", true}}},
        {"lapse", QJsonObject{{"delays", QJsonArray{10}},
                              {"mult", 0},
                              {"minInt", 1},
                              {"leechFails", 8},
                              {"leechAction", 0}}},
    };
    return Compact(QJsonObject{{QString::number(kDefaultOptionsId), options}});
}
