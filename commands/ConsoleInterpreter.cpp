#include "commands/ConsoleInterpreter.h"

#include "base/TextFile.h"
#include "document/CtarnDoc.h"
#include "subtitles/CueFormats.h"

#include <QCoreApplication>

namespace {

constexpr int kMaxTokens = 8;

void SaveTest(const CtarnDoc& doc, Host& host) {
    const QString path = doc.File().GetPathName();
    if (path.isEmpty()) {
        return;
    }
    const QString out = path.left(qMax<qsizetype>(0, path.size() - 3)) + QStringLiteral("txt");
    const CueList& cues = doc.Cues();
    QString text;
    for (int i = 0; i < cues.Count(); ++i) {
        text += CueRecord(cues.Start(i), cues.End(i), cues.Text(i));
    }
    if (!WriteTextFile(out, text)) {
        host.ShowMessage(QCoreApplication::translate("Message", "open file error1"));
    }
}

} // namespace

QStringList ConsoleTokens(QString text) {
    text.replace(QChar('\t'), QChar(' '));
    QStringList tokens = text.split(QChar(' '), Qt::SkipEmptyParts);
    return tokens.mid(0, kMaxTokens);
}

void RunConsoleCommand(const CtarnDoc& doc, Host& host, const QString& text) {
    const QStringList tokens = ConsoleTokens(text);
    if (tokens.value(0) != QStringLiteral("savetest")) {
        host.ShowMessage(QCoreApplication::translate("Message", "unknow command"));
        return;
    }
    SaveTest(doc, host);
}
