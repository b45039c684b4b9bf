#pragma once

#include <QString>
#include <QTextStream>

#include <functional>
#include <optional>

class CliHost;
class CtarnDoc;

// What every tarn-cli command shares: standard output, number arguments, the exit status
// and opening the WAV file a command works on.

/// Standard output, for what a command is for.
QTextStream& Out();
/// The integer `text` spells, or nothing.
std::optional<int> ParseInt(const QString& text);
/// The integer `text` spells when it lies in lo..hi, or nothing.
std::optional<int> ParseInt(const QString& text, int lo, int hi);
/// 1 when the host showed a message, else 0.
int StatusAfter(const CliHost& host);
/// Opens `path` and runs `work` on the document; status 1 when anything showed a message.
int OnOpened(const QString& path, const std::function<void(CtarnDoc&, CliHost&)>& work);
