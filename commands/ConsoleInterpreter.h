#pragma once

#include <QString>
#include <QStringList>

class CtarnDoc;
class Host;

/// The words of a console command: tabs become spaces, runs of spaces separate words, and
/// only the first eight words are kept.
QStringList ConsoleTokens(QString text);

/// Runs a console command on the document. The only command word is "savetest", which
/// writes the cues as "[start,end]" records to the document's path with its last three
/// characters replaced by "txt"; any other word shows "unknow command". Messages go through
/// `host`.
void RunConsoleCommand(const CtarnDoc& doc, Host& host, const QString& text);
