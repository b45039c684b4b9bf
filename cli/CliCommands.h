#pragma once

#include <QStringList>

/// Exit statuses of tarn-cli.
enum CliStatus { kCliOk = 0, kCliMessageShown = 1, kCliUsage = 2 };

/// The usage text printed by --help and after wrong usage.
QString CliUsage();

/// Runs one tarn-cli command; `args` are the arguments after the program name.
/// Prints what the command is for on standard output and messages on standard error.
int RunCliCommand(const QStringList& args);
